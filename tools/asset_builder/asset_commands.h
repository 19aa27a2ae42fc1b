#pragma once

#include <QString>
#include <QStringList>

namespace tarvel::tools {

// Runs one asset_builder command line (the arguments after the program name):
//   bmp <in.svg> <out.bmp> <width> <height>    the SVG as a 24-bit BMP of that size
//   png <in.svg> <out.png> <size>              the SVG as a square PNG with its transparency (icons)
//   pdf <in.md> <out.pdf>                      the Markdown document as an A4 PDF
// Returns the exit code: 0 when the file was written, 1 otherwise with the reason in `error`.
int runAssetCommand(const QStringList& args, QString* error);

// The usage text printed for a malformed command line.
QString assetBuilderUsage();

} // namespace tarvel::tools
