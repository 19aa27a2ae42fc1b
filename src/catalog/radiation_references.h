#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace tarvel {

// A location of the shipped catalog whose monthly radiation values are those of another location,
// so the program can say where the values come from.
struct RadiationReference {
    QString country;
    QString city;
    QString referenceCountry;
    QString referenceCity;
};

const std::vector<RadiationReference>& radiationReferences();

// The reference of a location, compared exactly (case included); none for most locations.
std::optional<RadiationReference> radiationReference(const QString& country, const QString& city);

} // namespace tarvel
