#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <variant>

namespace tarvel {

// Every failure of the dictionary store: building, reading a dictionary file, naming a dictionary.
// The message is the text the caller reports.
class EMultiDD : public std::runtime_error {
public:
    explicit EMultiDD(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// A key that is already in an entry table. Key() holds the key's bytes with their TABs, which the
// message can only show decoded.
class EHashList : public EMultiDD {
public:
    EHashList(const QString& message, QByteArray key) : EMultiDD(message), m_key(std::move(key)) {}
    const QByteArray& Key() const { return m_key; }

private:
    QByteArray m_key;
};

// A cell of a dictionary file or a display value: null, 8-bit text (bytes in the code page of its
// row) or UTF-16 text. Null and empty are different: an empty cell is null, "" in the file is not.
class TDDValue {
public:
    TDDValue() = default;
    explicit TDDValue(QByteArray bytes) : m_value(std::move(bytes)) {}
    explicit TDDValue(QString text) : m_value(std::move(text)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(m_value); }
    bool isWide() const { return std::holds_alternative<QString>(m_value); }
    // The 8-bit text; empty for null and for UTF-16 values.
    QByteArray bytes() const {
        const QByteArray* bytes = std::get_if<QByteArray>(&m_value);
        return bytes ? *bytes : QByteArray();
    }
    // The UTF-16 text; empty for null and for 8-bit values.
    QString text() const {
        const QString* text = std::get_if<QString>(&m_value);
        return text ? *text : QString();
    }

    bool operator==(const TDDValue&) const = default;

private:
    std::variant<std::monostate, QByteArray, QString> m_value;
};

// The four column names a dictionary reads when it does not use the default ones.
struct TDDFieldsMapping {
    Q_GADGET
    Q_PROPERTY(QString DDKeyField MEMBER DDKeyField)
    Q_PROPERTY(QString CodePageField MEMBER CodePageField)
    Q_PROPERTY(QString SeqNoField MEMBER SeqNoField)
    Q_PROPERTY(QString DisplayValueField MEMBER DisplayValueField)
public:
    QString DDKeyField;
    QString CodePageField;
    QString SeqNoField;
    QString DisplayValueField;

    // The default columns, in this order: "DDKey", "CodePage", "SeqNo", "DisplayValue".
    static TDDFieldsMapping defaults() {
        return {QStringLiteral("DDKey"), QStringLiteral("CodePage"), QStringLiteral("SeqNo"),
                QStringLiteral("DisplayValue")};
    }
    QStringList names() const { return {DDKeyField, CodePageField, SeqNoField, DisplayValueField}; }
    bool operator==(const TDDFieldsMapping&) const = default;
};

} // namespace tarvel
