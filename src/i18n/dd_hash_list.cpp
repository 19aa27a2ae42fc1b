#include "i18n/dd_hash_list.h"

#include "i18n/code_pages.h"

namespace tarvel {

namespace {

// The key's bytes are in the code page its middle part names; the message shows them decoded with
// it where possible so a duplicate Chinese text is readable in the report.
QString keyForMessage(const QByteArray& key) {
    const QList<QByteArray> parts = key.split('\t');
    const int codePage = parts.size() == 3 ? ansiCodePageFor(QString::fromLatin1(parts[1])) : 1252;
    return decodeFromCodePage(key, codePage);
}

} // namespace

quint32 TAcroHashList::Hash(const QByteArray& key) {
    quint32 h = 0;
    for (const char c : key) {
        h = h * 17 + static_cast<unsigned char>(c);
        h |= (h & 0xF0000000u) >> 4;
    }
    return h & 0x7FFFFFFFu;
}

QByteArray TAcroHashList::MakeKey(const QByteArray& ddKey, const QByteArray& codePage,
                                  const QByteArray& seqNo) {
    QByteArray key;
    key.reserve(ddKey.size() + codePage.size() + seqNo.size() + 2);
    key.append(ddKey).append('\t').append(codePage).append('\t').append(seqNo);
    return key;
}

bool TAcroHashList::Add(const QByteArray& key, const TDDValue& value, TDDDuplicateMode mode) {
    const auto [it, added] = m_entries.try_emplace(key, value);
    if (added)
        return true;
    switch (mode) {
    case TDDDuplicateMode::Error:
        throw EHashList(QStringLiteral("Duplicate hash list entry: %1").arg(keyForMessage(key)), key);
    case TDDDuplicateMode::Replace:
        it->second = value;
        return true;
    case TDDDuplicateMode::Ignore:
        break;
    }
    return false;
}

const TDDValue* TAcroHashList::Find(const QByteArray& key) const {
    const auto it = m_entries.find(key);
    return it == m_entries.end() ? nullptr : &it->second;
}

} // namespace tarvel
