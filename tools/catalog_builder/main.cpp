// catalog_builder <data dir> <catalog file>
// Writes the shipped catalog database from the CSV sources of the data directory.

#include "catalog/catalog.h"
#include "catalog_builder/catalog_sources.h"
#include "design/number_format.h"
#include "tool_support/offscreen.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // The inverter pictures are painted with fonts, which need a GUI application but no display.
    tarvel::tools::prepareOffscreenTool();
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: catalog_builder <data dir> <catalog file>\n");
        return 2;
    }
    try {
        const QString summary = tarvel::tools::buildCatalog(args[1], args[2]);
        std::printf("%s\n", qPrintable(summary));
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "catalog_builder: %s\n", error.what());
        return 1;
    }
}
