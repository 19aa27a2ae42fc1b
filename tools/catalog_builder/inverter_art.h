#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

namespace tarvel::tools {

// Renders a clean front view of one inverter model as complete JPEG file bytes (starting FF D8).
// `group` is one of "G1", "G2", "G3", "G4", "G5", "G6", "none"; each group has its own body shape.
// The same inputs always give the same bytes. Needs a QGuiApplication (fonts); an offscreen one is enough.
// Throws std::invalid_argument for any other group and std::runtime_error when no JPEG writer is available.
QByteArray renderInverterJpeg(const QString& model, const QString& group);

// The picture size in pixels for a group: four times the box the program stretches it into, so the
// picture keeps the box's aspect ratio. Throws std::invalid_argument for an unknown group.
QSize inverterPictureSize(const QString& group);

} // namespace tarvel::tools
