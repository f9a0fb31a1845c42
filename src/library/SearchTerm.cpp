#include "SearchTerm.h"

#include "LibraryTexts.h"

namespace Search {

QString termOf(const QString &searchText)
{
    qsizetype first = 0;
    qsizetype last = searchText.size();
    while (first < last && searchText.at(first) == QLatin1Char(' '))
        ++first;
    while (last > first && searchText.at(last - 1) == QLatin1Char(' '))
        --last;
    return searchText.mid(first, last - first);
}

QString shownCommand(const QString &storedCode)
{
    return QString(storedCode).replace(QLatin1Char(LibraryTexts::kStoredLineBreak), QLatin1String("\r\n"));
}

} // namespace Search
