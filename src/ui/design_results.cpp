#include "ui/design_results.h"

#include "ui/display_widgets.h"
#include "ui/tfrm_main.h"

#include <QLabel>
#include <QLineEdit>

namespace tarvel {
namespace {

const char* markName(TCheckMark mark) {
    switch (mark) {
    case cmOk:
        return "ok";
    case cmWarning:
        return "warning";
    case cmDanger:
        return "danger";
    case cmNone:
        break;
    }
    return "none";
}

bool isResultLabel(const QLabel* label) {
    const QString role = label->property("role").toString();
    const QString name = label->objectName();
    // The figures beside the specified ones are reported under "results" by their plain names.
    if (label->property("plainResult").toBool())
        return false;
    return role == QStringLiteral("value") || role == QStringLiteral("pane") ||
           name.startsWith(QStringLiteral("String"));
}

} // namespace

QJsonObject designResults(const Tfrm_main& window) {
    QJsonObject labels;
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (label->objectName().isEmpty() || qobject_cast<const StatusIcon*>(label) || !isResultLabel(label))
            continue;
        labels.insert(label->objectName(), label->text());
    }
    const MainWindowUi& ui = window.controls();
    for (const QLineEdit* field : {ui.qing_jiao, ui.pian_jiao, ui.Energy})
        labels.insert(field->objectName(), field->text());
    QJsonObject icons;
    for (const StatusIcon* icon : window.findChildren<StatusIcon*>())
        icons.insert(icon->objectName(), QString::fromLatin1(markName(icon->mark())));
    return QJsonObject{{QStringLiteral("labels"), labels}, {QStringLiteral("icons"), icons}};
}

} // namespace tarvel
