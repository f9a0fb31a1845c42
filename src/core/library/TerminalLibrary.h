#pragma once

#include "Result.h"

#include <QString>
#include <QStringList>

#include <optional>

// The command library asked from the terminal (tovanu --search, --show),
// through the same core as the window: the library in the program's folder,
// searched by name as the window searches it.
namespace TerminalLibrary {

// The names the search text finds, as the window lists them with
// "使用名称进行搜索": by name, pinyin and search words; every name for an
// empty text.
Result<QStringList> namesFound(const QString &appDir, const QString &searchText);

// The command of the entry with exactly this name, one "\n" for each of its
// line breaks; nullopt when there is no such entry.
Result<std::optional<QString>> commandOf(const QString &appDir, const QString &name);

} // namespace TerminalLibrary
