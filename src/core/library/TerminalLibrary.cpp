#include "TerminalLibrary.h"

#include "LibraryLoad.h"
#include "LibraryTexts.h"
#include "SearchTerm.h"

namespace TerminalLibrary {

namespace {

// The library with its names read; a failure says why, as the window's
// boxes would.
Result<CommandIndex> loaded(const QString &appDir)
{
    LibraryLoad::Loaded load = LibraryLoad(appDir).take();
    if (!load.opened)
        return Failure{load.opened.error() + QLatin1Char('\n') + QString::fromUtf8(LibraryTexts::kOpenFailed)
                       + QString::fromUtf8(LibraryTexts::kAdminQq)};
    if (!load.named)
        return Failure{load.named.error()};
    return std::move(load.library);
}

} // namespace

Result<QStringList> namesFound(const QString &appDir, const QString &searchText)
{
    Result<CommandIndex> library = loaded(appDir);
    if (!library)
        return Failure{library.error()};
    CommandIndex index = std::move(library).value();
    const Result<std::vector<int>> found =
        searchText.isEmpty() ? Result<std::vector<int>>(index.listed())
                             : index.search(CommandIndex::Column::Name, Search::termOf(searchText));
    if (!found)
        return Failure{found.error()};
    QStringList names;
    for (const int row : *found)
        names.append(index.nameOf(row));
    return names;
}

Result<std::optional<QString>> commandOf(const QString &appDir, const QString &name)
{
    Result<CommandIndex> library = loaded(appDir);
    if (!library)
        return Failure{library.error()};
    CommandIndex index = std::move(library).value();
    for (const int row : index.listed()) {
        if (index.nameOf(row) != name)
            continue;
        const Result<std::optional<QString>> code = index.codeOf(row);
        if (!code || !*code)
            return code;
        return std::optional<QString>(Search::shownCommand(**code));
    }
    return std::optional<QString>();
}

} // namespace TerminalLibrary
