#pragma once

#include <QComboBox>
#include <QHash>

#include <functional>

class QLineEdit;
class QListView;

namespace tarvel {

class ChooserPopup;

// A drop-down chooser for long lists (countries, cities, inverters, makers, module types). Typing
// while it has the focus opens its list with what was typed as a filter: the list keeps the entries
// whose names contain every typed word anywhere, ignoring case and accents. Choosing from the filtered
// list selects the entry and emits `activated` exactly as a choice from the full list does; closing
// the list without a choice changes nothing. The chooser's text is always the plain entry name; a
// name too long for the closed chooser is cut with an ellipsis and shown whole in its tooltip.
class FilterChooser : public QComboBox {
    Q_OBJECT
public:
    explicit FilterChooser(QWidget* parent = nullptr);
    ~FilterChooser() override;

    // The data role of an entry's ratings, shown beside its name in the open list only.
    static constexpr int kRatingRole = Qt::UserRole + 40;
    // Gives the entries their ratings (entry name -> text) each time the list opens.
    void setRatingSource(std::function<QHash<QString, QString>()> source);

    void showPopup() override;
    void hidePopup() override;

    // The open list, for the keyboard and for tests: its filter field, its view (rows are the entries
    // that pass the filter) and whether it is open.
    QLineEdit* filterField() const;
    QListView* listView() const;
    bool isListOpen() const;
    // The entries the open list shows, in order.
    QStringList shownEntries() const;

    // Selects entry `row` of the filtered list as a user's choice.
    void chooseShown(int row);

    // The whole text of the closed chooser when it is too long to show (its tooltip); else empty.
    QString clippedText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The text of the closed chooser: the chosen name, else the prompt.
    QString shownText(bool* isPrompt = nullptr) const;
    QRect textRect() const;
    void openList(const QString& typed);

    ChooserPopup* m_popup = nullptr;
    std::function<QHash<QString, QString>()> m_ratings;
};

} // namespace tarvel
