#include "SearchTerm.h"

#include "LibraryTexts.h"

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

QString shownCommand(const QString &storedCode)
{
    return commandWithLineBreaks(storedCode, QStringLiteral("\r\n"));
}

QString commandWithLineBreaks(const QString &storedCode, const QString &lineBreak)
{
    return QString(storedCode).replace(QLatin1Char(LibraryTexts::kStoredLineBreak), lineBreak);
}

} // namespace Search
