#pragma once

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <vector>

class QPainter;

namespace tarvel::report {

class ReportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One named object of a report page: a text field or a picture, placed in millimetres from the
// top-left corner of the printable area (inside the page margins).
struct ReportObject {
    enum class Kind { Text, Picture };

    QString name;
    Kind kind = Kind::Text;
    QRectF rectMm;               // left, top, width, height in mm
    bool visible = true;
    int page = 0;                // 0-based page of a report of several pages; templates have one

    // Text fields
    QStringList lines;           // printed literally, one line each
    QFont font;                  // family and pixel size at 96 dpi, weight
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    bool growWidth = false;      // the field widens to the right to fit its text
    double maxWidthMm = 0;       // how far a growing field may widen; 0: to the printable area's edge

    // Pictures
    QImage picture;              // drawn centred in its box, keeping its aspect ratio
    QByteArray svg;              // vector artwork (SVG text); when set it is drawn instead of `picture`
};

// Same name, kind, place, visibility, text, font (family, pixel size, weight, italic), alignment and
// picture content.
bool operator==(const ReportObject& a, const ReportObject& b);

// A one-page report template: the page, its margins and its named objects, in drawing order.
class ReportTemplate {
public:
    // Reads a template from its JSON text (format in docs/REPORT.md); throws ReportError.
    static ReportTemplate fromJson(const QByteArray& json, const QString& pictureBase = QString());
    // Reads a template file (a resource path such as ":/report/TarvelReport.json").
    static ReportTemplate load(const QString& path);

    QString name() const { return m_name; }
    QSizeF pageSizeMm() const { return m_pageSizeMm; }
    double marginMm() const { return m_marginMm; }

    // The object of that name, compared without regard to case; nullptr when there is none.
    ReportObject* findObject(const QString& name);
    const ReportObject* findObject(const QString& name) const;

    // Sets a text field's whole text, split into lines at CR, LF or CR LF. Throws ReportError when
    // the object is missing or is no text field.
    void setText(const QString& objectName, const QString& text);
    // The text of a field, its lines joined by LF.
    QString text(const QString& objectName) const;
    void setVisible(const QString& objectName, bool visible);
    bool isVisible(const QString& objectName) const;
    // Replaces a picture object's picture by a copy of `picture` (a null image empties it).
    void setPicture(const QString& objectName, const QImage& picture);

    const std::vector<ReportObject>& objects() const { return m_objects; }

private:
    ReportObject& require(const QString& objectName);

    QString m_name;
    QSizeF m_pageSizeMm{210, 297};
    double m_marginMm = 10;
    std::vector<ReportObject> m_objects;
};

} // namespace tarvel::report
