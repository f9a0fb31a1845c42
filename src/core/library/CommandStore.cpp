#include "CommandStore.h"

#include "LibraryTexts.h"
#include "PageKey.h"

#include <QFile>

#include <sys/stat.h>

namespace {

// Statement that proves the file is a readable command database.
constexpr char kCheckStatement[] = "select na, code from u limit 0";
// Rows read between two looks at the clock.
constexpr int kRowsPerClockCheck = 256;

const char *textAt(sqlite3_stmt *statement, int column)
{
    return reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
}

// A pipe, a socket or a device in the database's place: opening it would
// wait for good for a writer or act on the device.
bool isSpecialFile(const QString &path)
{
    struct stat status = {};
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 && !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

} // namespace

Result<void> CommandStore::open(const QString &path, const QByteArray &key)
{
    if (isSpecialFile(path))
        return Failure{QString::fromUtf8(sqlite3_errstr(SQLITE_CANTOPEN))};
    // The page key derived here opens the database sooner; when it cannot
    // be derived or does not open it, SQLCipher derives its own from key.
    if (const std::optional<QByteArray> pageKey = SqlCipher::pageKeyOf(path, key); pageKey && openWith(path, *pageKey))
        return {};
    return openWith(path, key);
}

Result<void> CommandStore::openWith(const QString &path, const QByteArray &key)
{
    // One thread at a time uses the connection (the loader's, then the
    // window's), so SQLite need not lock it around every call.
    if (Result<void> opened = m_db.open(path, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, key); !opened)
        return opened;
    if (!m_db.prepare(kCheckStatement)) {
        Failure failure{m_db.errorText()};
        m_db.close();
        return failure;
    }
    return {};
}

Failure CommandStore::failure() const
{
    return Failure{QString::fromUtf8(LibraryTexts::kQueryFailed) + QLatin1String("\r\n") + m_db.errorText()};
}

Result<CommandStore::Names> CommandStore::readNames(const NameTaker &take)
{
    const SqlCipher::Statement statement = m_db.prepare("select rowid, na from u");
    if (!statement)
        return failure();
    Names rows;
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        // Rows without a name are never listed.
        if (sqlite3_column_type(statement.get(), 1) == SQLITE_NULL)
            continue;
        const std::string_view name(textAt(statement.get(), 1), std::size_t(sqlite3_column_bytes(statement.get(), 1)));
        rows.ids.push_back(sqlite3_column_int64(statement.get(), 0));
        rows.names.append(name);
        take(name);
    }
    if (step != SQLITE_DONE)
        return failure();
    return rows;
}

Result<bool> CommandStore::readCodes(std::optional<std::int64_t> &after, QDeadlineTimer deadline, const CodeTaker &take)
{
    const SqlCipher::Statement statement =
        m_db.prepare(after ? "select rowid, code from u where rowid > ?1 and na is not null order by rowid"
                           : "select rowid, code from u where na is not null order by rowid");
    if (!statement || (after && sqlite3_bind_int64(statement.get(), 1, *after) != SQLITE_OK))
        return failure();
    int step;
    for (int rows = 1; (step = sqlite3_step(statement.get())) == SQLITE_ROW; ++rows) {
        after = sqlite3_column_int64(statement.get(), 0);
        take(*after, textAt(statement.get(), 1));
        if (rows % kRowsPerClockCheck == 0 && deadline.hasExpired())
            return false;
    }
    if (step != SQLITE_DONE)
        return failure();
    return true;
}

Result<void> CommandStore::readWords(const WordTaker &take)
{
    const SqlCipher::Statement table = m_db.prepare("select 1 from sqlite_master where type = 'table' and name = 'w'");
    if (!table)
        return failure();
    const int found = sqlite3_step(table.get());
    if (found == SQLITE_DONE)
        return {};
    if (found != SQLITE_ROW)
        return failure();
    const SqlCipher::Statement statement = m_db.prepare("select na, word from w where na is not null and word is not null");
    if (!statement)
        return failure();
    int step;
    while ((step = sqlite3_step(statement.get())) == SQLITE_ROW) {
        const auto textOf = [&statement](int column) {
            const char *text = textAt(statement.get(), column);
            return std::string_view(text, std::size_t(sqlite3_column_bytes(statement.get(), column)));
        };
        take(textOf(0), textOf(1));
    }
    if (step != SQLITE_DONE)
        return failure();
    return {};
}

Result<std::optional<QString>> CommandStore::codeOf(std::int64_t id)
{
    const SqlCipher::Statement statement = m_db.prepare("select code from u where rowid = ?1");
    if (!statement || sqlite3_bind_int64(statement.get(), 1, id) != SQLITE_OK)
        return failure();
    const int step = sqlite3_step(statement.get());
    if (step == SQLITE_ROW)
        return std::optional<QString>(SqlCipher::columnText(statement.get(), 0));
    if (step == SQLITE_DONE)
        return std::optional<QString>();
    return failure();
}
