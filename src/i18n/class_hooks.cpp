#include "i18n/class_hooks.h"

#include "i18n/replace_property.h"

#include <QAbstractAxis>
#include <QAbstractButton>
#include <QAbstractSeries>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QTreeWidget>

#include <map>
#include <mutex>

namespace tarvel {
namespace {

struct Registry {
    mutable std::mutex mutex;
    std::map<const QMetaObject*, TClassReplaceProc> hooks;
};

Registry& registry() {
    static Registry r;
    return r;
}

// A translated property: the hooks below differ only in which properties they read and write.
struct Translator {
    TCustomMultiDD* dictionary;
    const QString& codePage;
    const QString& seqNo;

    QString operator()(QObject* object, const QString& propertyName, const QString& text) const {
        return ReplaceProperty(dictionary, text, codePage, seqNo, object, propertyName);
    }
};

const QString kCaption = QStringLiteral("Caption");
const QString kHint = QStringLiteral("Hint");
const QString kText = QStringLiteral("Text");
const QString kTitle = QStringLiteral("Title");

QString indexName(int index) {
    return QString::number(index);
}

void replaceAction(const Translator& t, QAction* action) {
    if (action->isSeparator())
        return;
    if (QMenu* submenu = action->menu()) {
        submenu->setTitle(t(submenu, kCaption, submenu->title()));
        return;
    }
    action->setText(t(action, kCaption, action->text()));
    action->setStatusTip(t(action, kHint, action->statusTip()));
}

// Menus: every item at every depth, caption then hint.
void replaceMenuActions(const Translator& t, const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        replaceAction(t, action);
        if (QMenu* submenu = action->menu())
            replaceMenuActions(t, submenu->actions());
    }
}

// The entries of a combo box are replaced in place without any change notification, and the
// selection stays where it was.
void replaceComboBox(const Translator& t, QComboBox* box) {
    const QSignalBlocker blocker(box);
    const int selected = box->currentIndex();
    box->setUpdatesEnabled(false);
    for (int i = 0; i < box->count(); ++i)
        box->setItemText(i, t(box, indexName(i), box->itemText(i)));
    box->setCurrentIndex(selected);
    box->setUpdatesEnabled(true);
}

void replaceListWidget(const Translator& t, QListWidget* list) {
    const QSignalBlocker blocker(list);
    const int selected = list->currentRow();
    for (int i = 0; i < list->count(); ++i)
        list->item(i)->setText(t(list, indexName(i), list->item(i)->text()));
    list->setCurrentRow(selected);
}

// Tree items are no objects of their own; each text is kept under the tree and the item's path.
void replaceTreeItem(const Translator& t, QTreeWidget* tree, QTreeWidgetItem* item, const QString& path) {
    for (int column = 0; column < item->columnCount(); ++column)
        item->setText(column, t(tree, kText + path + u':' + indexName(column), item->text(column)));
    for (int i = 0; i < item->childCount(); ++i)
        replaceTreeItem(t, tree, item->child(i), path + u'/' + indexName(i));
}

void replaceTable(const Translator& t, QTableWidget* table) {
    for (int column = 0; column < table->columnCount(); ++column)
        if (QTableWidgetItem* header = table->horizontalHeaderItem(column))
            header->setText(t(table, kCaption + indexName(column), header->text()));
    for (int row = 0; row < table->rowCount(); ++row)
        for (int column = 0; column < table->columnCount(); ++column)
            if (QTableWidgetItem* item = table->item(row, column))
                item->setText(t(table, indexName(row) + u':' + indexName(column), item->text()));
}

// The chart: series names, the chart's title, and every axis title.
void replaceChart(const Translator& t, QChart* chart) {
    for (QAbstractSeries* series : chart->series())
        series->setName(t(series, kTitle, series->name()));
    chart->setTitle(t(chart, kText, chart->title().trimmed()));
    for (QAbstractAxis* axis : chart->axes())
        axis->setTitleText(t(axis, kCaption, axis->titleText()));
}

template <typename T> void add(const std::function<void(const Translator&, T*)>& hook) {
    TMultiClassMethodStorage::instance().RegisterClassMethod(
        &T::staticMetaObject,
        [hook](TCustomMultiDD* dictionary, QObject* object, const QString& codePage, const QString& seqNo) {
            if (auto* typed = qobject_cast<T*>(object))
                hook(Translator{dictionary, codePage, seqNo}, typed);
        });
}

void registerHooks() {
    // Forms: the caption.
    add<QMainWindow>(
        [](const Translator& t, QMainWindow* w) { w->setWindowTitle(t(w, kCaption, w->windowTitle())); });
    add<QDialog>(
        [](const Translator& t, QDialog* w) { w->setWindowTitle(t(w, kCaption, w->windowTitle())); });
    // Labels, group boxes, buttons (push, check, radio and tool buttons).
    add<QLabel>([](const Translator& t, QLabel* l) { l->setText(t(l, kCaption, l->text())); });
    add<QGroupBox>([](const Translator& t, QGroupBox* g) { g->setTitle(t(g, kCaption, g->title())); });
    add<QAbstractButton>(
        [](const Translator& t, QAbstractButton* b) { b->setText(t(b, kCaption, b->text())); });
    // Menus and their items.
    add<QMenuBar>([](const Translator& t, QMenuBar* bar) { replaceMenuActions(t, bar->actions()); });
    add<QMenu>([](const Translator& t, QMenu* menu) {
        menu->setTitle(t(menu, kCaption, menu->title()));
        replaceMenuActions(t, menu->actions());
    });
    add<QAction>([](const Translator& t, QAction* action) { replaceAction(t, action); });
    // Lists and choosers.
    add<QComboBox>([](const Translator& t, QComboBox* box) { replaceComboBox(t, box); });
    add<QListWidget>([](const Translator& t, QListWidget* list) { replaceListWidget(t, list); });
    add<QTreeWidget>([](const Translator& t, QTreeWidget* tree) {
        for (int i = 0; i < tree->topLevelItemCount(); ++i)
            replaceTreeItem(t, tree, tree->topLevelItem(i), indexName(i));
    });
    add<QTableWidget>([](const Translator& t, QTableWidget* table) { replaceTable(t, table); });
    // Page controls: the caption of every page. A tab bar inside a page control is the page
    // control's own and is translated with it.
    add<QTabWidget>([](const Translator& t, QTabWidget* pages) {
        for (int i = 0; i < pages->count(); ++i)
            pages->setTabText(i, t(pages, indexName(i), pages->tabText(i)));
    });
    add<QTabBar>([](const Translator& t, QTabBar* bar) {
        if (qobject_cast<QTabWidget*>(bar->parentWidget()))
            return;
        for (int i = 0; i < bar->count(); ++i)
            bar->setTabText(i, t(bar, indexName(i), bar->tabText(i)));
    });
    add<QStatusBar>(
        [](const Translator& t, QStatusBar* bar) { bar->showMessage(t(bar, kText, bar->currentMessage())); });
    add<QToolBar>([](const Translator& t, QToolBar* bar) {
        for (QAction* action : bar->actions())
            replaceAction(t, action);
    });
    // Edits keep their texts (they are the user's); only a placeholder is an interface text.
    add<QLineEdit>([](const Translator& t, QLineEdit* edit) {
        edit->setPlaceholderText(t(edit, QStringLiteral("Placeholder"), edit->placeholderText()));
    });
    add<QChartView>([](const Translator& t, QChartView* view) {
        if (view->chart())
            replaceChart(t, view->chart());
    });
}

} // namespace

TMultiClassMethodStorage& TMultiClassMethodStorage::instance() {
    static TMultiClassMethodStorage storage;
    return storage;
}

void TMultiClassMethodStorage::RegisterClassMethod(const QMetaObject* objectClass,
                                                   TClassReplaceProc routine) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.hooks[objectClass] = std::move(routine);
}

void TMultiClassMethodStorage::UnregisterClassMethod(const QMetaObject* objectClass) {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    r.hooks.erase(objectClass);
}

std::optional<TClassReplaceProc> TMultiClassMethodStorage::find(const QMetaObject* objectClass) const {
    Registry& r = registry();
    std::lock_guard lock(r.mutex);
    for (const QMetaObject* c = objectClass; c; c = c->superClass()) {
        auto it = r.hooks.find(c);
        if (it != r.hooks.end())
            return it->second;
    }
    return std::nullopt;
}

void registerStandardClassHooks() {
    static std::once_flag once;
    std::call_once(once, registerHooks);
}

} // namespace tarvel
