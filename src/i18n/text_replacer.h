#pragma once

#include <QFont>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <stdexcept>

namespace tarvel {

class TCustomMultiDD;

// Which dictionary entries a replacement uses.
class TCustomMultiReplaceOption {
public:
    QString DDName;
    QString SeqNo = QStringLiteral("0");

    QString CodePage() const { return m_codePage; }
    // Ignored while SystemCodePage is on.
    void setCodePage(const QString& codePage);
    bool SystemCodePage() const { return m_systemCodePage; }
    // On: the code page becomes the system's and stays so.
    void setSystemCodePage(bool on);

private:
    QString m_codePage;
    bool m_systemCodePage = false;
};

// A replacement option with the parts of a form it reaches and an optional font for every control.
class TMultiReplaceOption : public TCustomMultiReplaceOption {
public:
    QFont Font;
    bool ReplaceSelf = true;  // the object itself
    bool ReplaceOwned = true; // the objects it owns (its object tree)
    bool ReplaceSon = true;   // its child controls
    bool ReplaceFont = false; // give every control replaced the option's font
};

struct TReplaceCom {
    QPointer<QObject> Component;
    TMultiReplaceOption ReplaceOption;
    bool UseOwnerReplaceOption = true;
};

struct TUnReplaceCom {
    QPointer<QObject> Component;
};

class ReplacerError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TAcroMultiReplacer;

// The options every form of the program stores for its replacer: the program's dictionary, sequence
// number "0" and the form font; the code page is set from the interface language at creation.
void useStoredFormOptions(TAcroMultiReplacer& replacer);

// The replacer of one form's interface texts: it walks the form's objects and, through the class
// hook of each object's class, translates their text properties with the dictionary. Texts are always
// translated from the text a property held when first seen, so replacing again in another language
// works from the design texts.
class TAcroMultiReplacer : public QObject {
    Q_OBJECT
public:
    explicit TAcroMultiReplacer(QObject* owner);

    // Components replaced with their own option before the owner pass. Adding a component that is
    // already listed, here or in UnReplaceComs, raises ReplacerError and adds nothing.
    void addReplaceCom(QObject* component, bool useOwnerReplaceOption = true,
                       const TMultiReplaceOption& option = TMultiReplaceOption());
    // Components excluded together with everything below them.
    void addUnReplaceCom(QObject* component);
    const QList<TReplaceCom>& ReplaceComs() const { return m_replaceComs; }
    const QList<TUnReplaceCom>& UnReplaceComs() const { return m_unReplaceComs; }

    bool IsCheckDuplicateReplace = false; // skip objects already replaced once
    bool AutoReplace = true;              // the owner form replaces as soon as its controls exist

    TMultiReplaceOption& OwnerOption() { return m_ownerOption; }
    const TMultiReplaceOption& OwnerOption() const { return m_ownerOption; }

    std::function<void(TAcroMultiReplacer*)> OnBeforeReplace;
    std::function<void(TAcroMultiReplacer*)> OnAfterReplaced;

    // Applies the dictionary to the listed components, then to the owner form.
    void Replace();

private:
    bool isExcluded(const QObject* object) const;
    bool listed(const QObject* component) const;
    void ReplaceObject(QObject* object, const TMultiReplaceOption& option, TCustomMultiDD* dictionary);
    void walkOwned(QObject* object, const TMultiReplaceOption& option, TCustomMultiDD* dictionary);
    void walkChildren(QObject* object, const TMultiReplaceOption& option, TCustomMultiDD* dictionary);
    void replaceWith(QObject* component, const TMultiReplaceOption& option, bool self);

    QList<TReplaceCom> m_replaceComs;
    QList<TUnReplaceCom> m_unReplaceComs;
    TMultiReplaceOption m_ownerOption;
};

} // namespace tarvel
