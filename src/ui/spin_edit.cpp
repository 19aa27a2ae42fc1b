#include "ui/spin_edit.h"

#include "design/number_format.h"

#include <QEvent>
#include <QLineEdit>

#include <algorithm>

namespace tarvel {

SpinEdit::SpinEdit(int minimum, int maximum, int value, QWidget* parent)
    : QAbstractSpinBox(parent), m_minimum(minimum), m_maximum(maximum) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
    lineEdit()->setText(QString::number(value));
    connect(lineEdit(), &QLineEdit::textChanged, this, &SpinEdit::textChanged);
}

QString SpinEdit::text() const {
    return lineEdit()->text();
}

void SpinEdit::setText(const QString& text) {
    lineEdit()->setText(text);
}

std::optional<int> SpinEdit::number() const {
    const std::optional<int> typed = parseInt(text());
    if (typed && *typed >= m_minimum && *typed <= m_maximum)
        return typed;
    return std::nullopt;
}

int SpinEdit::value() const {
    try {
        return textToInt(text());
    } catch (const ConversionError&) {
        return m_minimum;
    }
}

void SpinEdit::stepBy(int steps) {
    if (isReadOnly())
        return;
    const long long next = static_cast<long long>(value()) + steps;
    setText(QString::number(std::clamp<long long>(next, m_minimum, m_maximum)));
    selectAll();
}

QValidator::State SpinEdit::validate(QString& input, int&) const {
    for (qsizetype i = 0; i < input.size(); ++i) {
        const QChar c = input[i];
        if (!(c.isDigit() && c.unicode() < 128) && c != u'-' && c != u'+')
            return QValidator::Invalid;
    }
    return QValidator::Acceptable;
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const {
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (value() < m_maximum)
        enabled |= StepUpEnabled;
    if (value() > m_minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void SpinEdit::focusOutEvent(QFocusEvent* event) {
    try {
        const int typed = textToInt(text());
        const int inRange = std::clamp(typed, m_minimum, m_maximum);
        if (inRange != typed)
            setText(QString::number(inRange));
    } catch (const ConversionError&) {
        // An empty field or a lone sign stays as it is; its handlers ignore it.
    }
    QAbstractSpinBox::focusOutEvent(event);
}

void SpinEdit::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ReadOnlyChange)
        setFocusPolicy(isReadOnly() ? Qt::ClickFocus : Qt::WheelFocus);
    QAbstractSpinBox::changeEvent(event);
}

} // namespace tarvel
