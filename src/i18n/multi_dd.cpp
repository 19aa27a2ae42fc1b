#include "i18n/multi_dd.h"

#include "i18n/code_pages.h"
#include "i18n/dd_formats.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace tarvel {

namespace {

int compareNames(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive);
}

} // namespace

// --- registry --------------------------------------------------------------------------------------

TAcroMultiDDStorage& TAcroMultiDDStorage::instance() {
    // Never destroyed: dictionaries owned by other statics leave it during shutdown.
    static auto* storage = new TAcroMultiDDStorage;
    return *storage;
}

std::vector<std::pair<QString, TCustomMultiDD*>>::const_iterator
TAcroMultiDDStorage::findLocked(const QString& name) const {
    const auto it = std::lower_bound(
        m_dictionaries.begin(), m_dictionaries.end(), name,
        [](const auto& entry, const QString& key) { return compareNames(entry.first, key) < 0; });
    if (it != m_dictionaries.end() && compareNames(it->first, name) == 0)
        return it;
    return m_dictionaries.end();
}

void TAcroMultiDDStorage::insertLocked(const QString& name, TCustomMultiDD* dd) {
    const auto it = std::upper_bound(
        m_dictionaries.begin(), m_dictionaries.end(), name,
        [](const QString& key, const auto& entry) { return compareNames(key, entry.first) < 0; });
    m_dictionaries.insert(it, {name, dd});
}

TCustomMultiDD* TAcroMultiDDStorage::FindDD(const QString& name) const {
    std::lock_guard lock(m_mutex);
    const auto it = findLocked(name);
    return it == m_dictionaries.end() ? nullptr : it->second;
}

QStringList TAcroMultiDDStorage::DDNames() const {
    std::lock_guard lock(m_mutex);
    QStringList names;
    for (const auto& entry : m_dictionaries)
        names.append(entry.first);
    return names;
}

QString TAcroMultiDDStorage::addUnderDefaultName(TCustomMultiDD* dd) {
    std::lock_guard lock(m_mutex);
    for (int number = 0;; ++number) {
        const QString name = QStringLiteral("DD%1").arg(number);
        if (findLocked(name) == m_dictionaries.end()) {
            insertLocked(name, dd);
            return name;
        }
    }
}

void TAcroMultiDDStorage::rename(TCustomMultiDD* dd, const QString& newName) {
    std::lock_guard lock(m_mutex);
    const auto holder = findLocked(newName);
    if (holder != m_dictionaries.end() && holder->second != dd)
        throw EMultiDD(QStringLiteral("data dictionary: \"%1\" already exists.").arg(newName));
    std::erase_if(m_dictionaries, [dd](const auto& entry) { return entry.second == dd; });
    insertLocked(newName, dd);
}

void TAcroMultiDDStorage::remove(TCustomMultiDD* dd) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_dictionaries, [dd](const auto& entry) { return entry.second == dd; });
}

void TAcroMultiDDStorage::AddReplaced(const QObject* object) {
    std::lock_guard lock(m_mutex);
    m_replaced.insert(object);
}

void TAcroMultiDDStorage::RemoveReplaced(const QObject* object) {
    std::lock_guard lock(m_mutex);
    const auto it = m_replaced.find(object);
    if (it != m_replaced.end())
        m_replaced.erase(it);
}

bool TAcroMultiDDStorage::IsReplaced(const QObject* object) const {
    std::lock_guard lock(m_mutex);
    return m_replaced.contains(object);
}

int TAcroMultiDDStorage::ReplacedCount() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_replaced.size());
}

// --- dictionary ------------------------------------------------------------------------------------

TCustomMultiDD::TCustomMultiDD(QObject* owner) : QObject(owner), m_events(new TAcroMultiDDEvents(this)) {
    m_events->setObjectName(QStringLiteral("SelfEvents"));
    m_name = TAcroMultiDDStorage::instance().addUnderDefaultName(this);
}

TCustomMultiDD::~TCustomMultiDD() {
    TAcroMultiDDStorage::instance().remove(this);
    Clear();
}

void TCustomMultiDD::setDDName(const QString& name) {
    if (name.isEmpty() || name == m_name)
        return;
    TAcroMultiDDStorage::instance().rename(this, name);
    m_name = name;
}

TDDFieldsMapping TCustomMultiDD::columns() const {
    return m_useDefaultFields ? TDDFieldsMapping::defaults() : m_fieldsMapping;
}

void TCustomMultiDD::noteCodePage(const QByteArray& codePage) {
    if (codePage.isEmpty())
        return;
    const auto it = std::lower_bound(m_codePages.begin(), m_codePages.end(), codePage);
    if (it == m_codePages.end() || *it != codePage)
        m_codePages.insert(it, codePage);
}

void TCustomMultiDD::BuildDD() {
    TAcroMultiDDEvents::RaiseBeforeBuildDD(this);
    Clear();
    m_building = true;
    try {
        doBuild();
    } catch (...) {
        m_building = false;
        // Rows read before the failure are never answered from.
        Clear();
        throw;
    }
    m_building = false;
    m_loaded = true;
    TAcroMultiDDEvents::RaiseAfterBuildDD(this);
}

void TCustomMultiDD::Clear() {
    m_entries.Clear();
    m_codePages.clear();
    m_loaded = false;
}

TDDLookupResult TCustomMultiDD::Lookup(const QByteArray& ddKey, const QByteArray& codePage, bool fromResource,
                                       const QByteArray& seqNo) {
    // A listener that looks up during the build sees the rows read so far instead of starting
    // another build inside this one.
    if (!m_loaded && !m_building)
        BuildDD();
    if (const TDDValue* value = m_entries.Find(TAcroHashList::MakeKey(ddKey, codePage, seqNo)))
        return {*value, true};
    TAcroMultiDDEvents::RaiseNotFoundDisplayValue(this, ddKey, codePage, fromResource, seqNo);
    return {TDDValue(ddKey), false};
}

QByteArray TCustomMultiDD::Translate(const QByteArray& ddKey, const QByteArray& codePage,
                                     const QByteArray& seqNo) {
    const TDDValue value = Lookup(ddKey, codePage, false, seqNo).Value;
    if (value.isWide())
        return encodeToCodePage(value.text(), codePageNumber(QString::fromLatin1(codePage)));
    return value.bytes();
}

QString TCustomMultiDD::TranslateWide(const QString& key, const QString& codePage, const QString& seqNo,
                                      bool fromResource) {
    const int ansi = ansiCodePageFor(codePage);
    const TDDLookupResult result = Lookup(encodeToCodePage(key, ansi), encodeToCodePage(codePage, ansi),
                                          fromResource, encodeToCodePage(seqNo, ansi));
    if (!result.Found)
        return key;
    if (result.Value.isWide())
        return result.Value.text();
    if (result.Value.isNull())
        return QString();
    return decodeFromCodePage(result.Value.bytes(), codePageNumber(codePage));
}

// --- reader-based dictionary -----------------------------------------------------------------------

TCustomMultiReaderDD::TCustomMultiReaderDD(QObject* owner) : TCustomMultiDD(owner) {}

TDDReaderClass TCustomMultiReaderDD::chooseReaderClass(const QString& fileName) const {
    if (m_readerClass)
        return m_readerClass;
    const TStreamDDReaderWriterStorage& formats = TStreamDDReaderWriterStorage::instance();
    if (!m_readerID.isEmpty()) {
        const auto row = formats.FindByReaderID(m_readerID);
        if (!row || !row->ReaderClass)
            throw EMultiDD(QStringLiteral("dictionary reader ID \"%1\" ,not registered!").arg(m_readerID));
        return row->ReaderClass;
    }
    const QString extension = QFileInfo(fileName).suffix();
    const auto row = formats.FindByExtension(extension);
    if (!row || !row->ReaderClass)
        throw EMultiDD(
            QStringLiteral("dictionary reader for file extention \"%1\" ,not registered!").arg(extension));
    return row->ReaderClass;
}

namespace {

enum Column { kKeyColumn, kCodePageColumn, kSeqNoColumn, kValueColumn, kColumnCount };

struct ReadBracket {
    explicit ReadBracket(IDDReader& reader) : reader(reader) { reader.BeginRead(); }
    ~ReadBracket() { reader.EndRead(); }
    IDDReader& reader;
};

TDDValue cellOf(const IDDReader& reader, int index) {
    return index < 0 ? TDDValue() : reader.FieldValue(index);
}

} // namespace

void TCustomMultiReaderDD::readEntries(IDDReader& reader) {
    const QStringList names = columns().names();
    int index[kColumnCount] = {-1, -1, -1, -1};
    for (int field = 0; field < reader.FieldCount(); ++field) {
        for (int column = 0; column < kColumnCount; ++column) {
            // A later header cell of the same name wins.
            if (compareNames(reader.FieldName(field), names[column]) == 0)
                index[column] = field;
        }
    }
    // A file without records loads nothing, whatever its header holds.
    if (reader.RecordCount() <= 0)
        return;
    for (const Column required : {kKeyColumn, kValueColumn}) {
        if (index[required] < 0)
            throw EMultiDD(QStringLiteral("field \"%1\" not found!").arg(names[required]));
    }

    const bool unicodeFile = reader.IsUnicode();
    ReadBracket bracket(reader);
    for (reader.First(); !reader.Eof(); reader.Next()) {
        QByteArray ddKey;
        QByteArray codePage;
        QByteArray seqNo;
        QString codePageText;
        if (unicodeFile) {
            codePageText = cellOf(reader, index[kCodePageColumn]).text();
            const int ansi = ansiCodePageFor(codePageText);
            ddKey = encodeToCodePage(cellOf(reader, index[kKeyColumn]).text(), ansi);
            codePage = encodeToCodePage(codePageText, ansi);
            seqNo = encodeToCodePage(cellOf(reader, index[kSeqNoColumn]).text(), ansi);
        } else {
            ddKey = cellOf(reader, index[kKeyColumn]).bytes();
            codePage = cellOf(reader, index[kCodePageColumn]).bytes();
            seqNo = cellOf(reader, index[kSeqNoColumn]).bytes();
            codePageText = QString::fromLatin1(codePage);
        }
        TDDValue value = reader.FieldValue(index[kValueColumn]);
        noteCodePage(codePage);
        if (!TAcroMultiDDEvents::RaiseBuildingDD(this, ddKey, codePage, seqNo))
            continue;
        // Values are kept in the form IsUnicode asks for; the row's CodePage says how to convert.
        if (!value.isNull() && IsUnicode() && !unicodeFile)
            value = TDDValue(decodeFromCodePage(value.bytes(), codePageNumber(codePageText)));
        else if (!value.isNull() && !IsUnicode() && unicodeFile)
            value = TDDValue(encodeToCodePage(value.text(), codePageNumber(codePageText)));
        addEntry(TAcroHashList::MakeKey(ddKey, codePage, seqNo), value);
    }
}

// --- file dictionary -------------------------------------------------------------------------------

TAcroMultiFileDD::TAcroMultiFileDD(QObject* owner) : TCustomMultiReaderDD(owner) {}

void TAcroMultiFileDD::setFileName(const QString& fileName) {
    m_fileName = fileName;
    if (m_loading)
        return;
    if (const auto row =
            TStreamDDReaderWriterStorage::instance().FindByExtension(QFileInfo(fileName).suffix()))
        setDDReaderID(row->ReaderID);
}

namespace {

QString joinPath(const QString& directory, const QString& fileName) {
    if (directory.endsWith(u'/') || directory.endsWith(QDir::separator()))
        return directory + fileName;
    return directory + u'/' + fileName;
}

bool isFile(const QString& path) {
    return QFileInfo(path).isFile();
}

} // namespace

QString TAcroMultiFileDD::LocateFile(const QString& fileName) {
    QString candidate = fileName;
    if (isFile(candidate))
        return candidate;
    // A name that already says where it is is not searched for elsewhere.
    if (fileName.startsWith(QStringLiteral("\\\\")) || fileName.contains(u':') ||
        QDir::isAbsolutePath(fileName))
        return candidate;
    const QString executableDirectory = QCoreApplication::applicationDirPath();
    if (!executableDirectory.isEmpty()) {
        candidate = joinPath(executableDirectory, fileName);
        if (isFile(candidate))
            return candidate;
    }
    const QStringList path = qEnvironmentVariable("PATH").split(QDir::listSeparator(), Qt::SkipEmptyParts);
    for (const QString& directory : path) {
        candidate = joinPath(directory, fileName);
        if (isFile(candidate))
            return candidate;
    }
    return candidate;
}

void TAcroMultiFileDD::doBuild() {
    const TDDReaderClass readerClass = chooseReaderClass(m_fileName);
    const QString path = LocateFile(m_fileName);
    QByteArray data;
    {
        // The whole file is read at once, so it is not held open while the rows are parsed.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw EMultiDD(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
        data = file.readAll();
        if (file.error() != QFileDevice::NoError)
            throw EMultiDD(QStringLiteral("Cannot open file \"%1\". %2").arg(path, file.errorString()));
    }
    const std::unique_ptr<IDDReader> reader = readerClass(data);
    readEntries(*reader);
}

// --- convenience -----------------------------------------------------------------------------------

QString translateText(const QString& ddName, const QString& key, const QString& codePage,
                      const QString& seqNo, bool fromResource) {
    TCustomMultiDD* dd = TAcroMultiDDStorage::instance().FindDD(ddName);
    if (!dd)
        return key;
    return dd->TranslateWide(key, codePage, seqNo, fromResource);
}

} // namespace tarvel
