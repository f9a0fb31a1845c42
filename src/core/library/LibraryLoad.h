#pragma once

#include "CommandIndex.h"
#include "Result.h"

#include <QString>

#include <future>

// Opening the command library in the program's folder, on a thread of its
// own from construction: deriving the database's key from its password takes
// most of start-up with the shipped library, and reading and ranking every
// name takes longer still with a large one. Started early, it goes on while
// Qt starts and the window is built; start-up takes the library where it
// opens the database, and waits there only for what is left.
class LibraryLoad
{
public:
    struct Loaded {
        CommandIndex library;
        Result<void> opened; // when it failed, nothing more was tried
        Result<void> named;  // the names read and ranked
    };

    explicit LibraryLoad(const QString &appDir);

    // Waits until the library is opened and its names are read; once only.
    Loaded take() { return m_loaded.get(); }

private:
    std::future<Loaded> m_loaded; // waited for on destruction when not taken
};
