#pragma once

#include <QByteArray>
#include <QString>

#include <stdexcept>

namespace tarvel::io {

// A file that could not be written or read. what() is the reason alone (the system's text for a
// system error); callers put the file and their own words around it.
class FileError : public std::runtime_error {
public:
    enum class Kind {
        System,         // the system refused (no space, file too large, no permission, ...)
        NotRegularFile, // a device, a pipe, a directory where a regular file is needed
        TooLarge,       // a file to read is larger than the caller accepts
        Incomplete,     // fewer bytes reached the file than were handed to it
    };
    FileError(Kind kind, const QString& reason) : std::runtime_error(reason.toStdString()), m_kind(kind) {}
    Kind kind() const { return m_kind; }

private:
    Kind m_kind;
};

// What writing does when the target exists but is no regular file.
enum class OtherTarget {
    WriteInto, // a device or pipe (standard output, a printer's pipe) takes the bytes as it is
    Refuse,    // FileError of kind NotRegularFile; nothing is touched
};

// Writes `bytes` as the whole content of the file `path`: into a new file beside it, checking every
// write, the flush to the disk and the final size, and only then renaming it over the old file. A
// failure of any step throws FileError and leaves the old file exactly as it was, with no new file
// left beside it. A symbolic link is followed, so the link stays and its target gets the content;
// an existing file's permissions are kept. Needed because a full disk can make a plain write (and
// Qt's QSaveFile) report success for a file that was cut short.
void writeFileReplacing(const QString& path, const QByteArray& bytes,
                        OtherTarget other = OtherTarget::WriteInto);

// The whole content of the regular file `path` (symbolic links followed), at most `maxBytes` long.
// A device, a pipe or a directory is refused before anything is read from it (a pipe without a
// writer does not hang the caller, a device without end does not fill the memory); so is a larger
// file. Throws FileError.
QByteArray readRegularFile(const QString& path, qint64 maxBytes);

} // namespace tarvel::io
