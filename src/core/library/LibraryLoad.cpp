#include "LibraryLoad.h"

#include "LibraryTexts.h"

#include <QDir>

namespace {

LibraryLoad::Loaded load(const QString &path)
{
    LibraryLoad::Loaded loaded;
    loaded.opened = loaded.library.open(path, QByteArray(LibraryTexts::kDatabasePassword));
    if (loaded.opened)
        loaded.named = loaded.library.readNames();
    return loaded;
}

} // namespace

LibraryLoad::LibraryLoad(const QString &appDir)
    : m_loaded(std::async(std::launch::async, load, QDir(appDir).filePath(QString::fromUtf8(LibraryTexts::kDatabaseFile))))
{
}
