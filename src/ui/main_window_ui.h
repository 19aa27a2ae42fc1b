#pragma once

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QMenuBar;
class QListWidget;
class QPushButton;
class QTabWidget;
class QTableWidget;
class QWidget;
class QChart;
class QChartView;
class QBarSeries;
class QBarCategoryAxis;
class QValueAxis;

namespace tarvel {

class Memo;
class MultiLineLabel;
class PictureBox;
class SpinEdit;
class StatusIcon;

// The controls of one string input (A, B or C). Each carries its component name as object name
// (for input A: ComboBox3, ComboBox4, SpinEdit6, SpinEdit7, Label60, RzGroupBox5, PowerA, ...).
struct StringInputUi {
    QGroupBox* group;           // "String-A" box of the input panel (RzGroupBox2)
    QComboBox* maker;           // ComboBox3
    QComboBox* type;            // ComboBox4
    SpinEdit* strings;          // SpinEdit6
    SpinEdit* modulesPerString; // SpinEdit7
    MultiLineLabel* systemList; // Label60
    QGroupBox* dcCableGroup;    // RzGroupBox5
    QLabel* power;              // PowerA
    QLabel* currentMax;         // IAmax
    QLabel* current;            // IA
    QLabel* kailuMax;           // KailuAMax
    QLabel* kailu10;            // KailuA10
    QLabel* kailu25;            // KailuA25
    QLabel* mppMin;             // MPPAmin
    QLabel* mpp15;              // MPPA15
    QLabel* mpp50;              // MPPA50
    QLabel* mpp70;              // MPPA70
    // The six check icons in check order: current, Voc 25, Voc -10, MPP 15, MPP 50, MPP 70
    // (input A: Image9, Image22, Image8, Image5, Image6, Image7).
    std::array<StatusIcon*, 6> marks;
    // The input's limits and checks at the design's own temperatures (SiteRangeA, SiteCheckA).
    QLabel* siteRange;
    QLabel* siteCheck;
    QLabel* stringsNum; // StringsA_Num on the Result page
    QLabel* stringNum;  // StringA_Num on the Result page
};

// The controls of one cable run: DC A, DC B, DC C or AC.
struct CableRunUi {
    QGroupBox* group;        // RzGroupBox5
    QComboBox* material;     // ComboBox9
    SpinEdit* length;        // SpinEdit12
    QComboBox* crossSection; // ComboBox10
    QLabel* zukang;          // DCA_zukang
    QLabel* lineV;           // DCA_lineV
    QLabel* powerLoss;       // DCA_powerloss
    QLabel* powerLossRate;   // DCA_powerlossrate
    StatusIcon* mark;        // Image1
};

// Left edge of the inverter picture in the data panel; the data sheet sets the rest of its geometry.
inline constexpr int kPictureLeft = 130;

enum CableRunIndex { kCableDcA = 0, kCableDcB = 1, kCableDcC = 2, kCableAc = 3 };

// Every control of the main window, by its component name. Built by setupMainWindowUi.
struct MainWindowUi {
    // Window level
    QTabWidget* RzPageControl1;
    QTabWidget* RzPageControl2;
    QLabel* suiImagePanel3;            // logo
    std::array<QWidget*, 5> pages;     // Page3 .. Page7
    std::array<QLabel*, 5> pageImages; // img_page3 .. img_page7

    // Menu
    QMenuBar* suiMainMenu1;
    QMenu* menuFile;
    QMenu* menuDatabase;
    QMenu* menuLanguage;
    QMenu* menuPrint;
    QMenu* menuInformation;
    QAction* N14; // New Design
    QAction* OpenDesign;
    QAction* SaveDesign;
    QAction* SaveDesignAs;
    QMenu* menuRecent; // "Recent Designs"
    QAction* SelectionAssistant;
    QAction* N16;      // Cancel
    QAction* NewLocation2;
    QAction* New_inverter;
    QAction* New_panel;
    QAction* N21; // Chinese
    QAction* N22; // English
    QAction* N24; // Print
    QAction* N25; // User Guide
    QAction* N26; // Information
    QAction* ExportResults; // "Export Results...": the results as CSV or XLSX

    // ProjectInfo
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    SpinEdit* SpinEdit1;
    SpinEdit* SpinEdit2;
    SpinEdit* SpinEdit3;
    QLineEdit* RzEdit3;
    QLineEdit* qing_jiao;
    QLineEdit* pian_jiao;
    QLabel* RzLabel11;
    QLabel* RzLabel12;
    SpinEdit* SpinEdit4;
    SpinEdit* SpinEdit5;
    QLineEdit* Energy;
    Memo* Memo2;
    QLabel* ModelNotice; // shown while a month's yield is negative
    QChartView* Chart1;
    QBarSeries* Series1;
    // Beside the chart: each month's specific yield as charted, and the year's (kWh/kWp).
    QTableWidget* MonthTable;

    // Inverter Select
    QLabel* Label27;
    QComboBox* ComboBox17;
    QPushButton* BitBtn1;
    QComboBox* ComboBox18;
    QLabel* Label93;
    QLabel* Label94;
    QLabel* Label95;
    QLabel* Label96;
    QLabel* Label97;
    QLabel* Label98;
    QLabel* Label99;
    QLabel* Label113;
    QLabel* Label114;
    QLabel* Label115;
    QLabel* Label116;
    QLabel* Label117;
    QLabel* Label47;
    QLabel* Label135;
    QLabel* Label136;
    QLabel* Label137;
    QLabel* Label138;
    QLabel* Label139;
    QLabel* Label150;
    QLabel* Label151;
    QLabel* Label85;     // caption "Protection type"
    QLabel* Label127;    // caption "Grid voltage range [V]"
    QLabel* Label128;    // caption "Grid frequency range [Hz]"
    QLabel* Label147;    // caption "Max. efficiency "
    QLabel* Label148;    // caption "Euro efficiency (at nom)"
    PictureBox* Image26; // inverter picture

    QPushButton* AssistantButton4; // opens the selection assistant

    // Multi-String
    QLabel* SumNum;
    QLabel* Power;
    QLabel* Area;
    QLabel* PowerRate;
    StatusIcon* Image23;
    QLabel* Label3; // caption "Number of strings"
    QLabel* Label4; // caption "Mudules per string"

    // Captions of the site rows, with the design's temperatures; the assistant's button.
    QLabel* capSiteRange;
    QLabel* capSiteCheck;
    QPushButton* AssistantButton5;
    QPushButton* ShowAdvice; // brings the pane's Help Info tab to the front
    std::array<StringInputUi, 3> inputs;

    // Cabling
    std::array<CableRunUi, 4> cables;

    // Result
    QLabel* Label51;
    QLabel* Label52;
    QLabel* Label53;
    QLabel* Label54;
    QLineEdit* Edit2;
    QLineEdit* Edit3;
    QLabel* Position;
    QLabel* Temp;
    QLabel* Label40;
    QLabel* Label41;
    QLabel* Label42;
    QLabel* PV_Power;
    QLabel* PV_Num;
    QLabel* Pv_Area;
    QLabel* Label43;
    QLabel* Label44;
    QLabel* Label45;
    QLabel* Label49;
    QLabel* Label50;
    QLabel* DCMAX_Power;
    QLabel* AVMAX_Power;
    QLabel* Power_Rate;
    QLabel* Inverter_rate;
    QLabel* Power_Year;
    Memo* Memo6;
    // Figures beside the specified ones: the design's verdict, each month's plant energy (kWh), the
    // plant's specific yield (kWh/kWp), the yearly energy after cable losses and the loss (kWh).
    QGroupBox* grpDesignCheck;
    QListWidget* DesignCheck;
    QTableWidget* MonthEnergy;
    QLabel* PlantYield;
    QLabel* EnergyAfterLosses;
    QLabel* CableLoss;

    // Right-hand pane
    QLabel* Label56;
    QLabel* Label64;
    QLabel* Label58;
    QLabel* Label57;
    QLabel* Label66;
    QLabel* Label67;
    QLabel* Label68;
    QLabel* Label69;
    QLabel* Label70;
    QLabel* Label71;
    QLabel* Label72;
    QLabel* Label48;
    QLabel* suiImagePanel1;
    QWidget* Page_info;
    Memo* Memo1;
};

// Builds every control of the main window into `window`.
void setupMainWindowUi(QMainWindow* window, MainWindowUi& ui);

// Builders of the parts, one per page (main_window_ui_*.cpp).
void setupProjectPage(QWidget* page, MainWindowUi& ui);
void setupInverterPage(QWidget* page, MainWindowUi& ui);
void setupStringsPage(QWidget* page, MainWindowUi& ui);
void setupCablingPage(QWidget* page, MainWindowUi& ui);
void setupResultPage(QWidget* page, MainWindowUi& ui);
void setupPane(QTabWidget* pane, MainWindowUi& ui);
void setupMenu(QMainWindow* window, MainWindowUi& ui);

} // namespace tarvel
