#pragma once

#include <QString>

class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTableWidget;
class QWidget;

namespace tarvel {

class SpinEdit;
class StatusIcon;

// Small factories for the main window's controls: each sets the component name as object name and
// the look the style sheet gives its role ("caption", "value", "heading").

QLabel* makeCaption(QWidget* parent, const QString& name, const QString& text);
QLabel* makeValue(QWidget* parent, const QString& name, int minimumWidth = 70);
QLabel* makeHeading(QWidget* parent, const QString& name, const QString& text);
QGroupBox* makeGroup(QWidget* parent, const QString& name, const QString& title);
QComboBox* makeChooser(QWidget* parent, const QString& name);
// A chooser of a long catalog list, which the user can filter by typing (FilterChooser).
QComboBox* makeFilterChooser(QWidget* parent, const QString& name);
QLineEdit* makeReadOnlyEdit(QWidget* parent, const QString& name, const QString& text);
SpinEdit* makeSpinEdit(QWidget* parent, const QString& name, int minimum, int maximum, int value);
StatusIcon* makeStatusIcon(QWidget* parent, const QString& name);

// A read-only table of figures: `rows` x `columns` cells of plain text, no scroll bars, columns
// sharing the width, every row `rowHeight` pixels; the table is as high as its rows and header.
QTableWidget* makeFigureTable(QWidget* parent, const QString& name, int rows, int columns, int rowHeight);

// A caption in column `column` and a control in the next column of row `row`.
void addRow(QGridLayout* grid, int row, QLabel* caption, QWidget* control, int column = 0);

// A full-size picture behind all other controls of a page.
QLabel* makePageBackground(QWidget* page, const QString& name);

// Gives `label` the picture of `path` when the label is first shown. For pictures on pages that
// start hidden: drawing an SVG costs more than building its page, and a session may never open it.
// The label's size must not depend on its picture.
void setPixmapWhenShown(QLabel* label, const QString& path);

// The prompt of a chooser: shown while nothing is selected; the chooser's text is then empty.
void showPrompt(QComboBox* chooser, const QString& prompt);

} // namespace tarvel
