#include "ui/tfrm_panel_new.h"

#include "app/tdm.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvel {
namespace {

struct FieldRow {
    const char* caption;
    const char* example;
};

// Edit1 .. Edit15; the first eight stand in the left column.
const FieldRow kRows[15] = {
    {"Manufacturer", "3S"},
    {"Moudle-type", "Solar Generator MegaSlate"},
    {"Peak power[W]", "136"},
    {"MPP-voltage[V]", "30.00"},
    {"MPP-current[A]", "4.60"},
    {"Open circuit voltage[V]", "36.00"},
    {"Short circuit current[A]", "4.90"},
    {"Allowed system voltage  [V]", "715"},
    {"Efficiency[%]", "10.60"},
    {"Modul area[m2]", "1.28"},
    {"Material of the solar cells", "POLY"},
    {"Temp. coefficient of open circuit voltage[%/°C]", "-0.33"},
    {"Temp. coefficient of short circuit current[%/°C]", "0.05"},
    {"Temp. coefficient of MPP voltage[mV/Deg.C]", "-118.80"},
    {"Temp. coefficient of MPP current[mA/Deg.C]", "2.45"},
};

constexpr int kLeftColumnRows = 8;

} // namespace

Tfrm_panel_new::Tfrm_panel_new(AppContext& context, QWidget* parent)
    : CatalogDialog(context, QStringLiteral("NewPanel"), 15, parent), Memo1(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frm_panel_new"));
    buildFields();
    componentsLoaded();
    FormCreate();
}

void Tfrm_panel_new::buildFields() {
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(10);
    grid->addWidget(new QLabel(QStringLiteral("e.g."), this), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("e.g."), this), 0, 5);
    for (int n = 1; n <= 15; ++n) {
        const bool left = n <= kLeftColumnRows;
        const int row = left ? n : n - kLeftColumnRows;
        const int column = left ? 0 : 3;
        addField(grid, row, n, QString::fromUtf8(kRows[n - 1].caption), column);
        auto* example = new QLabel(QString::fromUtf8(kRows[n - 1].example), this);
        example->setObjectName(QStringLiteral("Example%1").arg(n));
        example->setStyleSheet(QStringLiteral("color: #5d6d74;"));
        grid->addWidget(example, row, column + 2);
    }
    filter(3, 10, CharacterFilter::Accepts::Unsigned);
    filter(12, 15, CharacterFilter::Accepts::Signed);

    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFixedHeight(44);
    QPushButton* ok = makeButton("newpanel_ok", "OK");
    QPushButton* cancel = makeButton("cancel", "Cancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Memo1);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &Tfrm_panel_new::newpanel_okClick);
    connect(cancel, &QPushButton::clicked, this, &Tfrm_panel_new::cancelClick);
}

void Tfrm_panel_new::FormCreate() {
    applyLanguage();
    init_panel();
    Memo1->setPlainText(res(rs::PanelNote));
    Memo1->setReadOnly(true);
}

void Tfrm_panel_new::init_panel() {
    clearFields();
}

bool Tfrm_panel_new::newpanel_panduan() {
    return allFieldsFilled();
}

void Tfrm_panel_new::newpanel_okClick() {
    const QString maker = field(1)->text();
    const QString type = field(2)->text();
    if (!newpanel_panduan())
        return;
    bool exists = false;
    try {
        Catalog& catalog = m_ctx.dm.catalog();
        // Check and insert in one transaction: another program adding the same module meanwhile
        // either comes first (and this one finds it) or after.
        catalog.inOneTransaction([&] {
            exists = !catalog.moduleDuplicateCheck(maker, type);
            if (exists)
                return;
            TPanelInfo m;
            m.product_name = maker;
            m.strings_type = type;
            // Powers, voltages, currents and the area must be above 0: a module without them makes
            // nonsense of every string it is used in.
            m.power = positive(3);
            m.MPP_V = positive(4);
            m.mpp_i = positive(5);
            m.kailu_V = positive(6);
            m.duanlu_i = positive(7);
            m.panel_maxv = positive(8);
            m.efficient = number(9);
            m.area = positive(10);
            m.material = field(11)->text();
            m.kailu_kx = number(12);
            m.duanlu_dx = number(13);
            m.mpp_mx = number(14);
            m.i_mx = number(15);
            catalog.moduleInsert(m);
        });
    } catch (const std::exception&) {
        showMessage(res(rs::FormatError));
        return;
    }
    // Shown once the catalog is free again: a message box waits for the user.
    if (exists) {
        showMessage(res(rs::PanelExists));
        return;
    }
    accept();
}

void Tfrm_panel_new::cancelClick() {
    reject();
}

} // namespace tarvel
