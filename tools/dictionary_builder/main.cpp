// dictionary_builder <source.tsv> <chinatoEN.lng>
// Writes the interface dictionary from its UTF-8 source table.

#include "dictionary_builder/dictionary_source.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: dictionary_builder <source.tsv> <chinatoEN.lng>\n");
        return 2;
    }
    try {
        QFile source(args[1]);
        if (!source.open(QIODevice::ReadOnly))
            throw std::runtime_error(source.errorString().toStdString());
        const auto rows = tarvel::tools::readDictionarySource(source.readAll());
        QSaveFile out(args[2]);
        if (!out.open(QIODevice::WriteOnly) || out.write(tarvel::tools::writeDictionary(rows)) < 0 ||
            !out.commit())
            throw std::runtime_error(out.errorString().toStdString());
        std::printf("%s: %lld texts\n", qPrintable(args[2]), static_cast<long long>(rows.size()));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "dictionary_builder: %s\n", error.what());
        return 1;
    }
}
