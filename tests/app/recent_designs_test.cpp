#include "app/app_settings.h"
#include "app/recent_designs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

class RecentDesignsTest : public testing::Test {
protected:
    QString file(const QString& name) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        return path;
    }
    QTemporaryDir dir;
};

TEST_F(RecentDesignsTest, TheNewestComesFirstAFileIsListedOnceAndTheOldestFallsOff) {
    RecentDesigns recent;
    for (int i = 1; i <= 10; ++i)
        recent.add(dir.filePath(QStringLiteral("d%1.tpvd").arg(i)));
    ASSERT_EQ(recent.paths().size(), RecentDesigns::kMaximum);
    EXPECT_EQ(recent.paths().first(), dir.filePath(QStringLiteral("d10.tpvd")));
    EXPECT_EQ(recent.paths().last(), dir.filePath(QStringLiteral("d3.tpvd")));
    // The same file written another way moves up instead of being listed twice.
    recent.add(dir.path() + QStringLiteral("/sub/..//d5.tpvd"));
    EXPECT_EQ(recent.paths().size(), RecentDesigns::kMaximum);
    EXPECT_EQ(recent.paths().first(), dir.filePath(QStringLiteral("d5.tpvd")));
    EXPECT_EQ(recent.paths().count(dir.filePath(QStringLiteral("d5.tpvd"))), 1);
    recent.add(QString());
    EXPECT_EQ(recent.paths().first(), dir.filePath(QStringLiteral("d5.tpvd")));
}

TEST_F(RecentDesignsTest, MissingFilesArePruned) {
    const QString kept = file(QStringLiteral("kept.tpvd"));
    const QString gone = file(QStringLiteral("gone.tpvd"));
    RecentDesigns recent({gone, kept});
    ASSERT_TRUE(QFile::remove(gone));
    EXPECT_TRUE(recent.prune([](const QString& path) { return QFileInfo(path).isFile(); }));
    EXPECT_EQ(recent.paths(), QStringList{kept});
    EXPECT_FALSE(recent.prune([](const QString& path) { return QFileInfo(path).isFile(); }));
}

TEST_F(RecentDesignsTest, TheListIsKeptInASectionOfTheSettingsFileBesideTheLanguage) {
    const QString ini = dir.filePath(QStringLiteral("Language.ini"));
    LanguageIni(ini).writeInteger(QStringLiteral("Language"), 936);
    const QStringList paths{dir.filePath(QStringLiteral("Dach, Süd & Nord.tpvd")),
                            dir.filePath(QStringLiteral("屋顶 设计.tpvd")),
                            dir.filePath(QStringLiteral("c.tpvd"))};
    RecentDesigns(paths).write(ini);
    EXPECT_EQ(RecentDesigns::read(ini).paths(), paths);
    EXPECT_EQ(LanguageIni(ini).readInteger(QStringLiteral("Language"), 0), 936);
    // A shorter list leaves nothing of the longer one behind.
    RecentDesigns({paths[2]}).write(ini);
    EXPECT_EQ(RecentDesigns::read(ini).paths(), QStringList{paths[2]});
    EXPECT_TRUE(RecentDesigns::read(dir.filePath(QStringLiteral("none.ini"))).isEmpty());
}

TEST_F(RecentDesignsTest, ASettingsFileThatCannotBeWrittenIsAnError) {
    const QString ini = dir.filePath(QStringLiteral("Language.ini"));
    ASSERT_TRUE(QDir().mkpath(ini));
    EXPECT_THROW(RecentDesigns({dir.filePath(QStringLiteral("a.tpvd"))}).write(ini), SettingsError);
}

} // namespace
} // namespace tarvel
