#include "tool_support/offscreen.h"

#include <QDir>
#include <QFile>

#include <unistd.h>

namespace tarvel::tools {

void prepareOffscreenTool() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const QString dir = QDir::temp().filePath(QStringLiteral("tarvel-tools-runtime-%1").arg(getuid()));
    QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
}

} // namespace tarvel::tools
