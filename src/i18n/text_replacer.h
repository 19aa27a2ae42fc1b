#pragma once

#include <QObject>
#include <QString>

namespace tarvel {

// The per-form replacer of interface texts: each form gives it the code page of the interface
// language and asks it to replace the texts of the form and its children.
class TAcroMultiReplacer : public QObject {
    Q_OBJECT
public:
    struct Option {
        QString DDName = QStringLiteral("DD_Resource");
        QString CodePage;
        QString SeqNo = QStringLiteral("0");
    };

    explicit TAcroMultiReplacer(QObject* owner);

    Option& OwnerOption() { return m_ownerOption; }
    const Option& OwnerOption() const { return m_ownerOption; }

    // Replaces the interface texts of the owner form with the dictionary's texts for OwnerOption.
    // Until the dictionary exists the design texts stay as they are.
    void Replace();

private:
    Option m_ownerOption;
};

} // namespace tarvel
