#pragma once

#include <QAbstractSpinBox>

#include <optional>

namespace tarvel {

// An integer field whose handlers work on its text. The text changes only when it differs from the
// old one, and every change (typed or written by code) emits textChanged. The arrows step within the
// range; a typed value outside the range is kept as typed until the field loses focus, then it is
// brought back into the range. Only digits and signs can be typed.
class SpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEdit(int minimum, int maximum, int value, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);
    // The text as the number it stands for, if it is a whole number within the range; a value still
    // being typed (empty, a lone sign, beyond the range) is not yet one.
    std::optional<int> number() const;
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void textChanged(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;
    // A read-only field takes the focus only when clicked: Tab passes it by.
    void changeEvent(QEvent* event) override;

private:
    // The value the text stands for; a text that is no number counts as the minimum, as in the
    // arrows' arithmetic.
    int value() const;

    int m_minimum;
    int m_maximum;
};

} // namespace tarvel
