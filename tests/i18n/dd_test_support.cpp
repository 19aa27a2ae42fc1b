#include "dd_test_support.h"

#include <QDir>
#include <QFile>

namespace tarvel::test {

QString writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
    return path;
}

QByteArray canonicalFile(const QList<Entry>& entries, bool unicode) {
    TTextCSVStreamDDWriter writer(unicode);
    writer.WriteHeader();
    for (const Entry& entry : entries)
        writer.WriteEntry(entry.key, entry.codePage, entry.seqNo, entry.value);
    return writer.Data();
}

FileDictionary::FileDictionary(const QByteArray& content, const QString& fileName)
    : m_path(m_dir.filePath(fileName)) {
    writeFile(m_path, content);
    m_dd.setFileName(m_path);
}

void FileDictionary::rewrite(const QByteArray& content) {
    writeFile(m_path, content);
}

QByteArray FileDictionary::translate(const QByteArray& key, const QByteArray& codePage,
                                     const QByteArray& seqNo) {
    return m_dd.Translate(key, codePage, seqNo);
}

bool FileDictionary::found(const QByteArray& key, const QByteArray& codePage, const QByteArray& seqNo) {
    return m_dd.Lookup(key, codePage, false, seqNo).Found;
}

ScopedEnvironment::ScopedEnvironment(const char* name, const QByteArray& value)
    : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
    qputenv(name, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    if (m_had)
        qputenv(m_name, m_old);
    else
        qunsetenv(m_name);
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const QString& directory) : m_old(QDir::currentPath()) {
    QDir::setCurrent(directory);
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() {
    QDir::setCurrent(m_old);
}

} // namespace tarvel::test
