#pragma once

#include "app/app_context.h"
#include "app/recent_designs.h"
#include "catalog/inverter_model_tables.h"
#include "design/design_file.h"
#include "design/design_session.h"
#include "design/layout_search.h"
#include "design/plant_figures.h"
#include "design/site_checks.h"
#include "design/string_sizing.h"
#include "report/prepared_report.h"
#include "report/report_template.h"
#include "ui/main_window_ui.h"

#include <QMainWindow>
#include <QPointer>

#include <optional>

class QAction;
class QLabel;

namespace tarvel {

namespace report {
class ReportPreview;
}

class Dialogs;
class SelectionAssistant;
class SpinEdit;
class TAcroMultiReplacer;
class Tfrm_ProductInfo;

// Widths of the two page controls for a window width: the design pages take 745/987 of it and the
// pane 242/987, each rounded to the nearest integer (halves to the even neighbour).
struct PageControlWidths {
    int designPages;
    int pane;
};
PageControlWidths pageControlWidths(int windowWidth);

// Where a window of `size` goes to be centred in `area` (the screen's free area). A window larger than
// the area keeps its top-left corner inside, so its title bar and menu can still be reached.
QPoint centredTopLeft(const QRect& area, const QSize& size);

// The main window: holds the one design session and runs every handler of its controls. Each
// operation carries its published name; the implementation is split by concern over the
// tfrm_main_*.cpp files.
class Tfrm_main : public QMainWindow {
    Q_OBJECT
public:
    explicit Tfrm_main(AppContext& context, QWidget* parent = nullptr);
    ~Tfrm_main() override;

    // The one main window of the process, for the windows that reach it.
    static Tfrm_main* instance();

    const TDesignSession& session() const { return m_session; }
    const MainWindowUi& controls() const { return ui; }

    // Workflow (tfrm_main_workflow.cpp)
    void FormCreate();
    void FormShow();
    void FormPaint();
    void new_project();
    void xiangmu_init();
    void SUM_CLEAR();
    void A_CLEAR();
    void B_CLEAR();
    void C_CLEAR();
    void DC_AC_CLEAR();
    void chose_select();
    void RzPageControl1Change();
    void SpinEdit3Change();
    void N14Click();
    void N16Click();
    void updata_result();
    void result_clear();
    void energy_sum_page3_page4();

    // Location and orientation (tfrm_main_location.cpp)
    void ComboBox1Change();
    void ComboBox2Change();
    void SpinEdit4Change();
    void SpinEdit5Change();
    MonthTable month_solar();

    // Yearly energy (tfrm_main_result.cpp)
    void KKKA() { correctYield(InputId::A); }
    void KKKB() { correctYield(InputId::B); }
    void KKKC() { correctYield(InputId::C); }

    // String inputs (tfrm_main_strings.cpp)
    void ComboBox3Change() { makerChanged(InputId::A); }
    void ComboBox5Change() { makerChanged(InputId::B); }
    void ComboBox7Change() { makerChanged(InputId::C); }
    void ComboBox4Change() { typeChanged(InputId::A); }
    void ComboBox6Change() { typeChanged(InputId::B); }
    void ComboBox8Change() { typeChanged(InputId::C); }
    void SpinEdit6Change() { countChanged(InputId::A, Count::Strings); }
    void SpinEdit7Change() { countChanged(InputId::A, Count::ModulesPerString); }
    void SpinEdit8Change() { countChanged(InputId::B, Count::Strings); }
    void SpinEdit9Change() { countChanged(InputId::B, Count::ModulesPerString); }
    void SpinEdit10Change() { countChanged(InputId::C, Count::Strings); }
    void SpinEdit11Change() { countChanged(InputId::C, Count::ModulesPerString); }
    double updata_A() { return updateInput(InputId::A); }
    double updata_B() { return updateInput(InputId::B); }
    double updata_C() { return updateInput(InputId::C); }
    void check_string(InputId id);
    void advice_string(InputId id);
    void SUM_UPDATE();
    void Transparent_A();
    void Transparent_B();

    // Cabling (tfrm_main_cabling.cpp)
    void xiansun_DCA() { cableRun(kCableDcA); }
    void xiansun_DCB() { cableRun(kCableDcB); }
    void xiansun_DCC() { cableRun(kCableDcC); }
    void xiansun_AC() { cableRun(kCableAc); }
    void ComboBox9Change() { cableControlChanged(kCableDcA); }
    void ComboBox10Change() { cableControlChanged(kCableDcA); }
    void SpinEdit12Change() { cableControlChanged(kCableDcA); }
    void ComboBox11Change() { cableControlChanged(kCableDcB); }
    void ComboBox14Change() { cableControlChanged(kCableDcB); }
    void SpinEdit14Change() { cableControlChanged(kCableDcB); }
    void combobox15Change() { cableControlChanged(kCableDcC); }
    void COMBOBOX16Change() { cableControlChanged(kCableDcC); }
    void SPINEDIT15Change() { cableControlChanged(kCableDcC); }
    void ComboBox12Change() { cableControlChanged(kCableAc); }
    void ComboBox13Change() { cableControlChanged(kCableAc); }
    void SpinEdit13Change() { cableControlChanged(kCableAc); }

    // Inverter data sheet (tfrm_main_inverter.cpp)
    void inverter_add();
    void inverter_init();
    void ComboBox17Change();
    void BitBtn1Click();
    void ComboBox18Change();

    // Design report (tfrm_main_report.cpp)
    void InitReport();
    void N24Click();
    const report::ReportTemplate& TarvelReport() const { return reportTemplate(); }
    // The second page (tfrm_main_report_details.cpp): the template TarvelReportDetails filled from the
    // design. Its captions as the template words them, for checks of the dictionary.
    report::ReportTemplate reportDetails() const;
    static QStringList reportDetailsCaptions();
    // Both pages filled, numbered, titled with the project's design unit: what "Print" shows and the
    // batch program writes.
    report::PreparedReport preparedReport();
    report::ReportPreview* reportPreview() const;

    // Design files (tfrm_main_design_file.cpp)
    struct OpenResult {
        QStringList skipped;  // what the catalog does not have, one line each
        QStringList messages; // the message boxes the replay raised, each text once
    };
    DesignFile captureDesign() const;
    // Throws DesignFileError when the file cannot be written.
    void saveDesign(const QString& path) const;
    // Throws DesignFileError, changing nothing, when the file cannot be read or is malformed.
    OpenResult openDesign(const QString& path);
    void showOpenResult(const OpenResult& result);
    void OpenDesignClick();
    // Opens the design a restart handed over and shows what the replay raised; the file is deleted
    // when it is the temporary file a language change makes, and only then. The design goes on as the
    // file `designName` (none: never saved) with or without unsaved changes.
    void openDesignAfterRestart(const QString& path, const QString& designName = QString(),
                                bool modified = false);
    // The program's command line: "--open-design FILE" or a file named on its own ("tarvel
    // DESIGN.tpvd", as the desktop entry starts the program for a double-clicked file) opens a user's
    // design, never changing the file; "--restart-design FILE" the one handed over by a restart, with
    // "--design-name NAME" and "--design-modified".
    void openFromCommandLine(const QStringList& arguments);
    // "Save Design": to the file the design came from, without asking; a design without a file is
    // saved as with "Save Design As...".
    void SaveDesignClick();
    void SaveDesignAsClick();

    // The design as a document (tfrm_main_document.cpp): the file it belongs to, whether it changed
    // since it was opened, saved or started, and the recently used design files.
    QString designFilePath() const { return m_designPath; }
    // The file a design read with openDesign came from, for the figures and the report that name it,
    // without making it a recent design (the batch program reads designs; it keeps no list).
    void nameDesignFile(const QString& path) { m_designPath = path; }
    bool isDesignModified() const;
    const RecentDesigns& recentDesigns() const { return m_recent; }
    // Opens a design file chosen by the user (dialog or recent list) and makes it the design's file.
    void openDesignFile(const QString& path);
    // Before the design is set aside: asks "Save changes to the design?" when it changed and saves it
    // if so answered. False when the user cancels or the design could not be saved.
    bool maySetDesignAside();

    // Selection assistant and site checks (tfrm_main_selection.cpp)
    // The design's PV temperatures (minimum, maximum); none while a field holds no number.
    std::optional<site::Temperatures> siteTemperatures() const;
    // The chosen inverter's limits as the six checks of the Multi-String page use them.
    site::InverterRating inverterRating() const;
    // A sized input's limits and site checks at the design's temperatures; none for an input not in
    // use, or while a temperature field holds no number.
    struct InputSiteCheck {
        site::Temperatures temperatures;
        site::Limits limits;
        std::array<site::Check, 5> checks;
    };
    std::optional<InputSiteCheck> siteCheck(InputId id) const;
    // What the assistant asks for a module: the design's temperatures and, once a city is chosen,
    // its corrected specific yield with the module's coefficient.
    selection::Request selectionRequest(const TPanelInfo& module, int modules) const;
    // Puts an inverter and a layout of one module type into the design through the handlers a user
    // triggers; the message boxes they raise are collected, as when a design is opened.
    OpenResult applyLayout(const QString& inverter, const QString& maker, const QString& moduleType,
                           const selection::Layout& layout);
    void SelectionAssistantClick();
    SelectionAssistant* selectionAssistant() const;
    // The numbers behind a status icon or a site cell, as its tooltip shows them; empty where it
    // shows nothing. Written when asked for, so recomputes pay nothing for them.
    QString explain(const QWidget* control) const;

    // Figures beside the specified results (tfrm_main_figures.cpp): the months, the yearly energy
    // after the cable losses and every check with its verdict, as the Result page, the report's
    // second page and the exports give them.
    figures::PlantFigures plantFigures() const;
    // "Export Results...": the results as CSV, or as an XLSX workbook (ui/results_export.h).
    void ExportResultsClick();

    // Menu commands of the shell (tfrm_main_shell.cpp)
    void NewLocation2Click();
    void New_inverterClick();
    void New_panelClick();
    void ChineseLangClick();
    void EnglishLangClick();
    void LanguageFresh(QAction* Item, int CodePage);
    void N5Click();
    void N6Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Count { Strings, ModulesPerString };

    void connectControls();
    void connectStringInput(InputId id);
    void connectCableRun(int run);
    void mirrorDesignInputs();

    // Per-input forms of the string-input operations.
    void clearInput(InputId id);
    void makerChanged(InputId id);
    void typeChanged(InputId id);
    void countChanged(InputId id, Count which);
    double updateInput(InputId id);
    void updateInputEnergy(InputId id, double yieldCoefficient);
    void writeNotSelected(InputId id);
    void writeModuleLines(InputId id);
    void takeOutOfUse(InputId id);
    void showStringValues(InputId id);
    sizing::StringValues sessionValues(InputId id) const;
    sizing::InverterLimits inverterLimits() const;
    bool noTypeChosen(InputId id) const;

    void cableRun(int run);
    void cableControlChanged(int run);
    void showIdleCable(int run);
    TCableRun& cableSession(int run);

    void fillDataSheet(SheetForm form);
    void showInverterRecord(const TInverterInfo& row, SheetForm form);
    void writeInverterSystemList();
    void loadLocation(const TLocationRow& row);
    void showMonthlyBars(const MonthTable& yields);
    void showMonthTable(const MonthTable& yields);
    void showPlantFigures();
    void clearPlantFigures();
    void explainDisabledPages(int enabledCount);
    void showModelNotice(bool shown);
    void correctYield(InputId id);
    void showYearlyEnergy();
    void orientationChanged(SpinEdit* field, int& angle, QLabel* systemListLine, const char* prefix);
    void setEnabledPages(int count);
    void showSiteChecks(InputId id);
    void showSiteCaptions();
    void watchExplainedControls();
    bool showExplanation(QObject* watched, QEvent* event);
    Dialogs& dialogs();
    QStringList replayDesign(const DesignFile& design);
    void replayInput(InputId id, const DesignFile::StringInput& input, QStringList& skipped);
    void replayCable(int run, const DesignFile::Cable& cable);
    report::ReportTemplate& reportTemplate() const;
    void setReportText(const char* field, const QString& text);
    void fillReportInput(InputId id);
    void loadLogo();
    void centreOnScreen();
    void changeLanguage(QAction* item, int codePage);
    void keepDesignForRestart();
    // The document side (tfrm_main_document.cpp) and the keyboard (tfrm_main_keyboard.cpp).
    void trackDesignChanges();
    void designChanged();
    void adoptDesign(const QString& path);
    void showModified(bool modified);
    void updateWindowTitle();
    void rememberRecent(const QString& path);
    void showRecentDesigns();
    void setupKeyboard();
    void moveToPage(int step);
    void showRatingsInLists();
    template <typename Dialog> void openCatalogDialog(QPointer<QDialog>& slot);
    StringInputUi& inputUi(InputId id) { return ui.inputs[static_cast<std::size_t>(id)]; }
    const StringInputUi& inputUi(InputId id) const { return ui.inputs[static_cast<std::size_t>(id)]; }

    AppContext& m_ctx;
    MainWindowUi ui{};
    TDesignSession m_session;
    TAcroMultiReplacer* LangReplacer;
    QPointer<Tfrm_ProductInfo> m_productInfo;
    QPointer<QDialog> m_locationDialog;
    QPointer<QDialog> m_inverterDialog;
    QPointer<QDialog> m_panelDialog;
    // Read from the resources at the first print (or the first look at it), not at start-up.
    mutable std::optional<report::ReportTemplate> m_report;
    QPointer<report::ReportPreview> m_preview;
    bool m_shown = false;
    Dialogs* m_collector = nullptr; // collects the message boxes while a design is replayed
    QString m_caption;              // the program's caption, shown after the design's file name
    QString m_designPath;           // the file the design was opened from or saved to; empty: none
    // The inputs as last opened, saved or started; none when the state of the file is unknown.
    std::optional<DesignFile> m_savedDesign;
    RecentDesigns m_recent;
    bool m_recentUnwritable = false; // the settings file refused the list once; not reported again
    QPointer<SelectionAssistant> m_assistant;
};

} // namespace tarvel
