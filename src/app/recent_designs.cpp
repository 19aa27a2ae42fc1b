#include "app/recent_designs.h"

#include "app/app_settings.h"

#include <QDir>
#include <QFileInfo>

namespace tarvel {
namespace {

const QString kSection = QStringLiteral("RecentDesigns");

} // namespace

QString RecentDesigns::normalized(const QString& path) {
    return path.isEmpty() ? QString() : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void RecentDesigns::assign(const QStringList& paths) {
    m_paths.clear();
    for (const QString& path : paths) {
        const QString file = normalized(path);
        if (!file.isEmpty() && !m_paths.contains(file) && m_paths.size() < kMaximum)
            m_paths.append(file);
    }
}

void RecentDesigns::add(const QString& path) {
    const QString file = normalized(path);
    if (file.isEmpty())
        return;
    m_paths.removeAll(file);
    m_paths.prepend(file);
    while (m_paths.size() > kMaximum)
        m_paths.removeLast();
}

void RecentDesigns::remove(const QString& path) {
    m_paths.removeAll(normalized(path));
}

bool RecentDesigns::prune(const std::function<bool(const QString&)>& exists) {
    const qsizetype before = m_paths.size();
    m_paths.removeIf([&exists](const QString& path) { return !exists(path); });
    return m_paths.size() != before;
}

RecentDesigns RecentDesigns::read(const QString& iniPath) {
    return RecentDesigns(LanguageIni(iniPath).readFileList(kSection));
}

void RecentDesigns::write(const QString& iniPath) const {
    LanguageIni(iniPath).writeFileList(kSection, m_paths);
}

} // namespace tarvel
