#include "dictionary_builder/dictionary_source.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

// The user guides quote the interface as the window shows it. Quotation marks in a guide are kept
// for interface texts (captions, menu commands, messages); every quoted text must be one the window
// shows in the guide's language, so the guides cannot drift from the program. The marks are
//   guide_en.md: “…” and "…"
//   guide_cn.md: 「…」 and “…”
// A quotation ends in the paragraph it starts in; a line break inside it reads as a space. HTML
// comments (the note at the top of each guide, one line each) are not read. The texts the window shows are
// the dictionary's column of that language: every caption and every resource text is a row of it (the
// dictionary coverage test sees to that).

namespace tarvel::tools {
namespace {

struct Marks {
    QChar open;
    QChar close;
};

struct Quotation {
    QString text;
    int line;
};

QString readSource(const char* relative) {
    QFile file(QStringLiteral(TARVEL_SOURCE_DIR "/") + QString::fromLatin1(relative));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << relative;
    return QString::fromUtf8(file.readAll());
}

// The quoted texts of a guide; a mark without its partner in the same paragraph is reported.
QList<Quotation> quotations(QString markdown, const QList<Marks>& marks) {
    static const QRegularExpression comment(QStringLiteral("<!--.*?-->"),
                                            QRegularExpression::DotMatchesEverythingOption);
    // Comments are blanked, their line breaks kept, so the line numbers stay right. The renderer drops
    // a comment only when it stands on one line.
    for (QRegularExpressionMatchIterator it = comment.globalMatch(markdown); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        EXPECT_FALSE(match.captured().contains(u'\n')) << "a comment over several lines would be printed";
        QString blank = match.captured();
        for (QChar& c : blank)
            if (c != u'\n')
                c = u' ';
        markdown.replace(match.capturedStart(), match.capturedLength(), blank);
    }
    QList<Quotation> found;
    const auto lineOf = [&](qsizetype at) { return int(markdown.left(at).count(u'\n')) + 1; };
    // Paragraphs end at an empty line; a quotation may run over the line breaks inside one.
    static const QRegularExpression paragraphEnd(QStringLiteral("\n[ \t]*\n"));
    qsizetype paragraphStart = 0;
    while (paragraphStart < markdown.size()) {
        const QRegularExpressionMatch next = paragraphEnd.match(markdown, paragraphStart);
        const qsizetype paragraphStop = next.hasMatch() ? next.capturedStart() : markdown.size();
        for (const Marks& m : marks) {
            qsizetype from = paragraphStart;
            while (true) {
                const qsizetype open = markdown.indexOf(m.open, from);
                if (open < 0 || open >= paragraphStop)
                    break;
                const qsizetype close = markdown.indexOf(m.close, open + 1);
                if (close < 0 || close >= paragraphStop) {
                    ADD_FAILURE() << "line " << lineOf(open) << ": " << QString(m.open).toStdString()
                                  << " without its closing mark";
                    break;
                }
                found.append({markdown.mid(open + 1, close - open - 1).simplified(), lineOf(open)});
                from = close + 1;
            }
            const QString paragraph = markdown.mid(paragraphStart, paragraphStop - paragraphStart);
            if (m.open != m.close && paragraph.count(m.close) > paragraph.count(m.open))
                ADD_FAILURE() << "line " << lineOf(paragraphStart) << ": " << QString(m.close).toStdString()
                              << " without its opening mark";
        }
        paragraphStart = next.hasMatch() ? next.capturedEnd() : markdown.size();
    }
    return found;
}

QSet<QString> shownTexts(bool chinese) {
    QSet<QString> texts;
    for (const DictionaryRow& row : readDictionarySource(readSource("data/i18n/chinatoEN.tsv").toUtf8()))
        texts.insert((chinese ? row.chinese : row.english).trimmed());
    return texts;
}

void expectQuotedTextsShown(const char* guide, const QList<Marks>& marks, bool chinese) {
    const QList<Quotation> quoted = quotations(readSource(guide), marks);
    const QSet<QString> shown = shownTexts(chinese);
    // A guide that stopped quoting (or changed its marks) would pass trivially.
    EXPECT_GE(quoted.size(), 40) << guide;
    for (const Quotation& q : quoted)
        EXPECT_TRUE(shown.contains(q.text.trimmed()))
            << guide << " line " << q.line << " quotes \"" << q.text.toStdString()
            << "\", which the window does not show in that language";
}

TEST(UserGuides, TheEnglishGuideQuotesOnlyTextsTheEnglishWindowShows) {
    expectQuotedTextsShown("data/userguide/guide_en.md", {{u'“', u'”'}, {u'"', u'"'}}, false);
}

TEST(UserGuides, TheChineseGuideQuotesOnlyTextsTheChineseWindowShows) {
    expectQuotedTextsShown("data/userguide/guide_cn.md", {{u'「', u'」'}, {u'“', u'”'}}, true);
}

// The two guides tell the same things: one section each for the same pages, menus and dialogs.
TEST(UserGuides, BothGuidesHaveTheSameSections) {
    static const QRegularExpression heading(QStringLiteral("^#{1,3} "), QRegularExpression::MultilineOption);
    const qsizetype english = readSource("data/userguide/guide_en.md").count(heading);
    EXPECT_GE(english, 10);
    EXPECT_EQ(readSource("data/userguide/guide_cn.md").count(heading), english);
}

} // namespace
} // namespace tarvel::tools
