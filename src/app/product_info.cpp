#include "app/product_info.h"

#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "i18n/text_replacer.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

namespace tarvel {

Tfrm_ProductInfo::Tfrm_ProductInfo(const TAppSettings& settings, QWidget* parent)
    : QDialog(parent), m_settings(settings), Mo_info(new QPlainTextEdit(this)), Label1(new QLabel(this)),
      Label2(new QLabel(this)), Button1(new QPushButton(QStringLiteral("OK"), this)),
      LangReplacer(new TAcroMultiReplacer(this)) {
    setObjectName(QStringLiteral("frm_ProductInfo"));
    setWindowTitle(QStringLiteral("Information"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(511, 166);

    Mo_info->setObjectName(QStringLiteral("Mo_info"));
    Mo_info->setReadOnly(true);
    Mo_info->setFrameShape(QFrame::NoFrame);
    Mo_info->setGeometry(11, 8, 489, 100);
    Mo_info->setStyleSheet(QStringLiteral("QPlainTextEdit { background: transparent; border: none; }"));

    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setText(QStringLiteral("version:v1.2.0"));
    QFont versionFont(QStringLiteral("Tahoma"));
    versionFont.setPixelSize(13);
    Label1->setFont(versionFont);
    Label1->setGeometry(11, 126, 200, 20);

    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setText(webAddress());
    Label2->setGeometry(11, 144, 300, 18);

    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(416, 124, 85, 28);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    useStoredFormOptions(*LangReplacer);
    if (LangReplacer->AutoReplace)
        LangReplacer->Replace();
    FormCreate();
}

void Tfrm_ProductInfo::FormCreate() {
    Mo_info->setPlainText(m_settings.LanguageCodePage == kCodePageChinese ? res(rs::ProductInfoChinese)
                                                                          : res(rs::ProductInfoEnglish));
    LangReplacer->OwnerOption().setCodePage(QString::number(m_settings.LanguageCodePage));
    LangReplacer->Replace();
}

void Tfrm_ProductInfo::FormShow() {
    Label1->setText(res(rs::VersionPrefix) + m_settings.ProgramVersion);
}

void Tfrm_ProductInfo::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
}

} // namespace tarvel
