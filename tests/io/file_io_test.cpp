#include "io/file_io.h"
#include "support/file_size_limit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace tarvel::io {
namespace {

class Files : public testing::Test {
protected:
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QByteArray content(const char* name) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    void put(const char* name, const QByteArray& bytes) const {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    void makeFifo(const char* name) const {
        ASSERT_EQ(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
    }
    bool isFifo(const char* name) const {
        struct stat status {};
        return ::lstat(QFile::encodeName(path(name)).constData(), &status) == 0 && S_ISFIFO(status.st_mode);
    }
    static FileError::Kind kindOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const FileError& error) {
            return error.kind();
        }
        ADD_FAILURE() << "no FileError";
        return FileError::Kind::System;
    }

    QTemporaryDir dir;
};

TEST_F(Files, AWholeNewContentReplacesTheOldKeepingPermissionsAndLinks) {
    writeFileReplacing(path("new.json"), "{}\n");
    EXPECT_EQ(content("new.json"), QByteArray("{}\n"));

    put("design.tpvd", "old");
    ASSERT_TRUE(
        QFile::setPermissions(path("design.tpvd"), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    writeFileReplacing(path("design.tpvd"), QByteArray(100000, 'x'));
    EXPECT_EQ(content("design.tpvd"), QByteArray(100000, 'x'));
    struct stat status {};
    ASSERT_EQ(::stat(QFile::encodeName(path("design.tpvd")).constData(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);

    // A link stays a link; the file it names gets the content.
    ASSERT_TRUE(QFile::link(path("design.tpvd"), path("link.tpvd")));
    writeFileReplacing(path("link.tpvd"), "through the link");
    EXPECT_TRUE(QFileInfo(path("link.tpvd")).isSymLink());
    EXPECT_EQ(content("design.tpvd"), QByteArray("through the link"));
    EXPECT_EQ(entries(), QStringList({"design.tpvd", "link.tpvd", "new.json"})) << "nothing left beside";
}

TEST_F(Files, AFullDiskLeavesTheOldFileAsItWasAndNothingBeside) {
    put("report.pdf", "old report");
    {
        test::FileSizeLimit fullAfter(4096);
        try {
            writeFileReplacing(path("report.pdf"), QByteArray(65536, 'p'));
            ADD_FAILURE() << "a file cut short was reported as written";
        } catch (const FileError& error) {
            EXPECT_EQ(error.kind(), FileError::Kind::System);
            EXPECT_STREQ(error.what(), "File too large");
        }
        EXPECT_EQ(kindOf([&] { writeFileReplacing(path("fresh.pdf"), QByteArray(65536, 'p')); }),
                  FileError::Kind::System);
    }
    EXPECT_EQ(content("report.pdf"), QByteArray("old report"));
    EXPECT_EQ(entries(), QStringList{"report.pdf"});
}

TEST_F(Files, WhatIsNoRegularFileIsWrittenIntoOrRefusedButNeverReplaced) {
    // A pipe nobody reads is an error at once, not a hang; one with a reader gets the bytes.
    makeFifo("pipe");
    EXPECT_EQ(kindOf([&] { writeFileReplacing(path("pipe"), "bytes"); }), FileError::Kind::System);
    const int reader = ::open(QFile::encodeName(path("pipe")).constData(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);
    writeFileReplacing(path("pipe"), "bytes");
    char received[16] = {};
    EXPECT_EQ(::read(reader, received, sizeof received), 5);
    EXPECT_STREQ(received, "bytes");
    ::close(reader);

    ASSERT_TRUE(QFile::link(path("pipe"), path("settings.ini")));
    EXPECT_EQ(kindOf([&] { writeFileReplacing(path("settings.ini"), "x", OtherTarget::Refuse); }),
              FileError::Kind::NotRegularFile);
    EXPECT_TRUE(isFifo("pipe"));
    EXPECT_TRUE(QFileInfo(path("settings.ini")).isSymLink());

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    EXPECT_EQ(kindOf([&] { writeFileReplacing(path("folder"), "x"); }), FileError::Kind::System);
    EXPECT_EQ(kindOf([&] { writeFileReplacing(path("folder"), "x", OtherTarget::Refuse); }),
              FileError::Kind::NotRegularFile);
    EXPECT_TRUE(QFileInfo(path("folder")).isDir());
    EXPECT_EQ(entries(), QStringList({"folder", "pipe", "settings.ini"}));
}

TEST_F(Files, OnlyRegularFilesOfTheSizeAskedForAreRead) {
    put("design.tpvd", QByteArray(1000, 'd'));
    EXPECT_EQ(readRegularFile(path("design.tpvd"), 1000), QByteArray(1000, 'd'));
    EXPECT_EQ(kindOf([&] { readRegularFile(path("design.tpvd"), 999); }), FileError::Kind::TooLarge);
    ASSERT_TRUE(QFile::link(path("design.tpvd"), path("link.tpvd")));
    EXPECT_EQ(readRegularFile(path("link.tpvd"), 1000).size(), 1000);
    EXPECT_EQ(kindOf([&] { readRegularFile(path("missing.tpvd"), 1000); }), FileError::Kind::System);

    // Neither a pipe without a writer nor an endless device is read from; a folder is no file.
    makeFifo("pipe");
    EXPECT_EQ(kindOf([&] { readRegularFile(path("pipe"), 1000); }), FileError::Kind::NotRegularFile);
    EXPECT_EQ(kindOf([&] { readRegularFile(QStringLiteral("/dev/zero"), 1000); }),
              FileError::Kind::NotRegularFile);
    EXPECT_EQ(kindOf([&] { readRegularFile(dir.path(), 1000); }), FileError::Kind::NotRegularFile);

    // The size a file reports is no promise: these report 0 and still have content.
    EXPECT_TRUE(readRegularFile(QStringLiteral("/proc/self/status"), 1 << 20).contains("Name:"));
    EXPECT_EQ(kindOf([&] { readRegularFile(QStringLiteral("/proc/self/status"), 10); }),
              FileError::Kind::TooLarge);
}

} // namespace
} // namespace tarvel::io
