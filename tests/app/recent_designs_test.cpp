#include "app/app_settings.h"
#include "app/recent_designs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

TEST(RecentDesigns, NewestFirstEachFileOnceAtMostEightAndMissingFilesPruned) {
    QTemporaryDir dir;
    RecentDesigns recent;
    for (int i = 1; i <= 10; ++i) {
        QFile file(dir.filePath(QStringLiteral("d%1.tpvd").arg(i)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        recent.add(file.fileName());
    }
    ASSERT_EQ(recent.paths().size(), RecentDesigns::kMaximum);
    EXPECT_EQ(recent.paths().first(), dir.filePath(QStringLiteral("d10.tpvd")));
    EXPECT_EQ(recent.paths().last(), dir.filePath(QStringLiteral("d3.tpvd")));
    // The same file written another way moves up instead of being listed twice.
    recent.add(dir.path() + QStringLiteral("/sub/..//d5.tpvd"));
    EXPECT_EQ(recent.paths().size(), RecentDesigns::kMaximum);
    EXPECT_EQ(recent.paths().first(), dir.filePath(QStringLiteral("d5.tpvd")));
    EXPECT_EQ(recent.paths().count(dir.filePath(QStringLiteral("d5.tpvd"))), 1);

    ASSERT_TRUE(QFile::remove(dir.filePath(QStringLiteral("d5.tpvd"))));
    EXPECT_TRUE(recent.prune([](const QString& path) { return QFileInfo(path).isFile(); }));
    EXPECT_EQ(recent.paths().size(), RecentDesigns::kMaximum - 1);
    EXPECT_EQ(recent.paths().first(), dir.filePath(QStringLiteral("d10.tpvd")));
    EXPECT_FALSE(recent.prune([](const QString& path) { return QFileInfo(path).isFile(); }));
}

TEST(RecentDesigns, TheListIsKeptInASectionOfTheSettingsFileBesideTheLanguage) {
    QTemporaryDir dir;
    const QString ini = dir.filePath(QStringLiteral("Language.ini"));
    LanguageIni(ini).writeInteger(QStringLiteral("Language"), 936);
    const QStringList paths{dir.filePath(QStringLiteral("Dach, Süd & Nord.tpvd")),
                            dir.filePath(QStringLiteral("屋顶 设计.tpvd")), dir.filePath(QStringLiteral("c.tpvd")),
                            dir.filePath(QStringLiteral(" 100% \"flat\" = roof;\t.tpvd "))};
    RecentDesigns(paths).write(ini);
    EXPECT_EQ(RecentDesigns::read(ini).paths(), paths);
    EXPECT_EQ(LanguageIni(ini).readInteger(QStringLiteral("Language"), 0), 936);
    // A shorter list leaves nothing of the longer one behind.
    RecentDesigns({paths[2]}).write(ini);
    EXPECT_EQ(RecentDesigns::read(ini).paths(), QStringList{paths[2]});
    EXPECT_EQ(LanguageIni(ini).readInteger(QStringLiteral("Language"), 0), 936);
    EXPECT_TRUE(RecentDesigns::read(dir.filePath(QStringLiteral("none.ini"))).isEmpty());

    const QString folder = dir.filePath(QStringLiteral("folder.ini"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_THROW(RecentDesigns(paths).write(folder), SettingsError);
}

} // namespace
} // namespace tarvel
