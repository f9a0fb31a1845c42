#include "CommandStore.h"

#include "LibraryTexts.h"
#include "LikeMatch.h"

#include <chrono>

namespace {

using SqlCipher::columnText;

// How long a search may run before it is stopped as too complex.
constexpr std::chrono::milliseconds kSearchTimeLimit{1000};
// Virtual machine steps between two looks at the search's clock.
constexpr int kStepsPerClockCheck = 10000;

using Matcher = Like::Result (*)(const char *, const char *, QDeadlineTimer);

// An SQL function (text, pattern) that answers as LIKE does, through one of
// the matchers of LikeMatch.h, which take time bounded by the lengths; the
// search's deadline is the function's user data. Text and pattern end at a
// NUL character, as LIKE reads them.
template<Matcher matcher>
void matchFunction(sqlite3_context *context, int, sqlite3_value **arguments)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
    const auto *pattern = reinterpret_cast<const char *>(sqlite3_value_text(arguments[1]));
    if (!text || !pattern) {
        sqlite3_result_null(context);
        return;
    }
    const auto &deadline = *static_cast<const QDeadlineTimer *>(sqlite3_user_data(context));
    const Like::Result result = matcher(text, pattern, deadline);
    if (result == Like::Result::TimedOut)
        sqlite3_result_error_code(context, SQLITE_INTERRUPT);
    else
        sqlite3_result_int(context, result == Like::Result::Match);
}

int searchExpired(void *deadline)
{
    return static_cast<const QDeadlineTimer *>(deadline)->hasExpired();
}

// Stops the statements of the database that run past the deadline, while it lives.
class SearchClock
{
public:
    SearchClock(sqlite3 *db, QDeadlineTimer &deadline)
        : m_db(db)
    {
        deadline.setRemainingTime(kSearchTimeLimit);
        sqlite3_progress_handler(m_db, kStepsPerClockCheck, searchExpired, &deadline);
    }
    ~SearchClock() { sqlite3_progress_handler(m_db, 0, nullptr, nullptr); }
    SearchClock(const SearchClock &) = delete;
    SearchClock &operator=(const SearchClock &) = delete;

private:
    sqlite3 *m_db;
};

bool hasWildcard(const QString &term)
{
    return term.contains(QLatin1Char('%')) || term.contains(QLatin1Char('_'));
}

// Statement that proves the file is a readable command database.
constexpr char kCheckStatement[] = "select na, code from u limit 0";
// Decrypted pages kept in memory, in KiB: enough for a library of several
// hundred thousand commands, so that a search keystroke decrypts no page that
// an earlier one already read.
constexpr char kPageCache[] = "pragma cache_size = -131072";
constexpr int kArguments = 2;
constexpr int kFunctionFlags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;

} // namespace

Result<void> CommandStore::open(const QString &path, const QByteArray &key)
{
    if (Result<void> opened = m_db.open(path, SQLITE_OPEN_READONLY, key); !opened)
        return opened;
    sqlite3 *db = m_db.handle();
    if (!m_db.exec(kPageCache)
        || sqlite3_create_function(db, "contains_text", kArguments, kFunctionFlags, &m_searchDeadline,
                                   matchFunction<Like::contains>, nullptr, nullptr) != SQLITE_OK
        || sqlite3_create_function(db, "like_text", kArguments, kFunctionFlags, &m_searchDeadline,
                                   matchFunction<Like::match>, nullptr, nullptr) != SQLITE_OK
        || !m_db.prepare(kCheckStatement)) {
        Failure broken{m_db.errorText()};
        m_db.close();
        return broken;
    }
    return {};
}

Failure CommandStore::failure(int code) const
{
    if (code == SQLITE_INTERRUPT)
        return {QString::fromUtf8(LibraryTexts::kSearchTooComplex)};
    return {QString::fromUtf8(LibraryTexts::kQueryFailed) + QLatin1String("\r\n") + m_db.errorText()};
}

Result<QStringList> CommandStore::collectNames(sqlite3_stmt *statement)
{
    QStringList names;
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        if (sqlite3_column_type(statement, 0) != SQLITE_NULL)
            names.append(columnText(statement, 0));
    }
    if (step != SQLITE_DONE)
        return failure(step);
    return names;
}

Result<QStringList> CommandStore::allNames()
{
    const SqlCipher::Statement statement = m_db.prepare("select na from u");
    if (!statement)
        return failure();
    return collectNames(statement.get());
}

Result<QStringList> CommandStore::namesContaining(Column column, const QString &term)
{
    // A term with "%" or "_" keeps them as wildcards, matched by like_text;
    // any other term is matched by contains_text, which answers the same,
    // faster.
    static const char *const statements[2][2] = {
        {"select na from u where contains_text(na, ?1)", "select na from u where contains_text(code, ?1)"},
        {"select na from u where like_text(na, ?1)", "select na from u where like_text(code, ?1)"},
    };
    const bool wildcards = hasWildcard(term);
    const SqlCipher::Statement statement = m_db.prepare(statements[wildcards][column == Column::Code]);
    if (!statement
        || !SqlCipher::bindText(statement.get(), 1, wildcards ? QLatin1Char('%') + term + QLatin1Char('%') : term))
        return failure();
    const SearchClock clock(m_db.handle(), m_searchDeadline);
    return collectNames(statement.get());
}

Result<std::optional<QString>> CommandStore::codeOf(const QString &name)
{
    // Text names are found through the index on na; the rest of the table is
    // read only for a name that no text name has, one stored as a number or
    // a blob.
    const SqlCipher::Statement statement = m_db.prepare(
        "select code from u where na = ?1 "
        "union all select code from u where typeof(na) <> 'text' and cast(na as text) = ?1 limit 1");
    if (!statement || !SqlCipher::bindText(statement.get(), 1, name))
        return failure();
    const int step = sqlite3_step(statement.get());
    if (step == SQLITE_ROW)
        return std::optional<QString>(columnText(statement.get(), 0));
    if (step == SQLITE_DONE)
        return std::optional<QString>();
    return failure(step);
}
