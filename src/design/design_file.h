#pragma once

#include <QByteArray>
#include <QString>

#include <array>
#include <stdexcept>

namespace tarvel {

// A design file (.tpvd) holds what the user entered, never results: opening one replays the inputs
// through the window, so every result is computed anew. Format: docs/DESIGN_FILE.md.
struct DesignFile {
    struct StringInput {
        QString maker;
        QString moduleType;
        int strings = 0;          // 0..600
        int modulesPerString = 0; // 0..200
        bool operator==(const StringInput&) const = default;
    };
    struct Cable {
        QString material = QStringLiteral("Cu"); // "Cu" or "Al"
        int lengthM = 1;                         // 1..10000
        QString crossSection = QStringLiteral("1.5");
        bool operator==(const Cable&) const = default;
    };

    QString country;
    QString city;
    int maxModuleTemp = 70;  // degrees C, -10..80
    int minModuleTemp = -10; // -40..20
    int designTemp = 50;     // 0..70
    int roofPitch = 0;       // degrees, 0..89
    int azimuth = 0;         // degrees, -91..89
    QString inverter;
    std::array<StringInput, 3> inputs; // A, B, C
    std::array<Cable, 4> cables;       // DC A, DC B, DC C, AC
    QString designUnit;
    QString designer;

    bool operator==(const DesignFile&) const = default;
};

// The file is malformed; the message says where.
class DesignFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int kDesignFileVersion = 1;
inline constexpr char kDesignFileSuffix[] = "tpvd";

// The cross-sections a cable can have, mm2, as the choosers list them.
inline constexpr std::array<const char*, 18> kCrossSections = {"1.5", "2.5", "4",   "6",   "10",  "16",
                                                               "25",  "35",  "50",  "70",  "95",  "120",
                                                               "150", "185", "240", "300", "400", "500"};

// UTF-8 JSON, indented.
QByteArray writeDesignFile(const DesignFile& design);
// Throws DesignFileError naming the first field that is missing, of the wrong kind or out of range.
DesignFile readDesignFile(const QByteArray& json);

} // namespace tarvel
