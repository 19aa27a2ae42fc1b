#include "catalog/catalog.h"
#include "catalog_builder/catalog_sources.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel::tools {
namespace {

const char kLocationsHeader[] =
    "country,city,latitude,longitude,height,jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec,year\n";
const char kModulesHeader[] =
    "product_name,strings_type,power,MPP_V,mpp_i,kailu_V,duanlu_i,panel_maxv,efficient,"
    "area,material,kailu_kx,duanlu_dx,mpp_mx,i_mx\n";
const char kInvertersHeader[] =
    "idx,inverter_type,work_temp,protect_grade,noise_grade,pinterface,geli_type,ssize,weight,power_erding,"
    "power_DC_MAX,max_v,MPP_min,mpp_range,input_maxI,wire_type,output_ACpower,output_ACpower_max,range_v,"
    "range_hz,"
    "zongxiebo,factor_power,xiaolv_max,xiaolv_ouzhou,xiaolv_erding,xiaolv_zuida,group\n";

QString inverterLine(int idx, const char* model, const char* group) {
    return QStringLiteral(
               "%1,%2,-25~+60C,IP65,<25,RS485,TL,1*2*3,6Kg,1.05,1.20,450,100,100-400,10,MC4,1.0,1.0,"
               "180-260VAC,50Hz,<3%,>0.99,96.5%,95.6%,0.956,0.965,%3\n")
        .arg(idx)
        .arg(QString::fromLatin1(model), QString::fromLatin1(group));
}

class Sources : public testing::Test {
protected:
    void write(const char* name, const QString& text) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
    }
    void writeValidSources() {
        write("locations.csv",
              QString::fromUtf8(kLocationsHeader) +
                  QStringLiteral("Switzerland,Zürich,47.38,8.54,408,43.5,71,115,160,196,214,213,"
                                 "180,134,84,50,35.5,128.8\n"));
        write("modules.csv",
              QString::fromUtf8(kModulesHeader) +
                  QStringLiteral("Alpha,A-300,300,32.5,9.2,40,9.7,1000,18.4,1.63,MONO,-0.3,0.05,"
                                 "-140,4\n"));
        write("inverters.csv", QString::fromUtf8(kInvertersHeader) + inverterLine(1, "KT1000-S", "G1") +
                                   inverterLine(2, "KT4000-T1", "none"));
    }
    QString error(const std::function<void()>& action) {
        try {
            action();
        } catch (const std::exception& e) {
            return QString::fromUtf8(e.what());
        }
        return {};
    }
    QTemporaryDir dir;
    QString out = dir.filePath(QStringLiteral("VurIvira"));
};

TEST_F(Sources, ABuiltCatalogHoldsTheRowsWithPictures) {
    writeValidSources();
    buildCatalog(dir.path(), out);
    Catalog catalog(out);
    EXPECT_EQ(catalog.cityListQuery(QStringLiteral("Switzerland")), QStringList{QStringLiteral("Zürich")});
    EXPECT_EQ(catalog.locationQuery(QStringLiteral("Switzerland"), QStringLiteral("Zürich"))->radiation[11],
              35.5);
    EXPECT_EQ(catalog.moduleRecordQuery(QStringLiteral("Alpha"), QStringLiteral("A-300"))->mpp_mx, -140);
    EXPECT_EQ(catalog.inverterListQuery(),
              (QStringList{QStringLiteral("KT1000-S"), QStringLiteral("KT4000-T1")}));
    const auto inverter = catalog.inverterRecordQuery(QStringLiteral("KT4000-T1"));
    EXPECT_EQ(inverter->power_DC_MAX, QStringLiteral("1.20"));
    EXPECT_TRUE(inverter->pic.startsWith("\xFF\xD8"));
}

TEST_F(Sources, BadLinesAreReportedWithFileAndLine) {
    write("locations.csv", QString::fromUtf8(kLocationsHeader) + QStringLiteral("A,B,1,2\n"));
    EXPECT_TRUE(error([&] {
                    readLocations(dir.filePath(QStringLiteral("locations.csv")));
                }).startsWith(QStringLiteral("locations.csv:2: 4 cells")));

    write("modules.csv",
          QString::fromUtf8(kModulesHeader) + QStringLiteral("\nA,B,3x0,1,1,1,1,1,1,1,M,1,1,1,1\n"));
    EXPECT_EQ(error([&] { readModules(dir.filePath(QStringLiteral("modules.csv"))); }),
              QStringLiteral("modules.csv:3: column \"power\": '3x0' is not a valid floating point value"));
}

TEST_F(Sources, InverterIndexesMustRunInListOrder) {
    writeValidSources();
    write("inverters.csv", QString::fromUtf8(kInvertersHeader) + inverterLine(1, "KT1000-S", "G1") +
                               inverterLine(3, "KT4000-T1", "none"));
    EXPECT_TRUE(error([&] { buildCatalog(dir.path(), out); }).contains(QStringLiteral("KT4000-T1 has 3")));
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral(".partial")));
    EXPECT_FALSE(QFileInfo::exists(out));
}

TEST_F(Sources, AFailedBuildLeavesThePreviousCatalogAndNoPartialFile) {
    writeValidSources();
    buildCatalog(dir.path(), out);
    const QByteArray before = [&] {
        QFile f(out);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();
    write("modules.csv",
          QString::fromUtf8(kModulesHeader) + QStringLiteral("A,B,x,1,1,1,1,1,1,1,M,1,1,1,1\n"));
    EXPECT_FALSE(error([&] { buildCatalog(dir.path(), out); }).isEmpty());
    QFile after(out);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), before);
    EXPECT_FALSE(QFileInfo::exists(out + QStringLiteral(".partial")));
}

} // namespace
} // namespace tarvel::tools
