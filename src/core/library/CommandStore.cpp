#include "CommandStore.h"

#include "SqlCipher.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

struct StatementDeleter {
    void operator()(sqlite3_stmt *statement) const { sqlite3_finalize(statement); }
};
using Statement = std::unique_ptr<sqlite3_stmt, StatementDeleter>;

// Reading a statement's text column as a QString; null reads as empty.
QString columnText(sqlite3_stmt *statement, int column)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_column_text(statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(statement, column)) : QString();
}

bool bindText(sqlite3_stmt *statement, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    return sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK;
}

// What LIKE '%term%' answers, for a term without wildcards, found by a plain
// byte search: ASCII letters compare without regard to case and every other
// character exactly, as LIKE compares them. A UTF-8 term never matches in the
// middle of a character, since no character starts with a continuation byte.
void containsText(sqlite3_context *context, int, sqlite3_value **arguments)
{
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(arguments[0]));
    const auto *term = reinterpret_cast<const char *>(sqlite3_value_text(arguments[1]));
    if (!text || !term) {
        sqlite3_result_null(context);
        return;
    }
    // Like LIKE, both end at a NUL character.
    const std::string_view haystack(text);
    const std::string_view needle(term);
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    const auto found = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(),
                                   [&](char a, char b) { return fold(a) == fold(b); });
    sqlite3_result_int(context, found != haystack.end() || needle.empty());
}

constexpr char kContainsFunction[] = "contains_text";

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

} // namespace

CommandStore::~CommandStore()
{
    sqlite3_close(m_db);
}

std::optional<QString> CommandStore::open(const QString &path, const QByteArray &key)
{
    sqlite3_close(m_db);
    m_db = nullptr;

    sqlite3 *db = nullptr;
    const int opened = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    QString failure;
    if (opened != SQLITE_OK) {
        failure = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(opened));
    } else if (sqlite3_key(db, key.constData(), int(key.size())) != SQLITE_OK) {
        failure = QString::fromUtf8(sqlite3_errmsg(db));
    } else if (sqlite3_exec(db, kPageCache, nullptr, nullptr, nullptr) != SQLITE_OK
               || sqlite3_create_function(db, kContainsFunction, 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                          containsText, nullptr, nullptr) != SQLITE_OK) {
        failure = QString::fromUtf8(sqlite3_errmsg(db));
    } else {
        sqlite3_stmt *check = nullptr;
        if (sqlite3_prepare_v2(db, kCheckStatement, -1, &check, nullptr) != SQLITE_OK)
            failure = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_finalize(check);
    }
    if (!failure.isEmpty()) {
        sqlite3_close(db);
        return failure;
    }
    m_db = db;
    return std::nullopt;
}

bool CommandStore::fail()
{
    m_error = m_db ? QString::fromUtf8(sqlite3_errmsg(m_db)) : QStringLiteral("database is not open");
    return false;
}

bool CommandStore::collectNames(sqlite3_stmt *statement, QStringList &names)
{
    names.clear();
    int step;
    while ((step = sqlite3_step(statement)) == SQLITE_ROW) {
        if (sqlite3_column_type(statement, 0) != SQLITE_NULL)
            names.append(columnText(statement, 0));
    }
    if (step != SQLITE_DONE) {
        names.clear();
        return fail();
    }
    return true;
}

bool CommandStore::allNames(QStringList &names)
{
    sqlite3_stmt *raw = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, "select na from u", -1, &raw, nullptr) != SQLITE_OK)
        return fail();
    const Statement statement(raw);
    return collectNames(raw, names);
}

bool CommandStore::namesContaining(Column column, const QString &term, QStringList &names)
{
    // A term with "%" or "_" keeps them as LIKE wildcards; any other term is
    // matched by contains_text, which answers the same, faster.
    static const char *const statements[2][2] = {
        {"select na from u where contains_text(na, ?1)", "select na from u where contains_text(code, ?1)"},
        {"select na from u where na like ?1", "select na from u where code like ?1"},
    };
    const bool wildcards = hasWildcard(term);
    const char *sql = statements[wildcards][column == Column::Code];
    sqlite3_stmt *raw = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, sql, -1, &raw, nullptr) != SQLITE_OK)
        return fail();
    const Statement statement(raw);
    if (!bindText(raw, 1, wildcards ? QLatin1Char('%') + term + QLatin1Char('%') : term))
        return fail();
    return collectNames(raw, names);
}

bool CommandStore::codeOf(const QString &name, std::optional<QString> &code)
{
    code.reset();
    sqlite3_stmt *raw = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, "select code from u where na = ?1 limit 1", -1, &raw, nullptr) != SQLITE_OK)
        return fail();
    const Statement statement(raw);
    if (!bindText(raw, 1, name))
        return fail();
    const int step = sqlite3_step(raw);
    if (step == SQLITE_ROW) {
        code = columnText(raw, 0);
        return true;
    }
    return step == SQLITE_DONE || fail();
}
