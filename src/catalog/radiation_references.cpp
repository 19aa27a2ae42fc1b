#include "catalog/radiation_references.h"

namespace tarvel {

const std::vector<RadiationReference>& radiationReferences() {
    // Virginia Beach has no weather record of its own in the sources; it carries Norfolk's.
    static const std::vector<RadiationReference> references = {
        {QStringLiteral("United States"), QStringLiteral("Virginia Beach VA"),
         QStringLiteral("United States"), QStringLiteral("Norfolk VA")},
    };
    return references;
}

std::optional<RadiationReference> radiationReference(const QString& country, const QString& city) {
    for (const RadiationReference& r : radiationReferences())
        if (r.country == country && r.city == city)
            return r;
    return std::nullopt;
}

} // namespace tarvel
