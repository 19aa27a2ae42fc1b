#include "report/report_preview.h"

#include "report_sample.h"

#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel::report {
namespace {

TEST(ReportPreview, IsANonModalPrintPreview) {
    ReportPreview preview;
    EXPECT_EQ(preview.windowTitle(), QStringLiteral("Print Preview"));
    EXPECT_FALSE(preview.isModal());
    EXPECT_TRUE(preview.report().isEmpty());
    auto* view = preview.findChild<QPrintPreviewWidget*>();
    ASSERT_NE(view, nullptr);

    preview.showReport(PreparedReport::prepare(test::sampleReport()));
    EXPECT_EQ(preview.report().pageCount(), 1);
    preview.fitToWidth();
    EXPECT_EQ(view->zoomMode(), QPrintPreviewWidget::FitToWidth);
    const double fitted = view->zoomFactor();
    preview.zoomIn();
    EXPECT_GT(view->zoomFactor(), fitted);
    preview.zoomOut();
    preview.zoomOut();
    EXPECT_LT(view->zoomFactor(), fitted);
}

TEST(ReportPreview, FindHighlightsTheMatchingFieldsAndCountsThem) {
    ReportPreview preview;
    preview.showReport(PreparedReport::prepare(test::sampleReport()));
    EXPECT_EQ(preview.findText(QStringLiteral("efficiency")),
              QStringList({"IVT_Efficiency", "IVT_EU_Efficiency", "IVT_MAX_Efficiency"}));
    auto* found = preview.findChild<QLabel*>(QStringLiteral("foundLabel"));
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->text(), QStringLiteral("3 found"));
    EXPECT_TRUE(preview.findText(QStringLiteral("no such words")).isEmpty());
    EXPECT_EQ(found->text(), QStringLiteral("0 found"));
    // A new report starts without the old search.
    preview.findText(QStringLiteral("efficiency"));
    preview.showReport(PreparedReport::prepare(test::shippedReport()));
    EXPECT_TRUE(found->text().isEmpty());
}

TEST(ReportPreview, SavesLoadsAndExportsTheShownReport) {
    QTemporaryDir dir;
    const PreparedReport prepared = PreparedReport::prepare(test::sampleReport());
    ReportPreview preview;
    preview.showReport(prepared);
    const QString pdf = dir.filePath(QStringLiteral("report.pdf"));
    preview.exportPdfTo(pdf);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF-"));

    const QString saved = dir.filePath(QStringLiteral("design.tpr"));
    preview.saveTo(saved);
    ReportPreview other;
    other.loadFrom(saved);
    EXPECT_TRUE(other.report() == prepared);
    EXPECT_THROW(other.loadFrom(dir.filePath(QStringLiteral("missing.tpr"))), ReportError);
    EXPECT_TRUE(other.report() == prepared) << "a failed load keeps the report shown";
    EXPECT_THROW(other.exportPdfTo(dir.filePath(QStringLiteral("no/folder/x.pdf"))), ReportError);
}

} // namespace
} // namespace tarvel::report
