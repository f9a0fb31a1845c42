#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace SqlCipher {

// The key of an existing database's pages, derived from its password as
// SQLCipher 3 derives it by default (PBKDF2 with HMAC-SHA1 over the salt in
// the file's first bytes, its default number of rounds), as the raw key
// "x'…'" that keys the database without SQLCipher deriving anything.
//
// Deriving the key is most of the time opening the database takes. SQLCipher
// leaves it to OpenSSL 3, whose PBKDF2 copies a digest context, with an
// allocation, twice every round; nettle's PBKDF2, used here, keeps the HMAC's
// inner and outer states and is about twice as fast.
//
// nullopt when the linked SQLCipher is not of version 3 or the salt cannot be
// read: the database is then keyed with its password, as it is when the
// derived key does not open it.
std::optional<QByteArray> pageKeyOf(const QString &path, const QByteArray &password);

} // namespace SqlCipher
