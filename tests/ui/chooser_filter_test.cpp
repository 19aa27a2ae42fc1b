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

TCountryInfo city(const char* country, const char* name) {
    TCountryInfo l;
    l.country = QString::fromUtf8(country);
    l.city = QString::fromUtf8(name);
    l.Latitude = -23.5;
    l.height = 760;
    l.months = {230, 220, 200, 180, 150, 140, 150, 170, 180, 200, 220, 230};
    return l;
}

TPanelInfo module(const char* maker, const char* type, double power, const char* material) {
    TPanelInfo m;
    m.product_name = QString::fromUtf8(maker);
    m.strings_type = QString::fromUtf8(type);
    m.power = power;
    m.MPP_V = 30.5;
    m.mpp_i = 8.2;
    m.kailu_V = 37.5;
    m.duanlu_i = 8.5;
    m.area = 1.6;
    m.material = QString::fromUtf8(material);
    m.kailu_kx = -0.34;
    m.mpp_mx = -150;
    return m;
}

// The small catalog with names that need folding and a long maker name.
void fillWithAccents(test::TempCatalog& temp) {
    test::fillSmallCatalog(temp);
    Catalog& c = temp.catalog();
    c.locationInsert(city("Brazil", "São Paulo"));
    c.locationInsert(city("Brazil", "Santos"));
    c.locationInsert(city("Brazil", "São Luís"));
    c.locationInsert(city("Poland", "Łódź"));
    c.inverterInsert(test::sampleInverter("KT10000-TL", "12.5", "11.0", "22"));
    c.moduleInsert(module("Extraordinarily Long Solar Manufacturing Company", "XL-400", 400, "MONO"));
    c.moduleInsert(module("Gamma", "G-320", 320, "POLY"));
}

// Whether a text fits depends on the face and style the program sets; the other tests run with the
// toolkit's defaults, which are given back afterwards.
class ProgramLook {
public:
    ProgramLook()
        : m_font(QApplication::font()), m_styleSheet(qApp->styleSheet()),
          m_style(QApplication::style()->name()), m_palette(QApplication::palette()) {
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
    // Types as a user does: the first key goes to the closed chooser and opens its list, the rest go
    // to the list's filter field, which then has the focus.
    void typeInto(FilterChooser* box, const QString& text) {
        box->setFocus();
        QTest::keyClick(box, text.at(0).toLatin1());
        ASSERT_TRUE(box->isListOpen());
        for (qsizetype i = 1; i < text.size(); ++i)
            QTest::keyClick(static_cast<QWidget*>(nullptr), text.at(i).toLatin1());
    }
    MainWindowFixture f;
};

TEST_F(ChooserFilter, TypingFiltersByAnyPartAndOnlyAChoiceRunsTheHandlerOnce) {
    FilterChooser* country = chooser("ComboBox1");
    QSignalSpy picks(country, &QComboBox::activated);
    typeInto(country, QStringLiteral("AZI"));
    EXPECT_EQ(country->filterField()->text(), QStringLiteral("AZI"));
    EXPECT_EQ(country->shownEntries(), QStringList{QStringLiteral("Brazil")});
    // Typing alone chose nothing.
    EXPECT_EQ(picks.count(), 0);
    EXPECT_EQ(country->currentText(), QString());
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox2"))->count(), 0);

    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    EXPECT_FALSE(country->isListOpen());
    ASSERT_EQ(picks.count(), 1);
    EXPECT_EQ(country->currentText(), QStringLiteral("Brazil"));
    EXPECT_EQ(f.find<QComboBox>(QStringLiteral("ComboBox2"))->count(), 3);
    EXPECT_EQ(f.window().focusWidget(), country);
}

TEST_F(ChooserFilter, AccentsAndCaseDoNotCountAndTheChoiceIsThePlainName) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Brazil"));
    FilterChooser* cities = chooser("ComboBox2");
    typeInto(cities, QStringLiteral("SAO"));
    EXPECT_EQ(cities->shownEntries(), (QStringList{QStringLiteral("São Paulo"), QStringLiteral("São Luís")}));
    cities->filterField()->setText(QStringLiteral("paulo são"));
    EXPECT_EQ(cities->shownEntries(), QStringList{QStringLiteral("São Paulo")});
    cities->chooseShown(0);
    EXPECT_EQ(cities->currentText(), QStringLiteral("São Paulo"));
    EXPECT_FALSE(f.text(QStringLiteral("Energy")).isEmpty());
    EXPECT_EQ(f.enabledPages(), (QList<bool>{true, true, true, false, false}));

    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Poland"));
    typeInto(chooser("ComboBox2"), QStringLiteral("lodz"));
    EXPECT_EQ(chooser("ComboBox2")->shownEntries(), QStringList{QStringLiteral("Łódź")});
}

TEST_F(ChooserFilter, LeavingTheListWithoutAChoiceChangesNothing) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    const QString energy = f.text(QStringLiteral("Energy"));
    FilterChooser* cities = chooser("ComboBox2");
    QSignalSpy picks(cities, &QComboBox::activated);
    typeInto(cities, QStringLiteral("mun"));
    EXPECT_EQ(cities->shownEntries(), QStringList{QStringLiteral("Munich")});
    EXPECT_EQ(cities->currentText(), QStringLiteral("Berlin"));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Escape);
    EXPECT_FALSE(cities->isListOpen());
    // A filter that matches nothing, then a click elsewhere.
    typeInto(cities, QStringLiteral("xq"));
    EXPECT_TRUE(cities->shownEntries().isEmpty());
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Return);
    cities->hidePopup();
    EXPECT_EQ(picks.count(), 0);
    EXPECT_EQ(cities->currentText(), QStringLiteral("Berlin"));
    EXPECT_EQ(f.text(QStringLiteral("Energy")), energy);
    // Arrow keys on the closed chooser keep their usual meaning.
    QTest::keyClick(cities, Qt::Key_Up);
    EXPECT_EQ(picks.count(), 1);
    EXPECT_EQ(cities->currentText(), QStringLiteral("Munich"));
}

TEST_F(ChooserFilter, TheOpenListsShowRatingsWhileNamesStayPlain) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    FilterChooser* inverters = chooser("ComboBox17");
    typeInto(inverters, QStringLiteral("kt10"));
    ASSERT_EQ(inverters->shownEntries(), QStringList{QStringLiteral("KT10000-TL")});
    const QModelIndex shown = inverters->listView()->model()->index(0, 0);
    EXPECT_EQ(shown.data(FilterChooser::kRatingRole).toString(), QStringLiteral("DC 12.5 kW / AC 11.0 kW"));
    EXPECT_EQ(shown.data(Qt::DisplayRole).toString(), QStringLiteral("KT10000-TL"));
    QTest::keyClick(static_cast<QWidget*>(nullptr), Qt::Key_Enter);
    EXPECT_EQ(inverters->currentText(), QStringLiteral("KT10000-TL"));
    EXPECT_EQ(f.text(QStringLiteral("Label113")), QStringLiteral("12.5"));
    EXPECT_EQ(f.session().Inverter.inverter_type, QStringLiteral("KT10000-TL"));

    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Gamma"));
    FilterChooser* types = chooser("ComboBox4");
    types->showPopup();
    EXPECT_EQ(types->listView()->model()->index(0, 0).data(FilterChooser::kRatingRole).toString(),
              QStringLiteral("320 W, POLY"));
    types->chooseShown(0);
    EXPECT_EQ(types->currentText(), QStringLiteral("G-320"));
    // The type handler ran: the count fields of input A are open.
    EXPECT_FALSE(f.find<SpinEdit>(QStringLiteral("SpinEdit6"))->isReadOnly());
    // A maker whose modules have no material shows the power alone.
    f.choose(QStringLiteral("ComboBox5"), QStringLiteral("Alpha"));
    chooser("ComboBox6")->showPopup();
    EXPECT_EQ(chooser("ComboBox6")->listView()->model()->index(1, 0).data(FilterChooser::kRatingRole).toString(),
              QStringLiteral("300 W"));
    chooser("ComboBox6")->hidePopup();
}

TEST(ChooserText, ALongNameIsCutWithItsWholeTextInTheTooltipAndThePromptsFit) {
    ProgramLook look;
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=1252\n"), fillWithAccents, kShippedDictionary);
    f.window().show();
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(2);
    auto chooser = [&f](const char* name) { return f.find<FilterChooser>(QString::fromLatin1(name)); };
    for (const char* maker : {"ComboBox3", "ComboBox5", "ComboBox7"})
        EXPECT_EQ(chooser(maker)->clippedText(), QString()) << maker;
    f.choose(QStringLiteral("ComboBox5"), QStringLiteral("Extraordinarily Long Solar Manufacturing Company"));
    EXPECT_EQ(chooser("ComboBox5")->clippedText(), QStringLiteral("Extraordinarily Long Solar Manufacturing Company"));
    EXPECT_EQ(chooser("ComboBox6")->clippedText(), QString()); // its prompt
    f.choose(QStringLiteral("ComboBox7"), QStringLiteral("Beta"));
    EXPECT_EQ(chooser("ComboBox7")->clippedText(), QString());
    EXPECT_EQ(chooser("ComboBox8")->clippedText(), QString());
}

TEST(ChooserFilterInChinese, FilteringRatingsAndPromptsWorkInTheTranslatedWindow) {
    ProgramLook look;
    MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=936\n"), fillWithAccents, kShippedDictionary);
    f.window().show();
    auto* country = f.find<FilterChooser>(QStringLiteral("ComboBox1"));
    country->setFocus();
    QTest::keyClick(country, Qt::Key_P);
    ASSERT_TRUE(country->isListOpen());
    EXPECT_EQ(country->filterField()->placeholderText(), QStringLiteral("输入名称的一部分"));
    EXPECT_EQ(country->shownEntries(), (QStringList{QStringLiteral("Poland")}));
    country->chooseShown(0);
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Łódź"));
    auto* inverters = f.find<FilterChooser>(QStringLiteral("ComboBox17"));
    inverters->showPopup();
    inverters->filterField()->setText(QStringLiteral("3000"));
    EXPECT_EQ(inverters->shownEntries(), QStringList{QStringLiteral("KT3000-S")});
    EXPECT_EQ(inverters->listView()->model()->index(0, 0).data(FilterChooser::kRatingRole).toString(),
              QStringLiteral("直流 3.60 kW / 交流 3.3 kW"));
    inverters->chooseShown(0);
    EXPECT_EQ(inverters->currentText(), QStringLiteral("KT3000-S"));
    f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(2);
    for (const char* maker : {"ComboBox3", "ComboBox5", "ComboBox7"})
        EXPECT_EQ(f.find<FilterChooser>(QString::fromLatin1(maker))->clippedText(), QString()) << maker;
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

} // namespace
} // namespace tarvel
