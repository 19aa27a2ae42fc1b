#include "ui/main_window_ui.h"

#include "ui/display_widgets.h"
#include "ui/ui_builders.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace tarvel {
namespace {

// The client area of the main window, which never changes size.
constexpr QSize kClientSize(975, 629);

QLabel* paneLabel(QWidget* parent, const char* name, const char* text) {
    QLabel* label = makeCaption(parent, QString::fromLatin1(name), QString::fromLatin1(text));
    label->setProperty("role", QStringLiteral("pane"));
    return label;
}

MultiLineLabel* stringLine(QWidget* parent, const char* name) {
    auto* label = new MultiLineLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setProperty("role", QStringLiteral("pane"));
    // Five module lines: a Latin face with tighter lines than the CJK interface font (Chinese
    // characters still come from the CJK font).
    label->setFixedHeight(82);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(9);
    label->setFont(font);
    return label;
}

QWidget* systemListTab(MainWindowUi& ui) {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabSheet1"));
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(2);
    layout->addWidget(makeHeading(tab, QStringLiteral("headLocation"), QStringLiteral("Location")));
    for (QLabel* label : {ui.Label56 = paneLabel(tab, "Label56", "Choose Country !"),
                         ui.Label64 = paneLabel(tab, "Label64", "Choose City!"),
                         ui.Label58 = paneLabel(tab, "Label58", "Azimuth:"),
                         ui.Label57 = paneLabel(tab, "Label57", "Tilt angle;")})
        layout->addWidget(label);
    layout->addSpacing(4);
    layout->addWidget(makeHeading(tab, QStringLiteral("headPvModule"), QStringLiteral("PV-Module")));
    const char* const lines[3] = {"Label60", "Label61", "Label62"};
    for (std::size_t i = 0; i < 3; ++i) {
        ui.inputs[i].systemList = stringLine(tab, lines[i]);
        layout->addWidget(ui.inputs[i].systemList);
    }
    layout->addSpacing(4);
    layout->addWidget(makeHeading(tab, QStringLiteral("headInverter"), QStringLiteral("Inverter")));
    for (QLabel* label : {ui.Label66 = paneLabel(tab, "Label66", "moudle type;"),
                         ui.Label67 = paneLabel(tab, "Label67", "Max. PV-generator power ;"),
                         ui.Label68 = paneLabel(tab, "Label68", "Max.AC power;"),
                         ui.Label69 = paneLabel(tab, "Label69", "Euro efficiency ;"),
                         ui.Label70 = paneLabel(tab, "Label70", "Max. efficiency ;"),
                         ui.Label71 = paneLabel(tab, "Label71", "Grid voltage;"),
                         ui.Label72 = paneLabel(tab, "Label72", "Grid frequency ;"),
                         ui.Label48 = paneLabel(tab, "Label48", "Protection Type;")})
        layout->addWidget(label);
    layout->addStretch(1);
    return tab;
}

// The help tab places its picture and memo panel by position (the repaint rule sizes them).
QWidget* helpTab(MainWindowUi& ui) {
    auto* tab = new QWidget;
    tab->setObjectName(QStringLiteral("TabSheet2"));
    ui.suiImagePanel1 = new QLabel(tab);
    ui.suiImagePanel1->setObjectName(QStringLiteral("suiImagePanel1"));
    setPixmapWhenShown(ui.suiImagePanel1, QStringLiteral(":/ui/help_picture.svg"));
    ui.suiImagePanel1->setScaledContents(true);
    ui.suiImagePanel1->setGeometry(5, 6, 230, 150);
    ui.Page_info = new QWidget(tab);
    ui.Page_info->setObjectName(QStringLiteral("Page_info"));
    auto* layout = new QVBoxLayout(ui.Page_info);
    layout->setContentsMargins(0, 0, 0, 0);
    ui.Memo1 = new Memo(ui.Page_info);
    ui.Memo1->setObjectName(QStringLiteral("Memo1"));
    ui.Memo1->setFrameShape(QFrame::NoFrame);
    layout->addWidget(ui.Memo1);
    return tab;
}

// Each item carries the letter of its mnemonic; the letters are marked once the texts are translated.
QAction* action(QMenu* menu, const char* name, const char* text, char mnemonic) {
    QAction* item = menu->addAction(QString::fromLatin1(text));
    item->setObjectName(QString::fromLatin1(name));
    item->setProperty("mnemonic", QChar::fromLatin1(mnemonic));
    return item;
}

QMenu* menu(QMenuBar* bar, const char* name, const char* title, char mnemonic) {
    QMenu* m = bar->addMenu(QString::fromLatin1(title));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name) + QStringLiteral("Item"));
    m->menuAction()->setProperty("mnemonic", QChar::fromLatin1(mnemonic));
    return m;
}

} // namespace

void setupMenu(QMainWindow* window, MainWindowUi& ui) {
    ui.suiMainMenu1 = window->menuBar();
    ui.suiMainMenu1->setObjectName(QStringLiteral("suiMainMenu1"));
    ui.menuFile = menu(ui.suiMainMenu1, "menuFile", "File", 'F');
    ui.N14 = action(ui.menuFile, "N14", "New Design", 'N');
    ui.OpenDesign = action(ui.menuFile, "OpenDesign", "Open Design...", 'O');
    ui.SaveDesign = action(ui.menuFile, "SaveDesign", "Save Design", 'S');
    ui.SaveDesignAs = action(ui.menuFile, "SaveDesignAs", "Save Design As...", 'A');
    ui.ExportResults = action(ui.menuFile, "ExportResults", "Export Results...", 'x');
    ui.menuFile->addSeparator();
    ui.menuRecent = ui.menuFile->addMenu(QStringLiteral("Recent Designs"));
    ui.menuRecent->setObjectName(QStringLiteral("menuRecent"));
    ui.menuRecent->menuAction()->setObjectName(QStringLiteral("menuRecentItem"));
    ui.menuRecent->menuAction()->setProperty("mnemonic", QChar(u'R'));
    ui.menuFile->addSeparator();
    ui.SelectionAssistant = action(ui.menuFile, "SelectionAssistant", "Selection Assistant...", 'E');
    ui.menuFile->addSeparator();
    ui.N16 = action(ui.menuFile, "N16", "Cancel", 'C');
    ui.menuDatabase = menu(ui.suiMainMenu1, "menuDatabase", "Database Update", 'D');
    ui.NewLocation2 = action(ui.menuDatabase, "NewLocation2", "New Location", 'L');
    ui.New_inverter = action(ui.menuDatabase, "New_inverter", "New Inverter", 'I');
    ui.New_panel = action(ui.menuDatabase, "New_panel", "New Solar Panel", 'P');
    ui.menuLanguage = menu(ui.suiMainMenu1, "menuLanguage", "Language", 'L');
    ui.N21 = action(ui.menuLanguage, "N21", "Chinese", 'C');
    ui.N22 = action(ui.menuLanguage, "N22", "English", 'E');
    ui.N21->setCheckable(true);
    ui.N22->setCheckable(true);
    ui.menuPrint = menu(ui.suiMainMenu1, "menuPrint", "Print", 'P');
    ui.N24 = action(ui.menuPrint, "N24", "Print", 'P');
    ui.menuInformation = menu(ui.suiMainMenu1, "menuInformation", "Information", 'I');
    ui.N25 = action(ui.menuInformation, "N25", "User Guide", 'U');
    ui.N26 = action(ui.menuInformation, "N26", "Information", 'I');
}

void setupPane(QTabWidget* pane, MainWindowUi& ui) {
    pane->addTab(systemListTab(ui), QStringLiteral("System List"));
    pane->addTab(helpTab(ui), QStringLiteral("Help Info"));
}

void setupMainWindowUi(QMainWindow* window, MainWindowUi& ui) {
    auto* central = new QWidget(window);
    central->setObjectName(QStringLiteral("ClientArea"));
    central->setFixedSize(kClientSize);
    window->setCentralWidget(central);
    setupMenu(window, ui);

    ui.RzPageControl1 = new QTabWidget(central);
    ui.RzPageControl1->setObjectName(QStringLiteral("RzPageControl1"));
    ui.RzPageControl1->setDocumentMode(false);
    const char* const pageNames[5] = {"Page3", "Page4", "Page5", "Page6", "Page7"};
    const char* const pageTitles[5] = {"ProjectInfo", "Inverter Select ", "Multi-String", "Cabling",
                                       "Result"};
    void (*const builders[5])(QWidget*, MainWindowUi&) = {
        setupProjectPage, setupInverterPage, setupStringsPage, setupCablingPage, setupResultPage};
    for (std::size_t i = 0; i < 5; ++i) {
        QWidget* page = new QWidget;
        page->setObjectName(QString::fromLatin1(pageNames[i]));
        ui.pages[i] = page;
        ui.pageImages[i] = makePageBackground(page, QStringLiteral("img_page%1").arg(i + 3));
        builders[i](page, ui);
        ui.RzPageControl1->addTab(page, QIcon(imageListIcon(8 + static_cast<int>(i))),
                                  QString::fromLatin1(pageTitles[i]));
    }

    ui.RzPageControl2 = new QTabWidget(central);
    ui.RzPageControl2->setObjectName(QStringLiteral("RzPageControl2"));
    setupPane(ui.RzPageControl2, ui);

    ui.suiImagePanel3 = new QLabel(central);
    ui.suiImagePanel3->setObjectName(QStringLiteral("suiImagePanel3"));
    ui.suiImagePanel3->setScaledContents(true);

    for (std::size_t i = 0; i < 3; ++i)
        ui.inputs[i].dcCableGroup = ui.cables[i].group;
}

} // namespace tarvel
