#include "app/file_locations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <unistd.h>

// Where the program looks for its files, in a run folder and in an installation, on real folders.

namespace tarvel {
namespace {

class Locations : public testing::Test {
protected:
    void SetUp() override {
        // The current directory takes part in some searches; an empty one holds nothing.
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(elsewhere.path()));
        ASSERT_TRUE(QDir().mkpath(bin()));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QString at(const QString& relative) const { return root.filePath(relative); }
    QString bin() const { return at(QStringLiteral("prefix/bin")); }
    void touch(const QString& relative) {
        QDir().mkpath(QFileInfo(at(relative)).path());
        QFile file(at(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    void install() { ASSERT_TRUE(QDir().mkpath(at(QStringLiteral("prefix/share/tarvel")))); }
    FileLocations locations() const {
        return FileLocations({bin(), at(QStringLiteral("home/config")), at(QStringLiteral("home/data"))});
    }

    QTemporaryDir root;
    QTemporaryDir elsewhere;
    QString previous;
};

TEST_F(Locations, ARunFolderKeepsEverythingBesideTheProgram) {
    const FileLocations here = locations();
    EXPECT_FALSE(here.installed());
    EXPECT_EQ(here.settingsFile(), at(QStringLiteral("prefix/bin/Language.ini")));
    EXPECT_EQ(here.shippedFile(QStringLiteral("000.bmp")), at(QStringLiteral("prefix/bin/000.bmp")));
    EXPECT_EQ(here.dictionaryFile(QStringLiteral("chinatoEN.lng")), QStringLiteral("chinatoEN.lng"));
    EXPECT_FALSE(here.catalogBesideProgram());
    touch(QStringLiteral("prefix/bin/VurIvira"));
    EXPECT_TRUE(here.catalogBesideProgram());
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("home"))));
}

TEST_F(Locations, AnInstallationKeepsTheUsersFilesInTheUsersFoldersThoughItsPrefixIsWritable) {
    install();
    touch(QStringLiteral("prefix/share/tarvel/000.bmp"));
    touch(QStringLiteral("prefix/share/tarvel/chinatoEN.lng"));
    const FileLocations here = locations();
    EXPECT_TRUE(here.installed());
    EXPECT_EQ(here.settingsFile(), at(QStringLiteral("home/config/tarvel/Language.ini")));
    EXPECT_TRUE(QFileInfo(at(QStringLiteral("home/config/tarvel"))).isDir());
    EXPECT_EQ(here.shippedFile(QStringLiteral("000.bmp")), at(QStringLiteral("prefix/share/tarvel/000.bmp")));
    EXPECT_EQ(here.dictionaryFile(QStringLiteral("chinatoEN.lng")),
              at(QStringLiteral("prefix/share/tarvel/chinatoEN.lng")));
    EXPECT_EQ(here.shippedCatalog(), at(QStringLiteral("prefix/share/tarvel/VurIvira")));
    EXPECT_EQ(here.userCatalogFolder(), at(QStringLiteral("home/data/tarvel")));
    // A file shipped by neither stays where the run folder would have it, for the message.
    EXPECT_EQ(here.shippedFile(QStringLiteral("201203121143cn1.pdf")),
              at(QStringLiteral("prefix/bin/201203121143cn1.pdf")));
    EXPECT_FALSE(QFileInfo::exists(at(QStringLiteral("prefix/bin/Language.ini"))));
}

TEST_F(Locations, FilesBesideTheProgramOrInTheCurrentDirectoryComeFirstInAnInstallation) {
    install();
    touch(QStringLiteral("prefix/share/tarvel/000.bmp"));
    touch(QStringLiteral("prefix/share/tarvel/chinatoEN.lng"));
    touch(QStringLiteral("prefix/bin/000.bmp"));
    touch(QStringLiteral("prefix/bin/Language.ini"));
    const FileLocations here = locations();
    EXPECT_EQ(here.shippedFile(QStringLiteral("000.bmp")), at(QStringLiteral("prefix/bin/000.bmp")));
    EXPECT_EQ(here.settingsFile(), at(QStringLiteral("prefix/bin/Language.ini")));
    EXPECT_FALSE(here.catalogBesideProgram());

    // Found in the current directory: the dictionary store's own search finds it by its name.
    QFile(QDir::current().filePath(QStringLiteral("chinatoEN.lng"))).open(QIODevice::WriteOnly);
    QFile(QDir::current().filePath(QStringLiteral("VurIvira"))).open(QIODevice::WriteOnly);
    EXPECT_EQ(here.dictionaryFile(QStringLiteral("chinatoEN.lng")), QStringLiteral("chinatoEN.lng"));
    EXPECT_TRUE(here.catalogBesideProgram());
}

TEST_F(Locations, ARunFolderThatCannotTakeTheSettingsLeavesThemToTheUsersFolder) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root may write into any folder";
    ASSERT_TRUE(QFile::setPermissions(bin(), QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_EQ(locations().settingsFile(), at(QStringLiteral("home/config/tarvel/Language.ini")));
    QFile::setPermissions(bin(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace
} // namespace tarvel
