#include "catalog/catalog.h"
#include "support/temp_catalog.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Catalog files damaged on disk: a read either gives the whole answer or fails; it never passes a
// list cut short, or a key reported new, off as the answer.

namespace tarvel {
namespace {

constexpr int kPageSize = 4096;

TCountryInfo location(int i) {
    TCountryInfo l;
    l.country = QStringLiteral("Country %1").arg(i / 10, 4, 10, QLatin1Char('0'));
    l.city = QStringLiteral("City %1").arg(i, 5, 10, QLatin1Char('0'));
    l.Latitude = 45;
    l.height = 100;
    return l;
}

QByteArray withPageOverwritten(QByteArray file, qsizetype page) {
    file.replace(page * kPageSize, kPageSize, QByteArray(kPageSize, '\xff'));
    return file;
}

TEST(DamagedCatalog, AReadThatFailsPartWayIsAnErrorNotAShortAnswer) {
    test::TempCatalog temp;
    // 5,000 cities in 500 countries: the lists span many pages of the file.
    temp.catalog().inOneTransaction([&temp] {
        for (int i = 0; i < 5000; ++i)
            temp.catalog().locationInsert(location(i));
    });
    const QStringList countries = temp.catalog().countryListQuery();
    ASSERT_EQ(countries.size(), 500);
    const QString country = location(4500).country;
    const QStringList cities = temp.catalog().cityListQuery(country);
    ASSERT_EQ(cities.size(), 10);
    QFile file(temp.path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray sound = file.readAll();
    ASSERT_EQ(sound.size() % kPageSize, 0);

    int failed = 0;
    // Page 1 holds the schema; every other page, one at a time, is overwritten.
    for (qsizetype page = 1; page < sound.size() / kPageSize; ++page) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("VurIvira"));
        QFile damaged(path);
        ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
        damaged.write(withPageOverwritten(sound, page));
        damaged.close();
        Catalog catalog(path);
        try {
            EXPECT_EQ(catalog.countryListQuery(), countries) << "page " << page;
        } catch (const CatalogError& error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QStringLiteral("malformed")))
                << error.what();
            ++failed;
        }
        try {
            EXPECT_EQ(catalog.cityListQuery(country), cities) << "page " << page;
            EXPECT_FALSE(catalog.locationDuplicateCheck(country, cities.last())) << "page " << page;
        } catch (const CatalogError&) {
            ++failed;
        }
    }
    // Some of the damage was met, or the test proved nothing.
    EXPECT_GT(failed, 0);
}

} // namespace
} // namespace tarvel
