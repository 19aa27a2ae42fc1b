#include "ui/ui_builders.h"

#include "ui/display_widgets.h"
#include "ui/filter_chooser.h"
#include "ui/spin_edit.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

#include <utility>

namespace tarvel {
namespace {

// Labels show catalog names, dictionary texts and what the user typed. Qt would render a text that
// looks like markup, and an image tag in it makes the label read whatever file it names (a FIFO or
// /dev/zero blocks the window for good), so every label shows its text as written.
QLabel* plainLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

} // namespace

QLabel* makeCaption(QWidget* parent, const QString& name, const QString& text) {
    QLabel* label = plainLabel(text, parent);
    label->setObjectName(name);
    label->setProperty("role", QStringLiteral("caption"));
    label->setWordWrap(true);
    return label;
}

QLabel* makeValue(QWidget* parent, const QString& name, int minimumWidth) {
    QLabel* label = plainLabel(QString(), parent);
    label->setObjectName(name);
    label->setProperty("role", QStringLiteral("value"));
    label->setMinimumWidth(minimumWidth);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QLabel* makeHeading(QWidget* parent, const QString& name, const QString& text) {
    QLabel* label = plainLabel(text, parent);
    label->setObjectName(name);
    label->setProperty("role", QStringLiteral("heading"));
    return label;
}

QGroupBox* makeGroup(QWidget* parent, const QString& name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

namespace {

QComboBox* setUpChooser(QComboBox* chooser, const QString& name) {
    chooser->setObjectName(name);
    chooser->setEditable(false);
    chooser->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    chooser->setMinimumContentsLength(8);
    return chooser;
}

} // namespace

QComboBox* makeChooser(QWidget* parent, const QString& name) {
    return setUpChooser(new QComboBox(parent), name);
}

QComboBox* makeFilterChooser(QWidget* parent, const QString& name) {
    return setUpChooser(new FilterChooser(parent), name);
}

QLineEdit* makeReadOnlyEdit(QWidget* parent, const QString& name, const QString& text) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

SpinEdit* makeSpinEdit(QWidget* parent, const QString& name, int minimum, int maximum, int value) {
    auto* spin = new SpinEdit(minimum, maximum, value, parent);
    spin->setObjectName(name);
    spin->setMinimumWidth(80);
    return spin;
}

StatusIcon* makeStatusIcon(QWidget* parent, const QString& name) {
    auto* icon = new StatusIcon(parent);
    icon->setObjectName(name);
    return icon;
}

QTableWidget* makeFigureTable(QWidget* parent, const QString& name, int rows, int columns, int rowHeight) {
    auto* table = new QTableWidget(rows, columns, parent);
    table->setObjectName(name);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The style's minimum would otherwise make rows taller than the table is high.
    table->verticalHeader()->setMinimumSectionSize(rowHeight);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table->horizontalHeader()->setFixedHeight(rowHeight);
    table->horizontalHeader()->setHighlightSections(false);
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    table->setFixedHeight(rowHeight * (rows + 1) + 2 * table->frameWidth());
    return table;
}

void addRow(QGridLayout* grid, int row, QLabel* caption, QWidget* control, int column) {
    grid->addWidget(caption, row, column);
    grid->addWidget(control, row, column + 1);
}

namespace {

// Keeps a page's background picture as large as the page and behind its other controls.
class BackgroundFitter : public QObject {
public:
    BackgroundFitter(QWidget* page, QLabel* background) : QObject(page), m_background(background) {
        page->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Resize) {
            m_background->setGeometry(static_cast<QWidget*>(watched)->rect());
            m_background->lower();
        }
        return false;
    }

private:
    QLabel* m_background;
};

} // namespace

QLabel* makePageBackground(QWidget* page, const QString& name) {
    auto* background = new QLabel(page);
    background->setObjectName(name);
    background->setPixmap(QPixmap(QStringLiteral(":/ui/page_background.svg")));
    background->setScaledContents(true);
    background->setAttribute(Qt::WA_TransparentForMouseEvents);
    new BackgroundFitter(page, background);
    return background;
}

namespace {

class PixmapOnShow : public QObject {
public:
    PixmapOnShow(QLabel* label, QString path) : QObject(label), m_label(label), m_path(std::move(path)) {
        label->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_label && event->type() == QEvent::Show) {
            m_label->removeEventFilter(this);
            m_label->setPixmap(QPixmap(m_path));
            deleteLater();
        }
        return false;
    }

private:
    QLabel* m_label;
    QString m_path;
};

} // namespace

void setPixmapWhenShown(QLabel* label, const QString& path) {
    new PixmapOnShow(label, path);
}

void showPrompt(QComboBox* chooser, const QString& prompt) {
    chooser->setPlaceholderText(prompt);
    chooser->setCurrentIndex(-1);
}

} // namespace tarvel
