#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tarvel {

// The design files a user opened or saved last, newest first, kept in the settings file so that the
// next run offers them again.
class RecentDesigns {
public:
    static constexpr int kMaximum = 8;

    RecentDesigns() = default;
    explicit RecentDesigns(const QStringList& paths) { assign(paths); }

    const QStringList& paths() const { return m_paths; }
    bool isEmpty() const { return m_paths.isEmpty(); }

    // Puts `path` first; a path already listed moves up, the oldest falls off past the maximum.
    void add(const QString& path);
    void remove(const QString& path);
    // Drops every file `exists` does not find; true when something was dropped.
    bool prune(const std::function<bool(const QString&)>& exists);

    // The same file, however its name is written (relative, "..", doubled separators).
    static QString normalized(const QString& path);

    // The list stored in a settings file: a section of its own, one key per file. A file that cannot
    // be read gives an empty list. Writing throws SettingsError when the file cannot be written.
    static RecentDesigns read(const QString& iniPath);
    void write(const QString& iniPath) const;

private:
    void assign(const QStringList& paths);
    QStringList m_paths;
};

} // namespace tarvel
