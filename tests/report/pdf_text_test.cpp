#include "report/pdf_text_map.h"
#include "report/prepared_report.h"

#include "report_sample.h"

#include <QFile>
#include <QProcess>
#include <QRawFont>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel::report {
namespace {

TEST(PdfTextMap, ACodeSharingAGlyphIsFixedOnlyWhenTheTextDoesNotUseItItself) {
    const QRawFont font = QRawFont::fromFont(QFont(QStringLiteral("Noto Sans CJK SC")));
    ASSERT_EQ(font.familyName(), QStringLiteral("Noto Sans CJK SC")) << "fonts-noto-cjk is missing";
    const TextMapFixes fixes = glyphSharingFixes(QStringLiteral("文 a"), font);
    EXPECT_EQ(fixes.value(0x2F42), u'文');
    EXPECT_EQ(fixes.value(u'\t'), u' '); // the font draws a tab with the space glyph
    EXPECT_FALSE(fixes.values().contains(u'a'));
    EXPECT_FALSE(glyphSharingFixes(QStringLiteral("\u2F42文"), font).contains(0x2F42));
}

// Chinese captions are drawn in the Simplified Chinese face, and a viewer's search and copy find the
// characters the page shows, also those whose glyphs the face shares with a radical (人 入 大 方 比
// 目 网 角 面 would otherwise come out as U+2F08 ...).
TEST(PdfTextMap, ChineseReportTextIsSearchableAndInTheSimplifiedChineseFace) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    ReportTemplate r = test::sampleReport();
    const QString shared = QStringLiteral("人入大方比目网角面");
    r.setText(QStringLiteral("PRO_DES"), QStringLiteral("项目地点"));
    r.setText(QStringLiteral("IVT_MAX_Efficiency"), QStringLiteral("最大效率"));
    r.setText(QStringLiteral("PRO_DES_UNIT_Val"), shared);
    r.setText(QStringLiteral("IVT_KIND"), QStringLiteral("逆变器型号: KT10000-TL")); // bold
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("chinese.pdf"));
    PreparedReport::prepare(r).exportPdf(path);

    QProcess process;
    process.start(pdftotext, {path, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const QString& expected :
         {QStringLiteral("项目"), QStringLiteral("最大效率"), shared,
          QStringLiteral("逆变器型号: KT10000-TL"), QStringLiteral("PV peak power[KWp]")})
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\nin: " << text.toStdString();
    for (const QChar c : text)
        EXPECT_FALSE(c.unicode() >= 0x2F00 && c.unicode() <= 0x2FDF)
            << "radical U+" << std::hex << int(c.unicode());

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.contains("NotoSansCJKsc")) << "the Simplified Chinese face is embedded";
    EXPECT_FALSE(bytes.contains("NotoSansCJKjp"));
}

} // namespace
} // namespace tarvel::report
