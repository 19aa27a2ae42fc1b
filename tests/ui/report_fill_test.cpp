#include "report/report_preview.h"
#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

class ReportFill : public testing::Test {
protected:
    ReportFill() {
        f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
        f.type(QStringLiteral("Edit2"), QStringLiteral("Sunny Roofs Ltd"));
        f.type(QStringLiteral("Edit3"), QStringLiteral("J. Smith"));
    }
    void sizeA(int strings, int perString) {
        f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
        f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
        f.type(QStringLiteral("SpinEdit6"), QString::number(strings));
        f.type(QStringLiteral("SpinEdit7"), QString::number(perString));
    }
    const report::ReportTemplate& filled() {
        f.window().InitReport();
        return f.window().TarvelReport();
    }
    QString field(const char* name) { return f.window().TarvelReport().text(QString::fromLatin1(name)); }
    bool shown(const char* name) { return f.window().TarvelReport().isVisible(QString::fromLatin1(name)); }
    MainWindowFixture f;
};

TEST_F(ReportFill, ProjectAndGeneratorComeFromTheWindow) {
    sizeA(2, 10);
    filled();
    EXPECT_EQ(field("PRO_DES_UNIT"), QStringLiteral("Project design unit"));
    EXPECT_EQ(field("PRO_DES_UNIT_Val"), QStringLiteral("Sunny Roofs Ltd"));
    EXPECT_EQ(field("PRO_DES_PER_Val"), QStringLiteral("J. Smith"));
    EXPECT_EQ(field("PRO_DES_Val"), QStringLiteral("Berlin;Germany"));
    EXPECT_EQ(field("PRO_TEMPER"), QStringLiteral("Project temp.[Deg.C]"));
    EXPECT_EQ(field("PRO_TEMPER_Val"), QStringLiteral("50"));
    EXPECT_EQ(field("Tilt_Angle"), QStringLiteral("Roof pitch[Degree]"));
    EXPECT_EQ(field("Tilt_Val"), f.text(QStringLiteral("SpinEdit4")));
    EXPECT_EQ(field("Azimuth_Val"), QStringLiteral("0"));
    EXPECT_EQ(field("PV_KW"), QStringLiteral("PV peak power[KWp]"));
    EXPECT_EQ(field("KW_Val"), QStringLiteral("5.000"));
    EXPECT_EQ(field("PV_Num"), QStringLiteral("Total number of modules"));
    EXPECT_EQ(field("NUM_Val"), QStringLiteral("20"));
    EXPECT_EQ(field("M2_Val"), QStringLiteral("32.00"));
    EXPECT_EQ(field("Design_Temp"), QStringLiteral("-10C~~~70C"));
    EXPECT_EQ(field("IVT_KIND"), QStringLiteral("Moudle type: KT5000-S"));
    EXPECT_EQ(field("ivt_kind_v"), QString());
    EXPECT_EQ(field("IVT_MDCKW"), QStringLiteral("Max. PV-generator power [KW] "));
    EXPECT_EQ(field("ivt_mdc_v"), f.text(QStringLiteral("DCMAX_Power")));
    EXPECT_EQ(field("ivt_yearkw_v"), f.text(QStringLiteral("Power_Year")));
    EXPECT_EQ(field("IVT_IPV"), QStringLiteral("Protection type"));
    EXPECT_EQ(field("ivt_ipv_v"), QStringLiteral("IP65"));
    EXPECT_EQ(field("IVT_NET_HZ"), QStringLiteral("Grid frequency range [Hz]"));
    EXPECT_EQ(field("ivt_e_e_v"), QStringLiteral("97.6%"));
    // The disclaimer keeps its lines: an empty one, then the text.
    QString disclaimer = f.text(QStringLiteral("Memo6"));
    disclaimer.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(field("Infomation"), disclaimer);
}

TEST_F(ReportFill, OnlyConfiguredInputsPrint) {
    sizeA(2, 10);
    filled();
    EXPECT_EQ(field("A_LINE"), QStringLiteral("String-A"));
    EXPECT_EQ(field("pvm_a_name"), QStringLiteral("Alpha"));
    EXPECT_EQ(field("pvm_a_info"), QStringLiteral("A-250"));
    EXPECT_EQ(field("MPPT_A_V"), QStringLiteral("MPP-voltage:"));
    EXPECT_EQ(field("pvm_a_v"), QStringLiteral("30.5V"));
    EXPECT_EQ(field("pvm_a_i"), QStringLiteral("8.2A"));
    EXPECT_EQ(field("pvm_a_kw"), QStringLiteral("250W"));
    EXPECT_EQ(field("A_String"), QStringLiteral("Number of strings"));
    EXPECT_EQ(field("A_String_v"), QStringLiteral("2"));
    EXPECT_EQ(field("A_Shunt"), QStringLiteral("Mudules per string"));
    EXPECT_EQ(field("A_Shunt_V"), QStringLiteral("10"));
    for (const char* name : {"A_LINE", "pvm_a_kw", "A_Shunt_V"})
        EXPECT_TRUE(shown(name)) << name;
    for (const char* name :
         {"B_LINE", "pvm_b_name", "MPPT_b_v", "B_String_V", "C_LINE", "pvm_c_kw", "C_Shunt_V"})
        EXPECT_FALSE(shown(name)) << name;
}

TEST_F(ReportFill, ABlockIsHiddenByACountOfZeroButNotByAnEmptyField) {
    sizeA(2, 10);
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("0"));
    filled();
    EXPECT_FALSE(shown("A_LINE"));
    // The type stays chosen: a count can be typed and then emptied again.
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("3"));
    f.type(QStringLiteral("SpinEdit6"), QString());
    filled();
    EXPECT_TRUE(shown("A_LINE"));
    EXPECT_EQ(field("A_String_v"), QString());
}

TEST_F(ReportFill, TheInverterPictureIsCopiedIn) {
    const auto* picture = f.find<PictureBox>(QStringLiteral("Image26"));
    filled();
    const report::ReportObject* box = f.window().TarvelReport().findObject(QStringLiteral("Picture4"));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->picture, picture->image());
}

TEST(ReportFillAtStart, PrintingBeforeALocationPrintsTheInitialTexts) {
    MainWindowFixture f;
    f.window().InitReport();
    EXPECT_EQ(f.window().TarvelReport().text(QStringLiteral("PRO_DES_Val")), QString());
    EXPECT_FALSE(f.window().TarvelReport().isVisible(QStringLiteral("A_LINE")));
}

TEST_F(ReportFill, PrintShowsOnePreviewWithFreshPages) {
    sizeA(2, 10);
    f.window().N24Click();
    report::ReportPreview* preview = f.window().reportPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->isVisible());
    // The specified page and the design details after it.
    EXPECT_EQ(preview->report().pageCount(), 2);
    f.type(QStringLiteral("Edit2"), QStringLiteral("Other Unit"));
    f.window().N24Click();
    EXPECT_EQ(f.window().reportPreview(), preview);
    EXPECT_EQ(preview->findText(QStringLiteral("Other Unit")),
              (QStringList{QStringLiteral("PRO_DES_UNIT_Val"), QStringLiteral("DetProjectValues")}));
    preview->close();
}

TEST_F(ReportFill, ThePdfCarriesTheCaptionsLiterallyAndTheValues) {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed";
    sizeA(2, 10);
    const report::PreparedReport prepared = report::PreparedReport::prepare(filled());
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("design.pdf"));
    prepared.exportPdf(pdf);
    QProcess process;
    process.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(process.waitForFinished(20000));
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* expected :
         {"PV peak power[KWp]", "Project temp.[Deg.C]", "Sunny Roofs Ltd", "Berlin;Germany",
          "Moudle type: KT5000-S", "A-250", "30.5V", "-10C~~~70C", "Mudules per string"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
}

} // namespace
} // namespace tarvel
