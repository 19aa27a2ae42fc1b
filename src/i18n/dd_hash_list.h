#pragma once

#include "i18n/dd_types.h"

#include <QByteArray>

#include <unordered_map>

namespace tarvel {

// What Add does with a key that is already present.
enum class TDDDuplicateMode {
    Error,   // raise EHashList: the build's policy, so a file never holds two texts for one key
    Replace, // the new value wins
    Ignore,  // the first value stays
};

// The entry table of one dictionary. Keys are "DDKey TAB CodePage TAB SeqNo" as 8-bit bytes and
// compare byte for byte: no case folding, no trimming, so a " 936" row never answers "936".
class TAcroHashList {
public:
    // The number of slots the key hash is reduced to.
    static constexpr quint32 kSlotCount = 10243;

    // The key hash over the key's bytes (taken unsigned), before the reduction to a slot.
    static quint32 Hash(const QByteArray& key);
    static quint32 Slot(const QByteArray& key) { return Hash(key) % kSlotCount; }
    static QByteArray MakeKey(const QByteArray& ddKey, const QByteArray& codePage, const QByteArray& seqNo);

    // True when the value was stored (added or replaced). A duplicate in Error mode raises EHashList
    // "Duplicate hash list entry: <key>".
    bool Add(const QByteArray& key, const TDDValue& value, TDDDuplicateMode mode = TDDDuplicateMode::Error);
    // The stored value, or null when the key is absent.
    const TDDValue* Find(const QByteArray& key) const;
    int Count() const { return static_cast<int>(m_entries.size()); }
    void Clear() { m_entries.clear(); }

private:
    struct KeyHash {
        size_t operator()(const QByteArray& key) const { return TAcroHashList::Hash(key); }
    };
    std::unordered_map<QByteArray, TDDValue, KeyHash> m_entries;
};

} // namespace tarvel
