#include "support/main_window_fixture.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QList<bool> kOnlyProject{true, false, false, false, false};
const QList<bool> kUpToStrings{true, true, true, false, false};

QStringList items(QComboBox* chooser) {
    QStringList list;
    for (int i = 0; i < chooser->count(); ++i)
        list << chooser->itemText(i);
    return list;
}

bool printEnabled(MainWindowFixture& f) {
    return f.find<QMenu>(QStringLiteral("menuPrint"))->menuAction()->isEnabled();
}

TEST(Workflow, StartStateOpensOnlyTheProjectPage) {
    MainWindowFixture f;
    EXPECT_EQ(f.enabledPages(), kOnlyProject);
    EXPECT_FALSE(printEnabled(f));
    EXPECT_EQ(f.text(QStringLiteral("Power_Year")), QStringLiteral("0.0"));
    EXPECT_EQ(f.text(QStringLiteral("Position")), QString());
    EXPECT_EQ(f.text(QStringLiteral("Memo6")),
              QStringLiteral(
                  "\r\n The calulation of the yield is based on estimated values and mathematical models. "
                  "This software is in no case liable for the real yield, which can deviate the estimated "
                  "values, e.g due to contamination or different efficiencies of the modules."));
    EXPECT_EQ(f.text(QStringLiteral("Label60")), QStringLiteral("String-A:\r\r        Not select."));
    EXPECT_EQ(f.text(QStringLiteral("Label62")), QStringLiteral("String-C:\r\r        Not select."));
    EXPECT_EQ(f.text(QStringLiteral("StringA_Num")), QStringLiteral("series 0 block"));
    EXPECT_EQ(f.text(QStringLiteral("RzEdit3")), QStringLiteral("fix"));
    EXPECT_FALSE(f.find<Memo>(QStringLiteral("Memo2"))->isVisibleTo(&f.window()));
}

TEST(Workflow, ChoosersAreFilledFromTheCatalog) {
    MainWindowFixture f;
    auto* countries = f.find<QComboBox>(QStringLiteral("ComboBox1"));
    EXPECT_EQ(items(countries), (QStringList{QStringLiteral("Australia"), QStringLiteral("France"),
                                             QStringLiteral("Germany")}));
    EXPECT_EQ(countries->currentText(), QString());
    EXPECT_EQ(countries->placeholderText(), QStringLiteral("Choose Country !"));
    for (const char* name : {"ComboBox3", "ComboBox5", "ComboBox7"}) {
        auto* makers = f.find<QComboBox>(QString::fromLatin1(name));
        EXPECT_EQ(items(makers), (QStringList{QStringLiteral("Alpha"), QStringLiteral("Beta")})) << name;
        EXPECT_EQ(makers->placeholderText(), QStringLiteral("Choose Manufacturer!"));
    }
    auto* inverters = f.find<QComboBox>(QStringLiteral("ComboBox17"));
    EXPECT_EQ(items(inverters), (QStringList{QStringLiteral("KT5000-S"), QStringLiteral("KT3000-S")}));
    EXPECT_EQ(inverters->currentText(), QStringLiteral("KT5000-S"));
    EXPECT_EQ(items(f.find<QComboBox>(QStringLiteral("ComboBox18"))), items(inverters));
}

TEST(Workflow, ACountryAloneKeepsTheLaterPagesClosed) {
    MainWindowFixture f;
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    EXPECT_EQ(f.enabledPages(), kOnlyProject);
    auto* cities = f.find<QComboBox>(QStringLiteral("ComboBox2"));
    EXPECT_EQ(items(cities), (QStringList{QStringLiteral("Munich"), QStringLiteral("Berlin")}));
    EXPECT_EQ(cities->placeholderText(), QStringLiteral("Choose city!"));
    EXPECT_TRUE(f.find<SpinEdit>(QStringLiteral("SpinEdit4"))->isReadOnly());
    EXPECT_TRUE(f.find<SpinEdit>(QStringLiteral("SpinEdit5"))->isReadOnly());
}

TEST(Workflow, ACityOpensTheInverterAndStringPages) {
    MainWindowFixture f;
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    // With an inverter in the chooser and no modules yet: up to Multi-String.
    EXPECT_EQ(f.enabledPages(), kUpToStrings);
    EXPECT_FALSE(f.find<SpinEdit>(QStringLiteral("SpinEdit4"))->isReadOnly());
    EXPECT_EQ(f.text(QStringLiteral("Position")), QStringLiteral("Berlin;Germany"));
    EXPECT_EQ(f.text(QStringLiteral("Label56")), QStringLiteral("Country:Germany"));
    EXPECT_EQ(f.text(QStringLiteral("Label64")), QStringLiteral("City:Berlin"));

    // Choosing another country takes the city away again.
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("France"));
    EXPECT_EQ(f.enabledPages(), kOnlyProject);
    EXPECT_EQ(f.text(QStringLiteral("Label64")), QStringLiteral("City:Berlin"));
}

TEST(Workflow, AnEmptyInverterListKeepsMultiStringClosed) {
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), nullptr);
    f.catalog.catalog().locationInsert(
        TCountryInfo{QStringLiteral("Spain"), QStringLiteral("Madrid"), 40.4, -3.7, 667, {}, 0});
    // The country list is read at creation, so this fixture adds it by hand.
    f.find<QComboBox>(QStringLiteral("ComboBox1"))->addItem(QStringLiteral("Spain"));
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Spain"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Madrid"));
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, false, false, false}));
    EXPECT_TRUE(f.dialogs.messages.isEmpty());
}

TEST(Workflow, TheReferenceNoteNamesTheLocationWhoseRadiationACityCarries) {
    MainWindowFixture f;
    TCountryInfo beach{
        QStringLiteral("United States"), QStringLiteral("Virginia Beach VA"), 36.85, -75.98, 3, {}, 0};
    f.catalog.catalog().locationInsert(beach);
    f.find<QComboBox>(QStringLiteral("ComboBox1"))->addItem(QStringLiteral("United States"));
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("United States"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Virginia Beach VA"));
    auto* note = f.find<Memo>(QStringLiteral("Memo2"));
    EXPECT_TRUE(note->isVisibleTo(&f.window()));
    EXPECT_EQ(note->text(),
              QStringLiteral("Surface Radiation every month of this city is the reference in Norfolk VA."));
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Australia"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Sydney"));
    EXPECT_FALSE(note->isVisibleTo(&f.window()));
}

TEST(Workflow, NewDesignResetsTheProjectPageButKeepsThePageShown) {
    MainWindowFixture f;
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    f.type(QStringLiteral("SpinEdit1"), QStringLiteral("60"));
    f.type(QStringLiteral("SpinEdit3"), QStringLiteral("40"));
    f.type(QStringLiteral("SpinEdit4"), QStringLiteral("35"));
    auto* pages = f.find<QTabWidget>(QStringLiteral("RzPageControl1"));
    pages->setCurrentIndex(2);

    f.find<QAction>(QStringLiteral("N14"))->trigger();

    EXPECT_EQ(pages->currentIndex(), 2);
    EXPECT_EQ(f.enabledPages(), kOnlyProject);
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox1"))->currentText(), QString());
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox2"))->count(), 0);
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit1")), QStringLiteral("70"));
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit3")), QStringLiteral("50"));
    EXPECT_EQ(f.text(QStringLiteral("Temp")), QStringLiteral("50"));
    EXPECT_EQ(f.text(QStringLiteral("SpinEdit4")), QStringLiteral("0"));
    EXPECT_TRUE(f.find<SpinEdit>(QStringLiteral("SpinEdit4"))->isReadOnly());
    EXPECT_EQ(f.session().Tilt, 0);
    EXPECT_EQ(f.session().MaxModuleTemp, QStringLiteral("70"));
    // The system list keeps naming the old location until the next city is chosen.
    EXPECT_EQ(f.text(QStringLiteral("Label64")), QStringLiteral("City:Berlin"));
    EXPECT_EQ(f.text(QStringLiteral("Power_Year")), QStringLiteral("0.0"));
}

TEST(Workflow, EachPageShowsItsHelpAndOnlyTheResultPageEnablesPrint) {
    MainWindowFixture f;
    auto* pages = f.find<QTabWidget>(QStringLiteral("RzPageControl1"));
    const QString crlf = QStringLiteral("\r\n");
    const QStringList help = {
        QStringLiteral("1.Location(country,city);") + crlf +
            QStringLiteral("2.Design temperatrue,tilt angel,azimuth;") + crlf +
            QStringLiteral(
                "3.Energy:per year and per kilowatt can produce a kilowatt-hour electricity in local light "
                "conditions."),
        QStringLiteral("Choose the inverter model you need."),
        QStringLiteral("1.Module data select;") + crlf + QStringLiteral("2.PV/Inverter compatible design;") +
            crlf + QStringLiteral("Best range of Nominal power ratio is between 80% and 110%;") + crlf +
            QStringLiteral("3.According to this software design the most optimal matching software ."),
        QStringLiteral("Cabling:") + crlf +
            QStringLiteral("Power loss rate can not over1.0%,If it is over,please re-wiring.") + crlf + crlf +
            QStringLiteral("Solution options:") + crlf +
            QStringLiteral("Reduce cable length;increace cross-sectional area;Wire Material re-select."),
        QStringLiteral("1.Module data select;") + crlf + crlf +
            QStringLiteral("2.PV/Inverter compatible design;") + crlf + crlf +
            QStringLiteral("3.According to this software design the most optimal matching software ."),
    };
    for (int index : {1, 2, 3, 4, 0}) {
        pages->setCurrentIndex(index);
        EXPECT_EQ(f.text(QStringLiteral("Memo1")), help[index]) << "page " << index;
        EXPECT_EQ(printEnabled(f), index == 4) << "page " << index;
    }
}

TEST(Workflow, ModuleCountsNeedAModuleTypeAndWriteTheResultLines) {
    MainWindowFixture f;
    auto* strings = f.find<SpinEdit>(QStringLiteral("SpinEdit6"));
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("3"));
    EXPECT_EQ(strings->text(), QStringLiteral("0"));
    EXPECT_TRUE(strings->isReadOnly());

    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    auto* types = f.find<QComboBox>(QStringLiteral("ComboBox4"));
    EXPECT_EQ(items(types), (QStringList{QStringLiteral("A-250"), QStringLiteral("A-300")}));
    EXPECT_EQ(types->placeholderText(), QStringLiteral("Choose PV-Modules !"));
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
    EXPECT_FALSE(strings->isReadOnly());
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("2"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("10"));
    EXPECT_EQ(f.text(QStringLiteral("StringsA_Num")), QStringLiteral("Parallel 2 Group"));
    EXPECT_EQ(f.text(QStringLiteral("StringA_Num")), QStringLiteral("Series 10 Block"));

    // A page change rewrites all six lines from the count fields.
    f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(1);
    EXPECT_EQ(f.text(QStringLiteral("StringsB_Num")), QStringLiteral("Parallel 0 Group"));
    EXPECT_EQ(f.text(QStringLiteral("StringA_Num")), QStringLiteral("Series 10 Block"));

    // A new maker puts both counts back to 0 and locks them until a type is chosen.
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Beta"));
    EXPECT_EQ(strings->text(), QStringLiteral("0"));
    EXPECT_TRUE(strings->isReadOnly());
}

TEST(Workflow, WritingTheSameTextIntoACountFieldRunsNothing) {
    MainWindowFixture f;
    auto* strings = f.find<SpinEdit>(QStringLiteral("SpinEdit8"));
    strings->setReadOnly(false);
    f.type(QStringLiteral("SpinEdit8"), QStringLiteral("0"));
    // Had the handler run, it would have locked the field (no module type is chosen).
    EXPECT_FALSE(strings->isReadOnly());
    f.type(QStringLiteral("SpinEdit8"), QStringLiteral("4"));
    EXPECT_TRUE(strings->isReadOnly());
}

TEST(Workflow, AMissingCatalogIsReportedOnceAndTheWindowStaysUsable) {
    QTemporaryDir dir;
    test::RecordingDialogs dialogs;
    test::FakePlatform platform;
    TAppSettings settings;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    {
        TDM dm(settings, platform, dialogs, dir.filePath(QStringLiteral("Language.ini")),
               dir.filePath(QStringLiteral("VurIvira")), test::writeEmptyDictionary(dir.path()));
        AppContext context{settings, dm, dialogs, platform};
        Tfrm_main window(context);
        EXPECT_EQ(dialogs.messages, QStringList{QStringLiteral("0:Database review error")});
        EXPECT_EQ(dialogs.errors.size(), 1);
        EXPECT_EQ(window.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->count(), 0);
        EXPECT_EQ(window.findChild<Memo*>(QStringLiteral("Memo6"))->text().left(6),
                  QStringLiteral("\r\n The"));
        window.N14Click();
        EXPECT_EQ(dialogs.messages.size(), 1);
    }
    QDir::setCurrent(previous);
}

// Puts `directory` in place as the current directory for the life of the object.
struct CurrentDirectory {
    explicit CurrentDirectory(const QString& directory) { QDir::setCurrent(directory); }
    ~CurrentDirectory() { QDir::setCurrent(previous); }
    const QString previous = QDir::currentPath();
};

// Like the catalog and the dictionary, the logo is looked for in the current directory, then beside
// the program. Each case sets the current directory itself, so the test passes from any folder.
TEST(Workflow, TheLogoIsFoundInTheCurrentDirectoryThenBesideTheProgram) {
    QTemporaryDir withLogo;
    QTemporaryDir empty;
    const auto save = [](const QColor& dot, const QString& path) {
        QImage logo(80, 32, QImage::Format_RGB32);
        logo.fill(Qt::white);
        logo.setPixelColor(40, 16, dot);
        return logo.save(path, "BMP");
    };
    const auto shown = [](MainWindowFixture& f) {
        return f.find<QLabel>(QStringLiteral("suiImagePanel3"))->pixmap().toImage();
    };
    const QString besideProgram =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("000.bmp"));
    ASSERT_FALSE(QFileInfo::exists(besideProgram)) << "a logo lies beside the test program";
    ASSERT_TRUE(save(Qt::darkCyan, withLogo.filePath(QStringLiteral("000.bmp"))));
    {
        CurrentDirectory current(withLogo.path());
        MainWindowFixture f;
        EXPECT_EQ(qAlpha(shown(f).pixel(0, 0)), 0); // the corner colour is transparent
        EXPECT_EQ(shown(f).pixelColor(40, 16), QColor(Qt::darkCyan));
    }
    CurrentDirectory current(empty.path());
    {
        ASSERT_TRUE(save(Qt::darkRed, besideProgram));
        MainWindowFixture f;
        QFile::remove(besideProgram);
        EXPECT_EQ(shown(f).pixelColor(40, 16), QColor(Qt::darkRed));
    }
    // Without the file the window is still built completely.
    MainWindowFixture f;
    EXPECT_TRUE(shown(f).isNull());
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox1"))->count(), 3);
}

} // namespace
} // namespace tarvel
