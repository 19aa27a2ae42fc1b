#pragma once

#include "i18n/dd_events.h"
#include "i18n/dd_hash_list.h"
#include "i18n/dd_readers.h"
#include "i18n/dd_types.h"

#include <QByteArrayList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <mutex>
#include <set>
#include <utility>
#include <vector>

namespace tarvel {

class TCustomMultiDD;

// The registry of the process: every dictionary under its name (names compare without regard to
// case), and the objects whose texts were already replaced. It lives to the end of the process.
// Every operation takes the registry's lock: objects leave the replaced list from whatever thread
// destroys them.
class TAcroMultiDDStorage {
public:
    static TAcroMultiDDStorage& instance();

    // The dictionary of that name, or null.
    TCustomMultiDD* FindDD(const QString& name) const;
    // The names in registry order (sorted without regard to case).
    QStringList DDNames() const;

    // The replaced objects are a multiset of identities: an object replaced twice stays replaced
    // until it is removed twice.
    void AddReplaced(const QObject* object);
    // Removes one occurrence; an absent object is ignored.
    void RemoveReplaced(const QObject* object);
    bool IsReplaced(const QObject* object) const;
    int ReplacedCount() const;

private:
    friend class TCustomMultiDD;
    TAcroMultiDDStorage() = default;

    QString addUnderDefaultName(TCustomMultiDD* dd);
    void rename(TCustomMultiDD* dd, const QString& newName);
    void remove(TCustomMultiDD* dd);
    std::vector<std::pair<QString, TCustomMultiDD*>>::const_iterator findLocked(const QString& name) const;
    void insertLocked(const QString& name, TCustomMultiDD* dd);

    mutable std::mutex m_mutex;
    std::vector<std::pair<QString, TCustomMultiDD*>> m_dictionaries; // sorted by name, ignoring case
    std::multiset<const QObject*> m_replaced;
};

struct TDDLookupResult {
    TDDValue Value;
    bool Found = false;
};

// The dictionary operations the replacement code uses.
class IMultiDD {
public:
    virtual ~IMultiDD() = default;
    virtual QString DDName() const = 0;
    virtual TDDLookupResult Lookup(const QByteArray& ddKey, const QByteArray& codePage, bool fromResource,
                                   const QByteArray& seqNo) = 0;
    virtual QByteArray Translate(const QByteArray& ddKey, const QByteArray& codePage,
                                 const QByteArray& seqNo) = 0;
    virtual QString TranslateWide(const QString& key, const QString& codePage, const QString& seqNo,
                                  bool fromResource = false) = 0;
};

// A dictionary: a name in the registry, an entry table read in full at the first lookup, and its own
// events component "SelfEvents". Interface thread only; building and lookup take no lock.
class TCustomMultiDD : public QObject, public IMultiDD {
    Q_OBJECT
public:
    explicit TCustomMultiDD(QObject* owner = nullptr);
    ~TCustomMultiDD() override;

    QString DDName() const override { return m_name; }
    // An empty name or the current one changes nothing; a name another dictionary holds (ignoring
    // case) raises "data dictionary: "<name>" already exists." and keeps the old name.
    void setDDName(const QString& name);
    bool UseDefaultFields() const { return m_useDefaultFields; }
    void setUseDefaultFields(bool useDefaultFields) { m_useDefaultFields = useDefaultFields; }
    TDDFieldsMapping FieldsMapping() const { return m_fieldsMapping; }
    void setFieldsMapping(const TDDFieldsMapping& mapping) { m_fieldsMapping = mapping; }
    // False: display values are kept as 8-bit text in their row's code page; true: as UTF-16.
    bool IsUnicode() const { return m_isUnicode; }
    void setIsUnicode(bool isUnicode) { m_isUnicode = isUnicode; }
    TAcroMultiDDEvents* Events() const { return m_events; }

    bool IsLoaded() const { return m_loaded; }
    const TAcroHashList& Entries() const { return m_entries; }
    // The distinct non-empty CodePage values of the last build, sorted.
    const QByteArrayList& CodePages() const { return m_codePages; }

    // Reads the entries anew. A failure raises EMultiDD and leaves the dictionary unbuilt, so the
    // next lookup builds (and fails) again.
    void BuildDD();
    // Empties the table; the next lookup builds again.
    void Clear();

    // The display value of DDKey TAB CodePage TAB SeqNo (exact bytes). Not found: OnNotFoundDisplayValue
    // is raised and the value is DDKey itself.
    TDDLookupResult Lookup(const QByteArray& ddKey, const QByteArray& codePage, bool fromResource,
                           const QByteArray& seqNo) override;
    // The 8-bit display text; a UTF-16 value is written in the code page CodePage names.
    QByteArray Translate(const QByteArray& ddKey, const QByteArray& codePage,
                         const QByteArray& seqNo) override;
    // The key is looked up as 8-bit text in ansiCodePageFor(codePage); not found gives the key
    // unchanged, an 8-bit value is decoded with the code page CodePage names.
    QString TranslateWide(const QString& key, const QString& codePage, const QString& seqNo,
                          bool fromResource = false) override;

protected:
    // Fills the table; BuildDD has raised OnBeforeBuildDD and emptied the table before.
    virtual void doBuild() {}
    // The column names to read: the defaults or FieldsMapping.
    TDDFieldsMapping columns() const;
    void noteCodePage(const QByteArray& codePage);
    void addEntry(const QByteArray& key, const TDDValue& value) { m_entries.Add(key, value); }

private:
    QString m_name;
    bool m_useDefaultFields = true;
    TDDFieldsMapping m_fieldsMapping;
    bool m_isUnicode = false;
    TAcroMultiDDEvents* m_events;
    TAcroHashList m_entries;
    QByteArrayList m_codePages;
    bool m_loaded = false;
    bool m_building = false;
};

// A dictionary read through a registered file format.
class TCustomMultiReaderDD : public TCustomMultiDD {
    Q_OBJECT
public:
    explicit TCustomMultiReaderDD(QObject* owner = nullptr);

    QString DDReaderID() const { return m_readerID; }
    void setDDReaderID(const QString& readerID) { m_readerID = readerID; }
    // A reader class given here is used whatever DDReaderID says; a null one restores the registry.
    void setReaderClass(TDDReaderClass readerClass) { m_readerClass = std::move(readerClass); }

protected:
    // The reader class, else the one registered for DDReaderID, else the one for the file's
    // extension; raises "dictionary reader ID "<id>" ,not registered!" or "dictionary reader for file
    // extention "<ext>" ,not registered!".
    TDDReaderClass chooseReaderClass(const QString& fileName) const;
    // Fills the table from the reader's records (columns, the empty-file rule, the per-row conversions).
    void readEntries(IDDReader& reader);

private:
    QString m_readerID = QStringLiteral("AcroTextCSV");
    TDDReaderClass m_readerClass;
};

// A dictionary read from a file. Its properties, in their stored order, are DDName, DDReaderID,
// FileName, UseDefaultFields, FieldsMapping, IsUnicode and Events.
class TAcroMultiFileDD : public TCustomMultiReaderDD {
    Q_OBJECT
    Q_PROPERTY(QString DDName READ DDName WRITE setDDName)
    Q_PROPERTY(QString DDReaderID READ DDReaderID WRITE setDDReaderID)
    Q_PROPERTY(QString FileName READ FileName WRITE setFileName)
    Q_PROPERTY(bool UseDefaultFields READ UseDefaultFields WRITE setUseDefaultFields)
    Q_PROPERTY(tarvel::TDDFieldsMapping FieldsMapping READ FieldsMapping WRITE setFieldsMapping)
    Q_PROPERTY(bool IsUnicode READ IsUnicode WRITE setIsUnicode)
    Q_PROPERTY(tarvel::TAcroMultiDDEvents* Events READ Events CONSTANT)
public:
    explicit TAcroMultiFileDD(QObject* owner = nullptr);

    QString FileName() const { return m_fileName; }
    // Also sets DDReaderID to the identifier registered for the file's extension, if there is one,
    // unless stored properties are being applied (then DDReaderID keeps its stored value).
    void setFileName(const QString& fileName);
    void setLoading(bool loading) { m_loading = loading; }

    // The file a build opens: the name as given (relative to the current directory) when it is a
    // file; else, unless the name is absolute or names a drive or share, the name beside the
    // executable, then in each directory of PATH. When none exists, the last candidate tried.
    static QString LocateFile(const QString& fileName);

protected:
    void doBuild() override;

private:
    QString m_fileName;
    bool m_loading = false;
};

// The display text for a Unicode key from the dictionary named ddName, decoded to Unicode. The key is
// looked up as 8-bit text in the code page codePage names (1252 when it names none). A missing
// dictionary or entry gives the key unchanged; a failing build raises EMultiDD.
QString translateText(const QString& ddName, const QString& key, const QString& codePage,
                      const QString& seqNo, bool fromResource = false);

} // namespace tarvel
