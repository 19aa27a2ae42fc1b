#include "catalog_builder/catalog_sources.h"

#include "catalog/catalog.h"
#include "catalog/catalog_schema.h"
#include "catalog/inverter_model_tables.h"
#include "catalog_builder/inverter_art.h"
#include "design/number_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace tarvel::tools {
namespace {

// One data line of a CSV source, its cells addressed by the header's column names.
class CsvRow {
public:
    CsvRow(QString file, int line, const QStringList& header, QStringList cells)
        : m_file(std::move(file)), m_line(line), m_header(header), m_cells(std::move(cells)) {}

    QString text(const QString& column) const {
        const qsizetype i = m_header.indexOf(column);
        if (i < 0)
            fail(QStringLiteral("no column \"%1\"").arg(column));
        return m_cells[i];
    }

    double number(const QString& column) const {
        try {
            return textToDouble(text(column));
        } catch (const ConversionError& error) {
            fail(QStringLiteral("column \"%1\": %2").arg(column, QString::fromStdString(error.what())));
        }
    }

    [[noreturn]] void fail(const QString& what) const {
        throw SourceError(QStringLiteral("%1:%2: %3").arg(m_file).arg(m_line).arg(what).toStdString());
    }

private:
    QString m_file;
    int m_line;
    const QStringList& m_header;
    QStringList m_cells;
};

// Reads a source and hands each data line to `take`.
template <typename Take> void forEachRow(const QString& path, Take take) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw SourceError(QStringLiteral("%1: %2").arg(path, file.errorString()).toStdString());
    const QString name = QFileInfo(path).fileName();
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (lines.isEmpty() || lines.first().trimmed().isEmpty())
        throw SourceError(QStringLiteral("%1: no header line").arg(path).toStdString());
    const QStringList header = lines.first().trimmed().split(u',');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const CsvRow row(name, static_cast<int>(i + 1), header, line.split(u','));
        if (line.count(u',') + 1 != header.size())
            row.fail(
                QStringLiteral("%1 cells, the header has %2").arg(line.count(u',') + 1).arg(header.size()));
        take(row);
    }
}

const char* const kMonthColumns[12] = {"jan", "feb", "mar", "apr", "may", "jun",
                                       "jul", "aug", "sep", "oct", "nov", "dec"};

} // namespace

QList<TCountryInfo> readLocations(const QString& path) {
    QList<TCountryInfo> locations;
    forEachRow(path, [&locations](const CsvRow& row) {
        TCountryInfo location;
        location.country = row.text(QStringLiteral("country"));
        location.city = row.text(QStringLiteral("city"));
        location.Latitude = row.number(QStringLiteral("latitude"));
        location.Longitude = row.number(QStringLiteral("longitude"));
        location.height = row.number(QStringLiteral("height"));
        for (std::size_t m = 0; m < 12; ++m)
            location.months[m] = row.number(QString::fromLatin1(kMonthColumns[m]));
        location.Year0 = row.number(QStringLiteral("year"));
        locations.append(location);
    });
    return locations;
}

QList<TPanelInfo> readModules(const QString& path) {
    QList<TPanelInfo> modules;
    forEachRow(path, [&modules](const CsvRow& row) {
        TPanelInfo m;
        m.product_name = row.text(QStringLiteral("product_name"));
        m.strings_type = row.text(QStringLiteral("strings_type"));
        m.power = row.number(QStringLiteral("power"));
        m.MPP_V = row.number(QStringLiteral("MPP_V"));
        m.mpp_i = row.number(QStringLiteral("mpp_i"));
        m.kailu_V = row.number(QStringLiteral("kailu_V"));
        m.duanlu_i = row.number(QStringLiteral("duanlu_i"));
        m.panel_maxv = row.number(QStringLiteral("panel_maxv"));
        m.efficient = row.number(QStringLiteral("efficient"));
        m.area = row.number(QStringLiteral("area"));
        m.material = row.text(QStringLiteral("material"));
        m.kailu_kx = row.number(QStringLiteral("kailu_kx"));
        m.duanlu_dx = row.number(QStringLiteral("duanlu_dx"));
        m.mpp_mx = row.number(QStringLiteral("mpp_mx"));
        m.i_mx = row.number(QStringLiteral("i_mx"));
        modules.append(m);
    });
    return modules;
}

QList<InverterSource> readInverters(const QString& path) {
    QList<InverterSource> inverters;
    forEachRow(path, [&inverters](const CsvRow& row) {
        InverterSource s;
        TInverterInfo& v = s.info;
        const auto t = [&row](const char* column) { return row.text(QString::fromLatin1(column)); };
        v.idx = static_cast<int>(row.number(QStringLiteral("idx")));
        v.inverter_type = t("inverter_type");
        v.work_temp = t("work_temp");
        v.protect_grade = t("protect_grade");
        v.noise_grade = t("noise_grade");
        v.pinterface = t("pinterface");
        v.geli_type = t("geli_type");
        v.ssize = t("ssize");
        v.weight = t("weight");
        v.power_erding = t("power_erding");
        v.power_DC_MAX = t("power_DC_MAX");
        v.max_v = t("max_v");
        v.MPP_min = t("MPP_min");
        v.mpp_range = t("mpp_range");
        v.input_maxI = t("input_maxI");
        v.wire_type = t("wire_type");
        v.output_ACpower = t("output_ACpower");
        v.output_ACpower_max = t("output_ACpower_max");
        v.range_v = t("range_v");
        v.range_hz = t("range_hz");
        v.zongxiebo = t("zongxiebo");
        v.factor_power = t("factor_power");
        v.xiaolv_max = t("xiaolv_max");
        v.xiaolv_ouzhou = t("xiaolv_ouzhou");
        v.xiaolv_erding = t("xiaolv_erding");
        v.xiaolv_zuida = t("xiaolv_zuida");
        s.group = t("group");
        inverters.append(s);
    });
    return inverters;
}

QString buildCatalog(const QString& dataDir, const QString& outPath) {
    const QDir dir(dataDir);
    const QList<TCountryInfo> locations = readLocations(dir.filePath(QStringLiteral("locations.csv")));
    const QList<TPanelInfo> modules = readModules(dir.filePath(QStringLiteral("modules.csv")));
    QList<InverterSource> inverters = readInverters(dir.filePath(QStringLiteral("inverters.csv")));
    std::stable_sort(
        inverters.begin(), inverters.end(),
        [](const InverterSource& a, const InverterSource& b) { return a.info.idx < b.info.idx; });

    // Built beside the target and renamed at the end, so a failed build leaves no half catalog behind.
    const QString partial = outPath + QStringLiteral(".partial");
    QFile::remove(partial);
    createCatalogFile(partial);
    try {
        Catalog catalog(partial);
        catalog.inOneTransaction([&] {
            for (const TCountryInfo& location : locations)
                catalog.locationInsert(location);
            for (const TPanelInfo& module : modules)
                catalog.moduleInsert(module);
            // The insert numbers new inverters 1, 2, 3 ... in insertion order, which must be the list order.
            const QStringList smallHousing = inverterModelTables().geometryRows[1];
            for (qsizetype i = 0; i < inverters.size(); ++i) {
                const InverterSource& s = inverters[i];
                if (s.info.idx != i + 1)
                    throw SourceError(QStringLiteral("inverters.csv: idx must run 1, 2, 3 ...; %1 has %2")
                                          .arg(s.info.inverter_type)
                                          .arg(s.info.idx)
                                          .toStdString());
                catalog.inverterInsert(s.info);
                const QString shape =
                    smallHousing.contains(s.info.inverter_type) ? QStringLiteral("G2") : s.group;
                catalog.inverterPictureQuery(s.info.inverter_type,
                                             renderInverterJpeg(s.info.inverter_type, shape));
            }
        });
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
    QFile::remove(outPath);
    if (!QFile::rename(partial, outPath))
        throw SourceError(QStringLiteral("cannot write %1").arg(outPath).toStdString());
    return QStringLiteral("%1: %2 locations, %3 modules, %4 inverters")
        .arg(outPath)
        .arg(locations.size())
        .arg(modules.size())
        .arg(inverters.size());
}

} // namespace tarvel::tools
