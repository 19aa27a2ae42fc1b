#pragma once

namespace tarvel::tools {

// Prepares a build tool that paints (fonts need a GUI application) to run without a display: the
// offscreen platform, and a private runtime folder when none is set, since Qt warns about a missing
// one or one shared with other users (as the temp folder is).
void prepareOffscreenTool();

} // namespace tarvel::tools
