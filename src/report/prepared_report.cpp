#include "report/prepared_report.h"

#include "report/report_json.h"
#include "report/report_painter.h"

#include "io/file_io.h"

#include <QBuffer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace tarvel::report {

namespace {

const QString kFileFormat = QStringLiteral("tarvel-prepared-report");
constexpr int kFileVersion = 1;

} // namespace

PreparedReport PreparedReport::prepare(const ReportTemplate& reportTemplate) {
    PreparedReport report;
    report.m_name = reportTemplate.name();
    report.m_pageSizeMm = reportTemplate.pageSizeMm();
    report.m_marginMm = reportTemplate.marginMm();
    // Copies of the objects; their images are shared until either side changes one.
    report.m_objects = reportTemplate.objects();
    return report;
}

int PreparedReport::pageCount() const {
    int pages = 0;
    for (const ReportObject& object : m_objects)
        pages = std::max(pages, object.page + 1);
    return pages;
}

void PreparedReport::addPage(const ReportTemplate& reportTemplate) {
    const int page = pageCount();
    for (ReportObject object : reportTemplate.objects()) {
        for (const ReportObject& present : m_objects)
            if (present.name.compare(object.name, Qt::CaseInsensitive) == 0)
                throw ReportError(QStringLiteral("the report already has an object \"%1\"").arg(object.name).toStdString());
        object.page = page;
        m_objects.push_back(std::move(object));
    }
}

void PreparedReport::numberPages(const QString& pattern) {
    const int count = pageCount();
    const double printableWidth = m_pageSizeMm.width() - 2 * m_marginMm;
    const double printableHeight = m_pageSizeMm.height() - 2 * m_marginMm;
    for (int page = 0; page < count; ++page) {
        ReportObject number;
        number.name = QStringLiteral("PageNumber%1").arg(page + 1);
        number.page = page;
        // In the bottom margin, below everything a page's layout places.
        number.rectMm = QRectF(0, printableHeight + 1, printableWidth, 5);
        number.lines = QStringList{pattern.arg(page + 1).arg(count)};
        number.font = QFont(QStringLiteral("Arial"));
        number.font.setPixelSize(10);
        number.alignment = Qt::AlignHCenter | Qt::AlignVCenter;
        m_objects.push_back(std::move(number));
    }
}

void PreparedReport::paintPage(QPainter& painter, int page, const QRectF& pageRectPx) const {
    paintPage(painter, page, pageRectPx, {});
}

void PreparedReport::paintPage(QPainter& painter, int page, const QRectF& pageRectPx,
                               const QStringList& highlighted) const {
    if (page < 0 || page >= pageCount())
        return;
    std::vector<ReportObject> onPage;
    for (const ReportObject& object : m_objects)
        if (object.page == page)
            onPage.push_back(object);
    detail::paintObjects(painter, onPage, detail::fitSheet(m_pageSizeMm, m_marginMm, pageRectPx), highlighted);
}

QImage PreparedReport::renderPage(int page, double dpi) const {
    const double pxPerMm = dpi / 25.4;
    QImage image(qRound(m_pageSizeMm.width() * pxPerMm), qRound(m_pageSizeMm.height() * pxPerMm),
                 QImage::Format_ARGB32_Premultiplied);
    // The image's resolution is the one the fonts are sized for (see detail::paintObjects).
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    image.fill(Qt::white);
    QPainter painter(&image);
    paintPage(painter, page, QRectF(QPointF(0, 0), m_pageSizeMm * pxPerMm));
    return image;
}

QByteArray PreparedReport::pdf() const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("Tarvel PV Designer"));
        writer.setTitle(title());
        writer.setPageSize(QPageSize(m_pageSizeMm, QPageSize::Millimeter));
        // The report's margins are part of its layout, so the writer adds none of its own.
        writer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        writer.setResolution(600);
        QPainter painter;
        if (!painter.begin(&writer))
            throw ReportError("Cannot paint the report into a PDF");
        for (int page = 0; page < pageCount(); ++page) {
            if (page > 0 && !writer.newPage())
                throw ReportError("Cannot add a page to the PDF");
            paintPage(painter, page, detail::sheetRectOnDevice(writer));
        }
        if (!painter.end())
            throw ReportError("Cannot paint the report into a PDF");
    }
    // Search and copy in a viewer must find the characters the page shows.
    fixTextMaps(bytes, detail::textMapFixes(m_objects));
    return bytes;
}

void PreparedReport::exportPdf(const QString& path) const {
    // Made whole in memory first: the file is only touched once there is a complete PDF to put there.
    const QByteArray bytes = pdf();
    try {
        io::writeFileReplacing(path, bytes);
    } catch (const io::FileError& error) {
        throw ReportError(QStringLiteral("Cannot write the PDF file %1: %2")
                              .arg(path, QString::fromUtf8(error.what()))
                              .toStdString());
    }
}

void PreparedReport::print(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError("Cannot start printing the report");
    for (int page = 0; page < pageCount(); ++page) {
        if (page > 0)
            device.newPage();
        paintPage(painter, page, detail::sheetRectOnDevice(device));
    }
    painter.end();
}

QStringList PreparedReport::find(const QString& needle) const {
    QStringList names;
    if (needle.isEmpty())
        return names;
    for (const ReportObject& object : m_objects)
        if (object.visible && object.kind == ReportObject::Kind::Text &&
            object.lines.join(u'\n').contains(needle, Qt::CaseInsensitive))
            names << object.name;
    return names;
}

void PreparedReport::save(const QString& path) const {
    QJsonArray objects;
    for (const ReportObject& object : m_objects)
        objects.append(detail::writeObject(object));
    const QJsonObject root{{"format", kFileFormat},
                           {"version", kFileVersion},
                           {"name", m_name},
                           {"title", title()},
                           {"page", detail::writePage({m_pageSizeMm, m_marginMm})},
                           {"objects", objects}};
    // Written beside the old file and renamed over it, so a failed save leaves an earlier file intact.
    try {
        io::writeFileReplacing(path, QJsonDocument(root).toJson());
    } catch (const io::FileError& error) {
        throw ReportError(QStringLiteral("Cannot write the prepared report %1: %2")
                              .arg(path, QString::fromUtf8(error.what()))
                              .toStdString());
    }
}

PreparedReport PreparedReport::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Cannot read the prepared report %1: %2")
                              .arg(path, file.errorString())
                              .toStdString());
    const QString source = QStringLiteral("Prepared report %1").arg(path);
    const QJsonObject root = detail::readRoot(file.readAll(), source, kFileFormat, kFileVersion);

    PreparedReport report;
    if (!root.value("name").isString())
        throw ReportError(QStringLiteral("%1: \"name\" must be a string").arg(source).toStdString());
    report.m_name = root.value("name").toString();
    // Files saved before reports had titles have none: their title is the name.
    if (root.contains("title") && !root.value("title").isString())
        throw ReportError(QStringLiteral("%1: \"title\" must be a string").arg(source).toStdString());
    report.m_title = root.value("title").toString();
    const detail::PageSetup page = detail::readPage(root, source);
    report.m_pageSizeMm = page.sizeMm;
    report.m_marginMm = page.marginMm;
    detail::ReadContext context;
    context.source = source;
    context.printableWidthMm = page.sizeMm.width() - 2 * page.marginMm;
    report.m_objects = detail::readObjects(root, context);
    return report;
}

bool PreparedReport::operator==(const PreparedReport& other) const {
    return m_name == other.m_name && title() == other.title() && m_pageSizeMm == other.m_pageSizeMm && m_marginMm == other.m_marginMm &&
           m_objects == other.m_objects;
}

} // namespace tarvel::report
