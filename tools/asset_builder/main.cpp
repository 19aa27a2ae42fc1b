// asset_builder bmp <in.svg> <out.bmp> <width> <height>
// asset_builder png <in.svg> <out.png> <size>
// asset_builder pdf <in.md> <out.pdf>
// Turns the program's artwork and user guides into the files it ships: the logo bitmap, the icons, the guide PDFs.

#include "asset_builder/asset_commands.h"
#include "tool_support/offscreen.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Rendering needs fonts and so a GUI application, but no display. The spacing the guides give in
    // screen pixels is taken at 96 dpi, whatever screen the build machine has.
    tarvel::tools::prepareOffscreenTool();
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    QGuiApplication app(argc, argv);
    QString error;
    const int exitCode = tarvel::tools::runAssetCommand(QGuiApplication::arguments().mid(1), &error);
    if (exitCode != 0)
        std::fprintf(stderr, "asset_builder: %s\n", qPrintable(error));
    return exitCode;
}
