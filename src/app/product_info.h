#pragma once

#include "app/app_settings.h"

#include <QDialog>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace tarvel {

class TAcroMultiReplacer;

// The About box: product description in the interface language, version and web address.
class Tfrm_ProductInfo : public QDialog {
    Q_OBJECT
public:
    Tfrm_ProductInfo(const TAppSettings& settings, QWidget* parent);

    static QString webAddress() { return QStringLiteral("https://www.tarvel-energy.example"); }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormShow();

    const TAppSettings& m_settings;
    QPlainTextEdit* Mo_info;
    QLabel* Label1;
    QLabel* Label2;
    QPushButton* Button1;
    TAcroMultiReplacer* LangReplacer;
};

} // namespace tarvel
