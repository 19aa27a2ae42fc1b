#pragma once

#include "design/catalog_records.h"
#include "ui/catalog_dialog.h"

class QPlainTextEdit;

namespace tarvel {

class PictureBox;

// "NewInverter": adds one inverter with its data sheet and picture to the catalog.
class Tfrm_inverter_new : public CatalogDialog {
    Q_OBJECT
public:
    Tfrm_inverter_new(AppContext& context, QWidget* parent);

    void initinverter();
    void inverter_picture_newClick();
    bool inverter_panduan();
    void newinverter_okClick();
    void newinverter_cancelClick();

private:
    void FormCreate();
    void buildFields();
    bool numbersAreNumbers();
    TInverterInfo record() const;

    PictureBox* img1;
    QPlainTextEdit* Memo1;
};

} // namespace tarvel
