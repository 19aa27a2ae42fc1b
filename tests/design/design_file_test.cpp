#include "design/design_file.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

#include <ostream>

namespace tarvel {
namespace {

DesignFile sample() {
    DesignFile d;
    d.country = QStringLiteral("Côte d'Ivoire");
    d.city = QStringLiteral("Yamoussoukro");
    d.maxModuleTemp = 75;
    d.minModuleTemp = -25;
    d.designTemp = 45;
    d.roofPitch = 30;
    d.azimuth = -91;
    d.inverter = QStringLiteral("KT5000-S");
    d.inputs[0] = {QStringLiteral("Alpha"), QStringLiteral("Jian's \"300\""), 2, 10};
    d.inputs[2] = {QStringLiteral("Beta"), QStringLiteral("B-1"), 600, 200};
    d.cables[1] = {QStringLiteral("Al"), 10000, QStringLiteral("500")};
    d.designUnit = QStringLiteral("Sunny Roofs Ltd");
    d.designer = QStringLiteral("王工");
    return d;
}

TEST(DesignFile, WritesAndReadsBackEveryInput) {
    const QByteArray json = writeDesignFile(sample());
    EXPECT_EQ(readDesignFile(json), sample());
    EXPECT_TRUE(json.contains("\"format\": \"tarvel-pv-design\""));
    EXPECT_TRUE(json.contains("\"version\": 1"));
}

// The sample file with one value changed at a JSON path.
QByteArray changed(const QStringList& path, const QJsonValue& value) {
    QJsonObject root = QJsonDocument::fromJson(writeDesignFile(sample())).object();
    std::function<QJsonObject(QJsonObject, int)> set = [&](QJsonObject object, int depth) {
        if (depth == path.size() - 1) {
            if (value.isUndefined())
                object.remove(path[depth]);
            else
                object.insert(path[depth], value);
        } else {
            object.insert(path[depth], set(object.value(path[depth]).toObject(), depth + 1));
        }
        return object;
    };
    return QJsonDocument(set(root, 0)).toJson();
}

struct Malformed {
    const char* what;
    QByteArray json;
    const char* message;
};

void PrintTo(const Malformed& m, std::ostream* os) {
    *os << m.what;
}

class MalformedDesignFile : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedDesignFile, IsRefusedWithAMessageNamingTheFault) {
    try {
        readDesignFile(GetParam().json);
        FAIL() << "accepted";
    } catch (const DesignFileError& error) {
        EXPECT_TRUE(QString::fromUtf8(error.what()).contains(QString::fromUtf8(GetParam().message)))
            << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedDesignFile,
    testing::Values(
        Malformed{"not json", "{ \"format\": ", "at character"},
        Malformed{"a list", "[1, 2]", "not a JSON object"},
        Malformed{"other format", changed({"format"}, QStringLiteral("report")), "no Tarvel PV design"},
        Malformed{"newer version", changed({"version"}, 2), "version 2 is not supported"},
        Malformed{"version as a text", changed({"version"}, QStringLiteral("1")),
                  "version \"1\" is not supported"},
        Malformed{"version not whole", changed({"version"}, 1.0000000001),
                  "version 1.0000000001 is not supported"},
        Malformed{"no version", changed({"version"}, QJsonValue::Undefined), "\"version\" is missing"},
        Malformed{"too many strings", changed({"stringInputs", "A", "strings"}, 601),
                  "string input A: \"strings\" must be a whole number from 0 to 600"},
        Malformed{"fractional count", changed({"stringInputs", "B", "modulesPerString"}, 1.5),
                  "modulesPerString"},
        Malformed{"count beyond any integer", changed({"stringInputs", "C", "strings"}, 4.2e79),
                  "string input C: \"strings\" must be a whole number from 0 to 600"},
        Malformed{"unknown material", changed({"cables", "ac", "material"}, QStringLiteral("Fe")),
                  "\"Cu\" or \"Al\""},
        Malformed{"odd cross-section", changed({"cables", "dcA", "crossSectionMm2"}, QStringLiteral("3")),
                  "not one of the cross-sections"},
        Malformed{"missing block", changed({"temperatures"}, QJsonValue::Undefined),
                  "\"temperatures\" is missing"},
        Malformed{"azimuth out of range", changed({"orientation", "azimuthDeg"}, 90), "azimuthDeg"},
        Malformed{"number as name", changed({"location", "city"}, 5), "\"city\" is not a text"}));

// Every numeric field at both edges of its documented range is read as written; one step beyond
// either edge is refused with the field and its range named.
struct NumericField {
    QStringList path;
    int minimum;
    int maximum;
};

void PrintTo(const NumericField& f, std::ostream* os) {
    *os << f.path.join(u'.').toStdString();
}

class DesignFileRanges : public testing::TestWithParam<NumericField> {};

TEST_P(DesignFileRanges, BothEdgesAreReadAndOneStepBeyondIsRefused) {
    const NumericField& field = GetParam();
    auto valueAt = [&](const QByteArray& json) {
        QJsonValue value = QJsonDocument::fromJson(json).object();
        for (const QString& key : field.path)
            value = value.toObject().value(key);
        return value.toInt(-99999);
    };
    for (int edge : {field.minimum, field.maximum}) {
        try {
            EXPECT_EQ(valueAt(writeDesignFile(readDesignFile(changed(field.path, edge)))), edge);
        } catch (const DesignFileError& error) {
            ADD_FAILURE() << edge << " refused: " << error.what();
        }
    }
    const QString message = QStringLiteral("\"%1\" must be a whole number from %2 to %3")
                                .arg(field.path.last())
                                .arg(field.minimum)
                                .arg(field.maximum);
    for (int beyond : {field.minimum - 1, field.maximum + 1}) {
        try {
            readDesignFile(changed(field.path, beyond));
            ADD_FAILURE() << beyond << " accepted";
        } catch (const DesignFileError& error) {
            EXPECT_TRUE(QString::fromUtf8(error.what()).contains(message)) << error.what();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EveryNumericField, DesignFileRanges,
                         testing::Values(NumericField{{"temperatures", "maxModuleC"}, -10, 80},
                                         NumericField{{"temperatures", "minModuleC"}, -40, 20},
                                         NumericField{{"temperatures", "designC"}, 0, 70},
                                         NumericField{{"orientation", "roofPitchDeg"}, 0, 89},
                                         NumericField{{"orientation", "azimuthDeg"}, -91, 89},
                                         NumericField{{"stringInputs", "A", "strings"}, 0, 600},
                                         NumericField{{"stringInputs", "B", "modulesPerString"}, 0, 200},
                                         NumericField{{"cables", "dcA", "lengthM"}, 1, 10000},
                                         NumericField{{"cables", "ac", "lengthM"}, 1, 10000}));

} // namespace
} // namespace tarvel
