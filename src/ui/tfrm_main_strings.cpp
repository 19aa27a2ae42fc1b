// String inputs A, B and C: maker, module type and the two counts of each input.

#include "ui/tfrm_main.h"

#include "app/tdm.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"
#include "ui/ui_builders.h"

#include <QComboBox>
#include <QLabel>

namespace tarvel {
namespace {

const char* stringPrefix(InputId id) {
    return id == InputId::A ? rs::StringA : id == InputId::B ? rs::StringB : rs::StringC;
}

} // namespace

// "String-A:", an empty line and an indented "Not select.", lines split by a lone CR.
void Tfrm_main::writeNotSelected(InputId id) {
    inputUi(id).systemList->setText(res(stringPrefix(id)) + QStringLiteral("\r\r        ") +
                                    res(rs::NotSelect));
}

bool Tfrm_main::noTypeChosen(InputId id) const {
    return nothingChosen(inputUi(id).type->currentText(), res(rs::ChoosePvModules));
}

void Tfrm_main::makerChanged(InputId id) {
    StringInputUi& in = inputUi(id);
    in.type->clear();
    showPrompt(in.type, res(rs::ChoosePvModules));
    in.strings->setText(QStringLiteral("0"));
    in.modulesPerString->setText(QStringLiteral("0"));
    m_session.input(id).Maker = in.maker->currentText();
    in.type->addItems(m_ctx.dm.catalog().moduleTypeListQuery(m_session.input(id).Maker));
    updateInputEnergy(id, updateInput(id));
    chose_select();
}

void Tfrm_main::typeChanged(InputId id) {
    try {
        m_session.input(id).ModuleType = inputUi(id).type->currentText();
        updateInputEnergy(id, updateInput(id));
    } catch (...) {
        // The type handler shows no message; what the recompute wrote stays.
    }
    inputUi(id).strings->setReadOnly(false);
    inputUi(id).modulesPerString->setReadOnly(false);
    chose_select();
}

void Tfrm_main::countChanged(InputId id, Count which) {
    StringInputUi& in = inputUi(id);
    SpinEdit* field = which == Count::Strings ? in.strings : in.modulesPerString;
    if (noTypeChosen(id)) {
        field->setReadOnly(true);
        field->setText(QStringLiteral("0"));
        return;
    }
    field->setReadOnly(false);
    if (field->text().isEmpty())
        return;
    if (which == Count::Strings)
        in.stringsNum->setText(res(rs::Parallel) + u' ' + field->text() + u' ' + res(rs::Group));
    else
        in.stringNum->setText(res(rs::Series) + u' ' + field->text() + u' ' + res(rs::Block));
    try {
        updateInputEnergy(id, updateInput(id));
    } catch (...) {
        // The count handlers show no message; what the recompute wrote stays.
    }
    chose_select();
}

// The recompute of one input; the string sizing arrives with the string-sizing step.
double Tfrm_main::updateInput(InputId) {
    return 0.0;
}

} // namespace tarvel
