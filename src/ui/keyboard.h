#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

class QMenuBar;
class QWidget;

namespace tarvel {

// Keyboard use of the main window: page keys, menu mnemonics, standard shortcuts and tab order.

// The page Ctrl+Tab (step +1) or Ctrl+Shift+Tab (step -1) moves to: the next enabled page in that
// direction, wrapping round; `current` itself when no other page is enabled.
int nextEnabledPage(int current, const QList<bool>& enabled, int step);

// `text` with a mnemonic for `letter` (a Latin letter or digit): marked where a word begins with it,
// else at its first occurrence; a text without it (Chinese) gets "(&L)" appended. An '&' that is
// already in the text is shown as written.
QString withMnemonic(const QString& text, QChar letter);

// Gives every item of the menu bar and its menus the mnemonic named by its "mnemonic" property. Run
// after the texts are translated: it works on the texts as they are then, and marks each once.
void applyMenuMnemonics(QMenuBar* bar);

// The platform's keys for a standard command, or `fallback` where the platform has none (Windows has
// no standard key for "Save As" or "Quit").
QList<QKeySequence> standardKeysOr(QKeySequence::StandardKey key, const QKeySequence& fallback);

// Tab visits `controls` in this order.
void setTabOrderOf(const QList<QWidget*>& controls);

} // namespace tarvel
