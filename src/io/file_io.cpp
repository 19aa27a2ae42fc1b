#include "io/file_io.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvel::io {
namespace {

[[noreturn]] void systemError(int error) {
    throw FileError(FileError::Kind::System, QString::fromLocal8Bit(std::strerror(error)));
}

QByteArray directoryOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray& path) {
    return path.mid(path.lastIndexOf('/') + 1);
}

// The file a path finally names: symbolic links followed, also the last one whose target does not
// exist yet (the new file is made there, and the link keeps pointing at it).
QByteArray finalTarget(QByteArray path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (::lstat(path.constData(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.constData(), link.data(), static_cast<size_t>(link.size()));
        if (length < 0)
            systemError(errno);
        if (length >= link.size())
            systemError(ENAMETOOLONG);
        link.truncate(length);
        path = link.startsWith('/') ? link : directoryOf(path) + '/' + link;
    }
    systemError(ELOOP);
}

// Closes the descriptor it holds when the scope ends, unless close() took it first.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    // Some file systems (network shares, quotas) report a failed write only here.
    void close() {
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            systemError(errno);
    }

private:
    int m_fd;
};

void writeAll(int fd, const QByteArray& bytes) {
    const char* next = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            systemError(errno);
        }
        if (written == 0)
            throw FileError(FileError::Kind::Incomplete, QStringLiteral("the file took no more bytes"));
        next += written;
        left -= written;
    }
}

// A device or pipe takes the bytes where it is. Opened without waiting, so a pipe nobody reads is
// an error instead of a hang.
void writeInto(const QByteArray& target, const QByteArray& bytes) {
    Descriptor file(::open(target.constData(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        systemError(errno);
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags < 0 || ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        systemError(errno);
    writeAll(file.get(), bytes);
    file.close();
}

QByteArray randomPart() {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QByteArray part(8, 'x');
    for (char& c : part)
        c = kLetters[QRandomGenerator::global()->bounded(static_cast<int>(sizeof kLetters - 1))];
    return part;
}

// A new, hidden file beside `target`, created by this call alone (never an existing one, never
// through a link); the permissions of new files are the user's usual ones.
int createBeside(const QByteArray& target, QByteArray& created) {
    const QByteArray prefix = directoryOf(target) + "/." + nameOf(target).left(200) + '.';
    for (int attempt = 0;; ++attempt) {
        created = prefix + randomPart() + ".part";
        const int fd =
            ::open(created.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST || attempt == 99)
            systemError(errno);
    }
}

} // namespace

void writeFileReplacing(const QString& path, const QByteArray& bytes, OtherTarget other) {
    const QByteArray given = QFile::encodeName(path);
    struct stat old {};
    const bool exists = ::stat(given.constData(), &old) == 0;
    if (!exists && errno != ENOENT)
        systemError(errno);
    if (exists && !S_ISREG(old.st_mode)) {
        if (other == OtherTarget::Refuse)
            throw FileError(FileError::Kind::NotRegularFile, QStringLiteral("it is not a regular file"));
        // Opened by the name given: /dev/stdout and its kind lead to a pipe no link text names.
        writeInto(given, bytes);
        return;
    }
    const QByteArray target = finalTarget(given);
    // A write-protected file stays as it is, although its folder would let a new file take its place.
    if (exists && ::access(target.constData(), W_OK) != 0)
        systemError(errno);

    QByteArray beside;
    Descriptor file(createBeside(target, beside));
    try {
        if (exists && ::fchmod(file.get(), old.st_mode & 07777) != 0)
            systemError(errno);
        writeAll(file.get(), bytes);
        if (::fsync(file.get()) != 0)
            systemError(errno);
        struct stat written {};
        if (::fstat(file.get(), &written) != 0)
            systemError(errno);
        if (written.st_size != bytes.size())
            throw FileError(FileError::Kind::Incomplete,
                            QStringLiteral("the file was not written completely"));
        file.close();
        if (::rename(beside.constData(), target.constData()) != 0)
            systemError(errno);
    } catch (...) {
        ::unlink(beside.constData());
        throw;
    }
}

QByteArray readRegularFile(const QString& path, qint64 maxBytes) {
    // Opened without waiting: a pipe without a writer would otherwise block the open itself.
    Descriptor file(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (file.get() < 0)
        systemError(errno);
    struct stat status {};
    if (::fstat(file.get(), &status) != 0)
        systemError(errno);
    if (!S_ISREG(status.st_mode))
        throw FileError(FileError::Kind::NotRegularFile, QStringLiteral("it is not a regular file"));
    const QString tooLarge = QStringLiteral("it is larger than %1 bytes").arg(maxBytes);
    if (status.st_size > maxBytes)
        throw FileError(FileError::Kind::TooLarge, tooLarge);
    // The size is only a hint: the file may grow while it is read, and some (under /proc) report 0.
    QByteArray content;
    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            systemError(errno);
        }
        if (got == 0)
            break;
        if (content.size() + got > maxBytes)
            throw FileError(FileError::Kind::TooLarge, tooLarge);
        content.append(chunk, got);
    }
    return content;
}

} // namespace tarvel::io
