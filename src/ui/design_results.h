#pragma once

#include <QJsonObject>

namespace tarvel {

class Tfrm_main;

// The results a window shows, by component name: every value label of the five pages and of the
// System List, the computed fields of the ProjectInfo page, and the state of every status icon
// ("none", "ok", "warning", "danger").
QJsonObject designResults(const Tfrm_main& window);

} // namespace tarvel
