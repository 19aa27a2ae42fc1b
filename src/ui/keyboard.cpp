#include "ui/keyboard.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

namespace tarvel {
namespace {

const char kMnemonicProperty[] = "mnemonic";

void markActions(const QList<QAction*>& actions) {
    for (QAction* action : actions) {
        const QVariant letter = action->property(kMnemonicProperty);
        if (letter.isValid() && !action->text().contains(u'&'))
            action->setText(withMnemonic(action->text(), letter.toChar()));
        if (QMenu* menu = action->menu())
            markActions(menu->actions());
    }
}

} // namespace

int nextEnabledPage(int current, const QList<bool>& enabled, int step) {
    const int count = static_cast<int>(enabled.size());
    if (count == 0 || step == 0)
        return current;
    const int direction = step > 0 ? 1 : -1;
    int page = current;
    for (int i = 0; i < count; ++i) {
        page = ((page + direction) % count + count) % count;
        if (page == current)
            break;
        if (enabled[page])
            return page;
    }
    return current;
}

QString withMnemonic(const QString& text, QChar letter) {
    QString escaped = text;
    escaped.replace(u'&', QStringLiteral("&&"));
    const QChar wanted = letter.toLower();
    qsizetype at = -1;
    for (qsizetype i = 0; i < escaped.size(); ++i) {
        if (escaped[i].toLower() != wanted)
            continue;
        const bool wordStart = i == 0 || !escaped[i - 1].isLetterOrNumber();
        if (wordStart) {
            at = i;
            break;
        }
        if (at < 0)
            at = i;
    }
    if (at >= 0)
        return escaped.insert(at, u'&');
    // "文件..." -> "文件(&F)...": the mark goes before a trailing ellipsis.
    const qsizetype ellipsis = escaped.endsWith(QStringLiteral("...")) ? escaped.size() - 3 : escaped.size();
    return escaped.insert(ellipsis, QStringLiteral("(&%1)").arg(letter.toUpper()));
}

void applyMenuMnemonics(QMenuBar* bar) {
    markActions(bar->actions());
}

QList<QKeySequence> standardKeysOr(QKeySequence::StandardKey key, const QKeySequence& fallback) {
    QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (keys.isEmpty())
        keys.append(fallback);
    return keys;
}

void setTabOrderOf(const QList<QWidget*>& controls) {
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

} // namespace tarvel
