#include "dd_test_support.h"

#include "i18n/class_hooks.h"
#include "i18n/replace_property.h"
#include "i18n/text_replacer.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::Entry;
using test::FileDictionary;

// A dialog with a replacer, the way every form of the program carries one.
class Form : public QDialog {
public:
    explicit Form(const QString& ddName) : replacer(new TAcroMultiReplacer(this)) {
        setWindowTitle(QStringLiteral("Location"));
        auto* layout = new QVBoxLayout(this);
        label = new QLabel(QStringLiteral("Location"), this);
        untranslated = new QLabel(QStringLiteral("No entry for me"), this);
        box = new QGroupBox(QStringLiteral("Location"), this);
        auto* inner = new QVBoxLayout(box);
        inner->addWidget(innerLabel = new QLabel(QStringLiteral("City"), box));
        chooser = new QComboBox(this);
        chooser->addItems({QStringLiteral("Cu"), QStringLiteral("Al"), QStringLiteral("City")});
        chooser->setCurrentIndex(2);
        button = new QPushButton(QStringLiteral("OK"), this);
        for (QWidget* w : std::initializer_list<QWidget*>{label, untranslated, box, chooser, button})
            layout->addWidget(w);
        replacer->OwnerOption().DDName = ddName;
        replacer->Replace(); // records the design texts, as the forms do when their controls exist
    }
    void replaceIn(const char* codePage) {
        replacer->OwnerOption().setCodePage(QString::fromLatin1(codePage));
        replacer->Replace();
    }

    TAcroMultiReplacer* replacer;
    QLabel* label;
    QLabel* untranslated;
    QGroupBox* box;
    QLabel* innerLabel;
    QComboBox* chooser;
    QPushButton* button;
};

QByteArray standardEntries() {
    return test::canonicalFile({
        {QStringLiteral("Location"), QStringLiteral("936"), QStringLiteral("0"), QStringLiteral("位置")},
        {QStringLiteral("Location"), QStringLiteral("1252"), QStringLiteral("0"), QStringLiteral("Site")},
        {QStringLiteral("City"), QStringLiteral("936"), QStringLiteral("0"), QStringLiteral("城市")},
        {QStringLiteral("Cu"), QStringLiteral("936"), QStringLiteral("0"), QStringLiteral("铜")},
        {QStringLiteral("OK"), QStringLiteral("936"), QStringLiteral("0"), QStringLiteral("确定")},
        {QStringLiteral("Pick a city"), QStringLiteral("936"), QStringLiteral("0"),
         QStringLiteral("选择城市")},
        {QStringLiteral("Marked"), QStringLiteral("936"), QStringLiteral("0"), QStringLiteral("专案")},
    });
}

class Replacement : public testing::Test {
protected:
    FileDictionary dictionary{standardEntries()};
    Form form{dictionary.dd().DDName()};
};

TEST_F(Replacement, TextsAreTranslatedFromTheirDesignTextInEveryLanguage) {
    form.replaceIn("936");
    EXPECT_EQ(form.label->text(), QStringLiteral("位置"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("位置"));
    EXPECT_EQ(form.box->title(), QStringLiteral("位置"));
    EXPECT_EQ(form.innerLabel->text(), QStringLiteral("城市"));
    EXPECT_EQ(form.button->text(), QStringLiteral("确定"));
    // Again in English: the key is still the design text, not the Chinese one.
    form.replaceIn("1252");
    EXPECT_EQ(form.label->text(), QStringLiteral("Site"));
    EXPECT_EQ(form.innerLabel->text(), QStringLiteral("City"));
    EXPECT_EQ(form.button->text(), QStringLiteral("OK"));
}

TEST_F(Replacement, ATextWithoutEntryStaysAsDesigned) {
    for (int i = 0; i < 5; ++i)
        form.replaceIn(i % 2 ? "936" : "1252");
    EXPECT_EQ(form.untranslated->text(), QStringLiteral("No entry for me"));
}

TEST_F(Replacement, HintsAreLookedUpByTheirCurrentText) {
    form.chooser->setToolTip(QStringLiteral("Pick a city"));
    form.replaceIn("936");
    EXPECT_EQ(form.chooser->toolTip(), QStringLiteral("选择城市"));
    form.replaceIn("1252");
    EXPECT_EQ(form.chooser->toolTip(), QStringLiteral("选择城市"));
}

TEST_F(Replacement, AComboBoxKeepsItsSelectionAndStaysQuiet) {
    QSignalSpy index(form.chooser, &QComboBox::currentIndexChanged);
    QSignalSpy text(form.chooser, &QComboBox::currentTextChanged);
    form.replaceIn("936");
    EXPECT_EQ(form.chooser->itemText(0), QStringLiteral("铜"));
    EXPECT_EQ(form.chooser->currentIndex(), 2);
    EXPECT_EQ(form.chooser->currentText(), QStringLiteral("城市"));
    EXPECT_EQ(index.count(), 0);
    EXPECT_EQ(text.count(), 0);
}

TEST_F(Replacement, ExcludedComponentsAndWhatLiesBelowThemStay) {
    form.replacer->addUnReplaceCom(form.box);
    form.replaceIn("936");
    EXPECT_EQ(form.box->title(), QStringLiteral("Location"));
    EXPECT_EQ(form.innerLabel->text(), QStringLiteral("City"));
    EXPECT_EQ(form.label->text(), QStringLiteral("位置"));
}

TEST_F(Replacement, ListsRefuseAComponentTwice) {
    form.replacer->addReplaceCom(form.label);
    auto message = [&](const std::function<void()>& call) {
        try {
            call();
        } catch (const ReplacerError& e) {
            return QString::fromUtf8(e.what());
        }
        return QString();
    };
    form.label->setObjectName(QStringLiteral("Label1"));
    form.box->setObjectName(QStringLiteral("Box"));
    EXPECT_EQ(message([&] { form.replacer->addReplaceCom(form.label); }),
              QStringLiteral("component: \"Label1\" already added."));
    EXPECT_EQ(message([&] { form.replacer->addUnReplaceCom(form.label); }),
              QStringLiteral("component: \"Label1\" already added in replace list."));
    form.replacer->addUnReplaceCom(form.box);
    EXPECT_EQ(message([&] { form.replacer->addReplaceCom(form.box); }),
              QStringLiteral("component: \"Box\" already added in unreplace list."));
    EXPECT_EQ(form.replacer->ReplaceComs().size(), 1);
    EXPECT_EQ(form.replacer->UnReplaceComs().size(), 1);
}

TEST_F(Replacement, CheckingDuplicatesReplacesEachObjectOnce) {
    form.replacer->IsCheckDuplicateReplace = true;
    form.replaceIn("936");
    // The first pass already recorded them; nothing changes any more.
    EXPECT_EQ(form.label->text(), QStringLiteral("Location"));
    const QLabel* gone = form.untranslated;
    EXPECT_TRUE(TAcroMultiDDStorage::instance().IsReplaced(gone));
    EXPECT_TRUE(TMultiDDKeyStorage::instance().contains(gone, QStringLiteral("Caption")));
    delete form.untranslated;
    // A new object at the same address is new to the replacer.
    EXPECT_FALSE(TAcroMultiDDStorage::instance().IsReplaced(gone));
    EXPECT_FALSE(TMultiDDKeyStorage::instance().contains(gone, QStringLiteral("Caption")));
}

TEST_F(Replacement, TheClassNameMarkerNamesTheClassInTheMainWindowCaption) {
    QMainWindow main;
    main.setWindowTitle(QStringLiteral("Main"));
    setReplacementMainWindow(&main);
    auto* marked = new QLabel(QStringLiteral("Marked"), &form);
    form.replaceIn("936");
    EXPECT_EQ(marked->text(), QStringLiteral("专案"));
    EXPECT_EQ(main.windowTitle(), QStringLiteral("QLabel"));
    setReplacementMainWindow(nullptr);
}

TEST_F(Replacement, AControlOutsideAFormIsLeftAlone) {
    QWidget loose;
    auto* label = new QLabel(QStringLiteral("Location"), &loose);
    TAcroMultiReplacer replacer(&loose);
    replacer.OwnerOption().DDName = dictionary.dd().DDName();
    replacer.OwnerOption().setCodePage(QStringLiteral("936"));
    replacer.Replace();
    EXPECT_EQ(label->text(), QStringLiteral("Location"));
}

TEST_F(Replacement, MenusPageControlsAndTheirItemsAreTranslated) {
    QMainWindow main;
    QMenu* menu = main.menuBar()->addMenu(QStringLiteral("Location"));
    QAction* item = menu->addAction(QStringLiteral("City"));
    auto* pages = new QTabWidget(&main);
    pages->addTab(new QWidget, QStringLiteral("Location"));
    main.setCentralWidget(pages);
    TAcroMultiReplacer replacer(&main);
    replacer.OwnerOption().DDName = dictionary.dd().DDName();
    replacer.Replace();
    replacer.OwnerOption().setCodePage(QStringLiteral("936"));
    replacer.Replace();
    EXPECT_EQ(menu->title(), QStringLiteral("位置"));
    EXPECT_EQ(item->text(), QStringLiteral("城市"));
    EXPECT_EQ(pages->tabText(0), QStringLiteral("位置"));
}

TEST_F(Replacement, AnOptionNamingNoDictionaryDoesNothing) {
    form.replacer->OwnerOption().DDName = QStringLiteral("no such dictionary");
    form.replaceIn("936");
    EXPECT_EQ(form.label->text(), QStringLiteral("Location"));
}

TEST(ClassHooks, TheNearestRegisteredAncestorAnswers) {
    registerStandardClassHooks();
    TMultiClassMethodStorage& hooks = TMultiClassMethodStorage::instance();
    int calls = 0;
    hooks.RegisterClassMethod(
        &QGroupBox::staticMetaObject,
        [&calls](TCustomMultiDD*, QObject*, const QString&, const QString&) { ++calls; });
    const auto found = hooks.find(&QGroupBox::staticMetaObject);
    ASSERT_TRUE(found);
    (*found)(nullptr, nullptr, QString(), QString());
    EXPECT_EQ(calls, 1);
    // Without its own entry a class answers with its nearest ancestor's: QWidget has none at all.
    hooks.UnregisterClassMethod(&QGroupBox::staticMetaObject);
    EXPECT_FALSE(hooks.find(&QGroupBox::staticMetaObject));
    EXPECT_FALSE(hooks.find(&QWidget::staticMetaObject));
    EXPECT_TRUE(hooks.find(&QPushButton::staticMetaObject)); // through QAbstractButton
    // Put the standard hook back for the other tests.
    hooks.RegisterClassMethod(
        &QGroupBox::staticMetaObject,
        [](TCustomMultiDD* dd, QObject* object, const QString& codePage, const QString& seqNo) {
            auto* box = qobject_cast<QGroupBox*>(object);
            box->setTitle(ReplaceProperty(dd, box->title(), codePage, seqNo, box, QStringLiteral("Caption")));
        });
}

TEST(DictionaryFailure, IsReportedOnceAndTextsStayAsDesigned) {
    FileDictionary broken(QByteArray("DDKey,CodePage,SeqNo,DisplayValue\r\n\"a%x\",\"936\",\"0\",\"b\"\r\n"));
    resetDictionaryFailures();
    QStringList reports;
    setDictionaryFailureHandler([&reports](const QString& message) { reports << message; });
    Form form(broken.dd().DDName());
    form.replaceIn("936");
    form.replaceIn("936");
    EXPECT_EQ(form.label->text(), QStringLiteral("Location"));
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports.first().startsWith(QStringLiteral("CSV format error")));
    setDictionaryFailureHandler({});
    resetDictionaryFailures();
}

} // namespace
} // namespace tarvel
