#include "ui/filter_chooser.h"

#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "i18n/search_text.h"

#include <QApplication>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSortFilterProxyModel>
#include <QStyledItemDelegate>
#include <QStylePainter>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>

namespace tarvel {
namespace {

constexpr int kMaxShownRows = 12;
constexpr int kMaxListWidth = 560;
constexpr int kRatingGap = 16;

// Keeps the entries whose names match what was typed, in list order.
class EntryFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    void setTyped(const QString& typed) {
        m_query = SearchQuery(typed);
        invalidateFilter();
    }

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        const QModelIndex entry = sourceModel()->index(row, filterKeyColumn(), parent);
        return m_query.matches(entry.data(Qt::DisplayRole).toString());
    }

private:
    SearchQuery m_query;
};

// Draws an entry's name at the left and its ratings, in a quieter colour, at the right.
class RatingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const QString rating = index.data(FilterChooser::kRatingRole).toString();
        if (rating.isEmpty()) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem item(option);
        initStyleOption(&item, index);
        const QString name = item.text;
        item.text.clear();
        QStyle* style = item.widget ? item.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &item, painter, item.widget);

        const QRect text = item.rect.adjusted(4, 0, -4, 0);
        const int ratingAdvance = item.fontMetrics.horizontalAdvance(rating) + 1;
        const int ratingWidth = std::min(ratingAdvance, text.width() / 2);
        const bool selected = item.state & QStyle::State_Selected;
        painter->save();
        painter->setPen(item.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        const QRect nameRect = text.adjusted(0, 0, -(ratingWidth + kRatingGap), 0);
        painter->drawText(nameRect, Qt::AlignLeft | Qt::AlignVCenter,
                          item.fontMetrics.elidedText(name, Qt::ElideRight, nameRect.width()));
        painter->setPen(selected ? item.palette.color(QPalette::HighlightedText)
                                 : item.palette.color(QPalette::PlaceholderText));
        painter->drawText(text, Qt::AlignRight | Qt::AlignVCenter,
                          ratingAdvance <= ratingWidth
                              ? rating
                              : item.fontMetrics.elidedText(rating, Qt::ElideRight, ratingWidth));
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        const QString rating = index.data(FilterChooser::kRatingRole).toString();
        if (!rating.isEmpty())
            size.rwidth() += kRatingGap + option.fontMetrics.horizontalAdvance(rating);
        return size;
    }
};

} // namespace

// The open list: a filter field above the entries that pass it. It is a popup window, so a click
// elsewhere closes it without a choice.
class ChooserPopup : public QFrame {
public:
    explicit ChooserPopup(FilterChooser* chooser)
        : QFrame(chooser, Qt::Popup), m_chooser(chooser), m_filter(new QLineEdit(this)),
          m_view(new QListView(this)), m_none(new QLabel(this)), m_model(new EntryFilter(this)) {
        setObjectName(QStringLiteral("ChooserPopup"));
        setFrameShape(QFrame::StyledPanel);
        // A click on the chooser while the list is open only closes the list.
        setAttribute(Qt::WA_NoMouseReplay);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(2);
        m_filter->setObjectName(QStringLiteral("ChooserFilter"));
        m_filter->setClearButtonEnabled(true);
        m_filter->installEventFilter(this);
        layout->addWidget(m_filter);
        m_model->setSourceModel(chooser->model());
        m_view->setObjectName(QStringLiteral("ChooserList"));
        m_view->setModel(m_model);
        m_view->setItemDelegate(new RatingDelegate(m_view));
        m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_view->setSelectionMode(QAbstractItemView::SingleSelection);
        m_view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_view->setUniformItemSizes(false);
        m_view->setMouseTracking(true);
        m_view->setFocusPolicy(Qt::NoFocus);
        m_view->setMinimumSize(0, 0);
        m_view->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
        layout->addWidget(m_view);
        m_none->setObjectName(QStringLiteral("ChooserNoMatch"));
        m_none->setTextFormat(Qt::PlainText);
        m_none->setIndent(4);
        m_none->setEnabled(false);
        m_none->hide();
        layout->addWidget(m_none);
        connect(m_filter, &QLineEdit::textChanged, this, &ChooserPopup::filterChanged);
        connect(m_view, &QListView::clicked, this, [this](const QModelIndex& index) { choose(index); });
        connect(m_view, &QListView::entered, this,
                [this](const QModelIndex& index) { m_view->setCurrentIndex(index); });
    }

    QLineEdit* filter() const { return m_filter; }
    QListView* view() const { return m_view; }

    void open(const QString& typed) {
        m_model->setFilterKeyColumn(m_chooser->modelColumn());
        m_view->setModelColumn(m_chooser->modelColumn());
        m_filter->setPlaceholderText(res(rs::ChooserFilterPrompt));
        m_none->setText(res(rs::ChooserNoMatch));
        measure();
        m_filter->setText(typed);
        filterChanged(typed);
        if (typed.isEmpty()) {
            const QModelIndex chosen =
                m_model->mapFromSource(m_chooser->model()->index(m_chooser->currentIndex(), m_chooser->modelColumn()));
            if (chosen.isValid()) {
                m_view->setCurrentIndex(chosen);
                m_view->scrollTo(chosen, QAbstractItemView::PositionAtCenter);
            }
        }
        show();
        raise();
        m_filter->setFocus(Qt::PopupFocusReason);
    }

    void choose(const QModelIndex& index) {
        if (!index.isValid())
            return;
        const int row = m_model->mapToSource(index).row();
        // Taken before the handler runs, which may refill lists.
        const QString text = m_chooser->itemText(row);
        QPointer<FilterChooser> chooser = m_chooser;
        m_chooser->hidePopup();
        m_chooser->setCurrentIndex(row);
        emit m_chooser->activated(row);
        if (chooser)
            emit chooser->textActivated(text);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != m_filter || event->type() != QEvent::KeyPress)
            return QFrame::eventFilter(watched, event);
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (key->modifiers() & Qt::AltModifier) {
                m_chooser->hidePopup();
                return true;
            }
            QApplication::sendEvent(m_view, event);
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose(m_view->currentIndex());
            return true;
        case Qt::Key_Escape:
        case Qt::Key_F4:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            m_chooser->hidePopup();
            return true;
        default:
            return false;
        }
    }

    void hideEvent(QHideEvent* event) override {
        QFrame::hideEvent(event);
        // The focus goes back to the chooser, as after a choice in any drop-down list.
        if (m_chooser->isVisible())
            m_chooser->setFocus(Qt::PopupFocusReason);
        m_chooser->update();
    }

private:
    void filterChanged(const QString& typed) {
        m_model->setTyped(typed);
        const bool found = m_model->rowCount() > 0;
        if (found)
            m_view->setCurrentIndex(m_model->index(0, m_chooser->modelColumn()));
        m_view->setVisible(found);
        m_none->setVisible(!found);
        place();
    }

    // The width fits the longest entry with its ratings, whatever the filter lets through, so the list
    // keeps its width while the user types.
    void measure() {
        const QAbstractItemModel* entries = m_chooser->model();
        const int column = m_chooser->modelColumn();
        QStyleOptionViewItem option;
        option.initFrom(m_view);
        int widest = 0;
        m_rowHeight = m_view->fontMetrics().height() + 4;
        for (int row = 0; row < entries->rowCount(); ++row) {
            const QSize hint = m_view->itemDelegate()->sizeHint(option, entries->index(row, column));
            widest = std::max(widest, hint.width());
            m_rowHeight = std::max(m_rowHeight, hint.height());
        }
        const int scrollBar = entries->rowCount() > kMaxShownRows
                                  ? m_view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_view)
                                  : 0;
        m_width = std::clamp(widest + scrollBar + 2 * m_view->frameWidth() + 2 * frameWidth() + 12,
                             std::max(m_chooser->width(), m_chooser->view()->minimumWidth()), kMaxListWidth);
    }

    // Below the chooser (above it when the screen ends first), as tall as the entries shown, up to
    // twelve.
    void place() {
        const int rows = std::min(m_model->rowCount(), kMaxShownRows);
        const int list = rows > 0 ? rows * m_rowHeight + 2 * m_view->frameWidth() : m_none->sizeHint().height();
        const int height = m_filter->sizeHint().height() + list + 2 * frameWidth() + 6;
        const QRect screen = m_chooser->screen()->availableGeometry();
        QPoint at = m_chooser->mapToGlobal(QPoint(0, m_chooser->height()));
        if (at.y() + height > screen.bottom()) {
            const QPoint above = m_chooser->mapToGlobal(QPoint(0, -height));
            if (above.y() >= screen.top())
                at = above;
        }
        at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - m_width)));
        setGeometry(QRect(at, QSize(m_width, height)));
    }

    FilterChooser* m_chooser;
    QLineEdit* m_filter;
    QListView* m_view;
    QLabel* m_none; // says that nothing matches, in place of an empty list
    EntryFilter* m_model;
    int m_width = 0;
    int m_rowHeight = 0;
};

FilterChooser::FilterChooser(QWidget* parent) : QComboBox(parent) {}

FilterChooser::~FilterChooser() = default;

void FilterChooser::setRatingSource(std::function<QHash<QString, QString>()> source) {
    m_ratings = std::move(source);
}

void FilterChooser::showPopup() {
    openList(QString());
}

void FilterChooser::openList(const QString& typed) {
    if (count() == 0)
        return;
    if (m_ratings) {
        const QHash<QString, QString> ratings = m_ratings();
        for (int i = 0; i < count(); ++i)
            setItemData(i, ratings.value(itemText(i)), kRatingRole);
    }
    if (!m_popup)
        m_popup = new ChooserPopup(this);
    m_popup->open(typed);
}

void FilterChooser::hidePopup() {
    if (m_popup && m_popup->isVisible())
        m_popup->hide();
    QComboBox::hidePopup();
}

QLineEdit* FilterChooser::filterField() const {
    return m_popup ? m_popup->filter() : nullptr;
}

QListView* FilterChooser::listView() const {
    return m_popup ? m_popup->view() : nullptr;
}

bool FilterChooser::isListOpen() const {
    return m_popup && m_popup->isVisible();
}

QStringList FilterChooser::shownEntries() const {
    QStringList entries;
    if (!isListOpen())
        return entries;
    const QAbstractItemModel* shown = m_popup->view()->model();
    for (int row = 0; row < shown->rowCount(); ++row)
        entries.append(shown->index(row, modelColumn()).data(Qt::DisplayRole).toString());
    return entries;
}

void FilterChooser::chooseShown(int row) {
    if (isListOpen())
        m_popup->choose(m_popup->view()->model()->index(row, modelColumn()));
}

// Letters and digits typed into the closed chooser open the list filtered by them; every other key
// (arrows, space, F4) keeps its usual meaning.
void FilterChooser::keyPressEvent(QKeyEvent* event) {
    const QString typed = event->text();
    const bool command = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    if (!command && !typed.isEmpty() && typed.at(0).isPrint() && !typed.at(0).isSpace()) {
        openList(typed);
        event->accept();
        return;
    }
    QComboBox::keyPressEvent(event);
}

QString FilterChooser::shownText(bool* isPrompt) const {
    const bool prompt = currentIndex() < 0 && !placeholderText().isEmpty();
    if (isPrompt)
        *isPrompt = prompt;
    return prompt ? placeholderText() : currentText();
}

QRect FilterChooser::textRect() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this).adjusted(1, 0, -1, 0);
}

QString FilterChooser::clippedText() const {
    const QString text = shownText();
    return fontMetrics().horizontalAdvance(text) > textRect().width() ? text : QString();
}

// As the toolkit paints a chooser, with a text that does not fit cut with an ellipsis.
void FilterChooser::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    bool prompt = false;
    option.currentText = shownText(&prompt);
    if (prompt)
        option.palette.setBrush(QPalette::ButtonText, option.palette.placeholderText());
    option.currentText = fontMetrics().elidedText(option.currentText, Qt::ElideRight, textRect().width());
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

bool FilterChooser::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip && toolTip().isEmpty()) {
        const QString full = clippedText();
        if (full.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), full, this);
        return true;
    }
    return QComboBox::event(event);
}

} // namespace tarvel
