// The report template loader: any input is either refused with ReportError or gives a template whose
// objects can all be found, filled, prepared and written out and read back unchanged.
#include "fuzz_support.h"

#include "report/prepared_report.h"
#include "report/report_json.h"
#include "report/report_template.h"

#include <QGuiApplication>

namespace tarvel::fuzz {
namespace {

void checkTemplate(report::ReportTemplate& reportTemplate) {
    using report::ReportObject;
    const report::detail::ReadContext context;
    for (const ReportObject& object : reportTemplate.objects()) {
        require(reportTemplate.findObject(object.name.toUpper()) != nullptr, "every object is found by name");
        const ReportObject again = report::detail::readObject(report::detail::writeObject(object), context);
        require(again == object, "an object writes and reads back unchanged");
    }
    for (const ReportObject& object : std::vector<ReportObject>(reportTemplate.objects())) {
        if (object.kind == ReportObject::Kind::Text) {
            reportTemplate.setText(object.name, QStringLiteral("a\r\nb\rc\nd"));
            require(reportTemplate.text(object.name) == QLatin1String("a\nb\nc\nd"), "texts split into lines");
        }
    }
    const auto prepared = report::PreparedReport::prepare(reportTemplate);
    prepared.find(QStringLiteral("b"));
}

} // namespace
} // namespace tarvel::fuzz

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvel;
    try {
        // No picture folder: a template from outside may not name files to read.
        report::ReportTemplate reportTemplate = report::ReportTemplate::fromJson(fuzz::bytesOf(data, size));
        fuzz::checkTemplate(reportTemplate);
    } catch (const report::ReportError&) {
    }
    return 0;
}
