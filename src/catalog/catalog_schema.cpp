#include "catalog/catalog_schema.h"

#include "catalog/catalog.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tarvel {
namespace {

// Names compare and sort without regard to case, as users expect of lists of countries and makers.
// Inverter columns are text so that a stored "1.20" comes back as written; idx orders the list.
const char* const kSchema[] = {
    "create table country_info ("
    " country text collate nocase, city text collate nocase,"
    " Latitude real, Longitude real, height real,"
    " Jan real, Feb real, Mar real, Apr real, May real, Jun real,"
    " Jul real, Aug real, Sep real, Oct real, Nov real, Dec0 real, Year0 real)",
    "create index country_info_country on country_info (country)",

    "create table panel_info ("
    " product_name text collate nocase, strings_type text collate nocase,"
    " power real, MPP_V real, mpp_i real, kailu_V real, duanlu_i real, panel_maxv real,"
    " efficient real, area real, material text, kailu_kx real, duanlu_dx real, mpp_mx real, i_mx real)",
    "create index panel_info_product_name on panel_info (product_name)",

    "create table inverter_info ("
    " idx integer, inverter_type text collate nocase,"
    " work_temp text, protect_grade text, noise_grade text, pinterface text, geli_type text,"
    " ssize text, weight text, power_erding text, power_DC_MAX text, max_v text, MPP_min text,"
    " mpp_range text, input_maxI text, wire_type text, output_ACpower text, output_ACpower_max text,"
    " range_v text, range_hz text, zongxiebo text, factor_power text, xiaolv_max text,"
    " xiaolv_ouzhou text, xiaolv_erding text, xiaolv_zuida text, pic blob)",
    "create index inverter_info_type on inverter_info (inverter_type)",
    // The insert leaves idx out; a new inverter goes to the end of the list instead of sorting first.
    "create trigger inverter_info_idx after insert on inverter_info when new.idx is null begin"
    " update inverter_info set idx = (select coalesce(max(idx), 0) + 1 from inverter_info)"
    " where rowid = new.rowid; end",
};

} // namespace

void createCatalogFile(const QString& path) {
    if (QFileInfo::exists(path))
        throw CatalogError(QStringLiteral("Cannot create the catalog %1: the file exists.").arg(path));
    const QString connection = QStringLiteral("tarvel-schema-") + QUuid::createUuid().toString();
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        if (!db.open()) {
            failure = db.lastError().text();
        } else {
            QSqlQuery query(db);
            for (const char* statement : kSchema) {
                if (!query.exec(QString::fromLatin1(statement))) {
                    failure = query.lastError().text();
                    break;
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    if (!failure.isEmpty())
        throw CatalogError(failure);
}

} // namespace tarvel
