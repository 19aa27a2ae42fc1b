#include "i18n/replace_property.h"

#include "i18n/multi_dd.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <mutex>
#include <set>

namespace tarvel {
namespace {

using PairKey = std::pair<const QObject*, QString>;

struct StoreState {
    std::mutex mutex;
    std::map<PairKey, TDDKeyStore> entries;
    std::set<const QObject*> watched;
};

StoreState& store() {
    static StoreState* state = new StoreState; // lives to the end of the process, past every object
    return *state;
}

void purge(const QObject* object) {
    StoreState& s = store();
    std::lock_guard lock(s.mutex);
    auto it = s.entries.lower_bound({object, QString()});
    while (it != s.entries.end() && it->first.first == object)
        it = s.entries.erase(it);
    s.watched.erase(object);
}

struct FailureState {
    std::mutex mutex;
    std::set<QString> failed;
    std::function<void(const QString&)> handler;
};

FailureState& failures() {
    static FailureState state;
    return state;
}

QPointer<QWidget>& mainWindow() {
    static QPointer<QWidget> window;
    return window;
}

// The text that, as a translation, names the replaced object's class in the main window's caption.
const QString kClassNameMarker = QStringLiteral("专案");

} // namespace

TMultiDDKeyStorage& TMultiDDKeyStorage::instance() {
    static TMultiDDKeyStorage storage;
    return storage;
}

TDDKeyStore TMultiDDKeyStorage::entry(QObject* object, const QString& propertyName, const QString& text) {
    StoreState& s = store();
    bool watch = false;
    TDDKeyStore result;
    {
        std::lock_guard lock(s.mutex);
        auto [it, inserted] =
            s.entries.try_emplace(PairKey{object, propertyName}, TDDKeyStore{text, QVariant()});
        result = it->second;
        watch = s.watched.insert(object).second;
    }
    // No entry may outlive its object: a later object at the same address starts afresh.
    if (watch)
        QObject::connect(object, &QObject::destroyed, [object] { purge(object); });
    return result;
}

void TMultiDDKeyStorage::setLastValue(QObject* object, const QString& propertyName, const QVariant& value) {
    StoreState& s = store();
    std::lock_guard lock(s.mutex);
    auto it = s.entries.find(PairKey{object, propertyName});
    if (it != s.entries.end())
        it->second.LastValue = value;
}

bool TMultiDDKeyStorage::contains(const QObject* object, const QString& propertyName) const {
    StoreState& s = store();
    std::lock_guard lock(s.mutex);
    return s.entries.count(PairKey{object, propertyName}) > 0;
}

QStringList TMultiDDKeyStorage::sourceTexts() const {
    StoreState& s = store();
    std::lock_guard lock(s.mutex);
    QStringList texts;
    for (const auto& [key, value] : s.entries)
        texts.append(value.SourceText);
    return texts;
}

int TMultiDDKeyStorage::count() const {
    StoreState& s = store();
    std::lock_guard lock(s.mutex);
    return static_cast<int>(s.entries.size());
}

QString lookupText(TCustomMultiDD* dictionary, const QString& key, const QString& codePage,
                   const QString& seqNo, bool fromResource) {
    if (!dictionary || key.isEmpty())
        return key;
    FailureState& f = failures();
    const QString name = dictionary->DDName();
    {
        std::lock_guard lock(f.mutex);
        if (f.failed.count(name.toLower()))
            return key;
    }
    try {
        return dictionary->TranslateWide(key, codePage, seqNo, fromResource);
    } catch (const std::exception& error) {
        std::function<void(const QString&)> handler;
        {
            std::lock_guard lock(f.mutex);
            f.failed.insert(name.toLower());
            handler = f.handler;
        }
        if (handler)
            handler(QString::fromUtf8(error.what()));
        return key;
    }
}

void setDictionaryFailureHandler(std::function<void(const QString& message)> handler) {
    FailureState& f = failures();
    std::lock_guard lock(f.mutex);
    f.handler = std::move(handler);
}

void resetDictionaryFailures() {
    FailureState& f = failures();
    std::lock_guard lock(f.mutex);
    f.failed.clear();
}

void setReplacementMainWindow(QWidget* window) {
    mainWindow() = window;
}

QString ReplaceProperty(TCustomMultiDD* dictionary, const QString& text, const QString& codePage,
                        const QString& seqNo, QObject* object, const QString& propertyName) {
    TMultiDDKeyStorage& storage = TMultiDDKeyStorage::instance();
    const TDDKeyStore pair = storage.entry(object, propertyName, text);
    const QString result = lookupText(dictionary, pair.SourceText, codePage, seqNo);
    storage.setLastValue(object, propertyName, result);
    if (result == kClassNameMarker && mainWindow())
        mainWindow()->setWindowTitle(QString::fromLatin1(object->metaObject()->className()));
    return result;
}

} // namespace tarvel
