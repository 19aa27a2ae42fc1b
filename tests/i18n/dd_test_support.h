#pragma once

#include "i18n/multi_dd.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

// Readable failure output for the Qt text types the dictionary tests compare: C-style escapes for
// everything outside printable ASCII.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    static const char hex[] = "0123456789ABCDEF";
    *os << '"';
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && c != '"' && c != '\\')
            *os << c;
        else
            *os << "\\x" << hex[byte >> 4] << hex[byte & 0xF];
    }
    *os << '"';
}
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << "u8";
    PrintTo(text.toUtf8(), os);
}

namespace tarvel {

inline void PrintTo(const TDDValue& value, std::ostream* os) {
    if (value.isNull())
        *os << "null";
    else if (value.isWide())
        ::PrintTo(value.text(), os);
    else
        ::PrintTo(value.bytes(), os);
}

namespace test {

// The message of the EMultiDD the call raises, or "(no error)". Any other exception fails the test.
inline QString failureOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const EMultiDD& error) {
        return error.message();
    }
    return QStringLiteral("(no error)");
}

QString writeFile(const QString& path, const QByteArray& bytes);

// The canonical file of the given entries in the default columns, 8-bit or UTF-16.
struct Entry {
    QString key;
    QString codePage;
    QString seqNo;
    QString value;
};
QByteArray canonicalFile(const QList<Entry>& entries, bool unicode = false);

// A dictionary over a file of its own in a temporary folder.
class FileDictionary {
public:
    explicit FileDictionary(const QByteArray& content, const QString& fileName = QStringLiteral("dict.lng"));

    TAcroMultiFileDD& dd() { return m_dd; }
    QString path() const { return m_path; }
    void rewrite(const QByteArray& content);
    // The 8-bit display text of key in code page 936, sequence number 0 unless given.
    QByteArray translate(const QByteArray& key, const QByteArray& codePage = "936",
                         const QByteArray& seqNo = "0");
    bool found(const QByteArray& key, const QByteArray& codePage = "936", const QByteArray& seqNo = "0");

private:
    QTemporaryDir m_dir;
    QString m_path;
    TAcroMultiFileDD m_dd;
};

// Sets an environment variable (or the current directory) for one test and restores it after.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const QByteArray& value);
    ~ScopedEnvironment();

private:
    const char* m_name;
    bool m_had;
    QByteArray m_old;
};

class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const QString& directory);
    ~ScopedCurrentDirectory();

private:
    QString m_old;
};

} // namespace test
} // namespace tarvel
