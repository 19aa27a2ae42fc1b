#pragma once

namespace tarvel {

struct TAppSettings;
class TDM;
class Dialogs;
class Platform;

// What every window of the program is given: the shell's settings, the data module with the catalog,
// the message boxes and the operating-system services.
struct AppContext {
    TAppSettings& settings;
    TDM& dm;
    Dialogs& dialogs;
    Platform& platform;
};

} // namespace tarvel
