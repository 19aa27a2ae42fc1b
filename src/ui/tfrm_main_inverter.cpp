// The inverter chooser and its data sheet.

#include "ui/tfrm_main.h"

#include "app/dialogs.h"
#include "app/tdm.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"

#include <QComboBox>

namespace tarvel {

void Tfrm_main::inverter_add() {
    ui.ComboBox17->clear();
    ui.ComboBox18->clear();
    try {
        for (const QString& name : m_ctx.dm.catalog().inverterListQuery()) {
            ui.ComboBox17->addItem(name);
            ui.ComboBox18->addItem(name);
        }
    } catch (const std::exception&) {
        m_ctx.dialogs.message(this, QStringLiteral("0:") + res(rs::DatabaseReviewError));
    }
    ui.ComboBox18->setCurrentIndex(-1);
}

// The reset form of the data sheet: the first inverter of the list. The data sheet itself arrives
// with the inverter step.
void Tfrm_main::inverter_init() {
    if (ui.ComboBox17->count() > 0)
        ui.ComboBox17->setCurrentIndex(0);
}

void Tfrm_main::ComboBox17Change() {
    chose_select();
}

void Tfrm_main::BitBtn1Click() {}

void Tfrm_main::ComboBox18Change() {}

} // namespace tarvel
