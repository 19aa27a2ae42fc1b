#include "support/main_window_fixture.h"
#include "ui/filter_chooser.h"
#include "ui/look.h"
#include "ui/spin_edit.h"

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QString kShippedDictionary = QStringLiteral(TARVEL_RUN_DIR "/chinatoEN.lng");

// The small catalog with names that need folding, a long maker name and a material.
void fillWithAccents(test::TempCatalog& temp) {
    test::fillSmallCatalog(temp);
    Catalog& c = temp.catalog();
    for (const char* city : {"São Paulo", "Santos", "São Luís"}) {
        TCountryInfo l;
        l.country = QStringLiteral("Brazil");
        l.city = QString::fromUtf8(city);
        l.Latitude = -23.5;
        l.months.fill(200);
        c.locationInsert(l);
    }
    c.inverterInsert(test::sampleInverter("KT10000-TL", "12.5", "11.0", "22"));
    TPanelInfo m;
    m.product_name = QStringLiteral("Extraordinarily Long Solar Manufacturing Company");
    m.strings_type = QStringLiteral("G-320");
    m.power = 320;
    m.material = QStringLiteral("POLY");
    c.moduleInsert(m);
}

// Whether a text fits depends on the face and style the program sets; the other tests run with the
// toolkit's defaults, which are given back afterwards.
class ProgramLook {
public:
    ProgramLook()
        : m_font(QApplication::font()), m_styleSheet(qApp->styleSheet()), m_style(QApplication::style()->name()),
          m_palette(QApplication::palette()) {
        applyLook(*qApp);
    }
    ~ProgramLook() {
        qApp->setStyleSheet(m_styleSheet);
        QApplication::setStyle(QStyleFactory::create(m_style));
        QApplication::setPalette(m_palette);
        QApplication::setFont(m_font);
    }

private:
    QFont m_font;
    QString m_styleSheet;
    QString m_style;
    QPalette m_palette;
};

class ChooserFilter : public testing::Test {
protected:
    ChooserFilter() : f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), fillWithAccents, kShippedDictionary) {
        f.window().show();
    }
    FilterChooser* chooser(const char* name) { return f.find<FilterChooser>(QString::fromLatin1(name)); }
    // Types as a user does: the first key opens the closed chooser's list, the rest go to the list's
    // filter field, which then has the focus.
    void typeInto(FilterChooser* box, const char* text) {
        box->setFocus();
        QTest::keyClick(box, text[0]);
        ASSERT_TRUE(box->isListOpen());
        QTest::keyClicks(static_cast<QWidget*>(nullptr), QString::fromUtf8(text + 1));
    }
    static void key(Qt::Key k) { QTest::keyClick(static_cast<QWidget*>(nullptr), k); }
    MainWindowFixture f;
};

TEST_F(ChooserFilter, TypingFiltersIgnoringCaseAndAccentsAndOnlyAChoiceRunsTheHandlerOnce) {
    FilterChooser* country = chooser("ComboBox1");
    QSignalSpy picks(country, &QComboBox::activated);
    typeInto(country, "AZI");
    EXPECT_EQ(country->shownEntries(), QStringList{QStringLiteral("Brazil")});
    EXPECT_EQ(picks.count(), 0);
    EXPECT_EQ(country->currentText(), QString());
    key(Qt::Key_Return);
    EXPECT_FALSE(country->isListOpen());
    EXPECT_EQ(picks.count(), 1);
    EXPECT_EQ(country->currentText(), QStringLiteral("Brazil"));
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox2"))->count(), 3);
    EXPECT_EQ(f.window().focusWidget(), country);

    FilterChooser* cities = chooser("ComboBox2");
    typeInto(cities, "SAO");
    EXPECT_EQ(cities->shownEntries(), (QStringList{QStringLiteral("São Paulo"), QStringLiteral("São Luís")}));
    cities->filterField()->setText(QStringLiteral("paulo são"));
    cities->chooseShown(0);
    EXPECT_EQ(cities->currentText(), QStringLiteral("São Paulo"));
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, true, false, false}));
}

TEST_F(ChooserFilter, LeavingTheListWithoutAChoiceChangesNothing) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    const QString energy = f.text(QStringLiteral("Energy"));
    FilterChooser* cities = chooser("ComboBox2");
    QSignalSpy picks(cities, &QComboBox::activated);
    typeInto(cities, "mun");
    EXPECT_EQ(cities->shownEntries(), QStringList{QStringLiteral("Munich")});
    EXPECT_EQ(cities->currentText(), QStringLiteral("Berlin"));
    key(Qt::Key_Escape);
    EXPECT_FALSE(cities->isListOpen());
    typeInto(cities, "xq"); // matches nothing: Enter chooses nothing, then a click elsewhere
    EXPECT_TRUE(cities->shownEntries().isEmpty());
    key(Qt::Key_Return);
    cities->hidePopup();
    EXPECT_EQ(picks.count(), 0);
    EXPECT_EQ(cities->currentText(), QStringLiteral("Berlin"));
    EXPECT_EQ(f.text(QStringLiteral("Energy")), energy);
    // The arrow keys of the closed chooser keep their meaning.
    QTest::keyClick(cities, Qt::Key_Up);
    EXPECT_EQ(picks.count(), 1);
    EXPECT_EQ(cities->currentText(), QStringLiteral("Munich"));
}

TEST_F(ChooserFilter, TheOpenListsShowRatingsWhileNamesStayPlain) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    FilterChooser* inverters = chooser("ComboBox17");
    typeInto(inverters, "kt10");
    ASSERT_EQ(inverters->shownEntries(), QStringList{QStringLiteral("KT10000-TL")});
    EXPECT_EQ(inverters->listView()->model()->index(0, 0).data(FilterChooser::kRatingRole).toString(),
              QStringLiteral("DC 12.5 kW / AC 11.0 kW"));
    key(Qt::Key_Enter);
    EXPECT_EQ(inverters->currentText(), QStringLiteral("KT10000-TL"));
    EXPECT_EQ(f.session().Inverter.inverter_type, QStringLiteral("KT10000-TL"));

    const QString maker = QStringLiteral("Extraordinarily Long Solar Manufacturing Company");
    f.choose(QStringLiteral("ComboBox3"), maker);
    chooser("ComboBox4")->showPopup();
    EXPECT_EQ(chooser("ComboBox4")->listView()->model()->index(0, 0).data(FilterChooser::kRatingRole).toString(),
              QStringLiteral("320 W, POLY"));
    chooser("ComboBox4")->chooseShown(0);
    EXPECT_EQ(chooser("ComboBox4")->currentText(), QStringLiteral("G-320"));
    EXPECT_FALSE(f.find<SpinEdit>(QStringLiteral("SpinEdit6"))->isReadOnly()); // its handler ran
    // Modules without a material show their power alone.
    f.choose(QStringLiteral("ComboBox5"), QStringLiteral("Alpha"));
    chooser("ComboBox6")->showPopup();
    EXPECT_EQ(chooser("ComboBox6")->listView()->model()->index(1, 0).data(FilterChooser::kRatingRole).toString(),
              QStringLiteral("300 W"));
    chooser("ComboBox6")->hidePopup();
}

// With the program's look, in both languages: the prompts of the three inputs fit, a long name is
// cut and offered whole as the tooltip; filtering and ratings work in the translated window.
TEST(ChooserText, PromptsFitLongNamesAreCutAndTheTranslatedWindowFilters) {
    ProgramLook look;
    for (int codePage : {1252, 936}) {
        MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=%1\n").arg(codePage), fillWithAccents,
                            kShippedDictionary);
        f.window().show();
        auto chooser = [&f](const char* name) { return f.find<FilterChooser>(QString::fromLatin1(name)); };
        chooser("ComboBox1")->setFocus();
        QTest::keyClick(chooser("ComboBox1"), Qt::Key_G);
        EXPECT_EQ(chooser("ComboBox1")->shownEntries(), QStringList{QStringLiteral("Germany")});
        chooser("ComboBox1")->chooseShown(0);
        f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
        chooser("ComboBox17")->showPopup();
        chooser("ComboBox17")->filterField()->setText(QStringLiteral("3000"));
        EXPECT_EQ(chooser("ComboBox17")->listView()->model()->index(0, 0).data(FilterChooser::kRatingRole),
                  codePage == 936 ? QStringLiteral("直流 3.60 kW / 交流 3.3 kW") : QStringLiteral("DC 3.60 kW / AC 3.3 kW"));
        chooser("ComboBox17")->chooseShown(0);
        f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(2);
        for (const char* prompt : {"ComboBox3", "ComboBox5", "ComboBox7"})
            EXPECT_EQ(chooser(prompt)->clippedText(), QString()) << prompt << " " << codePage;
        f.choose(QStringLiteral("ComboBox5"), QStringLiteral("Extraordinarily Long Solar Manufacturing Company"));
        EXPECT_EQ(chooser("ComboBox5")->clippedText(),
                  QStringLiteral("Extraordinarily Long Solar Manufacturing Company"));
        EXPECT_EQ(chooser("ComboBox6")->clippedText(), QString()) << codePage; // the module prompt
        EXPECT_TRUE(f.dialogs.errors.isEmpty());
    }
}

} // namespace
} // namespace tarvel
