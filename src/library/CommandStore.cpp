#include "CommandStore.h"

#include "SqlCipher.h"

#include <memory>

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

// Statement that proves the file is a readable command database.
constexpr char kCheckStatement[] = "select na, code from u limit 0";

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
    const char *sql = column == Column::Name ? "select na from u where na like ?1"
                                             : "select na from u where code like ?1";
    sqlite3_stmt *raw = nullptr;
    if (!m_db || sqlite3_prepare_v2(m_db, sql, -1, &raw, nullptr) != SQLITE_OK)
        return fail();
    const Statement statement(raw);
    if (!bindText(raw, 1, QLatin1Char('%') + term + QLatin1Char('%')))
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
