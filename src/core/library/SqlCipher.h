#pragma once

// The SQLite C API of SQLCipher, with its key functions declared.
#ifndef SQLITE_HAS_CODEC
#define SQLITE_HAS_CODEC 1
#endif
#include <sqlite3.h>
