#pragma once

#include "ui/catalog_dialog.h"

class QPlainTextEdit;

namespace tarvel {

// "NewPanel": adds one PV module type to the catalog.
class Tfrm_panel_new : public CatalogDialog {
    Q_OBJECT
public:
    Tfrm_panel_new(AppContext& context, QWidget* parent);

    void init_panel();
    bool newpanel_panduan();
    void newpanel_okClick();
    void cancelClick();

private:
    void FormCreate();
    void buildFields();

    QPlainTextEdit* Memo1;
};

} // namespace tarvel
