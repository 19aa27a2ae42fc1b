#pragma once

#include "design/catalog_records.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <stdexcept>

class QSqlDatabase;
class QSqlQuery;

namespace tarvel {

// The file name of the catalog database, without extension.
inline constexpr char kCatalogFileName[] = "VurIvira";

// A failing catalog operation; the message is the database engine's text or says what is missing.
class CatalogError : public std::runtime_error {
public:
    explicit CatalogError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

// What an update of the catalog took over from the user's older copy.
struct CarriedOver {
    int locations = 0;
    int modules = 0;
    int inverters = 0;
    int pictures = 0; // pictures the user stored for inverters the newer catalog also has
};

// The catalog database and every operation the program runs on it. The connection opens on the first
// operation and stays open; no operation keeps rows or a transaction open after it returns, so other
// processes may read and write the same file meanwhile. An operation that finds the file held by
// another process waits for it (up to 15 s) and then fails with CatalogError. Each write is one
// transaction. Values are bound as parameters, so any text (quotes included) is looked up as it
// stands. Reads convert each column from its text form and raise ConversionError for a value that is
// not the number it should be; a read that fails takes nothing.
class Catalog {
public:
    // Uses "VurIvira" in the current directory, else the one beside the executable.
    Catalog();
    // Uses the given file.
    explicit Catalog(QString filePath);
    ~Catalog();
    Catalog(const Catalog&) = delete;
    Catalog& operator=(const Catalog&) = delete;

    // The file in use: empty until the first operation has found it.
    QString filePath() const { return m_filePath; }
    // The message of every operation that has failed so far, each text once: also the failures a
    // caller caught and went on from, so a run without anyone watching can tell that the catalog let
    // it down.
    QStringList failures() const { return m_failures; }

    // Runs `writes` as one transaction, committed when it returns and rolled back when it throws (or
    // when the commit fails). Transactions do not nest.
    void inOneTransaction(const std::function<void()>& writes);

    // 1. Model names of all inverters, in list order (idx).
    QStringList inverterListQuery();
    // 2. Distinct manufacturers, sorted.
    QStringList makerListQuery();
    // 3. Distinct countries, sorted.
    QStringList countryListQuery();
    // 4. Cities of a country in stored order, duplicates kept.
    QStringList cityListQuery(const QString& country);
    // 5. The first location row of a country and city, if any.
    std::optional<TLocationRow> locationQuery(const QString& country, const QString& city);
    // 6. Module types of a manufacturer in stored order, duplicates kept.
    QStringList moduleTypeListQuery(const QString& maker);
    // 7. The module values of a manufacturer and type; of several rows the last wins.
    std::optional<TPanelInfo> moduleRecordQuery(const QString& maker, const QString& moduleType);
    // The module's maximum system voltage (V) for the site checks, which the module record query
    // leaves out; of several rows the last wins. 0 where the catalog leaves it empty.
    std::optional<double> moduleSystemVoltageQuery(const QString& maker, const QString& moduleType);
    // 8. The first inverter row of a model name, every column as its text and the picture bytes.
    std::optional<TInverterInfo> inverterRecordQuery(const QString& model);
    // 9. Stores JPEG bytes as the picture of the first inverter of that name; throws if there is none.
    void inverterPictureQuery(const QString& model, const QByteArray& jpeg);
    // 10. True when no inverter has that model name.
    bool inverterDuplicateCheck(const QString& model);
    // 11. Adds an inverter without picture (the picture follows through inverterPictureQuery).
    void inverterInsert(const TInverterInfo& inverter);
    // 12. True when no module has that manufacturer and type.
    bool moduleDuplicateCheck(const QString& maker, const QString& moduleType);
    // 13. Adds a module.
    void moduleInsert(const TPanelInfo& module);
    // 14. True when no location has that country and city.
    bool locationDuplicateCheck(const QString& country, const QString& city);
    // 15. Adds a location.
    void locationInsert(const TCountryInfo& location);

    // Ratings that the open choosers show beside each entry, as the catalog holds them (no design
    // value is taken from them): each inverter model with its maximum PV-generator power and maximum
    // AC power in kW; each module type of a maker with its peak power in W and its cell material.
    struct EntryRatings {
        QString name;
        QString first;
        QString second;
    };
    QList<EntryRatings> inverterRatingListQuery();
    QList<EntryRatings> moduleRatingListQuery(const QString& maker);

    // Takes into this catalog, a fresh copy of a newer shipped catalog, what the user added to
    // `olderCopy`: the locations (country and city), modules (maker and type) and inverters (model
    // name) it lacks, and the pictures the user stored for inverters it has. `base` is the shipped
    // catalog the older copy was made from, or empty when it is not known: what came with it is the
    // shipped catalog's, not the user's, so a row a newer catalog drops or renames does not come back.
    // Names compare as the duplicate checks compare them, ignoring letter case. One transaction; the
    // other two files are only read.
    CarriedOver carryOverFrom(const QString& olderCopy, const QString& base);

private:
    template <typename Operation> auto recorded(Operation&& operation);
    QSqlDatabase database();
    QSqlQuery run(const QString& statement, const QVariantList& values);
    void write(const std::function<void()>& statements);
    QStringList distinctFirstColumn(const QString& statement);
    QStringList secondColumn(const QString& statement, const QString& value);
    bool noRow(const QString& statement, const QVariantList& values);

    QString m_connection;
    QString m_filePath;
    bool m_fixedPath = false;
    bool m_inTransaction = false;
    QStringList m_failures;
};

} // namespace tarvel
