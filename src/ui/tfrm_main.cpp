#include "ui/tfrm_main.h"

#include "app/dialogs.h"
#include "i18n/replace_property.h"
#include "i18n/resource_strings.h"
#include "i18n/text_replacer.h"
#include "report/report_preview.h"
#include "ui/display_widgets.h"
#include "ui/spin_edit.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>

#include <algorithm>
#include <cmath>

namespace tarvel {
namespace {

Tfrm_main* g_mainWindow = nullptr;

// The window size the design proportions refer to.
constexpr double kDesignWidth = 987.0;
constexpr double kDesignPagesShare = 745.0;
constexpr double kPaneShare = 242.0;

} // namespace

PageControlWidths pageControlWidths(int windowWidth) {
    return {static_cast<int>(std::nearbyint(windowWidth * kDesignPagesShare / kDesignWidth)),
            static_cast<int>(std::nearbyint(windowWidth * kPaneShare / kDesignWidth))};
}

Tfrm_main::Tfrm_main(AppContext& context, QWidget* parent)
    : QMainWindow(parent), m_ctx(context), LangReplacer(new TAcroMultiReplacer(this)) {
    g_mainWindow = this;
    setObjectName(QStringLiteral("frm_main"));
    setWindowTitle(QStringLiteral("Inverter Selection Software of Tarvel"));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setupMainWindowUi(this, ui);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    setReplacementMainWindow(this);
    report::ReportPreview::setTextTranslator(
        [](const QString& text) { return ResourceTranslator::instance().translate(text); });
    useStoredFormOptions(*LangReplacer);
    LangReplacer->addReplaceCom(ui.pages[0]);
    // The texts as designed are recorded before anything else writes into the controls.
    if (LangReplacer->AutoReplace)
        LangReplacer->Replace();
    // The help tab is sized by its page control only when shown; its panels follow it.
    ui.RzPageControl2->widget(1)->installEventFilter(this);
    FormPaint();
    connectControls();
    FormCreate();
    setupKeyboard();
    showRatingsInLists();
    trackDesignChanges();
    showSiteCaptions();
}

Tfrm_main::~Tfrm_main() {
    if (g_mainWindow == this)
        g_mainWindow = nullptr;
}

Tfrm_main* Tfrm_main::instance() {
    return g_mainWindow;
}

void Tfrm_main::connectControls() {
    // Handlers whose errors reach the default error report; the others catch their own.
    auto reported = [this](void (Tfrm_main::*handler)()) {
        return [this, handler] { reportErrors(dialogs(), this, [this, handler] { (this->*handler)(); }); };
    };
    connect(ui.ComboBox1, &QComboBox::activated, this, reported(&Tfrm_main::ComboBox1Change));
    connect(ui.ComboBox2, &QComboBox::activated, this, reported(&Tfrm_main::ComboBox2Change));
    connect(ui.SpinEdit3, &SpinEdit::textChanged, this, reported(&Tfrm_main::SpinEdit3Change));
    connect(ui.SpinEdit4, &SpinEdit::textChanged, this, reported(&Tfrm_main::SpinEdit4Change));
    connect(ui.SpinEdit5, &SpinEdit::textChanged, this, reported(&Tfrm_main::SpinEdit5Change));
    connect(ui.RzPageControl1, &QTabWidget::currentChanged, this, reported(&Tfrm_main::RzPageControl1Change));

    connect(ui.ComboBox17, &QComboBox::activated, this, reported(&Tfrm_main::ComboBox17Change));
    connect(ui.BitBtn1, &QPushButton::clicked, this, reported(&Tfrm_main::BitBtn1Click));
    // The maintenance store runs when a model is picked from the list or a complete name is confirmed
    // with Enter (the chooser then activates the model it names), never on a keystroke: a partial
    // name can be a whole other model ("KT8000-T" on the way to "KT8000-TL").
    connect(ui.ComboBox18, &QComboBox::activated, this, reported(&Tfrm_main::ComboBox18Change));

    for (InputId id : kAllInputs)
        connectStringInput(id);
    for (int run = kCableDcA; run <= kCableAc; ++run)
        connectCableRun(run);

    connect(ui.N14, &QAction::triggered, this, reported(&Tfrm_main::N14Click));
    connect(ui.OpenDesign, &QAction::triggered, this, reported(&Tfrm_main::OpenDesignClick));
    connect(ui.SaveDesign, &QAction::triggered, this, reported(&Tfrm_main::SaveDesignClick));
    connect(ui.SaveDesignAs, &QAction::triggered, this, reported(&Tfrm_main::SaveDesignAsClick));
    connect(ui.N16, &QAction::triggered, this, reported(&Tfrm_main::N16Click));
    connect(ui.NewLocation2, &QAction::triggered, this, reported(&Tfrm_main::NewLocation2Click));
    connect(ui.New_inverter, &QAction::triggered, this, reported(&Tfrm_main::New_inverterClick));
    connect(ui.New_panel, &QAction::triggered, this, reported(&Tfrm_main::New_panelClick));
    connect(ui.N21, &QAction::triggered, this, reported(&Tfrm_main::ChineseLangClick));
    connect(ui.N22, &QAction::triggered, this, reported(&Tfrm_main::EnglishLangClick));
    connect(ui.N24, &QAction::triggered, this, reported(&Tfrm_main::N24Click));
    connect(ui.N25, &QAction::triggered, this, reported(&Tfrm_main::N5Click));
    connect(ui.N26, &QAction::triggered, this, reported(&Tfrm_main::N6Click));
    connect(ui.SelectionAssistant, &QAction::triggered, this, reported(&Tfrm_main::SelectionAssistantClick));
    connect(ui.AssistantButton4, &QPushButton::clicked, this, reported(&Tfrm_main::SelectionAssistantClick));
    connect(ui.AssistantButton5, &QPushButton::clicked, this, reported(&Tfrm_main::SelectionAssistantClick));
    connect(ui.ExportResults, &QAction::triggered, this, reported(&Tfrm_main::ExportResultsClick));
    connect(ui.ShowAdvice, &QPushButton::clicked, this, [this] { ui.RzPageControl2->setCurrentIndex(1); });
    mirrorDesignInputs();
    // The site rows judge the inputs at the design's PV temperatures.
    for (SpinEdit* field : {ui.SpinEdit1, ui.SpinEdit2})
        connect(field, &SpinEdit::textChanged, this, [this] {
            showSiteCaptions();
            for (InputId id : kAllInputs)
                showSiteChecks(id);
        });
    watchExplainedControls();
}

void Tfrm_main::connectStringInput(InputId id) {
    StringInputUi& in = inputUi(id);
    // The maker handler lets its errors through to the default report; type and count handlers
    // swallow theirs.
    connect(in.maker, &QComboBox::activated, this,
            [this, id] { reportErrors(dialogs(), this, [this, id] { makerChanged(id); }); });
    connect(in.type, &QComboBox::activated, this, [this, id] { typeChanged(id); });
    connect(in.strings, &SpinEdit::textChanged, this, [this, id] { countChanged(id, Count::Strings); });
    connect(in.modulesPerString, &SpinEdit::textChanged, this,
            [this, id] { countChanged(id, Count::ModulesPerString); });
}

void Tfrm_main::connectCableRun(int run) {
    CableRunUi& c = ui.cables[static_cast<std::size_t>(run)];
    auto handler = [this, run] { cableControlChanged(run); };
    connect(c.material, &QComboBox::activated, this, handler);
    connect(c.crossSection, &QComboBox::activated, this, handler);
    connect(c.length, &SpinEdit::textChanged, this, handler);
}

// The design temperatures and the project texts are held by their fields; the session mirrors them.
void Tfrm_main::mirrorDesignInputs() {
    connect(ui.SpinEdit1, &SpinEdit::textChanged, this,
            [this](const QString& t) { m_session.MaxModuleTemp = t; });
    connect(ui.SpinEdit2, &SpinEdit::textChanged, this,
            [this](const QString& t) { m_session.MinModuleTemp = t; });
    connect(ui.SpinEdit3, &SpinEdit::textChanged, this,
            [this](const QString& t) { m_session.DesignTemp = t; });
    connect(ui.Edit2, &QLineEdit::textChanged, this, [this](const QString& t) { m_session.DesignUnit = t; });
    connect(ui.Edit3, &QLineEdit::textChanged, this, [this](const QString& t) { m_session.Designer = t; });
}

void Tfrm_main::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        centreOnScreen();
        FormShow();
    }
    FormPaint();
}

QPoint centredTopLeft(const QRect& area, const QSize& size) {
    return {std::max(area.left(), area.left() + (area.width() - size.width()) / 2),
            std::max(area.top(), area.top() + (area.height() - size.height()) / 2)};
}

void Tfrm_main::centreOnScreen() {
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    if (shownOn)
        move(centredTopLeft(shownOn->availableGeometry(), frameGeometry().size()));
}

void Tfrm_main::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormPaint();
}

bool Tfrm_main::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize && watched == ui.RzPageControl2->widget(1))
        FormPaint();
    if (event->type() == QEvent::ToolTip && showExplanation(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// Places the two page controls side by side in their proportions, the logo in the row of the design
// tabs at the right, and the help pane's picture and memo panel.
void Tfrm_main::FormPaint() {
    QWidget* client = centralWidget();
    const int width = client->width();
    const PageControlWidths widths = pageControlWidths(width);
    ui.RzPageControl1->setGeometry(0, 0, widths.designPages, client->height());
    ui.RzPageControl2->setGeometry(width - widths.pane, 0, widths.pane, client->height());

    const int pageTop = ui.pages[0]->mapTo(client, QPoint(0, 0)).y();
    ui.suiImagePanel3->setGeometry(ui.RzPageControl2->x() - 85, 1, 80, std::max(1, pageTop - 2));

    const int helpWidth = ui.RzPageControl2->widget(1)->width();
    ui.Page_info->setGeometry(2, 168, std::min(260, helpWidth - 4), 180);
    ui.suiImagePanel1->setGeometry(5, ui.suiImagePanel1->y(), helpWidth - 3, ui.suiImagePanel1->height());
}

} // namespace tarvel
