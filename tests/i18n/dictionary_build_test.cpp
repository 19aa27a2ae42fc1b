#include "dd_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace tarvel {
namespace {

using test::failureOf;
using test::FileDictionary;

const QByteArray kHeader = "DDKey,CodePage,SeqNo,DisplayValue\r\n";

// --- loading -----------------------------------------------------------------------------------------

TEST(DictionaryBuild, FilesWithoutRecordsLoadNothingWithoutError) {
    for (const QByteArray& content : {QByteArray(), QByteArray("Text,Other\r\n"), kHeader}) {
        FileDictionary file(content);
        EXPECT_EQ(file.translate("Open"), "Open");
        EXPECT_TRUE(file.dd().IsLoaded());
        EXPECT_EQ(file.dd().Entries().Count(), 0);
    }
}

TEST(DictionaryBuild, ReadsTheRecordsUnderTheirThreePartKey) {
    FileDictionary file(kHeader + "Open,936,0,\xB4\xF2\xBF\xAA\r\n"
                                  "Open,1252,0,Open it\r\n"
                                  "Open,936,1,Second\r\n");
    EXPECT_EQ(file.translate("Open"), "\xB4\xF2\xBF\xAA");
    EXPECT_EQ(file.translate("Open", "1252"), "Open it");
    EXPECT_EQ(file.translate("Open", "936", "1"), "Second");
    EXPECT_EQ(file.dd().CodePages(), QByteArrayList({"1252", "936"}));
}

TEST(DictionaryBuild, ColumnsAreFoundByNameIgnoringCaseAndOrder) {
    FileDictionary file("displayVALUE,seqno,DDKEY,codepage,\r\n"
                        "Shown,0,Source,936,\r\n");
    EXPECT_EQ(file.translate("Source"), "Shown");
}

TEST(DictionaryBuild, AnEmptyHeaderCellShiftsTheNamesLeft) {
    // The second cell of every line is read as CodePage.
    FileDictionary file("DDKey,,CodePage,SeqNo,DisplayValue\r\n"
                        "Source,936,0,Shown\r\n");
    EXPECT_EQ(file.translate("Source"), "Shown");
}

TEST(DictionaryBuild, ALaterHeaderCellOfTheSameNameWins) {
    FileDictionary file("DDKey,DisplayValue,CodePage,SeqNo,displayvalue\r\n"
                        "Source,first,936,0,second\r\n");
    EXPECT_EQ(file.translate("Source"), "second");
}

TEST(DictionaryBuild, AnEmptyDisplayValueTranslatesToAnEmptyText) {
    FileDictionary file(kHeader + "Blank,936,0,\r\nQuoted,936,0,\"\"\r\n");
    EXPECT_TRUE(file.found("Blank"));
    EXPECT_EQ(file.translate("Blank"), "");
    EXPECT_TRUE(file.dd().Lookup("Blank", "936", false, "0").Value.isNull());
    EXPECT_EQ(file.translate("Quoted"), "");
}

TEST(DictionaryBuild, KeysAreExact) {
    // A file without a SeqNo column gives keys ending in TAB; a blank before 936 stays in the key.
    FileDictionary noSeqNo("DDKey,CodePage,DisplayValue\r\nOpen,936,Shown\r\n");
    EXPECT_FALSE(noSeqNo.found("Open", "936", "0"));
    EXPECT_EQ(noSeqNo.translate("Open", "936", ""), "Shown");

    FileDictionary blank(kHeader + "Open, 936,0,Shown\r\n");
    EXPECT_FALSE(blank.found("Open", "936"));
    EXPECT_TRUE(blank.found("Open", " 936"));
    EXPECT_FALSE(blank.found("open", " 936"));
}

TEST(DictionaryBuild, CustomColumnNamesComeFromTheMapping) {
    FileDictionary file("Src,Lang,Text\r\nOpen,936,Shown\r\n");
    file.dd().setUseDefaultFields(false);
    file.dd().setFieldsMapping({"src", "LANG", "Seq", "text"});
    EXPECT_EQ(file.translate("Open", "936", ""), "Shown");
}

// --- failures ----------------------------------------------------------------------------------------

struct FailureCase {
    const char* name;
    QByteArray content;
    QString message;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class DictionaryFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(DictionaryFailure, StopsTheLoadAndRepeatsAtTheNextLookup) {
    FileDictionary file(GetParam().content);
    int builds = 0;
    TAcroMultiDDEvents listener;
    listener.OnBeforeBuildDD = [&](TCustomMultiDD*) { ++builds; };
    for (int attempt = 1; attempt <= 2; ++attempt) {
        EXPECT_EQ(failureOf([&] { file.translate("k"); }), GetParam().message);
        EXPECT_FALSE(file.dd().IsLoaded());
        EXPECT_EQ(builds, attempt);
    }
    // Rows read before the failure are not answered from.
    EXPECT_EQ(file.dd().Entries().Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Dictionary, DictionaryFailure,
    testing::Values(FailureCase{"duplicate", kHeader + "k,936,0,a\r\nk,936,0,b\r\n",
                                "Duplicate hash list entry: k\t936\t0"},
                    FailureCase{"two empty lines at the end", kHeader + "k,936,0,a\r\n\r\n\r\n",
                                "Duplicate hash list entry: \t\t"},
                    FailureCase{"no DDKey column", "Key,CodePage,SeqNo,DisplayValue\r\nk,936,0,a\r\n",
                                "field \"DDKey\" not found!"},
                    FailureCase{"no DisplayValue column", "DDKey,CodePage\r\nk,936\r\n",
                                "field \"DisplayValue\" not found!"},
                    FailureCase{"bad escape", kHeader + "k,936,0,50%x\r\n",
                                R"(CSV format error,char after "%" not "c","n","0",or "%".)"}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(DictionaryBuild, OneEmptyLineAtTheEndIsAnEntryOfEmptyParts) {
    FileDictionary file(kHeader + "k,936,0,a\r\n\r\n");
    EXPECT_TRUE(file.found("", "", ""));
    EXPECT_EQ(file.dd().Entries().Count(), 2);
}

TEST(DictionaryBuild, TheMissingColumnIsNamedAsMapped) {
    FileDictionary file("Src,Text\r\nk,v\r\n");
    file.dd().setUseDefaultFields(false);
    file.dd().setFieldsMapping({"Source", "", "", "Text"});
    EXPECT_EQ(failureOf([&] { file.translate("k"); }), "field \"Source\" not found!");
}

TEST(DictionaryBuild, ReaderChoiceFailures) {
    FileDictionary file(kHeader);
    file.dd().setDDReaderID("AcroXML");
    EXPECT_EQ(failureOf([&] { file.translate("k"); }), "dictionary reader ID \"AcroXML\" ,not registered!");

    FileDictionary byExtension(kHeader, "texts.dic");
    byExtension.dd().setDDReaderID("");
    EXPECT_EQ(failureOf([&] { byExtension.translate("k"); }),
              "dictionary reader for file extention \"dic\" ,not registered!");

    // A reader class given directly needs no registration.
    byExtension.dd().setReaderClass([](const QByteArray&) {
        return std::make_unique<TTextCSVStreamDDReader>(kHeader + "k,936,0,v\r\n");
    });
    EXPECT_EQ(byExtension.translate("k"), "v");
}

TEST(DictionaryBuild, AValueNeedingConversionNeedsANumericCodePage) {
    FileDictionary file(kHeader + "k,zh,0,v\r\n");
    file.dd().setIsUnicode(true);
    EXPECT_EQ(failureOf([&] { file.translate("k", "zh"); }), "'zh' is not a valid integer value");
    file.dd().setIsUnicode(false); // no conversion, no number needed
    EXPECT_EQ(file.translate("k", "zh"), "v");
}

// --- code pages --------------------------------------------------------------------------------------

const QList<test::Entry> kBilingual = {
    {"\u6253\u5F00", "936", "0", "\u6253\u5F00\u6587\u4EF6"},
    {"Open", "1252", "0", "Open caf\u00E9"},
    {"Close", "936", "0", "\u5173\u95ED"},
};

TEST(DictionaryCodePages, AUtf16FileIsKeptAs8BitTextInEachRowsCodePage) {
    FileDictionary file(test::canonicalFile(kBilingual, true));
    EXPECT_EQ(file.translate("\xB4\xF2\xBF\xAA"), "\xB4\xF2\xBF\xAA\xCE\xC4\xBC\xFE");
    EXPECT_EQ(file.translate("Open", "1252"), "Open caf\xE9");
    EXPECT_EQ(file.translate("Close"), "\xB9\xD8\xB1\xD5");
    EXPECT_EQ(file.dd().TranslateWide("\u6253\u5F00", "936", "0"), "\u6253\u5F00\u6587\u4EF6");
}

TEST(DictionaryCodePages, An8BitFileCanBeKeptAsUtf16) {
    FileDictionary file(test::canonicalFile(kBilingual, false));
    file.dd().setIsUnicode(true);
    EXPECT_EQ(file.dd().Lookup("Close", "936", false, "0").Value, TDDValue(QString("\u5173\u95ED")));
    EXPECT_EQ(file.translate("Close"), "\xB9\xD8\xB1\xD5"); // written back in the asked code page
    EXPECT_EQ(file.dd().TranslateWide("\u6253\u5F00", "1252", "0"),
              "\u6253\u5F00"); // not among the 1252 rows
    EXPECT_EQ(file.dd().TranslateWide("Close", "936", "0"), "\u5173\u95ED");
}

TEST(DictionaryCodePages, TranslateTextFindsTheDictionaryByName) {
    FileDictionary file(test::canonicalFile(kBilingual, false));
    file.dd().setDDName("DD_Resource");
    EXPECT_EQ(translateText("dd_resource", "\u6253\u5F00", "936", "0"), "\u6253\u5F00\u6587\u4EF6");
    EXPECT_EQ(translateText("DD_Resource", "Open", "1252", "0"), "Open caf\u00E9");
    EXPECT_EQ(translateText("DD_Resource", "Missing", "936", "0"), "Missing");
    EXPECT_EQ(translateText("NoSuchDictionary", "\u6253\u5F00", "936", "0"), "\u6253\u5F00");
}

// --- lookups and events ------------------------------------------------------------------------------

TEST(DictionaryLookup, BuildsOnceAtTheFirstLookupAndAgainAfterClear) {
    FileDictionary file(kHeader + "k,936,0,old\r\n");
    int builds = 0;
    int built = 0;
    TAcroMultiDDEvents listener;
    listener.OnBeforeBuildDD = [&](TCustomMultiDD* dd) {
        EXPECT_EQ(dd, &file.dd());
        ++builds;
    };
    listener.OnAfterBuildDD = [&](TCustomMultiDD* dd) { built += dd->IsLoaded() ? 1 : 0; };
    EXPECT_FALSE(file.dd().IsLoaded());
    EXPECT_EQ(file.translate("k"), "old");
    file.rewrite(kHeader + "k,936,0,new\r\n");
    EXPECT_EQ(file.translate("k"), "old");
    EXPECT_EQ(builds, 1);
    file.dd().Clear();
    EXPECT_EQ(file.translate("k"), "new");
    EXPECT_EQ(builds, 2);
    EXPECT_EQ(built, 2);
}

TEST(DictionaryLookup, ATextNotInTheFileComesBackAndIsReported) {
    FileDictionary file(kHeader + "k,936,0,v\r\n");
    QStringList reports;
    TAcroMultiDDEvents listener;
    listener.OnNotFoundDisplayValue = [&](TCustomMultiDD*, const QByteArray& key, const QByteArray& codePage,
                                          bool fromResource, const QByteArray& seqNo) {
        reports.append(QString::fromLatin1(key + '|' + codePage + '|' + seqNo) +
                       (fromResource ? "|res" : ""));
    };
    const TDDLookupResult result = file.dd().Lookup("Other", "936", true, "0");
    EXPECT_FALSE(result.Found);
    EXPECT_EQ(result.Value, TDDValue(QByteArray("Other")));
    EXPECT_EQ(file.translate("Other", "1252"), "Other");
    EXPECT_EQ(file.dd().TranslateWide("Wide \u00E9", "1252", "0"), "Wide \u00E9");
    EXPECT_EQ(reports, QStringList({"Other|936|0|res", "Other|1252|0", "Wide \u00E9|1252|0"}));
}

TEST(DictionaryEvents, EveryComponentHearsInListOrderAndTheFirstRefusalDropsTheRow) {
    FileDictionary file(kHeader + "keep,936,0,a\r\ndrop,936,0,b\r\n");
    TAcroMultiDDEvents first;
    TAcroMultiDDEvents second;
    QStringList heard;
    first.OnBuildingDD = [&](TCustomMultiDD*, const QByteArray& key, const QByteArray&, const QByteArray&,
                             bool& accept) {
        heard.append("first " + key);
        accept = key != "drop";
    };
    second.OnBuildingDD = [&](TCustomMultiDD*, const QByteArray& key, const QByteArray&, const QByteArray&,
                              bool& accept) {
        EXPECT_TRUE(accept);
        heard.append("second " + key);
    };
    file.dd().Events()->OnBuildingDD = [&](TCustomMultiDD*, const QByteArray& key, const QByteArray&,
                                           const QByteArray&, bool&) { heard.append("self " + key); };
    EXPECT_TRUE(file.found("keep"));
    EXPECT_FALSE(file.found("drop"));
    // The dictionary's own component was listed before the two made later.
    EXPECT_EQ(heard, QStringList({"self keep", "first keep", "second keep", "self drop", "first drop"}));
    EXPECT_EQ(file.dd().CodePages(), QByteArrayList({"936"}));
}

TEST(DictionaryEvents, ReplacementEventsReachEveryComponent) {
    TAcroMultiDDEvents first;
    TAcroMultiDDEvents second;
    QObject target;
    QStringList heard;
    first.OnBeforeReplaceComponent = [&](TCustomMultiDD*, QObject* object, const TDDReplaceInfo& info,
                                         bool& allow) {
        EXPECT_EQ(object, &target);
        heard.append("before " + info.CodePage);
        allow = info.CodePage != "1252";
    };
    second.OnBeforeReplaceComponent = [&](TCustomMultiDD*, QObject*, const TDDReplaceInfo&, bool&) {
        heard.append("second before");
    };
    second.OnAfterReplaceComponent = [&](TCustomMultiDD*, QObject*, const TDDReplaceInfo& info) {
        heard.append("after " + info.SeqNo);
    };
    second.OnNotFoundNearstClassMethod = [&](TCustomMultiDD*, const QMetaObject* objectClass) {
        heard.append(objectClass->className());
    };
    EXPECT_TRUE(TAcroMultiDDEvents::RaiseBeforeReplaceComponent(nullptr, &target, {"936", "0", 0, {}}));
    EXPECT_FALSE(TAcroMultiDDEvents::RaiseBeforeReplaceComponent(nullptr, &target, {"1252", "0", 0, {}}));
    TAcroMultiDDEvents::RaiseAfterReplaceComponent(nullptr, &target, {"936", "7", 0, {}});
    TAcroMultiDDEvents::RaiseNotFoundNearstClassMethod(nullptr, target.metaObject());
    EXPECT_EQ(heard, QStringList({"before 936", "second before", "before 1252", "after 7", "QObject"}));
}

// --- finding the file --------------------------------------------------------------------------------

TEST(DictionaryFile, AMissingFileNamesTheLastPlaceTried) {
    QTemporaryDir dir;
    const QString absent = dir.filePath("absent.lng");
    TAcroMultiFileDD dd;
    dd.setFileName(absent);
    EXPECT_EQ(failureOf([&] { dd.Translate("k", "936", "0"); }),
              QStringLiteral("Cannot open file \"%1\". No such file or directory").arg(absent));

    // A bare name is looked for beside the executable and then along PATH; the last PATH entry is
    // the one opened.
    test::ScopedEnvironment path("PATH", QFile::encodeName(dir.path() + "/a:" + dir.path() + "/b"));
    test::ScopedCurrentDirectory current(dir.path());
    dd.setFileName("chinatoEN_absent.lng");
    EXPECT_EQ(TAcroMultiFileDD::LocateFile("chinatoEN_absent.lng"), dir.path() + "/b/chinatoEN_absent.lng");
    EXPECT_TRUE(
        failureOf([&] {
            dd.Translate("k", "936", "0");
        }).startsWith(QStringLiteral("Cannot open file \"%1/b/chinatoEN_absent.lng\".").arg(dir.path())));
}

TEST(DictionaryFile, ABareNameIsFoundInTheCurrentDirectoryThenBesideTheExecutableThenAlongPath) {
    QTemporaryDir work;
    QTemporaryDir pathA;
    QTemporaryDir pathB;
    const QString name = QStringLiteral("tarvel_dd_search_%1.lng").arg(QCoreApplication::applicationPid());
    const QString besideExecutable = QCoreApplication::applicationDirPath() + '/' + name;
    test::ScopedCurrentDirectory current(work.path());
    test::ScopedEnvironment path("PATH",
                                 QFile::encodeName("/nonexistent-dir:" + pathA.path() + ':' + pathB.path()));

    TAcroMultiFileDD dd;
    dd.setFileName(name);
    test::writeFile(pathB.filePath(name), kHeader + "k,936,0,path\r\n");
    EXPECT_EQ(dd.Translate("k", "936", "0"), "path");

    test::writeFile(besideExecutable, kHeader + "k,936,0,executable\r\n");
    dd.Clear();
    EXPECT_EQ(dd.Translate("k", "936", "0"), "executable");
    QFile::remove(besideExecutable);

    test::writeFile(work.filePath(name), kHeader + "k,936,0,current\r\n");
    dd.Clear();
    EXPECT_EQ(dd.Translate("k", "936", "0"), "current");
    EXPECT_EQ(TAcroMultiFileDD::LocateFile(name), name);
}

} // namespace
} // namespace tarvel
