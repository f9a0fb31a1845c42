// Speed of the command library at 100,000 commands: opening the database,
// reading and ranking the names, a search keystroke by name, by command text
// and by pinyin with the list update, reading the command texts and making
// the pinyin keys, one details lookup, the time from process start to the
// shown window (at 100,000 commands and with the shipped library) and the
// memory after a few searches. Beside each keystroke, in the same run, a
// reference: a plain in-memory case-insensitive substring scan of QStrings
// plus sorting the matches. Every figure is the median of its rounds.
//
//   bench_library [--rows N] [--runs N]
#include "CommandDatabase.h"
#include "CommandSource.h"
#include "desktop/Desktop.h"
#include "desktop/StyleSheetSkin.h"
#include "library/CommandIndex.h"
#include "library/LibraryLoad.h"
#include "library/LibraryTexts.h"
#include "ui/Form1.h"
#include "ui/library/NameListModel.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListView>
#include <QProcess>
#include <QRadioButton>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDefaultRows = 100000;
constexpr int kDefaultRuns = 15;
constexpr int kLeastRuns = 5;
constexpr int kStartupRuns = 11;
// Every kRareEvery-th command holds the rare terms, every kCommonEvery-th the common ones.
constexpr int kRareEvery = 100;
constexpr int kCommonEvery = 2;
const QString kRareTerm = u"网站"_s;
const QString kCommonTerm = u"服务"_s;
const QString kRareCode = u"nginx"_s;
const QString kCommonCode = u"--now"_s;
// The rare name's whole pinyin and its initials.
const QString kRarePinyin = u"wangzhan"_s;
const QString kRareInitials = u"wz"_s;
// How long the memory child waits for the window to answer a search.
constexpr int kAnswerWaitMs = 10000;
constexpr char kStartupChild[] = "--startup-child";
constexpr char kMemoryChild[] = "--memory-child";

QList<CommandSource::Command> generate(int rows)
{
    static const QString syllables[] = {u"安装"_s, u"查看"_s, u"重启"_s, u"配置"_s, u"删除"_s, u"备份"_s,
                                        u"Apache"_s, u"mysql"_s, u"日志"_s, u"防火墙"_s, u"用户"_s, u"磁盘"_s,
                                        u"进程"_s, u"压缩"_s, u"SSH"_s, u"php"_s};
    QList<CommandSource::Command> commands;
    commands.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        QString name = syllables[i % 16] + syllables[(i / 16) % 16] + QString::number(i);
        QString code = u"sudo apt-get install package-%1%systemctl restart unit-%1"_s.arg(i);
        if (i % kRareEvery == 0) {
            name += kRareTerm;
            code += u"%"_s + kRareCode + u" -t"_s;
        }
        if (i % kCommonEvery == 0) {
            name += kCommonTerm;
            code += u" "_s + kCommonCode;
        }
        commands.append({name, code});
    }
    return commands;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

void print(const std::string &name, double value, const char *unit)
{
    std::printf("%s: %.3f %s\n", name.c_str(), value, unit);
    std::fflush(stdout);
}

// Answers every box at once and never ends anything: the benchmark's desktop.
class QuietDesktop final : public Desktop
{
public:
    Answer messageBox(const QString &, Style, const QString &) override { return Answer::Ok; }
    void clearClipboard() override {}
    void setClipboardText(const QString &) override {}
    void openUrl(const QUrl &) override {}

protected:
    void quit(int) override {}
};

// The resident memory of this process, in MB.
double residentMb()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    }
    return 0;
}

// The steady clock, in nanoseconds; the same clock in every process.
qint64 steadyNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// A child process: start-up, as the program's entry runs it with the
// shipped skin, until the window is shown and painted. The start-up child
// then prints the milliseconds since spawnedNs, when its parent started it;
// the memory child types a few searches into the window, as a user would,
// and prints its resident memory.
int child(const QString &mode, const QString &appDir, qint64 spawnedNs)
{
    LibraryLoad library(appDir);
    QuietDesktop desktop;
    StyleSheetSkin skin;
    const UpdateSettings refused{QUrl(u"http://127.0.0.1:9/version/main.txt"_s), QUrl(), 1000};
    Form1 window({appDir, desktop, skin, refused, &library});
    window.Form_Load();
    QApplication::processEvents();
    if (!window.isVisible())
        return EXIT_FAILURE;
    if (mode == QLatin1String(kStartupChild)) {
        std::printf("%.3f\n", double(steadyNs() - spawnedNs) / 1e6);
        return EXIT_SUCCESS;
    }
    auto *search = window.findChild<QLineEdit *>(u"Text1"_s);
    const QAbstractItemModel *list = window.findChild<QListView *>(u"List1"_s)->model();
    const auto answered = [&](const QString &term, int rows) {
        search->setText(term);
        QElapsedTimer waited;
        waited.start();
        while (list->rowCount() != rows && waited.elapsed() < kAnswerWaitMs)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, kAnswerWaitMs);
    };
    const int rows = list->rowCount();
    answered(kRareTerm, rows / kRareEvery);
    answered(kCommonTerm, rows / kCommonEvery);
    answered(kRareInitials, rows / kRareEvery);
    window.findChild<QRadioButton *>(u"Option1(0)"_s)->setChecked(true);
    answered(kRareCode, rows / kRareEvery);
    answered(kCommonCode, rows / kCommonEvery);
    std::printf("%.1f\n", residentMb());
    return EXIT_SUCCESS;
}

// The median time from starting the process to its shown window; the
// child's end is not counted.
double startupMs(const QString &appDir)
{
    std::vector<double> times;
    for (int i = 0; i < kStartupRuns; ++i) {
        QProcess started;
        started.start(QApplication::applicationFilePath(),
                      {QLatin1String(kStartupChild), appDir, QString::number(steadyNs())});
        if (!started.waitForFinished(-1) || started.exitCode() != 0)
            return -1;
        times.push_back(started.readAllStandardOutput().trimmed().toDouble());
    }
    return median(times);
}

// A command database with the shipped skin beside it, as start-up finds them.
bool writeLibrary(const QString &appDir, const QList<CommandSource::Command> &commands)
{
    const QString path = QDir(appDir).filePath(QString::fromUtf8(LibraryTexts::kDatabaseFile));
    if (const Result<void> written = CommandDatabase::write(path, QByteArray(LibraryTexts::kDatabasePassword), commands);
        !written) {
        std::fprintf(stderr, "bench_library: %s\n", qPrintable(written.error()));
        return false;
    }
    return QFile::copy(QStringLiteral(TOVANU_SKIN_FILE), QDir(appDir).filePath(u"skinh.she"_s));
}

QList<CommandSource::Command> shippedCommands()
{
    QFile file(QStringLiteral(TOVANU_COMMANDS_FILE));
    QList<CommandSource::Command> commands;
    if (file.open(QIODevice::ReadOnly))
        CommandSource::parse(QString::fromUtf8(file.readAll()), commands);
    return commands;
}

// The reference: every text as a QString, scanned and the matches sorted.
double referenceMs(int runs, const QStringList &texts, const QString &term)
{
    return medianMs(runs, [&] {
        QStringList matches;
        for (const QString &text : texts) {
            if (text.contains(term, Qt::CaseInsensitive))
                matches.append(text);
        }
        std::sort(matches.begin(), matches.end());
    });
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && (args.at(1) == QLatin1String(kStartupChild) || args.at(1) == QLatin1String(kMemoryChild)))
        return child(args.at(1), args.at(2), args.value(3).toLongLong());
    const int rows = args.contains(u"--rows"_s) ? args.at(args.indexOf(u"--rows"_s) + 1).toInt() : kDefaultRows;
    const int runs = std::max(kLeastRuns, args.contains(u"--runs"_s) ? args.at(args.indexOf(u"--runs"_s) + 1).toInt()
                                                                      : kDefaultRuns);

    QTemporaryDir appDir;
    QTemporaryDir shippedDir;
    const auto commands = generate(rows);
    if (!writeLibrary(appDir.path(), commands) || !writeLibrary(shippedDir.path(), shippedCommands()))
        return EXIT_FAILURE;
    const QString dbPath = QDir(appDir.path()).filePath(QString::fromUtf8(LibraryTexts::kDatabaseFile));
    const QByteArray key(LibraryTexts::kDatabasePassword);
    std::printf("rows: %d, rounds: %d\n", rows, runs);

    print("open_ms", medianMs(runs, [&] {
              CommandIndex library;
              (void)library.open(dbPath, key);
          }), "ms");

    CommandIndex library;
    if (const Result<void> opened = library.open(dbPath, key); !opened) {
        std::fprintf(stderr, "bench_library: %s\n", qPrintable(opened.error()));
        return EXIT_FAILURE;
    }
    NameListModel model(library);
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);
    print("read_rank_fill_ms", medianMs(runs, [&] {
              (void)library.readNames();
              model.setRows(library.listed());
          }), "ms");
    print("codes_and_pinyin_keys_ms", medianMs(runs, [&] {
              (void)library.readNames();
              (void)library.prepare(QDeadlineTimer::Forever);
          }), "ms");

    QStringList names;
    QStringList codes;
    for (const auto &command : commands) {
        names.append(command.name);
        codes.append(command.code);
    }
    struct Case {
        std::string name;
        CommandIndex::Column column;
        QString term;
        const QStringList &reference;
        QString referenceTerm;
    };
    const Case cases[] = {
        {"name_1pct", CommandIndex::Column::Name, kRareTerm, names, kRareTerm},
        {"name_50pct", CommandIndex::Column::Name, kCommonTerm, names, kCommonTerm},
        {"code_1pct", CommandIndex::Column::Code, kRareCode, codes, kRareCode},
        {"code_50pct", CommandIndex::Column::Code, kCommonCode, codes, kCommonCode},
        // Pinyin, beside the by-name reference of the rare term.
        {"pinyin_" + kRareInitials.toStdString(), CommandIndex::Column::Name, kRareInitials, names, kRareTerm},
        {"pinyin_" + kRarePinyin.toStdString(), CommandIndex::Column::Name, kRarePinyin, names, kRareTerm},
    };
    for (const Case &search : cases) {
        std::size_t found = 0;
        // A keystroke as the window runs it: the search, then the list
        // filled with what it found.
        const double keystrokeMs = medianMs(runs, [&] {
            const Result<std::vector<int>> rowsFound = library.search(search.column, search.term);
            found = rowsFound ? rowsFound->size() : 0;
            if (found)
                model.setRows(*rowsFound);
        });
        const double reference = referenceMs(runs, search.reference, search.referenceTerm);
        std::printf("%s_matches: %zu\n", search.name.c_str(), found);
        print(search.name + "_keystroke_ms", keystrokeMs, "ms");
        print(search.name + "_reference_ms", reference, "ms");
        print(search.name + "_ratio", keystrokeMs / reference, "x");
    }

    print("details_ms", medianMs(runs, [&] { (void)library.codeOf(rows / 2); }), "ms");

    const double startup = startupMs(appDir.path());
    const double shippedStartup = startupMs(shippedDir.path());
    if (startup < 0 || shippedStartup < 0) {
        std::fprintf(stderr, "bench_library: start-up run failed\n");
        return EXIT_FAILURE;
    }
    print("startup_to_shown_ms", startup, "ms");
    print("startup_to_shown_shipped_ms", shippedStartup, "ms");
    QProcess memory;
    memory.start(QApplication::applicationFilePath(), {QLatin1String(kMemoryChild), appDir.path()});
    memory.waitForFinished(-1);
    print("memory_after_searches_mb", memory.readAllStandardOutput().trimmed().toDouble(), "MB");
    return EXIT_SUCCESS;
}
