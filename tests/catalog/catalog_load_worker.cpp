// A process that works on a catalog file at the same time as others, for the concurrency test.
//
//   catalog_load_worker write <file> <tag>      adds 500 modules (maker <tag>) and 500 locations
//                                               (country <tag>) the way the catalog dialogs do: a
//                                               duplicate check, then the insert
//   catalog_load_worker read <file> <seconds>   reads the country, city, maker and module type lists
//                                               over and over for that long
//
// Exit status 0 when every operation succeeded, 1 at the first failure (its text on stderr), 2 for
// wrong use. The reader prints the number of rounds it completed.

#include "catalog/catalog.h"
#include "support/sample_records.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>

#include <cstdio>
#include <exception>

namespace {

constexpr int kRowsEach = 500;

tarvel::TPanelInfo module(const QString& maker, int i) {
    return tarvel::test::sampleModule(maker, QStringLiteral("M-%1").arg(i), 250 + i);
}

tarvel::TCountryInfo location(const QString& country, int i) {
    tarvel::TCountryInfo l;
    l.country = country;
    l.city = QStringLiteral("City-%1").arg(i);
    l.Latitude = 40 + i % 20;
    l.Longitude = 10;
    l.height = i;
    l.months = {60, 90, 130, 170, 210, 230, 220, 190, 150, 100, 65, 50};
    l.Year0 = 139;
    return l;
}

int fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    return 1;
}

int write(const QString& file, const QString& tag) {
    tarvel::Catalog catalog(file);
    for (int i = 0; i < kRowsEach; ++i) {
        const tarvel::TPanelInfo m = module(tag, i);
        if (!catalog.moduleDuplicateCheck(m.product_name, m.strings_type))
            return fail(qPrintable(QStringLiteral("module %1 %2 exists already").arg(tag).arg(i)));
        catalog.moduleInsert(m);
        const tarvel::TCountryInfo l = location(tag, i);
        if (!catalog.locationDuplicateCheck(l.country, l.city))
            return fail(qPrintable(QStringLiteral("location %1 %2 exists already").arg(tag).arg(i)));
        catalog.locationInsert(l);
    }
    return 0;
}

// Writers only add rows, so no list may ever get shorter between two rounds.
int read(const QString& file, int seconds) {
    tarvel::Catalog catalog(file);
    QHash<QString, qsizetype> cities;
    QHash<QString, qsizetype> types;
    QElapsedTimer timer;
    timer.start();
    long rounds = 0;
    do {
        for (const QString& country : catalog.countryListQuery()) {
            const qsizetype count = catalog.cityListQuery(country).size();
            if (count < cities.value(country))
                return fail(
                    qPrintable(QStringLiteral("the cities of %1 went down to %2").arg(country).arg(count)));
            cities[country] = count;
        }
        for (const QString& maker : catalog.makerListQuery()) {
            const qsizetype count = catalog.moduleTypeListQuery(maker).size();
            if (count < types.value(maker))
                return fail(
                    qPrintable(QStringLiteral("the types of %1 went down to %2").arg(maker).arg(count)));
            types[maker] = count;
        }
        ++rounds;
    } while (timer.elapsed() < seconds * 1000LL);
    std::printf("%ld\n", rounds);
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        if (args.size() == 4 && args[1] == QStringLiteral("write"))
            return write(args[2], args[3]);
        if (args.size() == 4 && args[1] == QStringLiteral("read"))
            return read(args[2], args[3].toInt());
    } catch (const std::exception& error) {
        return fail(error.what());
    }
    std::fprintf(stderr, "usage: catalog_load_worker write <file> <tag> | read <file> <seconds>\n");
    return 2;
}
