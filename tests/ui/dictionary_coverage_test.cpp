#include "app/product_info.h"
#include "i18n/code_pages.h"
#include "i18n/multi_dd.h"
#include "i18n/replace_property.h"
#include "i18n/resource_texts.h"
#include "report/report_preview.h"
#include "support/main_window_fixture.h"
#include "ui/selection_assistant.h"
#include "ui/tfrm_inverter_new.h"
#include "ui/tfrm_location.h"
#include "ui/tfrm_panel_new.h"

#include <QFile>
#include <QSet>

#include <gtest/gtest.h>

namespace tarvel {
namespace {

const QString kShippedDictionary = QStringLiteral(TARVEL_RUN_DIR "/chinatoEN.lng");

// Texts that need no translation: no letter in them (numbers, units of punctuation).
bool needsTranslation(const QString& text) {
    for (const QChar c : text)
        if (c.isLetter())
            return true;
    return false;
}

// Every text the interface looks up in the dictionary: the texts the replacers met on every window of
// the program, and every resource text.
QStringList shownTexts(test::MainWindowFixture& f) {
    Tfrm_location location(*f.context, &f.window());
    Tfrm_panel_new panel(*f.context, &f.window());
    Tfrm_inverter_new inverter(*f.context, &f.window());
    Tfrm_ProductInfo about(f.settings, &f.window());
    f.window().N24Click();
    f.window().SelectionAssistantClick();
    QSet<QString> texts;
    for (const QString& text : TMultiDDKeyStorage::instance().sourceTexts())
        texts.insert(text);
    for (const char* text : rs::kAllTexts)
        texts.insert(QString::fromUtf8(text));
    f.window().reportPreview()->close();
    f.window().selectionAssistant()->close();
    QStringList list;
    for (const QString& text : texts)
        if (needsTranslation(text))
            list.append(text);
    list.sort();
    return list;
}

TEST(DictionaryCoverage, EveryShownTextHasAChineseAndAnEnglishRow) {
    test::MainWindowFixture f(QStringLiteral("[LanguageOf]\nLanguage=936\n"), test::fillSmallCatalog,
                              kShippedDictionary);
    const QStringList texts = shownTexts(f);
    ASSERT_GT(texts.size(), 200);
    TCustomMultiDD& dictionary = f.dm->LangFile();
    QStringList missing;
    for (const QString& text : texts)
        for (const char* codePage : {"936", "1252"})
            if (!dictionary
                     .Lookup(encodeToCodePage(text, ansiCodePageFor(QString::fromLatin1(codePage))),
                             QByteArray(codePage), false, "0")
                     .Found)
                missing << QStringLiteral("%1 (%2)").arg(text, QString::fromLatin1(codePage));
    EXPECT_TRUE(missing.isEmpty()) << missing.join(u'\n').toStdString();
    EXPECT_TRUE(f.dialogs.errors.isEmpty()) << f.dialogs.errors.join(u'\n').toStdString();

    // For maintainers: TARVEL_DUMP_TEXTS=<file> writes the list of shown texts.
    const QString dump = qEnvironmentVariable("TARVEL_DUMP_TEXTS");
    if (!dump.isEmpty()) {
        QFile file(dump);
        if (file.open(QIODevice::WriteOnly))
            file.write(texts.join(u'\n').toUtf8());
    }
}

// The second report page prints its template's captions through the dictionary: each must be a
// resource text, so the coverage above demands its rows.
TEST(DictionaryCoverage, EveryCaptionOfTheDetailsPageIsAResourceText) {
    QSet<QString> resources;
    for (const char* text : rs::kAllTexts)
        resources.insert(QString::fromUtf8(text));
    const QStringList captions = Tfrm_main::reportDetailsCaptions();
    ASSERT_GT(captions.size(), 20);
    for (const QString& caption : captions)
        EXPECT_TRUE(resources.contains(caption)) << caption.toStdString();
}

} // namespace
} // namespace tarvel
