#pragma once

#include "report/prepared_report.h"

#include <QDialog>

#include <functional>

namespace tarvel::report {

// The preview window of a prepared report: zoom, find text (the matching fields are highlighted),
// page set-up, print (default printer unless the user picks another), save and load the prepared
// report, export to PDF. Not modal: it stays open beside the main window until closed.
class ReportPreview : public QDialog {
    Q_OBJECT
public:
    explicit ReportPreview(QWidget* parent = nullptr);
    ~ReportPreview() override;

    // Texts the preview composes while it runs (the count of found fields, file dialog titles and
    // filters) pass through this function, so the program can show them in its interface language.
    static void setTextTranslator(std::function<QString(const QString&)> translator);

    // Shows `report`, discarding the pages shown before.
    void showReport(const PreparedReport& report);
    const PreparedReport& report() const;

    // The commands of the tool bar, also callable directly (tests drive them without dialogs).
    void zoomIn();
    void zoomOut();
    void fitToWidth();
    QStringList findText(const QString& needle); // highlights and returns the matching objects
    void saveTo(const QString& path) const;      // throws ReportError
    void loadFrom(const QString& path);          // throws ReportError
    void exportPdfTo(const QString& path) const; // throws ReportError

private:
    struct Private;
    Private* d;
};

} // namespace tarvel::report
