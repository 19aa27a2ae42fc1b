#pragma once

#include "ui/catalog_dialog.h"

namespace tarvel {

// "New Location Information": adds one location with its monthly radiation to the catalog.
class Tfrm_location : public CatalogDialog {
    Q_OBJECT
public:
    Tfrm_location(AppContext& context, QWidget* parent);

    void init_location();
    bool location_panduan();
    void newpanel_okClick();
    void cancelClick();

private:
    void FormCreate();
    void buildFields();
};

} // namespace tarvel
