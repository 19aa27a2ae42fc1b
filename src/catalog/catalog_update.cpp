#include "catalog/catalog.h"

#include <QFileInfo>
#include <QSqlQuery>
#include <QUrl>

// Carrying the user's additions from an older copy of the catalog into a fresh copy of a newer
// shipped one. The rows are copied by SQL from the attached older file, so every value arrives
// exactly as it was stored (a number is not turned into text and back).

namespace tarvel {
namespace {

const char kLocationColumns[] =
    "country,city,Latitude,Longitude,height,Jan,Feb,Mar,Apr,May,Jun,Jul,Aug,Sep,Oct,Nov,Dec0,Year0";
const char kModuleColumns[] = "product_name,strings_type,power,MPP_V,mpp_i,kailu_V,duanlu_i,panel_maxv,"
                              "efficient,area,material,kailu_kx,duanlu_dx,mpp_mx,i_mx";
// Without idx: the insert trigger numbers the carried inverters after the shipped ones.
const char kInverterColumns[] =
    "inverter_type,work_temp,protect_grade,noise_grade,pinterface,geli_type,ssize,weight,power_erding,"
    "power_DC_MAX,max_v,MPP_min,mpp_range,input_maxI,wire_type,output_ACpower,output_ACpower_max,range_v,"
    "range_hz,zongxiebo,factor_power,xiaolv_max,xiaolv_ouzhou,xiaolv_erding,xiaolv_zuida,pic";

// A file attached for reading only: neither the user's older copy nor the base is ever written.
QString readOnlyUri(const QString& path) {
    return QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()).toString(QUrl::FullyEncoded) +
           QStringLiteral("?mode=ro");
}

struct Table {
    const char* name;
    const char* columns;
    const char* keyMatch; // compares the row `o` of the older copy with a row `x` of another file
    const char* order;
};

const Table kLocations{"country_info", kLocationColumns, "x.country = o.country and x.city = o.city",
                       "o.rowid"};
const Table kModules{"panel_info", kModuleColumns,
                     "x.product_name = o.product_name and x.strings_type = o.strings_type", "o.rowid"};
const Table kInverters{"inverter_info", kInverterColumns, "x.inverter_type = o.inverter_type",
                       "o.idx, o.rowid"};

// Rows of the older copy whose key this catalog lacks and, with a base, the base lacks too. The
// key columns are declared without regard to case, and the left side of each comparison carries
// that collation.
QString carryRows(const Table& table, bool withBase) {
    QString statement =
        QStringLiteral("insert into main.%1 (%2) select %2 from older.%1 o where not exists "
                       "(select 1 from main.%1 x where %3)")
            .arg(QLatin1String(table.name), QLatin1String(table.columns), QLatin1String(table.keyMatch));
    if (withBase)
        statement += QStringLiteral(" and not exists (select 1 from base.%1 x where %2)")
                         .arg(QLatin1String(table.name), QLatin1String(table.keyMatch));
    return statement + QStringLiteral(" order by ") + QLatin1String(table.order);
}

// The picture of each inverter of the older copy (its first row of a name, as the picture store
// writes), where the user stored one: not empty, and with a base, not the base's picture of that
// name. It replaces the newer catalog's picture of the same name where the two differ.
QString carryPictures(bool withBase) {
    QString stored = QStringLiteral(
        "select o.inverter_type as name, o.pic as pic from older.inverter_info o where o.pic is not null "
        "and o.rowid = (select f.rowid from older.inverter_info f where f.inverter_type = o.inverter_type "
        "order by f.idx, f.rowid limit 1)");
    if (withBase)
        stored += QStringLiteral(" and not exists (select 1 from base.inverter_info x where "
                                 "x.inverter_type = o.inverter_type and x.pic is o.pic)");
    return QStringLiteral("with stored(name, pic) as (%1) update main.inverter_info set pic = "
                          "(select s.pic from stored s where s.name = inverter_type collate nocase) "
                          "where exists (select 1 from stored s where s.name = inverter_type collate nocase "
                          "and s.pic is not main.inverter_info.pic)")
        .arg(stored);
}

} // namespace

CarriedOver Catalog::carryOverFrom(const QString& olderCopy, const QString& base) {
    if (m_inTransaction)
        throw CatalogError(QStringLiteral("A catalog transaction is already running."));
    if (!QFileInfo(olderCopy).isFile())
        throw CatalogError(QStringLiteral("The catalog %1 was not found.").arg(olderCopy));
    const bool withBase = !base.isEmpty();
    if (withBase && !QFileInfo(base).isFile())
        throw CatalogError(QStringLiteral("The catalog %1 was not found.").arg(base));

    // Files are attached outside a transaction (SQLite refuses otherwise) and always detached again.
    run(QStringLiteral("attach database ? as older"), {readOnlyUri(olderCopy)});
    CarriedOver carried;
    try {
        if (withBase)
            run(QStringLiteral("attach database ? as base"), {readOnlyUri(base)});
        inOneTransaction([&] {
            carried.pictures = run(carryPictures(withBase), {}).numRowsAffected();
            carried.locations = run(carryRows(kLocations, withBase), {}).numRowsAffected();
            carried.modules = run(carryRows(kModules, withBase), {}).numRowsAffected();
            carried.inverters = run(carryRows(kInverters, withBase), {}).numRowsAffected();
        });
    } catch (...) {
        QSqlQuery detach(database());
        detach.exec(QStringLiteral("detach database older"));
        if (withBase)
            detach.exec(QStringLiteral("detach database base"));
        throw;
    }
    run(QStringLiteral("detach database older"), {});
    if (withBase)
        run(QStringLiteral("detach database base"), {});
    return carried;
}

} // namespace tarvel
