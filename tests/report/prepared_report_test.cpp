#include "report/prepared_report.h"

#include "report_sample.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel::report {
namespace {

using test::boundsOf;
using test::countOf;
using test::differenceOf;
using test::objectRectPx;
using test::sampleReport;

bool isMagenta(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) > 200;
}
bool isInk(QRgb c) {
    return qGray(c) < 140;
}

QImage magentaPicture() {
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(QColor(255, 0, 255));
    return picture;
}

// The text of a PDF as pdftotext reads it, with runs of white space made single spaces.
QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    if (!process.waitForFinished(10000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput()).simplified();
}

TEST(PreparedReport, PdfHoldsTheVisibleTextsLiterallyAndTheArtworkAsVectors) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    ReportTemplate r = sampleReport();
    r.setText(QStringLiteral("pvm_b_info"), QStringLiteral("HIDDEN-MODULE-B"));
    r.setVisible(QStringLiteral("pvm_b_info"), false);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("report.pdf"));
    PreparedReport::prepare(r).exportPdf(path);
    const QString text = pdfText(path);
    EXPECT_FALSE(text.contains(QStringLiteral("HIDDEN-MODULE-B")));
    for (const char* expected :
         {"PV peak power[KWp]", "Yearly en.yield[KWh]", "Grid voltage range [V]",
          "Harbour Road Solar Cooperative", "12.96", "47.5~51.5", "-10C~~~70C", "Moudle type: KT10000-TL",
          "String input C", "installation rules of your country"})
        EXPECT_TRUE(text.contains(QString::fromLatin1(expected)))
            << expected << "\nin: " << text.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_FALSE(file.readAll().contains("/Subtype /Image")) << "the template's artwork was rasterised";
}

TEST(PreparedReport, APictureLandsCentredInItsBoxAndNowhereElse) {
    ReportTemplate r = sampleReport();
    r.setPicture(QStringLiteral("Picture4"), magentaPicture());
    const double dpi = 150;
    const QImage page = PreparedReport::prepare(r).renderPage(0, dpi);
    ASSERT_EQ(page.size(), QSize(1240, 1754));

    const QRect magenta = boundsOf(page, isMagenta);
    const QRect cell = objectRectPx(*r.findObject(QStringLiteral("Picture4")), dpi);
    ASSERT_FALSE(magenta.isEmpty());
    EXPECT_TRUE(cell.contains(magenta)) << "picture at " << magenta.x() << "," << magenta.y();
    // A square picture in a 21 x 37 mm box fills its width and sits halfway down.
    const double pxPerMm = dpi / 25.4;
    EXPECT_NEAR(magenta.width(), 21 * pxPerMm, 2);
    EXPECT_NEAR(magenta.height(), 21 * pxPerMm, 2);
    EXPECT_NEAR(magenta.center().y(), cell.center().y(), 2);
    EXPECT_NEAR(magenta.left(), (10 + 96.5) * pxPerMm, 2);
    EXPECT_GT(countOf(page, isMagenta), 0.95 * 21 * 21 * pxPerMm * pxPerMm);

    // A hidden picture does not print; an empty one draws nothing, not even the placeholder.
    r.setVisible(QStringLiteral("Picture4"), false);
    const QImage hidden = PreparedReport::prepare(r).renderPage(0, 50);
    EXPECT_EQ(countOf(hidden, isMagenta), 0);
    r.setVisible(QStringLiteral("Picture4"), true);
    r.setPicture(QStringLiteral("Picture4"), QImage());
    EXPECT_TRUE(differenceOf(PreparedReport::prepare(r).renderPage(0, 50), hidden).isEmpty());
}

// Renders only `field` with `text`, so every dark pixel on the page is that field's.
QImage renderAlone(const QString& field, const QString& text, double dpi) {
    ReportTemplate r = sampleReport();
    for (const ReportObject& object : r.objects())
        r.setVisible(object.name, object.name.compare(field, Qt::CaseInsensitive) == 0);
    r.setText(field, text);
    return PreparedReport::prepare(r).renderPage(0, dpi);
}

TEST(PreparedReport, TallFieldsWrapInsideAndOneLineFieldsStayInTheirRow) {
    const double dpi = 100;
    const double pxPerMm = dpi / 25.4;
    ReportTemplate r = sampleReport();

    // The footer wraps a long line inside its 189 x 22 mm box.
    const QString longLine = r.text(QStringLiteral("Infomation")).replace(u'\n', u' ');
    const QRect footer = objectRectPx(*r.findObject(QStringLiteral("Infomation")), dpi);
    const QRect wrapped = boundsOf(renderAlone(QStringLiteral("Infomation"), longLine, dpi), isInk);
    EXPECT_TRUE(footer.contains(wrapped));
    EXPECT_GT(wrapped.height(), 2 * 3.5 * pxPerMm) << "expected at least three lines";

    // Lines given to a one-line value field never reach the row below.
    const QRect cell = objectRectPx(*r.findObject(QStringLiteral("ivt_mdc_v")), dpi);
    const QRect oneLine =
        boundsOf(renderAlone(QStringLiteral("ivt_mdc_v"), QStringLiteral("10.5\n20.5\n30.5"), dpi), isInk);
    EXPECT_GE(oneLine.top(), cell.top());
    EXPECT_LE(oneLine.bottom(), cell.bottom());

    // A caption much wider than its field stays inside it, neither running into the value beside it
    // nor into the row below.
    const QString longCaption =
        QStringLiteral("Max. PV-generator power at the highest module temperature [KW]");
    const QRect caption = objectRectPx(*r.findObject(QStringLiteral("IVT_MDCKW")), dpi);
    const QRect run = boundsOf(renderAlone(QStringLiteral("IVT_MDCKW"), longCaption, dpi), isInk);
    EXPECT_LE(run.right(), caption.right() + 1);
    EXPECT_GE(run.top(), caption.top());
    EXPECT_LE(run.bottom(), caption.bottom());

    // A caption that nearly fits is narrowed onto one line inside its field rather than broken.
    const QRect kwp = objectRectPx(*r.findObject(QStringLiteral("PV_KW")), dpi);
    const QRect narrowed =
        boundsOf(renderAlone(QStringLiteral("PV_KW"), QStringLiteral("PV peak power[KWp]"), dpi), isInk);
    EXPECT_LE(narrowed.right(), kwp.right());
    EXPECT_GT(narrowed.width(), 27 * pxPerMm);
    EXPECT_LT(narrowed.height(), 3.5 * pxPerMm) << "one line";

    // Top-aligned texts start at the top of their field, centred ones in the middle.
    const QRect top =
        boundsOf(renderAlone(QStringLiteral("PRO_DES_UNIT"), QStringLiteral("HEAD"), dpi), isInk);
    EXPECT_NEAR(top.top(), objectRectPx(*r.findObject(QStringLiteral("PRO_DES_UNIT")), dpi).top(),
                1.5 * pxPerMm);
    const QRect centred = boundsOf(renderAlone(QStringLiteral("KW_Val"), QStringLiteral("HEAD"), dpi), isInk);
    EXPECT_NEAR(centred.center().y(), objectRectPx(*r.findObject(QStringLiteral("KW_Val")), dpi).center().y(),
                0.8 * pxPerMm);
}

// A text too long for its field is condensed a little, else made smaller, else made smaller and
// wrapped, so that all of it prints inside the field. Growing fields widen only up to their limit.
TEST(PreparedReport, LongTextsStayInsideTheirFieldAndPrintWhole) {
    const double dpi = 150;
    const double pxPerMm = dpi / 25.4;
    const ReportTemplate r = sampleReport();
    const auto inkOf = [&](const char* field, const QString& text) {
        return boundsOf(renderAlone(QString::fromLatin1(field), text, dpi), isInk);
    };
    const auto fieldOf = [&](const char* field) {
        return objectRectPx(*r.findObject(QString::fromLatin1(field)), dpi);
    };
    const double lineHeight = inkOf("ivt_mdc_v", QStringLiteral("Hg")).height();

    // In the 25 mm field (7.9 em of the 12 px font): 8.4 em is narrowed at full size.
    const QRect value = fieldOf("ivt_mdc_v");
    const QRect narrowed = inkOf("ivt_mdc_v", QStringLiteral("HgHgHgHgHgHgH"));
    EXPECT_LE(narrowed.right(), value.right() + 1);
    EXPECT_NEAR(narrowed.height(), lineHeight, 2);

    // 9.7 em, a quarter too wide: smaller, still one line.
    const QRect shrunk = inkOf("ivt_mdc_v", QStringLiteral("HgHgHgHgHgHgHgH"));
    EXPECT_LE(shrunk.right(), value.right() + 1);
    EXPECT_LT(shrunk.height(), lineHeight - 1);
    EXPECT_GT(shrunk.height(), 0.6 * lineHeight);

    // A long design unit wraps into its 7 mm field instead of running off the sheet.
    const QString unit = QStringLiteral(
        "Harbour Road Solar Cooperative for Renewable Energy and Sustainable Building Services Ltd");
    const QRect unitField = fieldOf("PRO_DES_UNIT_Val");
    const QRect unitInk = inkOf("PRO_DES_UNIT_Val", unit);
    EXPECT_TRUE(unitField.adjusted(-1, -1, 1, 1).contains(unitInk))
        << unitInk.x() << "," << unitInk.y() << " " << unitInk.width() << "x" << unitInk.height();

    // A maker's name widens its column's field up to the next column, not into it.
    const QRect maker = inkOf("pvm_a_name", QStringLiteral("LONGi Green Energy Technology Co., Ltd."));
    EXPECT_LE(maker.right(), fieldOf("pvm_b_name").left());
    EXPECT_GT(maker.right(), fieldOf("pvm_a_name").right()) << "the field grows first";
    const QRect lastColumn = inkOf("pvm_c_name", QString(80, u'W'));
    EXPECT_LE(lastColumn.right(), (10 + 190) * pxPerMm + 1) << "the printable area's edge";
    EXPECT_GE(lastColumn.top(), fieldOf("pvm_c_name").top());
    EXPECT_LE(lastColumn.bottom(), fieldOf("pvm_c_name").bottom());

    // The PDF holds every word.
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        return;
    ReportTemplate filled = sampleReport();
    filled.setText(QStringLiteral("PRO_DES_UNIT_Val"), unit);
    filled.setText(QStringLiteral("pvm_a_name"), QStringLiteral("LONGi Green Energy Technology Co., Ltd."));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("long.pdf"));
    PreparedReport::prepare(filled).exportPdf(path);
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(unit)) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("LONGi Green Energy Technology Co., Ltd.")))
        << text.toStdString();
}

TEST(PreparedReport, APreparedReportIsASnapshotOfTheTemplate) {
    ReportTemplate r = sampleReport();
    const PreparedReport prepared = PreparedReport::prepare(r);
    const QImage before = prepared.renderPage(0, 40);
    r.setText(QStringLiteral("KW_Val"), QStringLiteral("99.99"));
    r.setVisible(QStringLiteral("Picture6"), false);
    r.setPicture(QStringLiteral("Picture4"), magentaPicture());
    EXPECT_EQ(prepared.objects().size(), r.objects().size());
    const auto kw = std::find_if(prepared.objects().begin(), prepared.objects().end(),
                                 [](const ReportObject& o) { return o.name == u"KW_Val"; });
    ASSERT_NE(kw, prepared.objects().end());
    EXPECT_EQ(kw->lines, QStringList{QStringLiteral("12.96")});
    EXPECT_TRUE(differenceOf(prepared.renderPage(0, 40), before).isEmpty());
    EXPECT_FALSE(prepared == PreparedReport::prepare(r));
}

TEST(PreparedReport, SavedAndLoadedReportsAreEqualAndPrintTheSame) {
    ReportTemplate r = sampleReport();
    QImage picture(30, 50, QImage::Format_ARGB32);
    picture.fill(QColor(20, 120, 200, 128)); // translucent, so the pixel format has to survive too
    r.setPicture(QStringLiteral("Picture4"), picture);
    r.setVisible(QStringLiteral("C_LINE"), false);
    const PreparedReport prepared = PreparedReport::prepare(r);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.tpr"));
    prepared.save(path);
    const PreparedReport loaded = PreparedReport::load(path);
    EXPECT_TRUE(loaded == prepared);
    EXPECT_EQ(loaded.name(), QStringLiteral("TarvelReport"));
    EXPECT_TRUE(differenceOf(loaded.renderPage(0, 40), prepared.renderPage(0, 40)).isEmpty());
    EXPECT_FALSE(loaded == PreparedReport());
}

TEST(PreparedReport, DamagedOrForeignFilesAreRefusedWithTheirReason) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("design.tpr"));
    PreparedReport::prepare(sampleReport()).save(path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray saved = file.readAll();
    file.close();

    auto loadError = [&](const QByteArray& bytes) -> std::string {
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
        out.close();
        try {
            PreparedReport::load(path);
        } catch (const ReportError& error) {
            return error.what();
        }
        return "loaded";
    };
    const QByteArray newer = QByteArray(saved).replace("\"version\": 1", "\"version\": 7");
    ASSERT_NE(newer, saved);
    EXPECT_NE(loadError(newer).find("version 7 is not supported"), std::string::npos);
    EXPECT_NE(loadError(QByteArray(saved).replace("tarvel-prepared-report", "tarvel-report-template"))
                  .find("\"format\""),
              std::string::npos);
    EXPECT_NE(loadError(saved.left(saved.size() / 2)).find("not valid JSON"), std::string::npos);
    // Prepared reports embed their pictures; they never read files beside them.
    EXPECT_NE(loadError(QByteArray(saved).replace("\"svg\"", "\"file\"")).find("embedded"),
              std::string::npos);
    EXPECT_THROW(PreparedReport::load(dir.filePath(QStringLiteral("missing.tpr"))), ReportError);
    EXPECT_THROW(PreparedReport().save(dir.filePath(QStringLiteral("no/such/folder/x.tpr"))), ReportError);
    EXPECT_THROW(PreparedReport().exportPdf(dir.filePath(QStringLiteral("no/such/folder/x.pdf"))),
                 ReportError);
}

// A PDF the disk did not take is an error, not a written report. /dev/full accepts the open and
// refuses every byte, as a full disk does.
TEST(PreparedReport, APdfThatCannotBeWrittenOutIsAnError) {
    if (!QFileInfo(QStringLiteral("/dev/full")).exists() || QFileInfo(QStringLiteral("/dev/full")).isFile())
        GTEST_SKIP() << "no /dev/full device";
    try {
        PreparedReport::prepare(sampleReport()).exportPdf(QStringLiteral("/dev/full"));
        ADD_FAILURE() << "a PDF written to a full device was reported as written";
    } catch (const ReportError& error) {
        EXPECT_NE(std::string(error.what()).find("Cannot write the PDF file /dev/full"), std::string::npos)
            << error.what();
    }
}

// A full disk: the earlier PDF and prepared report stay whole, and the failure is an error.
TEST(PreparedReport, AFileTheDiskDoesNotTakeKeepsTheEarlierOne) {
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    const QString saved = dir.filePath(QStringLiteral("report.tpr"));
    for (const QString& path : {pdf, saved}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("earlier");
    }
    const PreparedReport prepared = PreparedReport::prepare(sampleReport());
    {
        test::FileSizeLimit fullAfter(4096);
        EXPECT_THROW(prepared.exportPdf(pdf), ReportError);
        EXPECT_THROW(prepared.save(saved), ReportError);
    }
    for (const QString& path : {pdf, saved}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), QByteArray("earlier")) << path.toStdString();
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("report.pdf"), QStringLiteral("report.tpr")}));
}

TEST(PreparedReport, FindAndHighlightCoverVisibleTextsOnly) {
    ReportTemplate r = sampleReport();
    r.setVisible(QStringLiteral("IVT_MAX_Efficiency"), false);
    const PreparedReport prepared = PreparedReport::prepare(r);
    EXPECT_EQ(prepared.find(QStringLiteral("EFFICIENCY")),
              QStringList({"IVT_Efficiency", "IVT_EU_Efficiency"}));
    EXPECT_EQ(prepared.find(QStringLiteral("[kwp]")), QStringList{"PV_KW"});
    EXPECT_TRUE(prepared.find(QString()).isEmpty());

    const double dpi = 50;
    const QImage plain = prepared.renderPage(0, dpi);
    QImage marked(plain.size(), QImage::Format_ARGB32_Premultiplied);
    marked.setDotsPerMeterX(plain.dotsPerMeterX());
    marked.setDotsPerMeterY(plain.dotsPerMeterY());
    marked.fill(Qt::white);
    {
        QPainter painter(&marked);
        prepared.paintPage(painter, 0, QRectF(QPointF(0, 0), prepared.pageSizeMm() * dpi / 25.4),
                           {QStringLiteral("ivt_e_v")});
    }
    const QRect differs = differenceOf(plain, marked);
    const QRect cell = objectRectPx(*r.findObject(QStringLiteral("ivt_e_v")), dpi);
    ASSERT_FALSE(differs.isEmpty());
    EXPECT_TRUE(cell.adjusted(-1, -1, 1, 1).contains(differs));
    const QRgb middle = marked.pixel(cell.right() - 2, cell.center().y());
    EXPECT_GT(qRed(middle), 200);
    EXPECT_LT(qBlue(middle), 200) << "a yellow marker";
}

} // namespace
} // namespace tarvel::report
