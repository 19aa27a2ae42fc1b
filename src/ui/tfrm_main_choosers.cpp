// The open lists of the inverter and module-type choosers show each entry's ratings beside its name.
// They are read from the catalog each time a list opens and never enter the design: the chosen text
// and every lookup stay the plain names.

#include "ui/tfrm_main.h"

#include "app/tdm.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/filter_chooser.h"

namespace tarvel {
namespace {

// Ratings are a help for choosing; a catalog that cannot give them leaves the names alone (the
// handlers report a catalog that fails when an entry is chosen).
QHash<QString, QString> ratingsOrNone(const std::function<QHash<QString, QString>()>& read) {
    try {
        return read();
    } catch (const std::exception&) {
        return {};
    }
}

} // namespace

void Tfrm_main::showRatingsInLists() {
    if (auto* inverters = qobject_cast<FilterChooser*>(ui.ComboBox17))
        inverters->setRatingSource([this] {
            return ratingsOrNone([this] {
                QHash<QString, QString> ratings;
                for (const Catalog::EntryRatings& row : m_ctx.dm.catalog().inverterRatingListQuery())
                    if (!ratings.contains(row.name))
                        ratings.insert(row.name, res(rs::InverterRating).arg(row.first, row.second));
                return ratings;
            });
        });
    for (InputId id : kAllInputs) {
        auto* types = qobject_cast<FilterChooser*>(inputUi(id).type);
        if (!types)
            continue;
        types->setRatingSource([this, id] {
            return ratingsOrNone([this, id] {
                QHash<QString, QString> ratings;
                // Of several rows of one type the last is the one the module query takes.
                for (const Catalog::EntryRatings& row :
                     m_ctx.dm.catalog().moduleRatingListQuery(inputUi(id).maker->currentText()))
                    ratings.insert(row.name, row.second.isEmpty()
                                                 ? row.first + QStringLiteral(" W")
                                                 : res(rs::ModuleRating).arg(row.first, row.second));
                return ratings;
            });
        });
    }
}

} // namespace tarvel
