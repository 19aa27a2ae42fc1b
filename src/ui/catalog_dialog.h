#pragma once

#include "app/app_context.h"

#include <QDialog>
#include <QValidator>

#include <vector>

class QGridLayout;
class QLineEdit;
class QPushButton;

namespace tarvel {

class TAcroMultiReplacer;

// Keeps only the characters a field accepts, whether typed or pasted; anything else is dropped
// silently (Enter and Backspace are keys, not text, and always work).
class CharacterFilter : public QValidator {
    Q_OBJECT
public:
    enum class Accepts { Unsigned, Signed }; // digits and '.'; Signed also '-'
    CharacterFilter(Accepts accepts, QObject* parent);
    State validate(QString& input, int& pos) const override;

private:
    Accepts m_accepts;
};

// What the three catalog dialogs share: numbered edit fields, the emptiness check, the message boxes
// and the interface language.
class CatalogDialog : public QDialog {
    Q_OBJECT
public:
    CatalogDialog(AppContext& context, const QString& caption, int fieldCount, QWidget* parent);

    QLineEdit* field(int number) const { return m_fields[static_cast<std::size_t>(number - 1)]; }
    int fieldCount() const { return static_cast<int>(m_fields.size()); }

protected:
    // A caption and field in a grid row; the field's object name is "Edit<number>".
    QLineEdit* addField(QGridLayout* grid, int row, int number, const QString& caption, int column = 0);
    void filter(int first, int last, CharacterFilter::Accepts accepts);
    // The first empty field, checked in order, gets the focus and the "not filled" message.
    bool allFieldsFilled();
    void clearFields();
    void showMessage(const QString& text);
    // The replacer records the design texts once the subclass has built its controls.
    void componentsLoaded();
    void applyLanguage();
    QPushButton* makeButton(const char* name, const char* caption);
    // The field's text as a number; throws ConversionError after giving the field the focus.
    double number(int fieldNumber) const;
    // The same for a number that must lie in low..high (strictly above low when `aboveLow`); a value
    // outside would make nonsense of every result computed from the catalog row.
    double numberIn(int fieldNumber, double low, double high, bool aboveLow = false) const;
    // A number above 0: a power, a voltage, a current, an area.
    double positive(int fieldNumber) const;

    AppContext& m_ctx;
    TAcroMultiReplacer* LangReplacer;

private:
    std::vector<QLineEdit*> m_fields;
};

} // namespace tarvel
