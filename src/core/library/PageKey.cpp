#include "PageKey.h"

#include "SqlCipher.h"

#include <QFile>

#include <nettle/pbkdf2.h>

#include <cstdint>

namespace SqlCipher {
namespace {

// SQLCipher 3's layout and key derivation: a 16-byte salt at the start of the
// file, a 32-byte AES key, PBKDF2 with HMAC-SHA1.
constexpr qint64 kSaltBytes = 16;
constexpr std::size_t kKeyBytes = 32;
constexpr char kVersion3[] = "3.";

// The value of a pragma of SQLCipher itself, asked of a database in memory
// that has no key.
QByteArray cipherPragma(const char *sql)
{
    sqlite3 *db = nullptr;
    QByteArray value;
    if (sqlite3_open_v2(":memory:", &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt *statement = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK && sqlite3_step(statement) == SQLITE_ROW)
            value = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
    }
    sqlite3_close(db);
    return value;
}

// The rounds of SQLCipher's default key derivation; 0 when it is not
// version 3's PBKDF2 with HMAC-SHA1.
int defaultRounds()
{
    static const int rounds = cipherPragma("PRAGMA cipher_version").startsWith(kVersion3)
                                  ? cipherPragma("PRAGMA cipher_default_kdf_iter").toInt()
                                  : 0;
    return rounds;
}

// PBKDF2 with HMAC-SHA1 (RFC 8018).
QByteArray pbkdf2Sha1(const QByteArray &password, const QByteArray &salt, int rounds, std::size_t length)
{
    QByteArray derived(qsizetype(length), Qt::Uninitialized);
    pbkdf2_hmac_sha1(std::size_t(password.size()), reinterpret_cast<const std::uint8_t *>(password.constData()), unsigned(rounds),
                     std::size_t(salt.size()), reinterpret_cast<const std::uint8_t *>(salt.constData()), length,
                     reinterpret_cast<std::uint8_t *>(derived.data()));
    return derived;
}

} // namespace

std::optional<QByteArray> pageKeyOf(const QString &path, const QByteArray &password)
{
    const int rounds = defaultRounds();
    if (rounds <= 0)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray salt = file.read(kSaltBytes);
    if (salt.size() != kSaltBytes)
        return std::nullopt;
    return "x'" + pbkdf2Sha1(password, salt, rounds, kKeyBytes).toHex() + "'";
}

} // namespace SqlCipher
