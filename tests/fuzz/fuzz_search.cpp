// A search term and the rows of a command table, as stored bytes (valid
// UTF-8 or not): the in-memory search of both columns finds exactly the rows
// that SQLite's LIKE '%term%' finds in the same database, in list order.
//
// Input: the term on the first line; then one row a line, its name, a tab
// and its command (a line without a tab has a null command). Without rows
// the term is tried on a few fixed ones.
#include "library/CommandIndex.h"
#include "library/LibraryTexts.h"
#include "library/SearchTerm.h"
#include "library/SqlCipher.h"

#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr char kFixedRows[] = "查看磁盘空间\tdf -h\n重启Apache2\tsystemctl restart apache2\n"
                              "it's 50% done_ok\techo 'quote' \\ back\n两行命令\tcd /var/www%ls -la\n"
                              "ÄÖÜ äöü ß\techo umlaut\n😀 emoji\techo 😀\nI\xc3\xa9\xa9\t\xe4\xb8\xad\xa1\n"
                              "\xe0\x84\x80\xed\xa0\x80\tx\xa9\nnull";

// A database file rewritten for every input and read again by a library
// kept open, so that the key is derived only once.
struct Fixture {
    QTemporaryDir dir;
    QString path = QDir(dir.path()).filePath(QStringLiteral("main.mdb"));
    SqlCipher::Database db;
    CommandIndex library;

    Fixture()
    {
        const QByteArray key(LibraryTexts::kDatabasePassword);
        if (!db.open(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, key)
            || !db.exec("pragma journal_mode = off; pragma synchronous = off; create table u (na, code)")
            || !library.open(path, key))
            std::abort();
    }

    void write(const std::string &rows)
    {
        db.exec("delete from u");
        const SqlCipher::Statement insert = db.prepare("insert into u values (?1, ?2)");
        std::size_t start = 0;
        while (start <= rows.size()) {
            const std::size_t end = std::min(rows.find('\n', start), rows.size());
            const std::string line = rows.substr(start, end - start);
            const std::size_t tab = line.find('\t');
            sqlite3_reset(insert.get());
            sqlite3_bind_text(insert.get(), 1, line.data(), int(std::min(tab, line.size())), SQLITE_TRANSIENT);
            if (tab == std::string::npos)
                sqlite3_bind_null(insert.get(), 2);
            else
                sqlite3_bind_text(insert.get(), 2, line.data() + tab + 1, int(line.size() - tab - 1), SQLITE_TRANSIENT);
            sqlite3_step(insert.get());
            start = end + 1;
        }
    }

    QStringList likeNames(const char *column, const QString &term) const
    {
        const QByteArray sql = QByteArray("select na from u where ") + column + " like ?1";
        const SqlCipher::Statement statement = db.prepare(sql.constData());
        SqlCipher::bindText(statement.get(), 1, QLatin1Char('%') + term + QLatin1Char('%'));
        QStringList names;
        while (sqlite3_step(statement.get()) == SQLITE_ROW)
            names.append(SqlCipher::columnText(statement.get(), 0));
        return names;
    }
};

// The names of the rows found, each listed after the one before it.
QStringList namesInListOrder(const CommandIndex &library, const std::vector<int> &rows)
{
    const std::vector<int> &listed = library.listed();
    QStringList names;
    auto at = listed.begin();
    for (const int row : rows) {
        at = std::find(at, listed.end(), row);
        if (at == listed.end())
            std::abort();
        names.append(library.nameOf(row));
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture fixture;
    const std::string input(reinterpret_cast<const char *>(data), size);
    const std::size_t lineBreak = input.find('\n');
    const QString term = Search::termOf(QString::fromUtf8(input.substr(0, lineBreak)));
    fixture.write(lineBreak == std::string::npos ? std::string(kFixedRows) : input.substr(lineBreak + 1));
    CommandIndex &library = fixture.library;
    if (!library.readNames())
        std::abort();
    // SQLite's own LIKE lets U+0080 in a pattern match inside other
    // characters (it finds "\u0080" in "😀"); the search does not, so such
    // terms have no oracle here.
    if (term.contains(QChar(0x80)))
        return 0;
    for (const auto column : {CommandIndex::Column::Name, CommandIndex::Column::Code}) {
        const Result<std::vector<int>> found = library.search(column, term);
        if (!found)
            std::abort();
        QStringList expected = fixture.likeNames(column == CommandIndex::Column::Name ? "na" : "code", term);
        // A term that no name contains is looked for beyond the design: in
        // pinyin, the search words and the names holding it in order.
        if (column == CommandIndex::Column::Name && expected.isEmpty())
            continue;
        QStringList names = namesInListOrder(library, *found);
        names.sort();
        expected.sort();
        if (names != expected)
            std::abort();
    }
    return 0;
}
