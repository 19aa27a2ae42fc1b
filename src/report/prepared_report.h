#pragma once

#include "report/report_template.h"

#include <QImage>
#include <QString>

class QPainter;
class QPagedPaintDevice;

namespace tarvel::report {

// The pages of a report ready to show, print or save: a snapshot of a template's objects at the
// moment of preparing (a later change of the template does not change them).
class PreparedReport {
public:
    PreparedReport() = default;
    // Prepares the page of a template, discarding nothing of it.
    static PreparedReport prepare(const ReportTemplate& reportTemplate);
    // Adds a template's page after the pages so far; its objects keep their names, which must differ
    // from those already there (throws ReportError). The page size and margin stay the first page's.
    void addPage(const ReportTemplate& reportTemplate);
    // Puts a page number at the foot of every page: `pattern` with %1 the page and %2 the count
    // ("Page %1 of %2"). Call once all pages are added.
    void numberPages(const QString& pattern);

    QString name() const { return m_name; } // the first template's name
    // The title of exported PDFs: the one set, else the name.
    QString title() const { return m_title.isEmpty() ? m_name : m_title; }
    void setTitle(const QString& title) { m_title = title; }
    bool isEmpty() const { return m_objects.empty(); }
    int pageCount() const;
    QSizeF pageSizeMm() const { return m_pageSizeMm; }
    double marginMm() const { return m_marginMm; }
    const std::vector<ReportObject>& objects() const { return m_objects; }

    // Paints page `page` (0-based) onto a painter whose device is `pageRectPx` large for the whole
    // sheet (margins included); text sizes follow the device's resolution.
    void paintPage(QPainter& painter, int page, const QRectF& pageRectPx) const;
    // The same with a translucent marker behind the text objects named in `highlighted` (any case),
    // as the preview shows the results of a search.
    void paintPage(QPainter& painter, int page, const QRectF& pageRectPx,
                   const QStringList& highlighted) const;
    // The page as an image at `dpi`.
    QImage renderPage(int page, double dpi) const;
    // The pages as a PDF document whose texts a viewer finds and copies as they print.
    QByteArray pdf() const;
    // Writes the pages to a PDF file, replacing an earlier one only once the new one is complete;
    // throws ReportError when the file cannot be written.
    void exportPdf(const QString& path) const;
    // Prints onto a printer or other paged device set up by the caller.
    void print(QPagedPaintDevice& device) const;

    // Names of the visible text objects whose text contains `needle` (case-insensitive).
    QStringList find(const QString& needle) const;

    // The prepared report in its own file format (docs/REPORT.md); throw ReportError on failure.
    void save(const QString& path) const;
    static PreparedReport load(const QString& path);

    bool operator==(const PreparedReport& other) const;

private:
    QString m_name;
    QString m_title;
    QSizeF m_pageSizeMm{210, 297};
    double m_marginMm = 10;
    std::vector<ReportObject> m_objects;
};

} // namespace tarvel::report
