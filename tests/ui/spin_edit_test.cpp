#include "ui/spin_edit.h"

#include <QFocusEvent>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(SpinEdit, ArrowsStopAtTheEndsOfTheRange) {
    SpinEdit spin(-91, 89, 0);
    spin.setText(QStringLiteral("88"));
    spin.stepBy(1);
    EXPECT_EQ(spin.text(), QStringLiteral("89"));
    spin.stepBy(1);
    EXPECT_EQ(spin.text(), QStringLiteral("89"));
    spin.setText(QStringLiteral("-90"));
    spin.stepBy(-5);
    EXPECT_EQ(spin.text(), QStringLiteral("-91"));
}

TEST(SpinEdit, ATypedValueOutsideTheRangeIsKeptUntilFocusLeaves) {
    SpinEdit spin(0, 89, 0);
    QSignalSpy changes(&spin, &SpinEdit::textChanged);
    spin.setText(QStringLiteral("120"));
    EXPECT_EQ(spin.text(), QStringLiteral("120"));
    QFocusEvent focusOut(QEvent::FocusOut);
    QCoreApplication::sendEvent(&spin, &focusOut);
    EXPECT_EQ(spin.text(), QStringLiteral("89"));
    EXPECT_EQ(changes.count(), 2);
    // An empty field stays empty.
    spin.setText(QString());
    QCoreApplication::sendEvent(&spin, &focusOut);
    EXPECT_EQ(spin.text(), QString());
}

TEST(SpinEdit, OnlyChangedTextsAreSignalled) {
    SpinEdit spin(0, 600, 0);
    QSignalSpy changes(&spin, &SpinEdit::textChanged);
    spin.setText(QStringLiteral("0"));
    EXPECT_EQ(changes.count(), 0);
    spin.setText(QStringLiteral("5"));
    EXPECT_EQ(changes.count(), 1);
}

TEST(SpinEdit, OnlyDigitsAndSignsCanBeEntered) {
    SpinEdit spin(0, 600, 0);
    int pos = 0;
    QString ok = QStringLiteral("-12");
    QString letters = QStringLiteral("1a");
    QString point = QStringLiteral("1.5");
    EXPECT_EQ(spin.validate(ok, pos), QValidator::Acceptable);
    EXPECT_EQ(spin.validate(letters, pos), QValidator::Invalid);
    EXPECT_EQ(spin.validate(point, pos), QValidator::Invalid);
}

TEST(SpinEdit, AReadOnlyFieldDoesNotStep) {
    SpinEdit spin(0, 600, 3);
    spin.setReadOnly(true);
    spin.stepBy(1);
    EXPECT_EQ(spin.text(), QStringLiteral("3"));
}

} // namespace
} // namespace tarvel
