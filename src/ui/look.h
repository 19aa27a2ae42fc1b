#pragma once

class QApplication;

namespace tarvel {

// The program's look: Fusion style, a light palette, a font that also covers Chinese, and the style
// sheet that gives captions, values, headings and group boxes their appearance.
void applyLook(QApplication& app);

} // namespace tarvel
