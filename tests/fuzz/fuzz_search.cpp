// A search term, as typed, run against a small real command database: the
// query never fails, and what it finds is what SQLite's LIKE finds.
#include "CommandDatabase.h"
#include "library/CommandStore.h"
#include "library/LibraryTexts.h"
#include "library/SearchTerm.h"
#include "library/SqlCipher.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdlib>

using namespace Qt::StringLiterals;

namespace {

struct Fixture {
    QTemporaryDir dir;
    CommandStore store;
    SqlCipher::Database plain; // the same file read with LIKE only

    Fixture()
    {
        const QString path = QDir(dir.path()).filePath(QStringLiteral("main.mdb"));
        const QByteArray key(LibraryTexts::kDatabasePassword);
        const QList<CommandSource::Command> commands = {
            {u"查看磁盘空间"_s, u"df -h"_s},
            {u"重启Apache2"_s, u"systemctl restart apache2"_s},
            {u"Apache错误日志"_s, u"tail -f /var/log/apache2/error.log"_s},
            {u"it's 50% done_ok"_s, u"echo 'quote' \"double\" \\ back"_s},
            {u"两行命令"_s, u"cd /var/www%ls -la"_s},
            {u"ÄÖÜ äöü ß"_s, u"echo umlaut"_s},
            {u"😀 emoji"_s, u"echo 😀"_s},
        };
        if (!CommandDatabase::write(path, key, commands) || !store.open(path, key))
            std::abort();
        if (!plain.open(path, SQLITE_OPEN_READONLY, key))
            std::abort();
    }

    QStringList likeNames(const char *column, const QString &term)
    {
        const QByteArray sql = QByteArray("select na from u where ") + column + " like ?1";
        const SqlCipher::Statement statement = plain.prepare(sql.constData());
        SqlCipher::bindText(statement.get(), 1, QLatin1Char('%') + term + QLatin1Char('%'));
        QStringList names;
        while (sqlite3_step(statement.get()) == SQLITE_ROW)
            names.append(SqlCipher::columnText(statement.get(), 0));
        return names;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static Fixture fixture;
    const QString term = Search::termOf(QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)));
    // SQLite's own LIKE lets U+0080 in a pattern match inside other
    // characters (it finds "\u0080" in "😀"); the store's search does not, so
    // such terms have no oracle here.
    const bool likeIsOracle = !term.contains(QChar(0x80));
    for (const auto column : {CommandStore::Column::Name, CommandStore::Column::Code}) {
        const Result<QStringList> names = fixture.store.namesContaining(column, term);
        if (!names)
            std::abort();
        if (likeIsOracle && *names != fixture.likeNames(column == CommandStore::Column::Name ? "na" : "code", term))
            std::abort();
    }
    return 0;
}
