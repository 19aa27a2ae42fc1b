#include "app/app_settings.h"

#include "app/file_locations.h"
#include "io/file_io.h"

#include <QFileInfo>

#include <optional>

namespace tarvel {
namespace {

// A settings file is a few lines; anything much larger is not one.
constexpr qint64 kMaxSettingsBytes = 1 << 20;
const QByteArray kSection = QByteArrayLiteral("LanguageOf");

// Section and key names are compared as the profile functions compare them, ignoring letter case.
bool sameName(QByteArrayView a, QByteArrayView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// One line of the file as the profile functions see it: a section header, a key with its value, or
// anything else (comments, blank lines), which is kept as it is.
struct IniLine {
    QByteArray section; // the header's name, for a header line
    QByteArray key;     // for a key line
    QByteArray value;
};

IniLine parseLine(QByteArray line) {
    line = line.trimmed();
    IniLine parsed;
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#'))
        return parsed;
    if (line.startsWith('[')) {
        const qsizetype close = line.indexOf(']');
        if (close > 0)
            parsed.section = line.mid(1, close - 1).trimmed();
        return parsed;
    }
    const qsizetype equals = line.indexOf('=');
    if (equals <= 0)
        return parsed;
    parsed.key = line.left(equals).trimmed();
    parsed.value = line.mid(equals + 1).trimmed();
    if (parsed.value.size() >= 2 && parsed.value.startsWith('"') && parsed.value.endsWith('"'))
        parsed.value = parsed.value.mid(1, parsed.value.size() - 2);
    return parsed;
}

// The file's lines without their line ends (LF or CR LF), a byte-order mark dropped.
QList<QByteArray> linesOf(QByteArray content) {
    if (content.startsWith("\xEF\xBB\xBF"))
        content.remove(0, 3);
    QList<QByteArray> lines = content.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QByteArray& line : lines)
        if (line.endsWith('\r'))
            line.chop(1);
    return lines;
}

// The first value of `key` in `section`.
std::optional<QByteArray> valueOf(const QByteArray& content, const QByteArray& section, const QByteArray& key) {
    bool inSection = false;
    for (const QByteArray& line : linesOf(content)) {
        const IniLine parsed = parseLine(line);
        if (!parsed.section.isEmpty())
            inSection = sameName(parsed.section, section);
        else if (inSection && sameName(parsed.key, key))
            return parsed.value;
    }
    return std::nullopt;
}

// The file with `key` set in the program's section, everything else kept as it was: the first line
// of the key is rewritten, a missing key goes after the section's last entry, a missing section at
// the end.
QByteArray withValue(const QByteArray& content, const QByteArray& key, const QByteArray& value) {
    const QByteArray end = content.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    QList<QByteArray> lines = linesOf(content);
    qsizetype sectionEnd = -1; // the line after the section's last entry
    bool inSection = false;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const IniLine parsed = parseLine(lines[i]);
        if (!parsed.section.isEmpty()) {
            if (sectionEnd >= 0 && inSection)
                break;
            inSection = sameName(parsed.section, kSection);
            if (inSection)
                sectionEnd = i + 1;
        } else if (inSection && !parsed.key.isEmpty()) {
            if (sameName(parsed.key, key)) {
                lines[i] = parsed.key + '=' + value;
                return lines.join(end) + end;
            }
            sectionEnd = i + 1;
        }
    }
    if (sectionEnd >= 0) {
        lines.insert(sectionEnd, key + '=' + value);
    } else {
        if (!lines.isEmpty() && !lines.last().trimmed().isEmpty())
            lines.append(QByteArray());
        lines.append('[' + kSection + ']');
        lines.append(key + '=' + value);
    }
    return lines.join(end) + end;
}

// The file without `section` (its header and every line up to the next header).
QByteArray withoutSection(const QByteArray& content, const QByteArray& section) {
    const QByteArray end = content.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    QList<QByteArray> kept;
    bool inSection = false;
    for (const QByteArray& line : linesOf(content)) {
        const IniLine parsed = parseLine(line);
        if (!parsed.section.isEmpty())
            inSection = sameName(parsed.section, section);
        if (!inSection)
            kept.append(line);
    }
    while (!kept.isEmpty() && kept.last().trimmed().isEmpty())
        kept.removeLast();
    return kept.isEmpty() ? QByteArray() : kept.join(end) + end;
}

// File names are kept readable but safe for a line of their own: '%', '"', control characters and
// blanks (which the reader would trim) are percent-encoded; other characters stay as UTF-8.
QByteArray encodedName(const QString& name) {
    QByteArray readable;
    for (int c = 0x21; c < 0x100; ++c)
        if (c != '%' && c != '"' && c != 0x7F)
            readable.append(static_cast<char>(c));
    return name.toUtf8().toPercentEncoding(readable);
}

QByteArray readSettings(const QString& path) {
    return io::readRegularFile(path, kMaxSettingsBytes);
}

} // namespace

QString LanguageIni::defaultPath() {
    return FileLocations::ofThisProcess().settingsFile();
}

// A file that cannot be read (missing, no regular file, too large) holds no values.
int LanguageIni::readInteger(const QString& key, int defaultValue) const {
    QByteArray content;
    try {
        content = readSettings(m_path);
    } catch (const io::FileError&) {
        return defaultValue;
    }
    const std::optional<QByteArray> value = valueOf(content, kSection, key.toUtf8());
    if (!value)
        return defaultValue;
    bool ok = false;
    const int number = QString::fromUtf8(*value).trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

// Written beside the old file and renamed over it, so a full disk cannot leave half a file; a path
// that names a device, a pipe or a folder is never replaced.
void LanguageIni::writeInteger(const QString& key, int value) {
    QByteArray content;
    if (QFileInfo::exists(m_path)) {
        try {
            content = io::readRegularFile(m_path, kMaxSettingsBytes);
        } catch (const io::FileError&) {
            throw SettingsError(m_path);
        }
    }
    try {
        io::writeFileReplacing(m_path, withValue(content, key.toUtf8(), QByteArray::number(value)),
                               io::OtherTarget::Refuse);
    } catch (const io::FileError&) {
        throw SettingsError(m_path);
    }
}

QStringList LanguageIni::readFileList(const QString& section) const {
    QByteArray content;
    try {
        content = readSettings(m_path);
    } catch (const io::FileError&) {
        return {};
    }
    QStringList files;
    for (int number = 1;; ++number) {
        const std::optional<QByteArray> value =
            valueOf(content, section.toUtf8(), QByteArrayLiteral("File") + QByteArray::number(number));
        if (!value)
            break;
        files.append(QString::fromUtf8(QByteArray::fromPercentEncoding(*value)));
    }
    return files;
}

// Written like every other setting: beside the old file, then renamed over it; the program's other
// sections and any lines it does not know are kept.
void LanguageIni::writeFileList(const QString& section, const QStringList& files) {
    QByteArray content;
    try {
        if (QFileInfo::exists(m_path))
            content = readSettings(m_path);
    } catch (const io::FileError&) {
        throw SettingsError(m_path);
    }
    content = withoutSection(content, section.toUtf8());
    const QByteArray end = content.contains("\r\n") ? QByteArrayLiteral("\r\n") : QByteArrayLiteral("\n");
    if (!files.isEmpty()) {
        if (!content.isEmpty())
            content += end;
        content += '[' + section.toUtf8() + ']' + end;
        for (qsizetype i = 0; i < files.size(); ++i)
            content += "File" + QByteArray::number(i + 1) + '=' + encodedName(files[i]) + end;
    }
    try {
        io::writeFileReplacing(m_path, content, io::OtherTarget::Refuse);
    } catch (const io::FileError&) {
        throw SettingsError(m_path);
    }
}

QString programVersionText(const QString& fileVersion) {
    const QStringList parts = fileVersion.split(u'.');
    if (parts.size() < 3)
        return {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        parts[i].toUShort(&ok);
        if (!ok)
            return {};
    }
    return parts.mid(0, 3).join(u'.');
}

QString getpvVersitionL() {
    return programVersionText(QStringLiteral(TARVEL_VERSION));
}

} // namespace tarvel
