#pragma once

class QWidget;

namespace tarvel {

// The environment variable that turns the start-up probe on.
inline constexpr char kStartupProbeVariable[] = "TARVEL_STARTUP_PROBE";
// The start of the line the probe writes to standard error.
inline constexpr char kStartupProbeLine[] = "tarvel-startup-probe shown-ns ";

// Start-up measurement for tools that start the program. When TARVEL_STARTUP_PROBE is set, the first
// paint of `window` is followed by one line on standard error, "tarvel-startup-probe shown-ns <n>" with
// the steady clock's reading in nanoseconds (CLOCK_MONOTONIC on Linux, the same in every process), and
// the program's message loop quits. A tool that reads the same clock before it starts the process
// gets the time from process start to the drawn window. Without the variable nothing is watched.
void watchFirstPaintIfProbing(QWidget* window);

} // namespace tarvel
