#include "asset_builder/asset_commands.h"

#include "asset_builder/markdown_pdf.h"
#include "asset_builder/svg_bitmap.h"

#include <optional>

namespace tarvel::tools {
namespace {

// Larger pictures than this are surely a typing error, and would take gigabytes of memory.
constexpr int kMaxPictureSide = 10000;

std::optional<int> parseSide(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < 1 || value > kMaxPictureSide)
        return std::nullopt;
    return value;
}

int usageError(QString* error, const QString& reason) {
    *error = reason + QLatin1Char('\n') + assetBuilderUsage();
    return 1;
}

int runBmp(const QStringList& args, QString* error) {
    if (args.size() != 5)
        return usageError(error, QStringLiteral("bmp takes four arguments"));
    const std::optional<int> width = parseSide(args[3]);
    const std::optional<int> height = parseSide(args[4]);
    if (!width || !height)
        return usageError(
            error,
            QStringLiteral("width and height must be whole numbers from 1 to %1").arg(kMaxPictureSide));
    return renderSvgToBmp(args[1], args[2], QSize(*width, *height), error) ? 0 : 1;
}

int runPng(const QStringList& args, QString* error) {
    if (args.size() != 4)
        return usageError(error, QStringLiteral("png takes three arguments"));
    const std::optional<int> side = parseSide(args[3]);
    if (!side)
        return usageError(
            error, QStringLiteral("the size must be a whole number from 1 to %1").arg(kMaxPictureSide));
    return renderSvgToPng(args[1], args[2], QSize(*side, *side), error) ? 0 : 1;
}

int runPdf(const QStringList& args, QString* error) {
    if (args.size() != 3)
        return usageError(error, QStringLiteral("pdf takes two arguments"));
    return renderMarkdownToPdf(args[1], args[2], error) ? 0 : 1;
}

} // namespace

QString assetBuilderUsage() {
    return QStringLiteral("usage: asset_builder bmp <in.svg> <out.bmp> <width> <height>\n"
                          "       asset_builder png <in.svg> <out.png> <size>\n"
                          "       asset_builder pdf <in.md> <out.pdf>");
}

int runAssetCommand(const QStringList& args, QString* error) {
    QString ignored;
    if (!error)
        error = &ignored;
    const QString command = args.value(0);
    if (command == QLatin1String("bmp"))
        return runBmp(args, error);
    if (command == QLatin1String("png"))
        return runPng(args, error);
    if (command == QLatin1String("pdf"))
        return runPdf(args, error);
    return usageError(error, command.isEmpty() ? QStringLiteral("no command given")
                                               : QStringLiteral("unknown command \"%1\"").arg(command));
}

} // namespace tarvel::tools
