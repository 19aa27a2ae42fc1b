#pragma once

#include <QString>
#include <QStringList>

namespace tarvel {

// Finding names by what a user types: letter case and accents do not count ("sao" finds "São Paulo",
// "lodz" finds "Łódź"), and neither do blanks and punctuation inside a word ("kt10000tl" finds
// "KT10000-TL").

// The form of a text that searches compare: decomposed, without combining marks, case-folded, with
// the few Latin letters that carry their stroke in the letter itself (ł, đ, ø, ı, ...) written plain.
QString foldForSearch(const QString& text);

// What the user typed, taken apart once and then matched against many names. Every blank-separated
// term must occur somewhere in the name, in any order; an empty query matches everything.
class SearchQuery {
public:
    explicit SearchQuery(const QString& typed = QString());

    bool isEmpty() const { return m_terms.isEmpty(); }
    bool matches(const QString& name) const;

private:
    struct Term {
        QString folded;
        QString compact; // letters and digits only
    };
    QList<Term> m_terms;
};

} // namespace tarvel
