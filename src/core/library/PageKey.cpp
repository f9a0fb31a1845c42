#include "PageKey.h"

#include "SqlCipher.h"

#include <QFile>

// SHA1_Init and its kin are deprecated in OpenSSL 3 in favour of EVP, whose
// contexts cannot be copied without an allocation: the very cost this file
// avoids.
#define OPENSSL_SUPPRESS_DEPRECATED
#include <openssl/sha.h>

#include <array>
#include <cstring>

namespace SqlCipher {
namespace {

// SQLCipher 3's layout and key derivation: a 16-byte salt at the start of the
// file, a 32-byte AES key, PBKDF2 with HMAC-SHA1.
constexpr qint64 kSaltBytes = 16;
constexpr std::size_t kKeyBytes = 32;
constexpr char kVersion3[] = "3.";
constexpr std::size_t kHmacBlock = 64;
constexpr unsigned char kInnerPad = 0x36;
constexpr unsigned char kOuterPad = 0x5c;

using Digest = std::array<unsigned char, SHA_DIGEST_LENGTH>;

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

// PBKDF2 with HMAC-SHA1 (RFC 8018), for keys of whole and partial digests.
QByteArray pbkdf2Sha1(const QByteArray &password, const QByteArray &salt, int rounds, std::size_t length)
{
    std::array<unsigned char, kHmacBlock> key{};
    if (std::size_t(password.size()) > kHmacBlock)
        SHA1(reinterpret_cast<const unsigned char *>(password.constData()), std::size_t(password.size()), key.data());
    else
        std::memcpy(key.data(), password.constData(), std::size_t(password.size()));
    std::array<unsigned char, kHmacBlock> inner;
    std::array<unsigned char, kHmacBlock> outer;
    for (std::size_t i = 0; i < kHmacBlock; ++i) {
        inner[i] = key[i] ^ kInnerPad;
        outer[i] = key[i] ^ kOuterPad;
    }
    SHA_CTX innerStart;
    SHA_CTX outerStart;
    SHA1_Init(&innerStart);
    SHA1_Update(&innerStart, inner.data(), inner.size());
    SHA1_Init(&outerStart);
    SHA1_Update(&outerStart, outer.data(), outer.size());
    // HMAC of what the inner state was given, as digest.
    const auto finish = [&](SHA_CTX context, Digest &digest) {
        SHA1_Final(digest.data(), &context);
        context = outerStart;
        SHA1_Update(&context, digest.data(), digest.size());
        SHA1_Final(digest.data(), &context);
    };

    QByteArray derived;
    for (quint32 block = 1; std::size_t(derived.size()) < length; ++block) {
        const unsigned char blockNumber[] = {static_cast<unsigned char>(block >> 24), static_cast<unsigned char>(block >> 16),
                                             static_cast<unsigned char>(block >> 8), static_cast<unsigned char>(block)};
        SHA_CTX context = innerStart;
        SHA1_Update(&context, salt.constData(), std::size_t(salt.size()));
        SHA1_Update(&context, blockNumber, sizeof blockNumber);
        Digest round;
        finish(context, round);
        Digest sum = round;
        for (int i = 1; i < rounds; ++i) {
            context = innerStart;
            SHA1_Update(&context, round.data(), round.size());
            finish(context, round);
            for (std::size_t b = 0; b < sum.size(); ++b)
                sum[b] ^= round[b];
        }
        derived.append(reinterpret_cast<const char *>(sum.data()), qsizetype(sum.size()));
    }
    derived.truncate(qsizetype(length));
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
