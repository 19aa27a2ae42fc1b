#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

namespace tarvel::test {

// The text of a PDF as pdftotext reads it (empty when it cannot); callers skip when the tool is missing.
inline QString pdfText(const QString& pdf) {
    QProcess process;
    process.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace tarvel::test
