#pragma once

// Painting of a report page's objects onto any device: shared by the prepared report (images, PDF,
// printers) and the preview's highlighting of search results.

#include "report/pdf_text_map.h"
#include "report/report_template.h"

#include <QRectF>

class QPagedPaintDevice;

namespace tarvel::report::detail {

// Where the sheet lies on the painter and how large a millimetre is there.
struct SheetGeometry {
    QRectF sheetPx;        // the whole sheet, margins included, in painter units
    double unitsPerMm = 1; // painter units per millimetre
    double marginMm = 10;

    // An object's rectangle (mm from the printable area's top-left) in painter units.
    QRectF toPainter(const QRectF& rectMm) const;
};

// The sheet of `pageSizeMm` fitted into `pageRectPx` (the same scale across and down, from its top
// left corner), so a device of another paper size still shows the page undistorted.
SheetGeometry fitSheet(const QSizeF& pageSizeMm, double marginMm, const QRectF& pageRectPx);

// The whole sheet in the coordinates of a painter begun on `device`: the painter's origin is the top
// left of the device's paint rectangle, which lies inside the device's own margins.
QRectF sheetRectOnDevice(const QPagedPaintDevice& device);

// Paints the visible objects in order. Text objects named in `highlighted` (any case) get a
// translucent marker behind their text.
void paintObjects(QPainter& painter, const std::vector<ReportObject>& objects, const SheetGeometry& sheet,
                  const QStringList& highlighted = {});

// What the text maps of a PDF of these objects need corrected (glyphSharingFixes over the visible
// texts and every face they are drawn in).
TextMapFixes textMapFixes(const std::vector<ReportObject>& objects);

} // namespace tarvel::report::detail
