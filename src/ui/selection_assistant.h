#pragma once

#include "app/app_context.h"
#include "design/layout_search.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarvel {

class Catalog;
class TAcroMultiReplacer;
class Tfrm_main;

// Every inverter of the catalog, its site limits and its inverter rating as the assistant uses them,
// in list order. A row that cannot be read is kept with its reason, so that it is listed as such.
std::vector<site::InverterRating> readCatalogInverters(Catalog& catalog);
// A module as the site checks need it: the module record and its maximum system voltage.
std::optional<TPanelInfo> readCatalogModule(Catalog& catalog, const QString& maker,
                                            const QString& moduleType);

// The selection assistant: for a module type and a number of modules (or a target peak power), every
// inverter of the catalog with its limits at the design's temperatures, its verdict and its valid
// string layouts, recomputed as the user types; "Apply" puts the chosen layout into the design.
// Non-modal; the main window keeps one.
class SelectionAssistant : public QDialog {
    Q_OBJECT
public:
    SelectionAssistant(AppContext& context, Tfrm_main& window);

    // What the table shows, in its order.
    const std::vector<selection::InverterResult>& results() const { return m_results; }
    // Recomputes from the choices and the design as they stand.
    void recompute();
    // Applies the layout of the selected row (an inverter's row applies its best layout).
    void applySelected();

protected:
    void changeEvent(QEvent* event) override;

private:
    void buildControls();
    void loadCatalog();
    void makerChosen();
    void prefillFromInputA();
    std::optional<int> modulesAsked() const;
    void showResults(const QString& moduleKey);
    void fillLayouts(QTreeWidgetItem* item);
    void selectionChanged();
    const selection::Layout* selectedLayout(const selection::InverterResult** owner) const;
    void showSite(const selection::Request& request);

    AppContext& m_ctx;
    Tfrm_main& m_window;
    TAcroMultiReplacer* LangReplacer;
    QComboBox* m_maker = nullptr;
    QComboBox* m_type = nullptr;
    QRadioButton* m_byCount = nullptr;
    QSpinBox* m_count = nullptr;
    QRadioButton* m_byPower = nullptr;
    QLineEdit* m_power = nullptr;
    QLabel* m_powerCount = nullptr;
    QLabel* m_site = nullptr;
    QTreeWidget* m_tree = nullptr;
    QLabel* m_details = nullptr;
    QLabel* m_summary = nullptr;
    QPushButton* m_apply = nullptr;
    std::vector<site::InverterRating> m_inverters;
    std::vector<selection::InverterResult> m_results;
    TPanelInfo m_module;
    bool m_haveModule = false;
    bool m_cityChosen = false;
    bool m_catalogRead = false;
};

} // namespace tarvel
