#pragma once

#include "Result.h"
#include "SqlCipher.h"
#include "TextTable.h"

#include <QDeadlineTimer>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// The command database: table u, one row per command, with the display name
// in na and the command text in code. It is opened read-only and never
// written. Every statement binds its values; nothing typed by the user ever
// becomes part of SQL text. Texts are read as the bytes stored, whether or
// not they are valid UTF-8.
class CommandStore
{
public:
    // The rows with a name, in the order the database gives them.
    struct Names {
        std::vector<std::int64_t> ids; // each row's rowid
        TextTable names;
    };
    // Takes one name as it is read.
    using NameTaker = std::function<void(std::string_view name)>;
    // Takes one row's id and its command text, nullptr for a null one.
    using CodeTaker = std::function<void(std::int64_t id, const char *code)>;
    // Takes one search word and the name of the entries it belongs to.
    using WordTaker = std::function<void(std::string_view name, std::string_view word)>;

    // Opens and checks the database at path with the given key. A failure
    // holds the database layer's own description; the store stays closed.
    Result<void> open(const QString &path, const QByteArray &key);

    // Hands each name to take as it is read, too.
    Result<Names> readNames(const NameTaker &take);
    // Hands the command texts of the rows with a name (those with an id
    // above after, when it has one) to take, in id order, until the
    // deadline; after is then the last id read. True when every row was read.
    Result<bool> readCodes(std::optional<std::int64_t> &after, QDeadlineTimer deadline, const CodeTaker &take);
    // Hands every search word (table w, beside the design's u) to take; a
    // library without that table has none.
    Result<void> readWords(const WordTaker &take);
    // The command text of the row with this id; nullopt when there is no
    // such row, an empty text when its command is null.
    Result<std::optional<QString>> codeOf(std::int64_t id);

private:
    // Opens and checks the database with key, a password or a raw key.
    Result<void> openWith(const QString &path, const QByteArray &key);
    // The failure of the last call, with the database's description.
    Failure failure() const;

    SqlCipher::Database m_db;
};
