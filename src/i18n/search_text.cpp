#include "i18n/search_text.h"

namespace tarvel {
namespace {

// Letters whose accent or stroke has no decomposition, and letters that fold to two.
QString plainLetter(QChar c) {
    switch (c.unicode()) {
    case 0x0131: // dotless i
        return QStringLiteral("i");
    case 0x0142: // l with stroke
        return QStringLiteral("l");
    case 0x0111: // d with stroke
    case 0x00F0: // eth
        return QStringLiteral("d");
    case 0x00F8: // o with stroke
        return QStringLiteral("o");
    case 0x0127: // h with stroke
        return QStringLiteral("h");
    case 0x0167: // t with stroke
        return QStringLiteral("t");
    case 0x00E6: // ae
        return QStringLiteral("ae");
    case 0x0153: // oe
        return QStringLiteral("oe");
    case 0x00DF: // sharp s
        return QStringLiteral("ss");
    case 0x00FE: // thorn
        return QStringLiteral("th");
    default:
        return QString(c);
    }
}

QString compactForm(const QString& folded) {
    QString compact;
    compact.reserve(folded.size());
    for (const QChar c : folded)
        if (c.isLetterOrNumber())
            compact.append(c);
    return compact;
}

} // namespace

QString foldForSearch(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_D).toCaseFolded();
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        if (category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
            category == QChar::Mark_Enclosing)
            continue;
        folded.append(plainLetter(c));
    }
    return folded;
}

SearchQuery::SearchQuery(const QString& typed) {
    for (const QString& word : foldForSearch(typed).simplified().split(u' ', Qt::SkipEmptyParts))
        m_terms.append({word, compactForm(word)});
}

bool SearchQuery::matches(const QString& name) const {
    if (m_terms.isEmpty())
        return true;
    const QString folded = foldForSearch(name);
    QString compact;
    for (const Term& term : m_terms) {
        if (folded.contains(term.folded))
            continue;
        if (term.compact.isEmpty())
            return false;
        if (compact.isEmpty())
            compact = compactForm(folded);
        if (!compact.contains(term.compact))
            return false;
    }
    return true;
}

} // namespace tarvel
