#include "catalog/catalog.h"

#include "design/number_format.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <QUrl>
#include <QUuid>
#include <QVariant>

namespace tarvel {
namespace {

// How long an operation waits for other processes that hold the file.
constexpr int kBusyTimeoutMs = 15000;

// SQLite's own wait polls ever more rarely, every 100 ms after its first tries. A process that writes
// without pause frees the file for a fraction of a millisecond between its transactions, so a
// connection polling that rarely can miss every gap and fail with "database is locked" after the whole
// timeout, although the file was free many times meanwhile. The connection therefore does not
// wait inside SQLite at all; run() tries again about every millisecond until the timeout has passed.
bool isBusy(const QSqlError& error) {
    return error.nativeErrorCode() == QStringLiteral("5"); // SQLITE_BUSY
}

void pauseBeforeRetry() {
    // A little jitter keeps two waiting processes from polling in step.
    QThread::usleep(static_cast<unsigned long>(QRandomGenerator::global()->bounded(500, 1500)));
}

// The text form of a column value: a stored number reads as its general format (12.0 as "12"),
// a NULL as an empty text.
QString columnText(const QVariant& value) {
    if (value.isNull())
        return {};
    switch (value.typeId()) {
    case QMetaType::Double:
        return formatGeneral(value.toDouble());
    case QMetaType::QByteArray:
        return QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

double columnDouble(const QSqlQuery& query, int column) {
    return textToDouble(columnText(query.value(column)));
}
int columnInt(const QSqlQuery& query, int column) {
    return textToInt(columnText(query.value(column)));
}

QVariant nullBlob() {
    return QVariant(QMetaType(QMetaType::QByteArray));
}

[[noreturn]] void throwFailure(const QSqlQuery& query) {
    throw CatalogError(query.lastError().text());
}

// The next row. A read that fails part way (a damaged file) is an error, not the end of the rows:
// a list cut short or a key reported new would look like a sound answer.
bool nextRow(QSqlQuery& query) {
    if (query.next())
        return true;
    if (query.lastError().isValid())
        throwFailure(query);
    return false;
}

} // namespace

Catalog::Catalog() : m_connection(QStringLiteral("tarvel-catalog-") + QUuid::createUuid().toString()) {}

Catalog::Catalog(QString filePath) : Catalog() {
    m_filePath = std::move(filePath);
    m_fixedPath = true;
}

// Runs one public operation; its failure is noted (see failures()) and passed on.
template <typename Operation> auto Catalog::recorded(Operation&& operation) {
    try {
        return operation();
    } catch (const std::exception& error) {
        const QString message = QString::fromUtf8(error.what());
        if (!m_failures.contains(message))
            m_failures.append(message);
        throw;
    }
}

Catalog::~Catalog() {
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QSqlDatabase Catalog::database() {
    if (QSqlDatabase::contains(m_connection))
        return QSqlDatabase::database(m_connection);

    if (!m_fixedPath) {
        const QString inCurrent = QDir::current().absoluteFilePath(QString::fromLatin1(kCatalogFileName));
        const QString besideProgram = QDir(QCoreApplication::applicationDirPath())
                                          .absoluteFilePath(QString::fromLatin1(kCatalogFileName));
        if (QFileInfo::exists(inCurrent))
            m_filePath = inCurrent;
        else if (QFileInfo::exists(besideProgram))
            m_filePath = besideProgram;
        else
            throw CatalogError(QStringLiteral("The catalog database \"%1\" was not found in %2 or in %3.")
                                   .arg(QString::fromLatin1(kCatalogFileName), QDir::currentPath(),
                                        QCoreApplication::applicationDirPath()));
    }

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    // Opened as a URI in read-write mode so that a missing file is an error instead of a new empty one.
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(m_filePath).absoluteFilePath()).toString(QUrl::FullyEncoded) +
        QStringLiteral("?mode=rw");
    db.setDatabaseName(uri);
    // No wait inside SQLite: run() waits for the file itself (see isBusy).
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=0"));
    if (!db.open()) {
        const QString message = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
        throw CatalogError(QStringLiteral("%1 (%2)").arg(message, m_filePath));
    }
    return db;
}

// A statement that finds the file busy has had no effect, so it is run again until the timeout has
// passed. Inside a transaction only its "begin" and "commit" are repeated: the statements between
// hold the file already, and a failed commit keeps the transaction (and the writer's claim on the
// file) for the next try, so readers cannot crowd it out.
QSqlQuery Catalog::run(const QString& statement, const QVariantList& values) {
    const QSqlDatabase db = database();
    const QDeadlineTimer deadline(kBusyTimeoutMs);
    const bool mayRepeat = !m_inTransaction || statement == QLatin1String("commit");
    for (;;) {
        {
            QSqlQuery query(db);
            query.setForwardOnly(true);
            if (query.prepare(statement)) {
                for (int i = 0; i < values.size(); ++i)
                    query.bindValue(i, values[i]);
                if (query.exec())
                    return query;
            }
            if (!mayRepeat || !isBusy(query.lastError()) || deadline.hasExpired())
                throwFailure(query);
        }
        pauseBeforeRetry();
    }
}

// Each write is a transaction of its own, taken before it starts (see run), unless it is part of one.
void Catalog::write(const std::function<void()>& statements) {
    if (m_inTransaction)
        statements();
    else
        inOneTransaction(statements);
}

// Keeps the first of every run of equal names; the statement sorts, so this removes repetitions.
// Names that differ only in case may sort next to each other and are both kept.
QStringList Catalog::distinctFirstColumn(const QString& statement) {
    QSqlQuery query = run(statement, {});
    QStringList names;
    QString previous = QStringLiteral("0");
    while (nextRow(query)) {
        const QString name = columnText(query.value(0));
        if (name == previous)
            continue;
        names.append(name);
        previous = name;
    }
    return names;
}

QStringList Catalog::secondColumn(const QString& statement, const QString& value) {
    QSqlQuery query = run(statement, {value});
    QStringList texts;
    while (nextRow(query))
        texts.append(columnText(query.value(1)));
    return texts;
}

bool Catalog::noRow(const QString& statement, const QVariantList& values) {
    QSqlQuery query = run(statement, values);
    return !nextRow(query);
}

void Catalog::inOneTransaction(const std::function<void()>& writes) {
    // Only the transaction's own statements count as its failures: the writes record theirs, and a
    // caller's own error inside (a field that does not convert) is no failure of the catalog.
    recorded([&] {
        if (m_inTransaction)
            throw CatalogError(QStringLiteral("A catalog transaction is already running."));
        run(QStringLiteral("begin immediate"), {});
    });
    m_inTransaction = true;
    try {
        writes();
        recorded([&] { run(QStringLiteral("commit"), {}); });
    } catch (...) {
        // Also after a failed commit: a transaction left open would keep the file from every other
        // process for as long as the program runs.
        QSqlQuery rollback(database());
        rollback.exec(QStringLiteral("rollback"));
        m_inTransaction = false;
        throw;
    }
    m_inTransaction = false;
}

QStringList Catalog::inverterListQuery() {
    return recorded([&] {
        QSqlQuery query = run(QStringLiteral("select inverter_type from inverter_info order by idx"), {});
        QStringList names;
        while (nextRow(query))
            names.append(columnText(query.value(0)));
        return names;
    });
}

QList<Catalog::EntryRatings> Catalog::inverterRatingListQuery() {
    QSqlQuery query = run(
        QStringLiteral("select inverter_type,power_DC_MAX,output_ACpower_max from inverter_info order by idx"), {});
    QList<EntryRatings> rows;
    while (nextRow(query))
        rows.append({columnText(query.value(0)), columnText(query.value(1)), columnText(query.value(2))});
    return rows;
}

QList<Catalog::EntryRatings> Catalog::moduleRatingListQuery(const QString& maker) {
    QSqlQuery query =
        run(QStringLiteral("select strings_type,power,material from panel_info where product_name=?"), {maker});
    QList<EntryRatings> rows;
    while (nextRow(query))
        rows.append({columnText(query.value(0)), columnText(query.value(1)), columnText(query.value(2))});
    return rows;
}

QStringList Catalog::makerListQuery() {
    return recorded([&] {
        return distinctFirstColumn(
            QStringLiteral("select product_name from panel_info order by product_name"));
    });
}

QStringList Catalog::countryListQuery() {
    return recorded([&] {
        return distinctFirstColumn(QStringLiteral("select country from country_info order by country"));
    });
}

QStringList Catalog::cityListQuery(const QString& country) {
    return recorded([&] {
        return secondColumn(QStringLiteral("select country,city from country_info where country=?"), country);
    });
}

std::optional<TLocationRow> Catalog::locationQuery(const QString& country, const QString& city) {
    return recorded([&]() -> std::optional<TLocationRow> {
        QSqlQuery query =
            run(QStringLiteral("select country,city,height,latitude,jan,feb,mar,apr,may,jun,jul,aug,"
                               "sep,oct,nov,dec0 from country_info where country=?\nand city=?"),
                {country, city});
        if (!nextRow(query))
            return std::nullopt;
        TLocationRow row;
        row.height = columnInt(query, 2);
        row.latitude = columnDouble(query, 3);
        // A latitude beyond a pole makes nonsense of every yield computed from it: the row is as
        // unreadable as one holding a word.
        if (row.latitude < -90 || row.latitude > 90)
            throw ConversionError(
                QStringLiteral("'%1' is not a valid latitude").arg(columnText(query.value(3))).toStdString());
        for (int month = 0; month < 12; ++month)
            row.radiation[static_cast<std::size_t>(month)] = columnDouble(query, 4 + month);
        return row;
    });
}

QStringList Catalog::moduleTypeListQuery(const QString& maker) {
    return recorded([&] {
        return secondColumn(
            QStringLiteral("select product_name,strings_type from panel_info where product_name=?"), maker);
    });
}

std::optional<TPanelInfo> Catalog::moduleRecordQuery(const QString& maker, const QString& moduleType) {
    return recorded([&] {
        QSqlQuery query =
            run(QStringLiteral("select product_name,strings_type,power,duanlu_i,kailu_V,MPP_V,area,"
                               "kailu_kx,mpp_mx,mpp_i from panel_info\nwhere product_name=?\n"
                               " and strings_type=?"),
                {maker, moduleType});
        std::optional<TPanelInfo> result;
        while (nextRow(query)) {
            TPanelInfo module;
            module.product_name = columnText(query.value(0));
            module.strings_type = columnText(query.value(1));
            module.power = columnDouble(query, 2);
            module.duanlu_i = columnDouble(query, 3);
            module.kailu_V = columnDouble(query, 4);
            module.MPP_V = columnDouble(query, 5);
            module.area = columnDouble(query, 6);
            module.kailu_kx = columnDouble(query, 7);
            module.mpp_mx = columnDouble(query, 8);
            module.mpp_i = columnDouble(query, 9);
            result = module;
        }
        return result;
    });
}

std::optional<double> Catalog::moduleSystemVoltageQuery(const QString& maker, const QString& moduleType) {
    QSqlQuery query =
        run(QStringLiteral("select panel_maxv from panel_info where product_name=? and strings_type=?"),
            {maker, moduleType});
    std::optional<double> result;
    while (nextRow(query)) {
        const QString text = columnText(query.value(0)).trimmed();
        result = text.isEmpty() ? 0.0 : textToDouble(text);
    }
    return result;
}

std::optional<TInverterInfo> Catalog::inverterRecordQuery(const QString& model) {
    return recorded([&]() -> std::optional<TInverterInfo> {
        QSqlQuery query = run(
            QStringLiteral(
                "select inverter_type,work_temp,protect_grade,noise_grade,pinterface,geli_type,ssize,weight,"
                "power_erding,max_v ,MPP_min,mpp_range,input_maxI,wire_type,output_ACpower,range_v,range_hz,"
                "zongxiebo\n,factor_power,xiaolv_max,xiaolv_ouzhou,xiaolv_erding,xiaolv_zuida,pic,"
                "power_DC_MAX,output_ACpower_max from inverter_info where inverter_type=?"),
            {model});
        if (!nextRow(query))
            return std::nullopt;
        auto text = [&query](int column) { return columnText(query.value(column)); };
        TInverterInfo row;
        row.inverter_type = text(0);
        row.work_temp = text(1);
        row.protect_grade = text(2);
        row.noise_grade = text(3);
        row.pinterface = text(4);
        row.geli_type = text(5);
        row.ssize = text(6);
        row.weight = text(7);
        row.power_erding = text(8);
        row.max_v = text(9);
        row.MPP_min = text(10);
        row.mpp_range = text(11);
        row.input_maxI = text(12);
        row.wire_type = text(13);
        row.output_ACpower = text(14);
        row.range_v = text(15);
        row.range_hz = text(16);
        row.zongxiebo = text(17);
        row.factor_power = text(18);
        row.xiaolv_max = text(19);
        row.xiaolv_ouzhou = text(20);
        row.xiaolv_erding = text(21);
        row.xiaolv_zuida = text(22);
        const QVariant pic = query.value(23);
        if (!pic.isNull())
            row.pic = pic.typeId() == QMetaType::QByteArray ? pic.toByteArray() : pic.toString().toUtf8();
        row.power_DC_MAX = text(24);
        row.output_ACpower_max = text(25);
        return row;
    });
}

void Catalog::inverterPictureQuery(const QString& model, const QByteArray& jpeg) {
    return recorded([&] {
        // Row lookup and update in one transaction, so the row found is the row written.
        write([&] {
            QSqlQuery found = run(
                QStringLiteral(
                    "select rowid,inverter_type,xiaolv_zuida,pic from inverter_info where inverter_type=?"),
                {model});
            if (!nextRow(found))
                throw CatalogError(
                    QStringLiteral("The inverter \"%1\" is not in the catalog; no picture was stored.")
                        .arg(model));
            const QVariant rowId = found.value(0);
            found.finish();
            run(QStringLiteral("update inverter_info set pic=? where rowid=?"),
                {jpeg.isNull() ? nullBlob() : jpeg, rowId});
        });
    });
}

bool Catalog::inverterDuplicateCheck(const QString& model) {
    return recorded([&] {
        return noRow(
            QStringLiteral("select inverter_type,work_temp,protect_grade,noise_grade,pinterface,geli_type,"
                           "ssize,weight,power_erding,max_v ,MPP_min,mpp_range,input_maxI,wire_type,"
                           "output_ACpower,range_v,range_hz,zongxiebo\n,factor_power,xiaolv_max,"
                           "xiaolv_ouzhou,xiaolv_erding,xiaolv_zuida,pic from inverter_info where "
                           "inverter_type=?"),
            {model});
    });
}

void Catalog::inverterInsert(const TInverterInfo& v) {
    return recorded([&] {
        write([&] {
            run(QStringLiteral(
                    "Insert Into inverter_info (inverter_type,work_temp,protect_grade,noise_grade,pinterface,"
                    "geli_type,ssize,weight,power_erding,power_DC_MAX,max_v ,MPP_min,mpp_range,input_maxI,"
                    "wire_type,output_ACpower,output_ACpower_max,range_v,range_hz,zongxiebo\n,factor_power,"
                    "xiaolv_max,xiaolv_ouzhou,xiaolv_erding,xiaolv_zuida,pic) Values(:1,:2,:3,:4,:5,:6,:7,:8,"
                    ":9,:10,:11,:12,:13,:14,:15,:16,:17,:18,:19,:20,:21,:22,:23,:24,:25,:26)"),
                {v.inverter_type,      v.work_temp,    v.protect_grade, v.noise_grade,
                 v.pinterface,         v.geli_type,    v.ssize,         v.weight,
                 v.power_erding,       v.power_DC_MAX, v.max_v,         v.MPP_min,
                 v.mpp_range,          v.input_maxI,   v.wire_type,     v.output_ACpower,
                 v.output_ACpower_max, v.range_v,      v.range_hz,      v.zongxiebo,
                 v.factor_power,       v.xiaolv_max,   v.xiaolv_ouzhou, v.xiaolv_erding,
                 v.xiaolv_zuida,       nullBlob()});
        });
    });
}

bool Catalog::moduleDuplicateCheck(const QString& maker, const QString& moduleType) {
    return recorded([&] {
        return noRow(
            QStringLiteral("select product_name,strings_type,power,MPP_V,mpp_i,kailu_V,duanlu_i,panel_maxv,"
                           "efficient,area,material,kailu_kx\n,duanlu_dx,mpp_mx,i_mx from panel_info where "
                           "product_name=? and strings_type=?"),
            {maker, moduleType});
    });
}

void Catalog::moduleInsert(const TPanelInfo& v) {
    return recorded([&] {
        write([&] {
            run(QStringLiteral(
                    "Insert Into panel_info(product_name,strings_type,power,MPP_V,mpp_i,kailu_V,duanlu_i,"
                    "panel_maxv,efficient,area,material,kailu_kx\n,duanlu_dx,mpp_mx,i_mx) Values(:1,:2,:3,:4,"
                    ":5,:6,:7,:8,:9,:10,:11,:12,:13,:14,:15)"),
                {v.product_name, v.strings_type, v.power, v.MPP_V, v.mpp_i, v.kailu_V, v.duanlu_i,
                 v.panel_maxv, v.efficient, v.area, v.material, v.kailu_kx, v.duanlu_dx, v.mpp_mx, v.i_mx});
        });
    });
}

bool Catalog::locationDuplicateCheck(const QString& country, const QString& city) {
    return recorded([&] {
        return noRow(
            QStringLiteral("select country,city,Latitude,Longitude,height,Jan,Feb,Mar,Apr,May,Jun,Jul\n,Aug,"
                           "Sep,Oct,Nov,Dec0,Year0 from country_info where country=? and city=?"),
            {country, city});
    });
}

void Catalog::locationInsert(const TCountryInfo& v) {
    return recorded([&] {
        QVariantList values{v.country, v.city, v.Latitude, v.Longitude, v.height};
        for (double month : v.months)
            values.append(month);
        values.append(v.Year0);
        write([&] {
            run(QStringLiteral(
                    "Insert Into "
                    "country_info(country,city,Latitude,Longitude,height,Jan\n,Feb,Mar,Apr,May,Jun,"
                    "Jul,Aug,Sep,Oct,Nov,Dec0,Year0)\n Values(:1,:2,:3,:4,:5,:6,:7,:8,:9,:10,:11,:12,:13,:14,"
                    ":15,:16,:17,:18)"),
                values);
        });
    });
}

} // namespace tarvel
