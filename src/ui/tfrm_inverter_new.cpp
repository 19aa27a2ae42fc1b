#include "ui/tfrm_inverter_new.h"

#include "app/dialogs.h"
#include "app/tdm.h"
#include "design/number_format.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "ui/display_widgets.h"

#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tarvel {
namespace {

// What a field must hold. The numeric ones are shown in red.
enum class Value {
    Text,
    Positive, // a power, a voltage or a current
    Fraction, // an efficiency as a fraction, above 0 and at most 1 (0.947, not 94.7)
};

struct FieldRow {
    const char* caption;
    const char* example; // nullptr: none
    Value value;
};

// Edit1 .. Edit23 in order, with the groups they start.
const FieldRow kRows[23] = {
    {"moudle type;", nullptr, Value::Text},
    {"Allowed  temperature", "-25～＋60℃", Value::Text},
    {"Protection Type", "IP65(outdoor)", Value::Text},
    {"Noise level", "<45", Value::Text},
    {"Communication interfaces", "RS485", Value::Text},
    {"Isolation type ", "Frequency Transformer", Value::Text},
    {"Dimensions[mm*mm*mm]", "436*298*231", Value::Text},
    {"Weight[kg]", "30Kg", Value::Text},
    {"Peak power[KW]", "3", Value::Positive},
    {"Max. Power[kw]", "3.3", Value::Positive},
    {"Max. DC Voltage [V]", "450", Value::Positive},
    {"MPP-Min.voltage[V]", "200", Value::Positive},
    {"MPPT voltage range [V] ", "200-400", Value::Text},
    {"Max. DC current [A] ", "15", Value::Positive},
    {"Wiring connect type", "Dip water terminal Blocks", Value::Text},
    {"Rated AC power [KW] ", "3", Value::Positive},
    {"Max.AC power[kW]", "3.3", Value::Positive},
    {"Grid voltage range [V]", "180～260VAC", Value::Text},
    {"Grid frequency range [Hz]", "50/60±1.5Hz", Value::Text},
    {"THD at rated output ", "≤3%", Value::Text},
    {"Power factor ", ">0.99", Value::Text},
    {"Max. efficiency ", "0.947", Value::Fraction},
    {"Euro efficiency (at nom) ", "0.934", Value::Fraction},
};

struct Group {
    const char* name;
    const char* title;
    int first;
    int last;
};

const Group kGroups[4] = {{"grpInverterData", "Inverter Data", 1, 8},
                          {"grpDcInput", "DC Input Data", 9, 15},
                          {"grpAcOutput", "AC Output Data", 16, 21},
                          {"grpEfficiency", "Efficiency", 22, 23}};

constexpr int kMaxEfficiencyField = 22;
constexpr int kEuroEfficiencyField = 23;

// A fraction such as 0.947 as the percentage text the data sheet shows: 94.7%.
QString percentText(double fraction) {
    return formatGeneral(fraction * 100) + u'%';
}

} // namespace

Tfrm_inverter_new::Tfrm_inverter_new(AppContext& context, QWidget* parent)
    : CatalogDialog(context, QStringLiteral("NewInverter"), 23, parent), img1(new PictureBox(this)),
      Memo1(new QPlainTextEdit(this)) {
    setObjectName(QStringLiteral("frm_inverter_new"));
    buildFields();
    componentsLoaded();
    FormCreate();
}

void Tfrm_inverter_new::buildFields() {
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    auto* right = new QVBoxLayout;
    for (const Group& g : kGroups) {
        auto* box = new QGroupBox(QString::fromUtf8(g.title), this);
        box->setObjectName(QString::fromLatin1(g.name));
        auto* grid = new QGridLayout(box);
        grid->addWidget(new QLabel(QStringLiteral("e.g. as follow"), box), 0, 2);
        for (int n = g.first; n <= g.last; ++n) {
            const FieldRow& row = kRows[n - 1];
            addField(grid, n - g.first + 1, n, QString::fromUtf8(row.caption));
            auto* example = new QLabel(row.example ? QString::fromUtf8(row.example) : QString(), box);
            example->setObjectName(QStringLiteral("Example%1").arg(n));
            if (row.value != Value::Text)
                example->setStyleSheet(QStringLiteral("color: #c62828; font-weight: bold;"));
            grid->addWidget(example, n - g.first + 1, 2);
        }
        (g.first < 16 ? left : right)->addWidget(box);
    }
    img1->setObjectName(QStringLiteral("img1"));
    img1->setFixedSize(120, 150);
    img1->setFrameShape(QFrame::StyledPanel);
    QPushButton* load = makeButton("inverter_picture_new", "Load  inverter picture");
    right->addWidget(img1, 0, Qt::AlignHCenter);
    right->addWidget(load);
    right->addStretch(1);
    columns->addLayout(left);
    columns->addLayout(right);

    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFixedHeight(48);
    QPushButton* ok = makeButton("newinverter_ok", "OK");
    QPushButton* cancel = makeButton("newinverter_cancel", "Cancel");
    // Enter in a field means OK, as in the other catalog dialogs; the picture button comes first in
    // the layout and would otherwise take that role.
    ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(Memo1);
    layout->addLayout(buttons);

    connect(load, &QPushButton::clicked, this,
            [this] { reportErrors(m_ctx.dialogs, this, [this] { inverter_picture_newClick(); }); });
    connect(ok, &QPushButton::clicked, this, &Tfrm_inverter_new::newinverter_okClick);
    connect(cancel, &QPushButton::clicked, this, &Tfrm_inverter_new::newinverter_cancelClick);
}

void Tfrm_inverter_new::FormCreate() {
    applyLanguage();
    initinverter();
    Memo1->setPlainText(res(rs::InverterNote));
    Memo1->setReadOnly(true);
}

void Tfrm_inverter_new::initinverter() {
    clearFields();
    img1->clearPicture();
}

void Tfrm_inverter_new::inverter_picture_newClick() {
    const QString path = m_ctx.dialogs.openPictureFile(this);
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw PictureError(QStringLiteral("Cannot open %1: %2").arg(path, file.errorString()).toStdString());
    img1->setJpeg(file.readAll());
}

bool Tfrm_inverter_new::inverter_panduan() {
    if (!allFieldsFilled())
        return false;
    if (!img1->hasPicture()) {
        showMessage(res(rs::LoadInverterPicture));
        return false;
    }
    return true;
}

// The fields shown in red are read as numbers by the data sheet; a text such as "3kW" must not reach
// the catalog, where it would make the inverter unreadable. A power, voltage or current that is not
// positive, or an efficiency typed as a percentage (94.7 multiplies the yearly energy by 94.7), would
// make nonsense of every design with the inverter. The first such field gets the focus.
bool Tfrm_inverter_new::numbersAreNumbers() {
    for (int n = 1; n <= fieldCount(); ++n) {
        try {
            switch (kRows[n - 1].value) {
            case Value::Text:
                break;
            case Value::Positive:
                positive(n);
                break;
            case Value::Fraction:
                numberIn(n, 0, 1, true);
                break;
            }
        } catch (const ConversionError&) {
            return false;
        }
    }
    return true;
}

TInverterInfo Tfrm_inverter_new::record() const {
    TInverterInfo v;
    QString* texts[21] = {&v.inverter_type,      &v.work_temp,    &v.protect_grade, &v.noise_grade,
                          &v.pinterface,         &v.geli_type,    &v.ssize,         &v.weight,
                          &v.power_erding,       &v.power_DC_MAX, &v.max_v,         &v.MPP_min,
                          &v.mpp_range,          &v.input_maxI,   &v.wire_type,     &v.output_ACpower,
                          &v.output_ACpower_max, &v.range_v,      &v.range_hz,      &v.zongxiebo,
                          &v.factor_power};
    for (int n = 1; n <= 21; ++n)
        *texts[n - 1] = field(n)->text();
    v.xiaolv_max = percentText(number(kMaxEfficiencyField));
    v.xiaolv_ouzhou = percentText(number(kEuroEfficiencyField));
    v.xiaolv_erding = field(kEuroEfficiencyField)->text();
    v.xiaolv_zuida = field(kMaxEfficiencyField)->text();
    return v;
}

void Tfrm_inverter_new::newinverter_okClick() {
    if (!inverter_panduan())
        return;
    bool exists = false;
    try {
        if (!numbersAreNumbers()) {
            showMessage(res(rs::FormatError));
            return;
        }
        Catalog& catalog = m_ctx.dm.catalog();
        const QString model = field(1)->text();
        // Check, row and picture in one transaction: another program adding the same model meanwhile
        // either comes first (and this one finds it) or after, and no inverter is left without its
        // picture.
        catalog.inOneTransaction([&] {
            exists = !catalog.inverterDuplicateCheck(model);
            if (exists)
                return;
            catalog.inverterInsert(record());
            catalog.inverterPictureQuery(model, img1->jpegBytes());
        });
    } catch (const std::exception&) {
        showMessage(res(rs::FormatError));
        return;
    }
    // Shown once the catalog is free again: a message box waits for the user.
    if (exists) {
        initinverter();
        field(1)->setFocus();
        showMessage(res(rs::InverterExists));
        return;
    }
    accept();
}

void Tfrm_inverter_new::newinverter_cancelClick() {
    reject();
}

} // namespace tarvel
