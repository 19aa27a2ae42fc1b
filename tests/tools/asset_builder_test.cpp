#include "asset_builder/asset_commands.h"
#include "asset_builder/markdown_pdf.h"
#include "asset_builder/pdf_tidy.h"
#include "asset_builder/svg_bitmap.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel::tools {
namespace {

// Left half red, right half left transparent.
const char* const kHalfRedSvg = R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 10 10">
<rect x="0" y="0" width="5" height="10" fill="#ff0000"/></svg>)";

class AssetBuilder : public testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }

    QString write(const QString& name, const QByteArray& bytes) const {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }

    static QByteArray read(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(AssetBuilder, AnSvgIsStretchedOverA24BitBmpAndTransparencyTurnsWhite) {
    const QString svg = write("half.svg", kHalfRedSvg);
    QString error;
    ASSERT_TRUE(renderSvgToBmp(svg, path("half.bmp"), QSize(40, 20), &error)) << qPrintable(error);
    const QByteArray bmp = read(path("half.bmp"));
    ASSERT_TRUE(bmp.startsWith("BM"));
    EXPECT_EQ(bmp.at(28), 24); // bits per pixel
    const QImage image(path("half.bmp"));
    ASSERT_EQ(image.size(), QSize(40, 20));
    EXPECT_EQ(image.pixel(18, 10), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(22, 10), qRgb(255, 255, 255));

    ASSERT_TRUE(renderSvgToBmp(svg, path("again.bmp"), QSize(40, 20), nullptr));
    EXPECT_EQ(read(path("again.bmp")), bmp);
}

TEST_F(AssetBuilder, AMissingOrUnreadableSvgFailsAndWritesNothing) {
    QString error;
    EXPECT_FALSE(renderSvgToBmp(path("none.svg"), path("a.bmp"), QSize(8, 8), &error));
    EXPECT_TRUE(error.contains("none.svg")) << qPrintable(error);
    EXPECT_FALSE(renderSvgToBmp(write("bad.svg", "<svg><rect"), path("a.bmp"), QSize(8, 8), &error));
    EXPECT_TRUE(error.contains("bad.svg")) << qPrintable(error);
    EXPECT_FALSE(QFile::exists(path("a.bmp")));
    EXPECT_FALSE(renderSvgToBmp(write("ok.svg", kHalfRedSvg), path("no/dir/a.bmp"), QSize(8, 8), &error));
    EXPECT_TRUE(error.contains("no/dir/a.bmp")) << qPrintable(error);
}

TEST_F(AssetBuilder, ThePngCommandDrawsASquareIconThatKeepsItsTransparency) {
    const QString svg = write("half.svg", kHalfRedSvg);
    ASSERT_EQ(runAssetCommand({"png", svg, path("icon.png"), "32"}, nullptr), 0);
    const QImage icon(path("icon.png"));
    ASSERT_EQ(icon.size(), QSize(32, 32));
    EXPECT_TRUE(icon.hasAlphaChannel());
    EXPECT_EQ(icon.pixel(8, 16), qRgba(255, 0, 0, 255));
    EXPECT_EQ(qAlpha(icon.pixel(24, 16)), 0);
}

TEST_F(AssetBuilder, TheBmpCommandTakesWidthThenHeight) {
    const QString svg = write("half.svg", kHalfRedSvg);
    EXPECT_EQ(runAssetCommand({"bmp", svg, path("logo.bmp"), "80", "32"}, nullptr), 0);
    EXPECT_EQ(QImage(path("logo.bmp")).size(), QSize(80, 32));
}

TEST_F(AssetBuilder, MalformedCommandLinesAreRefusedWithTheUsage) {
    const QString svg = write("half.svg", kHalfRedSvg);
    const QString out = path("out.bmp");
    const QList<QStringList> lines = {{},
                                      {"png", svg, out},
                                      {"bmp", svg, out, "80"},
                                      {"bmp", svg, out, "0", "32"},
                                      {"bmp", svg, out, "80", "3x"},
                                      {"bmp", svg, out, "10001", "32"},
                                      {"png", svg, out, "0"},
                                      {"pdf", svg}};
    for (const QStringList& line : lines) {
        QString error;
        EXPECT_EQ(runAssetCommand(line, &error), 1) << qPrintable(line.join(' '));
        EXPECT_TRUE(error.contains("usage:")) << qPrintable(error);
    }
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(AssetBuilder, ThePdfTextMapsGiveBackTheCharactersOnThePage) {
    // 文 and 户 share their glyphs with ⽂ (U+2F42) and 戶 (U+6236); digits next to Latin letters
    // are the ones shaping would have replaced.
    const QString md = write("guide.md", "# 文件\n\n户 at 25 °C 文\n");
    QString error;
    ASSERT_TRUE(renderMarkdownToPdf(md, path("guide.pdf"), &error)) << qPrintable(error);
    const QByteArray pdf = read(path("guide.pdf"));
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595.000000 842.000000]")); // A4 in points
    for (const char* code : {"<6587>", "<6237>", "<0032>", "<0035>"})
        EXPECT_TRUE(pdf.contains(code)) << code;
    EXPECT_FALSE(pdf.contains("<2F42>"));
    EXPECT_FALSE(pdf.contains("<6236>"));
}

TEST_F(AssetBuilder, APdfIsDatedLikeItsSourceAndLongTextsGetMorePages) {
    QByteArray text = "# Guide\n\n";
    for (int i = 0; i < 150; ++i)
        text += "A paragraph that fills a line or two of the page with ordinary words.\n\n";
    QFile md(write("long.md", text));
    ASSERT_TRUE(md.open(QIODevice::Append));
    md.setFileTime(QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC), QFileDevice::FileModificationTime);
    md.close();
    ASSERT_TRUE(renderMarkdownToPdf(md.fileName(), path("long.pdf"), nullptr));
    const QByteArray pdf = read(path("long.pdf"));
    EXPECT_TRUE(pdf.contains("/CreationDate (D:20240501120000Z)"));
    EXPECT_GE(pdf.count("/Type /Page\n"), 3);
}

TEST_F(AssetBuilder, MissingOrEmptyMarkdownAndUnwritablePdfsFail) {
    QString error;
    EXPECT_FALSE(renderMarkdownToPdf(path("none.md"), path("a.pdf"), &error));
    EXPECT_TRUE(error.contains("none.md")) << qPrintable(error);
    EXPECT_FALSE(renderMarkdownToPdf(write("empty.md", " \n"), path("a.pdf"), &error));
    EXPECT_FALSE(QFile::exists(path("a.pdf")));
    EXPECT_FALSE(renderMarkdownToPdf(write("ok.md", "# Hi\n"), path("no/dir/a.pdf"), &error));
    EXPECT_TRUE(error.contains("no/dir/a.pdf")) << qPrintable(error);
}

TEST(PdfTidy, OnlyCharacterCodesAndTheDateChangeAndNoByteMoves) {
    const QByteArray before =
        "/CreationDate (D:20261209091958+01'00')\n"
        "beginbfrange\n<2F42> <2F43> [<2F42> <0041>]\n<0010> <0012> <2F42>\nendbfrange\n"
        "[<2F42>]\n";
    const QByteArray after = tidyQtPdf(before, QDateTime(QDate(2024, 5, 1), QTime(12, 0), Qt::UTC),
                                       {{char16_t(0x2F42), char16_t(0x6587)}});
    EXPECT_EQ(after.toStdString(),
              "/CreationDate (D:20240501120000Z)      \n"
              "beginbfrange\n<2F42> <2F43> [<6587> <0041>]\n<0010> <0012> <2F42>\nendbfrange\n"
              "[<2F42>]\n");
}

// The shipped artwork, rendered the way the build renders the logo.
class ShippedArtwork : public AssetBuilder {
protected:
    QImage render(const QString& name, QSize size) {
        const QString svg = QStringLiteral(TARVEL_SOURCE_DIR "/data/ui/") + name;
        QString error;
        EXPECT_TRUE(renderSvgToBmp(svg, path("art.bmp"), size, &error)) << qPrintable(error);
        return QImage(path("art.bmp"));
    }
};

TEST_F(ShippedArtwork, EveryPictureTheProgramLoadsRenders) {
    for (const char* name : {"icon_ok.svg", "icon_warning.svg", "icon_danger.svg", "tab_project.svg",
                             "tab_inverter.svg", "tab_strings.svg", "tab_cabling.svg", "tab_result.svg",
                             "page_background.svg", "string_layout.svg", "help_picture.svg", "logo.svg"})
        EXPECT_FALSE(render(name, QSize(32, 32)).isNull()) << name;
}

TEST_F(ShippedArtwork, TheLogoHasAPlainWhiteFrameForTheTransparentColour) {
    const QImage logo = render("logo.svg", QSize(80, 32));
    for (int x = 0; x < logo.width(); ++x) {
        EXPECT_EQ(logo.pixel(x, 0), qRgb(255, 255, 255)) << x;
        EXPECT_EQ(logo.pixel(x, logo.height() - 1), qRgb(255, 255, 255)) << x;
    }
    for (int y = 0; y < logo.height(); ++y)
        EXPECT_EQ(logo.pixel(0, y), qRgb(255, 255, 255)) << y;
}

TEST_F(ShippedArtwork, TheStringLayoutLeavesTheTextColumnOfEveryRowPlain) {
    const QImage layout = render("string_layout.svg", QSize(460, 150));
    for (const int top : {5, 55, 105}) {
        const QRgb plain = layout.pixel(300, top + 20);
        for (int y = top; y < top + 40; ++y) {
            for (int x = 250; x < 455; ++x)
                ASSERT_EQ(layout.pixel(x, y), plain) << x << "," << y;
        }
    }
}

} // namespace
} // namespace tarvel::tools
