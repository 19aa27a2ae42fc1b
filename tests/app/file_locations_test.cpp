#include "app/file_locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Where the program looks for its files, in a run folder and in an installation, on real folders.

namespace tarvel {
namespace {

class Locations : public testing::Test {
protected:
    void SetUp() override {
        // The current directory takes part in some searches; an empty one holds nothing.
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
        ASSERT_TRUE(QDir().mkpath(at("prefix/bin")));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QString at(const char* relative) const { return root.filePath(QString::fromLatin1(relative)); }
    void touch(const QString& path) {
        QDir().mkpath(QFileInfo(path).path());
        ASSERT_TRUE(QFile(path).open(QIODevice::WriteOnly));
    }
    FileLocations locations() const {
        return FileLocations({at("prefix/bin"), at("home/config"), at("home/data")});
    }

    QTemporaryDir root;
    QTemporaryDir elsewhere;
    QString previous;
};

TEST_F(Locations, ARunFolderKeepsEverythingBesideTheProgram) {
    const FileLocations here = locations();
    EXPECT_FALSE(here.installed());
    EXPECT_EQ(here.settingsFile(), at("prefix/bin/Language.ini"));
    EXPECT_EQ(here.shippedFile(QStringLiteral("000.bmp")), at("prefix/bin/000.bmp"));
    EXPECT_EQ(here.dictionaryFile(QStringLiteral("chinatoEN.lng")), QStringLiteral("chinatoEN.lng"));
    EXPECT_FALSE(here.catalogBesideProgram());
    touch(at("prefix/bin/VurIvira"));
    EXPECT_TRUE(here.catalogBesideProgram());
    EXPECT_FALSE(QFileInfo::exists(at("home")));
}

TEST_F(Locations, AnInstallationUsesTheUsersFoldersThoughItsPrefixIsWritableAndItsOwnFilesAfterThoseBeside) {
    for (const char* file : {"prefix/share/tarvel/000.bmp", "prefix/share/tarvel/chinatoEN.lng"})
        touch(at(file));
    const FileLocations here = locations();
    EXPECT_TRUE(here.installed());
    EXPECT_EQ(here.settingsFile(), at("home/config/tarvel/Language.ini"));
    EXPECT_TRUE(QFileInfo(at("home/config/tarvel")).isDir());
    EXPECT_FALSE(QFileInfo::exists(at("prefix/bin/Language.ini")));
    EXPECT_EQ(here.shippedFile(QStringLiteral("000.bmp")), at("prefix/share/tarvel/000.bmp"));
    EXPECT_EQ(here.dictionaryFile(QStringLiteral("chinatoEN.lng")), at("prefix/share/tarvel/chinatoEN.lng"));
    EXPECT_EQ(here.shippedCatalog(), at("prefix/share/tarvel/VurIvira"));
    EXPECT_EQ(here.userCatalogFolder(), at("home/data/tarvel"));
    EXPECT_FALSE(here.catalogBesideProgram());

    // Beside the program, or in the current directory where the search takes it, a file comes first.
    for (const char* file : {"prefix/bin/000.bmp", "prefix/bin/Language.ini"})
        touch(at(file));
    for (const char* file : {"chinatoEN.lng", "VurIvira"})
        touch(QDir::current().filePath(QString::fromLatin1(file)));
    EXPECT_EQ(here.shippedFile(QStringLiteral("000.bmp")), at("prefix/bin/000.bmp"));
    EXPECT_EQ(here.settingsFile(), at("prefix/bin/Language.ini"));
    EXPECT_EQ(here.dictionaryFile(QStringLiteral("chinatoEN.lng")), QStringLiteral("chinatoEN.lng"));
    EXPECT_TRUE(here.catalogBesideProgram());
}

} // namespace
} // namespace tarvel
