// Keyboard use of the main window: standard shortcuts of the menu commands, moving between the
// design pages, and the order in which Tab visits the controls.

#include "ui/tfrm_main.h"

#include "ui/keyboard.h"
#include "ui/spin_edit.h"

#include <QAction>
#include <QChartView>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>

namespace tarvel {
namespace {

// The first control of `page` that Tab would reach, if any.
QWidget* firstTabStop(QWidget* page) {
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (page->isAncestorOf(w) && w->isVisibleTo(page) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy())
            return w;
    }
    return nullptr;
}

} // namespace

void Tfrm_main::setupKeyboard() {
    applyMenuMnemonics(ui.suiMainMenu1);
    ui.N14->setShortcuts(QKeySequence::New);
    ui.OpenDesign->setShortcuts(QKeySequence::Open);
    ui.SaveDesign->setShortcuts(QKeySequence::Save);
    ui.SaveDesignAs->setShortcuts(
        standardKeysOr(QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)));
    ui.N24->setShortcuts(QKeySequence::Print);
    ui.N16->setShortcuts(standardKeysOr(QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q)));

    // Printing is allowed while the "Print" menu is: its shortcut follows the menu.
    QAction* printMenu = ui.menuPrint->menuAction();
    ui.N24->setEnabled(printMenu->isEnabled());
    connect(printMenu, &QAction::enabledChanged, ui.N24, &QAction::setEnabled);

    // Ctrl+Tab and Ctrl+Page Down (backwards with Shift, or Ctrl+Page Up) step through the design
    // pages that are enabled, from wherever the focus is in the window.
    auto* next = new QAction(this);
    next->setObjectName(QStringLiteral("NextPage"));
    next->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    auto* previous = new QAction(this);
    previous->setObjectName(QStringLiteral("PreviousPage"));
    previous->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
                            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
                            QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    addAction(next);
    addAction(previous);
    connect(next, &QAction::triggered, this, [this] { moveToPage(1); });
    connect(previous, &QAction::triggered, this, [this] { moveToPage(-1); });

    // Tab visits what can be edited; fields that only show a result are left out (they can still be
    // clicked to copy their text). Read-only spin fields leave and rejoin by themselves.
    for (QLineEdit* shown : {ui.RzEdit3, ui.qing_jiao, ui.pian_jiao, ui.Energy})
        shown->setFocusPolicy(Qt::ClickFocus);
    ui.Chart1->setFocusPolicy(Qt::NoFocus);

    // Reading order: each group of inputs from top to bottom, the groups from left to right and
    // then downwards, as the pages lay them out.
    setTabOrderOf(QList<QWidget*>{ui.ComboBox1, ui.ComboBox2, ui.SpinEdit1, ui.SpinEdit2, ui.SpinEdit3, ui.SpinEdit4,
                   ui.SpinEdit5});
    setTabOrderOf(QList<QWidget*>{ui.ComboBox17, ui.BitBtn1, ui.ComboBox18});
    QList<QWidget*> strings;
    for (const StringInputUi& in : ui.inputs)
        strings << in.maker << in.type << in.strings << in.modulesPerString;
    setTabOrderOf(strings);
    QList<QWidget*> cables;
    for (const CableRunUi& run : ui.cables)
        cables << run.material << run.length << run.crossSection;
    setTabOrderOf(cables);
    setTabOrderOf(QList<QWidget*>{ui.Edit2, ui.Edit3});
}

void Tfrm_main::moveToPage(int step) {
    QTabWidget* pages = ui.RzPageControl1;
    QList<bool> enabled;
    for (int i = 0; i < pages->count(); ++i)
        enabled.append(pages->isTabEnabled(i));
    const int page = nextEnabledPage(pages->currentIndex(), enabled, step);
    if (page == pages->currentIndex())
        return;
    pages->setCurrentIndex(page);
    if (QWidget* first = firstTabStop(pages->widget(page)))
        first->setFocus(Qt::TabFocusReason);
}

} // namespace tarvel
