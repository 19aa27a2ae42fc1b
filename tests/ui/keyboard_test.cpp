#include "report/report_preview.h"
#include "support/main_window_fixture.h"
#include "ui/keyboard.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::MainWindowFixture;

const QString kShippedDictionary = QStringLiteral(TARVEL_RUN_DIR "/chinatoEN.lng");

TEST(Keyboard, PageKeysSkipDisabledPagesAndMnemonicsFollowTheScript) {
    EXPECT_EQ(nextEnabledPage(1, {true, true, false, false, false}, 1), 0);
    EXPECT_EQ(nextEnabledPage(0, {true, false, false, true, false}, -1), 3);
    // New Design on the Result page leaves only ProjectInfo enabled.
    EXPECT_EQ(nextEnabledPage(4, {true, false, false, false, false}, 1), 0);
    EXPECT_EQ(nextEnabledPage(0, {true, false, false, false, false}, 1), 0);

    EXPECT_EQ(withMnemonic(QStringLiteral("Save Design As..."), u'A'), QStringLiteral("Save Design &As..."));
    EXPECT_EQ(withMnemonic(QStringLiteral("Cancel"), u'l'), QStringLiteral("Cance&l"));
    EXPECT_EQ(withMnemonic(QStringLiteral("Q&A"), u'Q'), QStringLiteral("&Q&&A"));
    EXPECT_EQ(withMnemonic(QStringLiteral("打开设计..."), u'o'), QStringLiteral("打开设计(&O)..."));
}

// Every menu's items can be reached by their letters in both languages: each has one, and no two
// items of a menu (or two menus of the bar) share it.
TEST(Keyboard, EveryMenuItemHasAMnemonicOfItsOwnInBothLanguages) {
    for (int codePage : {936, 1252}) {
        MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=%1\n").arg(codePage), test::fillSmallCatalog,
                            kShippedDictionary);
        QList<QList<QAction*>> menus{f.window().menuBar()->actions()};
        for (QAction* top : f.window().menuBar()->actions())
            menus.append(top->menu()->actions());
        for (const QList<QAction*>& items : menus) {
            QList<QKeySequence> keys;
            for (QAction* item : items) {
                if (item->isSeparator())
                    continue;
                const QKeySequence key = QKeySequence::mnemonic(item->text());
                EXPECT_FALSE(key.isEmpty()) << item->text().toStdString();
                EXPECT_FALSE(keys.contains(key)) << item->text().toStdString();
                keys.append(key);
            }
        }
    }
}

class KeyboardUse : public testing::Test {
protected:
    KeyboardUse() {
        f.window().show();
        QApplication::setActiveWindow(&f.window());
        f.window().activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&f.window()));
    }
    void press(QKeyCombination key) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &f.window();
        QTest::keyClick(target, key.key(), key.keyboardModifiers());
    }
    int page() { return f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->currentIndex(); }
    // The names of the controls Tab visits from `first` until it leaves `page`.
    QStringList tabWalk(QWidget* first, QWidget* pageWidget) {
        first->setFocus(Qt::TabFocusReason);
        QStringList names;
        for (int i = 0; i < 40 && QApplication::focusWidget() && pageWidget->isAncestorOf(QApplication::focusWidget());
             ++i) {
            names << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        return names;
    }
    QTemporaryDir dir;
    MainWindowFixture f;
};

TEST_F(KeyboardUse, StandardShortcutsRunTheirCommands) {
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    f.dialogs.designFile = dir.filePath(QStringLiteral("keys.tpvd"));
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
    EXPECT_EQ(f.window().designFilePath(), dir.filePath(QStringLiteral("keys.tpvd")));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Munich"));
    f.dialogs.designFile.clear();
    press(Qt::CTRL | Qt::Key_S);
    EXPECT_FALSE(f.window().isWindowModified());

    press(Qt::CTRL | Qt::Key_N);
    EXPECT_EQ(f.text(QStringLiteral("ComboBox1")), QString());
    f.dialogs.designFile = dir.filePath(QStringLiteral("keys.tpvd"));
    press(Qt::CTRL | Qt::Key_O);
    EXPECT_EQ(f.text(QStringLiteral("ComboBox2")), QStringLiteral("Munich"));

    // Print only while printing is allowed: on the Result page.
    press(Qt::CTRL | Qt::Key_P);
    EXPECT_EQ(f.window().reportPreview(), nullptr);
    f.choose(QStringLiteral("ComboBox17"), QStringLiteral("KT3000-S"));
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
    f.type(QStringLiteral("SpinEdit6"), QStringLiteral("1"));
    f.type(QStringLiteral("SpinEdit7"), QStringLiteral("10"));
    f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(4);
    ASSERT_EQ(page(), 4);
    press(Qt::CTRL | Qt::Key_P);
    ASSERT_NE(f.window().reportPreview(), nullptr);
    f.window().reportPreview()->close();
    QApplication::setActiveWindow(&f.window());

    f.dialogs.saveAnswer = SaveAnswer::Discard;
    press(Qt::CTRL | Qt::Key_Q);
    EXPECT_FALSE(f.window().isVisible());
    EXPECT_TRUE(f.dialogs.errors.isEmpty());
}

TEST_F(KeyboardUse, CtrlTabMovesThroughTheEnabledPagesOnly) {
    f.find<QWidget>(QStringLiteral("ComboBox1"))->setFocus();
    press(Qt::CTRL | Qt::Key_Tab);
    EXPECT_EQ(page(), 0);
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    press(Qt::CTRL | Qt::Key_Tab);
    EXPECT_EQ(page(), 1);
    // The page change ran as a click on the tab would: the help text is the inverter page's.
    EXPECT_EQ(f.text(QStringLiteral("Memo1")), QStringLiteral("Choose the inverter model you need."));
    EXPECT_EQ(QApplication::focusWidget(), f.find<QWidget>(QStringLiteral("ComboBox17")));
    press(Qt::CTRL | Qt::Key_PageDown);
    EXPECT_EQ(page(), 2);
    press(Qt::CTRL | Qt::Key_PageDown);
    EXPECT_EQ(page(), 0);
    press(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab);
    EXPECT_EQ(page(), 2);
    press(Qt::CTRL | Qt::Key_PageUp);
    EXPECT_EQ(page(), 1);
}

TEST_F(KeyboardUse, TabRunsThroughTheEditableControlsInReadingOrder) {
    QWidget* project = f.find<QWidget>(QStringLiteral("Page3"));
    const QStringList projectOrder{QStringLiteral("ComboBox1"), QStringLiteral("ComboBox2"),
                                   QStringLiteral("SpinEdit1"), QStringLiteral("SpinEdit2"),
                                   QStringLiteral("SpinEdit3"), QStringLiteral("SpinEdit4"),
                                   QStringLiteral("SpinEdit5")};
    // The fields that only show results (mounting style, optimal angles, energy) are passed by.
    EXPECT_EQ(tabWalk(f.find<QWidget>(QStringLiteral("ComboBox1")), project), projectOrder);
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    // A new design locks the orientation fields until the next city: Tab passes them by, and takes
    // them again once they are open.
    f.type(QStringLiteral("SpinEdit5"), QStringLiteral("10"));
    f.window().N14Click();
    EXPECT_EQ(tabWalk(f.find<QWidget>(QStringLiteral("ComboBox1")), project), projectOrder.mid(0, 5));
    f.choose(QStringLiteral("ComboBox1"), QStringLiteral("Germany"));
    f.choose(QStringLiteral("ComboBox2"), QStringLiteral("Berlin"));
    EXPECT_EQ(tabWalk(f.find<QWidget>(QStringLiteral("ComboBox1")), project), projectOrder);

    // Each input from top to bottom, the inputs from left to right; a maker without a module type
    // locks its count fields.
    f.choose(QStringLiteral("ComboBox17"), QStringLiteral("KT3000-S"));
    f.find<QTabWidget>(QStringLiteral("RzPageControl1"))->setCurrentIndex(2);
    f.choose(QStringLiteral("ComboBox3"), QStringLiteral("Alpha"));
    f.choose(QStringLiteral("ComboBox4"), QStringLiteral("A-250"));
    f.choose(QStringLiteral("ComboBox5"), QStringLiteral("Beta"));
    EXPECT_EQ(tabWalk(f.find<QWidget>(QStringLiteral("ComboBox3")), f.find<QWidget>(QStringLiteral("Page5"))),
              (QStringList{QStringLiteral("ComboBox3"), QStringLiteral("ComboBox4"), QStringLiteral("SpinEdit6"),
                           QStringLiteral("SpinEdit7"), QStringLiteral("ComboBox5"), QStringLiteral("ComboBox6"),
                           QStringLiteral("ComboBox7"), QStringLiteral("ComboBox8"), QStringLiteral("SpinEdit10"),
                           QStringLiteral("SpinEdit11")}));
}

} // namespace
} // namespace tarvel
