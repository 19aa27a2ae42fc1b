#include "ui/selection_assistant.h"

#include "app/app_settings.h"
#include "app/dialogs.h"
#include "app/tdm.h"
#include "catalog/catalog.h"
#include "design/number_format.h"
#include "i18n/replace_property.h"
#include "i18n/resource_strings.h"
#include "i18n/resource_texts.h"
#include "i18n/text_replacer.h"
#include "ui/catalog_dialog.h"
#include "ui/check_texts.h"
#include "ui/display_widgets.h"
#include "ui/main_window_ui.h"
#include "ui/spin_edit.h"
#include "ui/tfrm_main.h"
#include "ui/ui_builders.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarvel {
namespace {

enum Column {
    kInverter,
    kPerString,
    kStrings,
    kLayout,
    kModules,
    kPeakPower,
    kRatio,
    kDcAc,
    kEnergy,
    kVerdict,
    kColumns
};

constexpr int kResultRole = Qt::UserRole;     // index into the results, on every row
constexpr int kLayoutRole = Qt::UserRole + 1; // index into the inverter's layouts; -1 on its own row
constexpr int kDefaultModules = 20;

QIcon verdictIcon(bool recommended, bool valid) {
    return QIcon(imageListIcon(recommended ? 0 : valid ? 1 : 2));
}

QString notAvailable() {
    return res(rs::NotAvailable);
}

// The columns a layout fills, on an inverter's row (its best layout) and on the rows below it.
void showLayout(QTreeWidgetItem* item, const selection::Layout& l, const selection::InverterResult& r) {
    item->setText(kLayout, texts::layoutText(l));
    item->setText(kModules, l.modules == r.modulesAsked
                                ? QString::number(l.modules)
                                : res(rs::ModulesOfAsked).arg(l.modules).arg(r.modulesAsked));
    item->setText(kPeakPower, formatPattern(l.peakPowerW / 1000, 3));
    item->setText(kRatio, l.ratioDefined ? formatPatternOnGeneral(l.powerRatioPercent, 2) + u'%'
                                         : QStringLiteral("-"));
    item->setText(kDcAc, l.dcAcRatio ? formatPattern(*l.dcAcRatio, 2) : notAvailable());
    item->setText(kEnergy, l.yearlyEnergyKWh ? formatPattern(*l.yearlyEnergyKWh, 1) : notAvailable());
    for (int c : {kModules, kPeakPower, kRatio, kDcAc, kEnergy})
        item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
}

} // namespace

std::vector<site::InverterRating> readCatalogInverters(Catalog& catalog) {
    std::vector<site::InverterRating> inverters;
    for (const QString& model : catalog.inverterListQuery()) {
        site::InverterRating rating;
        try {
            if (const std::optional<TInverterInfo> row = catalog.inverterRecordQuery(model))
                rating = site::readInverter(*row);
            rating.model = model;
        } catch (const std::exception& error) {
            // A row the catalog cannot read is listed, with its reason, as not suitable.
            rating.model = model;
            rating.unreadableColumn = QStringLiteral("inverter_info");
            rating.unreadableText = QString::fromUtf8(error.what());
        }
        inverters.push_back(rating);
    }
    return inverters;
}

std::optional<TPanelInfo> readCatalogModule(Catalog& catalog, const QString& maker,
                                            const QString& moduleType) {
    std::optional<TPanelInfo> module = catalog.moduleRecordQuery(maker, moduleType);
    if (module)
        module->panel_maxv = catalog.moduleSystemVoltageQuery(maker, moduleType).value_or(0.0);
    return module;
}

SelectionAssistant::SelectionAssistant(AppContext& context, Tfrm_main& window)
    : QDialog(&window), m_ctx(context), m_window(window), LangReplacer(new TAcroMultiReplacer(this)) {
    setObjectName(QStringLiteral("frm_SelectionAssistant"));
    setWindowTitle(QStringLiteral("Selection Assistant"));
    setModal(false);
    buildControls();
    // The texts as designed are recorded, then shown in the interface language.
    useStoredFormOptions(*LangReplacer);
    LangReplacer->Replace();
    LangReplacer->OwnerOption().setCodePage(QString::number(m_ctx.settings.LanguageCodePage));
    LangReplacer->Replace();
    const QStringList headers{res(rs::HeaderInverter),   res(rs::HeaderModulesPerString),
                              res(rs::HeaderMaxStrings), res(rs::HeaderBestLayout),
                              res(rs::HeaderModules),    res(rs::HeaderPeakPower),
                              res(rs::HeaderRatio),      res(rs::HeaderDcAc),
                              res(rs::HeaderEnergy),     res(rs::HeaderVerdict)};
    m_tree->setHeaderLabels(headers);
    // Wide enough for the values (a three-input layout, "100–200 (MPP up to 200)") and for the header
    // in either language; the verdict takes the rest, and its reasons are shown in full below.
    const int valueWidths[kColumns] = {105, 150, 50, 185, 55, 80, 80, 55, 90, 0};
    for (int c = 0; c + 1 < kColumns; ++c) {
        const int header = m_tree->header()->fontMetrics().horizontalAdvance(headers[c]) + 16;
        m_tree->setColumnWidth(c, std::max(valueWidths[c], header));
    }
    resize(1260, 640);
    showPrompt(m_maker, res(rs::ChooseManufacturer));
    showPrompt(m_type, res(rs::ChoosePvModules));
    loadCatalog();
    prefillFromInputA();

    // The design's temperatures, location and orientation are followed as they change; the recompute
    // waits until the main window's handlers have finished.
    const MainWindowUi& ui = m_window.controls();
    const auto follow = [this] { recompute(); };
    for (SpinEdit* field : {ui.SpinEdit1, ui.SpinEdit2, ui.SpinEdit4, ui.SpinEdit5})
        connect(field, &SpinEdit::textChanged, this, follow, Qt::QueuedConnection);
    for (QComboBox* chooser : {ui.ComboBox1, ui.ComboBox2})
        connect(chooser, &QComboBox::activated, this, follow, Qt::QueuedConnection);
    for (QAction* command : {ui.N14, ui.OpenDesign})
        connect(command, &QAction::triggered, this, follow, Qt::QueuedConnection);
    recompute();
}

void SelectionAssistant::buildControls() {
    auto* layout = new QVBoxLayout(this);

    auto* inputs = new QGroupBox(QStringLiteral("Module and plant"), this);
    inputs->setObjectName(QStringLiteral("GroupModule"));
    auto* grid = new QGridLayout(inputs);
    auto* makerCaption = new QLabel(QStringLiteral("Manufacturer of solar module"), inputs);
    makerCaption->setObjectName(QStringLiteral("LabelMaker"));
    m_maker = new QComboBox(inputs);
    m_maker->setObjectName(QStringLiteral("ComboBoxMaker"));
    m_maker->setMinimumContentsLength(22);
    auto* typeCaption = new QLabel(QStringLiteral("Moudle-type"), inputs);
    typeCaption->setObjectName(QStringLiteral("LabelType"));
    m_type = new QComboBox(inputs);
    m_type->setObjectName(QStringLiteral("ComboBoxType"));
    m_type->setMinimumContentsLength(22);
    m_byCount = new QRadioButton(QStringLiteral("Number of modules"), inputs);
    m_byCount->setObjectName(QStringLiteral("RadioModules"));
    m_byCount->setChecked(true);
    m_count = new QSpinBox(inputs);
    m_count->setObjectName(QStringLiteral("SpinModules"));
    m_count->setRange(1, selection::kMaxModulesToPlace);
    m_count->setValue(kDefaultModules);
    m_byPower = new QRadioButton(QStringLiteral("Target peak power [kWp]"), inputs);
    m_byPower->setObjectName(QStringLiteral("RadioPeakPower"));
    m_power = new QLineEdit(inputs);
    m_power->setObjectName(QStringLiteral("EditPeakPower"));
    m_power->setValidator(new CharacterFilter(CharacterFilter::Accepts::Unsigned, m_power));
    m_power->setEnabled(false);
    m_powerCount = new QLabel(inputs);
    m_powerCount->setObjectName(QStringLiteral("LabelPowerCount"));
    m_powerCount->setTextFormat(Qt::PlainText);
    grid->addWidget(makerCaption, 0, 0);
    grid->addWidget(m_maker, 0, 1);
    grid->addWidget(m_byCount, 0, 3);
    grid->addWidget(m_count, 0, 4);
    grid->addWidget(typeCaption, 1, 0);
    grid->addWidget(m_type, 1, 1);
    grid->addWidget(m_byPower, 1, 3);
    grid->addWidget(m_power, 1, 4);
    grid->addWidget(m_powerCount, 1, 5);
    grid->setColumnMinimumWidth(2, 24);
    grid->setColumnStretch(6, 1);
    layout->addWidget(inputs);

    auto* design = new QGroupBox(QStringLiteral("Design conditions"), this);
    design->setObjectName(QStringLiteral("GroupDesign"));
    auto* designLayout = new QVBoxLayout(design);
    m_site = new QLabel(design);
    m_site->setObjectName(QStringLiteral("LabelSite"));
    m_site->setTextFormat(Qt::PlainText);
    m_site->setWordWrap(true);
    designLayout->addWidget(m_site);
    layout->addWidget(design);

    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("TreeInverters"));
    m_tree->setColumnCount(kColumns);
    m_tree->setUniformRowHeights(true);
    m_tree->setAlternatingRowColors(true);
    m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
    m_tree->header()->setStretchLastSection(true);
    layout->addWidget(m_tree, 1);
    m_details = new QLabel(this);
    m_details->setObjectName(QStringLiteral("LabelDetails"));
    m_details->setTextFormat(Qt::PlainText);
    m_details->setWordWrap(true);
    m_details->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_details->setMinimumHeight(4 * m_details->fontMetrics().lineSpacing());
    layout->addWidget(m_details);

    auto* bottom = new QHBoxLayout;
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("LabelSummary"));
    m_summary->setTextFormat(Qt::PlainText);
    m_summary->setWordWrap(true);
    m_apply = new QPushButton(QStringLiteral("Apply"), this);
    m_apply->setObjectName(QStringLiteral("ButtonApply"));
    m_apply->setEnabled(false);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("ButtonClose"));
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_apply);
    bottom->addWidget(close);
    layout->addLayout(bottom);

    connect(m_maker, &QComboBox::activated, this, [this] { makerChosen(); });
    connect(m_type, &QComboBox::activated, this, [this] {
        m_haveModule = false;
        reportErrors(m_ctx.dialogs, this, [this] {
            if (const auto module =
                    readCatalogModule(m_ctx.dm.catalog(), m_maker->currentText(), m_type->currentText())) {
                m_module = *module;
                m_haveModule = true;
            }
        });
        recompute();
    });
    connect(m_count, &QSpinBox::valueChanged, this, [this] { recompute(); });
    connect(m_power, &QLineEdit::textChanged, this, [this] { recompute(); });
    connect(m_byCount, &QRadioButton::toggled, this, [this](bool byCount) {
        m_count->setEnabled(byCount);
        m_power->setEnabled(!byCount);
        recompute();
    });
    connect(m_tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) { fillLayouts(item); });
    connect(m_tree, &QTreeWidget::itemSelectionChanged, this, [this] { selectionChanged(); });
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, [this] { applySelected(); });
    connect(m_apply, &QPushButton::clicked, this, [this] { applySelected(); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

// The makers and every inverter row; read again whenever the window comes to the front, since the
// catalog dialogs may have added rows meanwhile.
void SelectionAssistant::loadCatalog() {
    try {
        m_inverters = readCatalogInverters(m_ctx.dm.catalog());
        const QStringList makers = m_ctx.dm.catalog().makerListQuery();
        QStringList shown;
        for (int i = 0; i < m_maker->count(); ++i)
            shown << m_maker->itemText(i);
        if (makers != shown) {
            // A maker added meanwhile; the chosen one stays chosen.
            const QString chosen = m_maker->currentText();
            m_maker->clear();
            m_maker->addItems(makers);
            m_maker->setCurrentIndex(m_maker->findText(chosen, Qt::MatchExactly));
        }
        m_catalogRead = true;
    } catch (const std::exception& error) {
        m_inverters.clear();
        m_catalogRead = false;
        m_summary->setText(QStringLiteral("0:") + res(rs::DatabaseReviewError) + u' ' +
                           QString::fromUtf8(error.what()));
    }
}

void SelectionAssistant::makerChosen() {
    m_type->clear();
    showPrompt(m_type, res(rs::ChoosePvModules));
    m_haveModule = false;
    reportErrors(m_ctx.dialogs, this, [this] {
        m_type->addItems(m_ctx.dm.catalog().moduleTypeListQuery(m_maker->currentText()));
    });
    recompute();
}

// Input A's module when one is chosen, and the design's number of modules when it has any.
void SelectionAssistant::prefillFromInputA() {
    const MainWindowUi& ui = m_window.controls();
    const StringInputUi& a = ui.inputs[0];
    const QString maker = a.maker->currentText();
    const QString type = a.type->currentText();
    if (m_window.session().TotalModules > 0)
        m_count->setValue(std::min(m_window.session().TotalModules, selection::kMaxModulesToPlace));
    const int makerIndex = m_maker->findText(maker, Qt::MatchExactly);
    if (nothingChosen(maker, res(rs::ChooseManufacturer)) || makerIndex < 0)
        return;
    m_maker->setCurrentIndex(makerIndex);
    makerChosen();
    const int typeIndex = m_type->findText(type, Qt::MatchExactly);
    if (nothingChosen(type, res(rs::ChoosePvModules)) || typeIndex < 0)
        return;
    m_type->setCurrentIndex(typeIndex);
    emit m_type->activated(typeIndex);
}

std::optional<int> SelectionAssistant::modulesAsked() const {
    if (m_byCount->isChecked())
        return m_count->value();
    try {
        const int modules = selection::modulesForPeakPower(textToDouble(m_power->text()), m_module.power);
        if (modules > 0)
            return modules;
    } catch (const ConversionError&) {
    }
    return std::nullopt;
}

void SelectionAssistant::recompute() {
    m_cityChosen = !nothingChosen(m_window.controls().ComboBox2->currentText(), res(rs::ChooseCity));
    m_powerCount->clear();
    if (!m_catalogRead) {
        m_tree->clear();
        m_results.clear();
        selectionChanged();
        return;
    }
    const std::optional<int> modules = m_haveModule ? modulesAsked() : std::nullopt;
    if (m_haveModule && m_byPower->isChecked() && modules)
        m_powerCount->setText(res(rs::ModulesFromPower).arg(*modules));
    const bool temperaturesRead = m_window.siteTemperatures().has_value();
    if (!m_haveModule || !modules || !temperaturesRead) {
        m_results.clear();
        m_tree->clear();
        m_summary->setText(!temperaturesRead ? res(rs::AssistantNoTemperatures)
                           : !m_haveModule   ? res(rs::ChooseModuleType)
                                             : res(rs::AssistantNoCount));
        showSite(m_window.selectionRequest(m_module, 0));
        selectionChanged();
        return;
    }
    const selection::Request request = m_window.selectionRequest(m_module, *modules);
    m_results = selection::sweep(request, m_inverters);
    showResults(m_module.product_name + u'\n' + m_module.strings_type);
    showSite(request);
}

void SelectionAssistant::showSite(const selection::Request& request) {
    const MainWindowUi& ui = m_window.controls();
    const QString low = texts::temperature(request.temperatures.minC);
    const QString high = texts::temperature(request.temperatures.maxC);
    if (!m_cityChosen) {
        m_site->setText(res(rs::AssistantSiteNoCity).arg(low, high));
        return;
    }
    m_site->setText(res(rs::AssistantSite)
                        .arg(ui.ComboBox2->currentText() + u';' + ui.ComboBox1->currentText(), low, high,
                             ui.SpinEdit4->text(), ui.SpinEdit5->text(),
                             m_haveModule && request.correctedYield
                                 ? formatPattern(*request.correctedYield, 2)
                                 : notAvailable()));
}

// Rebuilds the table; rows the user had opened stay open and the selected row stays selected while
// they still exist.
void SelectionAssistant::showResults(const QString& moduleKey) {
    QSet<QString> expanded;
    QString selectedModel, selectedLayout;
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
        if (m_tree->topLevelItem(i)->isExpanded())
            expanded.insert(m_tree->topLevelItem(i)->text(kInverter));
    if (QTreeWidgetItem* current = m_tree->currentItem()) {
        QTreeWidgetItem* top = current->parent() ? current->parent() : current;
        selectedModel = top->text(kInverter);
        if (current->parent())
            selectedLayout = current->text(kLayout);
    }
    const bool sameModule = m_tree->property("module").toString() == moduleKey;
    m_tree->setProperty("module", moduleKey);

    m_tree->setUpdatesEnabled(false);
    m_tree->clear();
    int counts[3] = {0, 0, 0};
    QTreeWidgetItem* reselect = nullptr;
    for (std::size_t i = 0; i < m_results.size(); ++i) {
        const selection::InverterResult& r = m_results[i];
        ++counts[static_cast<int>(r.verdict)];
        auto* item = new QTreeWidgetItem(m_tree);
        item->setData(kInverter, kResultRole, static_cast<int>(i));
        item->setData(kInverter, kLayoutRole, -1);
        item->setText(kInverter, r.inverter.model);
        QFont bold = item->font(kInverter);
        bold.setBold(true);
        item->setFont(kInverter, bold);
        if (r.inverter.unreadableColumn.isEmpty()) {
            item->setText(kPerString, texts::limitsRange(r.limits));
            item->setToolTip(kPerString, texts::limitsDetails(r.limits));
            item->setText(kStrings, QString::number(r.limits.sMax()));
            item->setTextAlignment(kStrings, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (const selection::Layout* best = r.best())
            showLayout(item, *best, r);
        const QString verdict = texts::verdictLine(r);
        item->setText(kVerdict, verdict);
        item->setToolTip(kVerdict, verdict);
        item->setIcon(kVerdict, verdictIcon(r.verdict == selection::Verdict::Recommended,
                                            r.verdict != selection::Verdict::Invalid));
        if (r.layouts.size() > 1 || r.moreLayouts)
            item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
        if (sameModule && expanded.contains(r.inverter.model))
            item->setExpanded(true);
        if (sameModule && r.inverter.model == selectedModel)
            reselect = item;
    }
    if (reselect && !selectedLayout.isEmpty()) {
        fillLayouts(reselect);
        for (int i = 0; i < reselect->childCount(); ++i)
            if (reselect->child(i)->text(kLayout) == selectedLayout) {
                reselect = reselect->child(i);
                break;
            }
    }
    if (reselect)
        m_tree->setCurrentItem(reselect);
    m_tree->setUpdatesEnabled(true);
    m_summary->setText(res(rs::AssistantSummary)
                           .arg(m_results.size())
                           .arg(counts[static_cast<int>(selection::Verdict::Recommended)])
                           .arg(counts[static_cast<int>(selection::Verdict::Valid)])
                           .arg(counts[static_cast<int>(selection::Verdict::Invalid)]));
    selectionChanged();
}

// The rows of every valid layout of an inverter, made when its row is first opened.
void SelectionAssistant::fillLayouts(QTreeWidgetItem* item) {
    if (!item || item->parent() || item->childCount() > 0)
        return;
    const auto index = static_cast<std::size_t>(item->data(kInverter, kResultRole).toInt());
    if (index >= m_results.size())
        return;
    const selection::InverterResult& r = m_results[index];
    for (std::size_t k = 0; k < r.layouts.size(); ++k) {
        const selection::Layout& l = r.layouts[k];
        auto* child = new QTreeWidgetItem(item);
        child->setData(kInverter, kResultRole, static_cast<int>(index));
        child->setData(kInverter, kLayoutRole, static_cast<int>(k));
        showLayout(child, l, r);
        child->setText(kVerdict, texts::verdictText(l.recommended ? selection::Verdict::Recommended
                                                                  : selection::Verdict::Valid));
        child->setIcon(kVerdict, verdictIcon(l.recommended, true));
    }
    if (r.moreLayouts) {
        auto* more = new QTreeWidgetItem(item);
        more->setData(kInverter, kResultRole, static_cast<int>(index));
        more->setData(kInverter, kLayoutRole, -2);
        more->setText(kLayout, res(rs::MoreLayouts));
    }
}

const selection::Layout* SelectionAssistant::selectedLayout(const selection::InverterResult** owner) const {
    const QTreeWidgetItem* item = m_tree->currentItem();
    if (!item)
        return nullptr;
    const auto index = static_cast<std::size_t>(item->data(kInverter, kResultRole).toInt());
    const int layout = item->data(kInverter, kLayoutRole).toInt();
    if (index >= m_results.size())
        return nullptr;
    const selection::InverterResult& r = m_results[index];
    if (owner)
        *owner = &r;
    if (layout == -1)
        return r.best();
    if (layout < 0 || static_cast<std::size_t>(layout) >= r.layouts.size())
        return nullptr;
    return &r.layouts[static_cast<std::size_t>(layout)];
}

void SelectionAssistant::selectionChanged() {
    const selection::InverterResult* owner = nullptr;
    const bool layout = selectedLayout(&owner) != nullptr;
    // The selected inverter in full: its verdict with every reason, and how its limits came about.
    if (owner) {
        QString details = res(rs::NamedText).arg(owner->inverter.model, texts::verdictLine(*owner));
        if (owner->inverter.unreadableColumn.isEmpty())
            details += u'\n' + texts::joined(texts::limitsDetails(owner->limits).split(u'\n'));
        m_details->setText(details);
    } else {
        m_details->clear();
    }
    m_apply->setEnabled(layout && m_cityChosen);
    m_apply->setToolTip(m_cityChosen ? QString() : res(rs::ApplyNeedsCity));
}

void SelectionAssistant::applySelected() {
    const selection::InverterResult* owner = nullptr;
    const selection::Layout* layout = selectedLayout(&owner);
    if (!layout || !owner || !m_cityChosen)
        return;
    // Copies: the main window's handlers make this window recompute its results.
    const selection::Layout chosen = *layout;
    const QString inverter = owner->inverter.model;
    const Tfrm_main::OpenResult result =
        m_window.applyLayout(inverter, m_module.product_name, m_module.strings_type, chosen);
    m_window.showOpenResult(result);
    m_window.raise();
    m_window.activateWindow();
}

void SelectionAssistant::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        loadCatalog();
        recompute();
    }
}

} // namespace tarvel
