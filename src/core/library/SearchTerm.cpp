#include "SearchTerm.h"

#include "LibraryTexts.h"
#include "LineEnd.h"

#include <algorithm>

namespace Search {

QString termOf(const QString &searchText)
{
    // The database reads text up to a NUL character, so the term ends there.
    const qsizetype end = searchText.indexOf(QChar::Null);
    qsizetype first = 0;
    qsizetype last = end < 0 ? searchText.size() : end;
    while (first < last && searchText.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && searchText.at(last - 1) == QLatin1Char(' '))
        --last;
    return searchText.mid(first, last - first);
}

QString headOf(const QString &text, qsizetype limit)
{
    qsizetype end = std::min(text.size(), limit);
    if (end > 0 && text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end);
}

QString shownCommand(const QString &storedCode)
{
    return QString(storedCode).replace(QLatin1Char(LibraryTexts::kStoredLineBreak), QLatin1String(LineEnd::kGiven));
}

} // namespace Search
