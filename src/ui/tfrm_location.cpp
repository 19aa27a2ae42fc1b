#include "ui/tfrm_location.h"

#include "app/tdm.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "i18n/text_replacer.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace tarvel {
namespace {

const char* const kMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr int kFirstMonthField = 6;
constexpr int kYearField = 18;
// No site lies below the shores of the Dead Sea (about -430 m) or above the highest summits; a
// number far outside (3000000000) could not even be read back as a whole number of metres.
constexpr double kLowestAltitude = -500;
constexpr double kHighestAltitude = 9000;
// W/m2 in the monthly mean; the sun at the zenith gives about 1361 above the atmosphere.
constexpr double kHighestRadiation = 1500;

} // namespace

Tfrm_location::Tfrm_location(AppContext& context, QWidget* parent)
    : CatalogDialog(context, QStringLiteral("New Location Information"), 18, parent) {
    setObjectName(QStringLiteral("frm_location"));
    // The stored replacer lists one item without a component, which replaces nothing.
    LangReplacer->addReplaceCom(nullptr);
    buildFields();
    componentsLoaded();
    FormCreate();
}

void Tfrm_location::buildFields() {
    auto* place = new QGridLayout;
    addField(place, 0, 1, QStringLiteral("Country"));
    addField(place, 1, 2, QStringLiteral("City"));
    addField(place, 2, 3, QStringLiteral("Latitude[degree]"));
    addField(place, 3, 4, QStringLiteral("Longitude[degree]"));
    addField(place, 4, 5, QStringLiteral("Altitude[m]"));

    auto* radiation = new QGroupBox(QStringLiteral("Monthly Radiation[w/m2]:"), this);
    radiation->setObjectName(QStringLiteral("grpRadiation"));
    auto* months = new QGridLayout(radiation);
    for (int m = 0; m < 12; ++m) {
        const bool left = m < 6;
        addField(months, left ? m : m - 6, kFirstMonthField + m, QString::fromLatin1(kMonths[m]),
                 left ? 0 : 2);
    }
    addField(months, 6, kYearField, QStringLiteral("Year"), 2);
    filter(3, 5, CharacterFilter::Accepts::Signed);
    filter(6, 18, CharacterFilter::Accepts::Unsigned);

    QPushButton* ok = makeButton("newpanel_ok", "OK");
    QPushButton* cancel = makeButton("cancel", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(place);
    layout->addWidget(radiation);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &Tfrm_location::newpanel_okClick);
    connect(cancel, &QPushButton::clicked, this, &Tfrm_location::cancelClick);
}

void Tfrm_location::FormCreate() {
    applyLanguage();
    init_location();
}

void Tfrm_location::init_location() {
    clearFields();
}

bool Tfrm_location::location_panduan() {
    return allFieldsFilled();
}

void Tfrm_location::newpanel_okClick() {
    const QString country = field(1)->text();
    const QString city = field(2)->text();
    if (!location_panduan())
        return;
    bool exists = false;
    try {
        Catalog& catalog = m_ctx.dm.catalog();
        // Check and insert in one transaction: another program adding the same city meanwhile
        // either comes first (and this one finds it) or after.
        catalog.inOneTransaction([&] {
            exists = !catalog.locationDuplicateCheck(country, city);
            if (exists)
                return;
            TCountryInfo location;
            location.country = country;
            location.city = city;
            location.Latitude = numberIn(3, -90, 90);
            location.Longitude = numberIn(4, -180, 180);
            location.height = numberIn(5, kLowestAltitude, kHighestAltitude);
            // The altitude is read back as a whole number of metres; a fraction would make the location
            // unreadable.
            if (location.height != std::trunc(location.height)) {
                field(5)->setFocus();
                throw ConversionError("altitude is not a whole number");
            }
            for (std::size_t m = 0; m < 12; ++m)
                location.months[m] = numberIn(kFirstMonthField + static_cast<int>(m), 0, kHighestRadiation);
            location.Year0 = numberIn(kYearField, 0, kHighestRadiation);
            catalog.locationInsert(location);
        });
    } catch (const std::exception&) {
        showMessage(res(rs::FormatError));
        return;
    }
    // Shown once the catalog is free again: a message box waits for the user.
    if (exists) {
        showMessage(res(rs::CityExists));
        return;
    }
    accept();
}

void Tfrm_location::cancelClick() {
    reject();
}

} // namespace tarvel
