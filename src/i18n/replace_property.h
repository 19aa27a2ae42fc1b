#pragma once

#include <QString>
#include <QVariant>

#include <functional>

class QObject;
class QWidget;

namespace tarvel {

class TCustomMultiDD;

// The text of one property as first seen, and the translation last written to it.
struct TDDKeyStore {
    QString SourceText;
    QVariant LastValue;
};

// The process-wide source-text store: for each (object, property) pair the text the property held when
// the pair was first seen. Every later replacement translates from that text, so a property is always
// translated from its design text even after a translation has been written to it. An object's entries
// go when the object is destroyed, on whatever thread that happens.
class TMultiDDKeyStorage {
public:
    static TMultiDDKeyStorage& instance();

    // The entry of the pair, created with `text` as its source text when it is new.
    TDDKeyStore entry(QObject* object, const QString& propertyName, const QString& text);
    void setLastValue(QObject* object, const QString& propertyName, const QVariant& value);
    bool contains(const QObject* object, const QString& propertyName) const;
    // Every source text held (for tests and for checking the dictionary's coverage).
    QStringList sourceTexts() const;
    int count() const;

private:
    TMultiDDKeyStorage() = default;
};

// Looks `key` up in the dictionary; a dictionary that cannot be built is reported once through the
// failure handler and from then on leaves every text unchanged.
QString lookupText(TCustomMultiDD* dictionary, const QString& key, const QString& codePage,
                   const QString& seqNo, bool fromResource = false);

// Called once for each dictionary that cannot be built, with the error's text.
void setDictionaryFailureHandler(std::function<void(const QString& message)> handler);
// Forgets which dictionaries failed (a rebuilt dictionary file is tried again).
void resetDictionaryFailures();

// The main window, for the rule that a display text "专案" names the class of its object in the main
// window's caption.
void setReplacementMainWindow(QWidget* mainWindow);

// One text property of one object: the translation of its source text, remembered as LastValue.
QString ReplaceProperty(TCustomMultiDD* dictionary, const QString& text, const QString& codePage,
                        const QString& seqNo, QObject* object, const QString& propertyName);

} // namespace tarvel
