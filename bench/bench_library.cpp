// Speed of the command library at 100,000 commands: opening the database,
// reading and ranking the names, a search keystroke by name, by command text
// and by pinyin with the list update, reading the command texts and making
// the pinyin keys, one details lookup, the time from process start to the
// shown window (at 100,000 commands and with the shipped library) and the
// memory after a few searches. Beside each keystroke, in the same run, a
// reference: a plain in-memory case-insensitive substring scan of QStrings
// plus sorting the matches. Every figure is the median of its rounds.
//
// What a user waits for, in the program's own window, shown and painted
// (offscreen): a keystroke until the list is laid out and painted again, the
// first character of a term, and the longest the window is held by a search
// typed while the library is still being prepared. Start-up is set beside a
// minimal Qt Widgets window of the same size with one list of the shipped
// names, timed the same way in the same rounds.
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
#include "ui/ProgramLook.h"
#include "ui/library/NameListModel.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QListWidget>
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
#include <ctime>
#include <functional>
#include <memory>
#include <optional>
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
constexpr char kFloorChild[] = "--floor-child";
// The minimal window: the program window's size.
constexpr QSize kFloorWindow{617, 542};
// Rounds of typing into a window whose library is still being prepared.
constexpr int kPreparationRuns = 5;
// The first letter of the rare name's pinyin, and its first character.
const QString kFirstLetter = kRarePinyin.left(1);
const QString kFirstCharacter = kRareTerm.left(1);

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

// The CPU time of the calling thread, in nanoseconds: what the window's
// thread spends, whatever else the machine runs.
qint64 threadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

// The application, timing the events it hands out while asked to: the
// longest one, in CPU time of the window's thread, is the longest the window
// was held.
class TimingApplication final : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (!m_timing || m_depth > 0)
            return QApplication::notify(receiver, event);
        ++m_depth;
        const qint64 start = threadCpuNs();
        const bool handled = QApplication::notify(receiver, event);
        m_longestNs = std::max(m_longestNs, threadCpuNs() - start);
        --m_depth;
        return handled;
    }
    void startTiming()
    {
        m_timing = true;
        m_longestNs = 0;
    }
    // The longest event since startTiming, in milliseconds.
    double stopTiming()
    {
        m_timing = false;
        return double(m_longestNs) / 1e6;
    }

private:
    bool m_timing = false;
    int m_depth = 0;
    qint64 m_longestNs = 0;
};

// Answers every box at once and never ends anything: the benchmark's desktop.
class QuietDesktop final : public Desktop
{
public:
    Answer messageBox(const QString &, Style, const QString &) override
    {
        ++boxes;
        return Answer::Ok;
    }
    void clearClipboard() override {}
    void setClipboardText(const QString &) override {}
    void openUrl(const QUrl &) override {}

    int boxes = 0;

protected:
    void quit(int) override {}
};

// The program's window on a library, started as the program starts it.
struct Window {
    explicit Window(const QString &appDir, std::unique_ptr<LibraryLoad> load = nullptr)
        : library(load ? std::move(load) : std::make_unique<LibraryLoad>(appDir))
        , form({appDir, desktop, skin, UpdateSettings{QUrl(u"http://127.0.0.1:9/version/main.txt"_s), QUrl(), 1000},
                library.get()})
        , search(form.findChild<QLineEdit *>(u"Text1"_s))
        , list(form.findChild<QListView *>(u"List1"_s))
    {
    }
    bool started() { return form.Form_Load() && form.isVisible(); }
    int listed() const { return list->model()->rowCount(); }
    void byCommandText(bool on) { form.findChild<QRadioButton *>(on ? u"Option1(0)"_s : u"Option1(1)"_s)->setChecked(true); }
    // Types term and lets the window run until the list holds rows, or a
    // box has answered.
    bool answered(const QString &term, int rows)
    {
        search->setText(term);
        QElapsedTimer waited;
        waited.start();
        while (listed() != rows && !desktop.boxes && waited.elapsed() < kAnswerWaitMs)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, kAnswerWaitMs);
        return listed() == rows;
    }
    // The list laid out and painted as it now stands.
    void painted()
    {
        list->doItemsLayout();
        list->viewport()->repaint();
    }

    std::unique_ptr<LibraryLoad> library;
    QuietDesktop desktop;
    StyleSheetSkin skin;
    Form1 form;
    QLineEdit *search;
    QListView *list;
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
// shipped skin (the library's load started, the program's look installed,
// the window built and loaded), until the window is shown and painted. The
// start-up child then prints the milliseconds since spawnedNs, when its
// parent started it; the memory child types a few searches into the window,
// as a user would, and prints its resident memory.
int child(const QString &mode, const QString &appDir, qint64 spawnedNs)
{
    auto load = std::make_unique<LibraryLoad>(appDir);
    ProgramLook::install();
    Window window(appDir, std::move(load));
    if (!window.started())
        return EXIT_FAILURE;
    QApplication::processEvents();
    if (mode == QLatin1String(kStartupChild)) {
        std::printf("%.3f\n", double(steadyNs() - spawnedNs) / 1e6);
        return EXIT_SUCCESS;
    }
    const int rows = window.listed();
    window.answered(kRareTerm, rows / kRareEvery);
    window.answered(kCommonTerm, rows / kCommonEvery);
    window.answered(kRareInitials, rows / kRareEvery);
    window.byCommandText(true);
    window.answered(kRareCode, rows / kRareEvery);
    window.answered(kCommonCode, rows / kCommonEvery);
    std::printf("%.1f\n", residentMb());
    return EXIT_SUCCESS;
}

QList<CommandSource::Command> shippedCommands()
{
    QFile file(QStringLiteral(TOVANU_COMMANDS_FILE));
    QList<CommandSource::Command> commands;
    if (file.open(QIODevice::ReadOnly))
        CommandSource::parse(QString::fromUtf8(file.readAll()), commands);
    return commands;
}

// The floor: a minimal Qt Widgets window of the program window's size with
// one list of the shipped library's names, shown and painted, timed as the
// start-up child.
int floorChild(qint64 spawnedNs)
{
    QWidget window;
    window.setFixedSize(kFloorWindow);
    QListWidget list(&window);
    list.resize(kFloorWindow);
    for (const CommandSource::Command &command : shippedCommands())
        list.addItem(command.name);
    window.show();
    QApplication::processEvents();
    if (!window.isVisible())
        return EXIT_FAILURE;
    std::printf("%.3f\n", double(steadyNs() - spawnedNs) / 1e6);
    return EXIT_SUCCESS;
}

// The time from starting a child to its shown window, without the child's end.
double spawnedMs(const QStringList &arguments)
{
    QProcess started;
    started.start(QApplication::applicationFilePath(), arguments + QStringList{QString::number(steadyNs())});
    if (!started.waitForFinished(-1) || started.exitCode() != 0)
        return -1;
    return started.readAllStandardOutput().trimmed().toDouble();
}

// The median start-ups of the floor, the program at 100,000 commands and
// with the shipped library, one of each in every round.
struct Startups {
    double floor;
    double rows;
    double shipped;
};
std::optional<Startups> startupMs(const QString &appDir, const QString &shippedDir)
{
    std::vector<double> floor, rows, shipped;
    for (int i = 0; i < kStartupRuns; ++i) {
        floor.push_back(spawnedMs({QLatin1String(kFloorChild), QString()}));
        rows.push_back(spawnedMs({QLatin1String(kStartupChild), appDir}));
        shipped.push_back(spawnedMs({QLatin1String(kStartupChild), shippedDir}));
        if (floor.back() < 0 || rows.back() < 0 || shipped.back() < 0)
            return std::nullopt;
    }
    return Startups{median(floor), median(rows), median(shipped)};
}

// Keystrokes in the program's window with the list shown: each from an
// empty search box to the list laid out and painted with the answer, in CPU
// time of the window's thread.
void shownKeystrokes(int runs, const QString &appDir, CommandIndex &library)
{
    Window window(appDir);
    if (!window.started())
        return;
    // Everything prepared: a pinyin search and a search of the command
    // texts have answered.
    const auto expected = [&](CommandIndex::Column column, const QString &term) {
        const Result<std::vector<int>> found = library.search(column, term);
        return found ? int(found->size()) : -1;
    };
    window.byCommandText(true);
    window.answered(kRareCode, expected(CommandIndex::Column::Code, kRareCode));
    window.byCommandText(false);
    window.answered(kRareInitials, expected(CommandIndex::Column::Name, kRareInitials));
    const struct {
        std::string name;
        QString term;
    } cases[] = {
        {"shown_name_1pct_keystroke_ms", kRareTerm},
        {"shown_name_50pct_keystroke_ms", kCommonTerm},
        {"name_first_character_ms", kFirstCharacter},
        {"pinyin_first_letter_ms", kFirstLetter},
    };
    for (const auto &keystroke : cases) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            window.search->clear();
            window.painted();
            const qint64 typed = threadCpuNs();
            window.search->setText(keystroke.term);
            window.painted();
            times.push_back(double(threadCpuNs() - typed) / 1e6);
        }
        print(keystroke.name, median(times), "ms");
    }
}

// The longest the window is held, from typing a term the moment the window
// shows, while the library is still being prepared, to its answer: by the
// keystroke itself or by any one event after it, in CPU time of the
// window's thread. Pinyin and command text, each in a window of its own.
void typingDuringPreparation(const QString &appDir, CommandIndex &library)
{
    auto &app = static_cast<TimingApplication &>(*qApp);
    std::vector<double> longest;
    for (int i = 0; i < kPreparationRuns; ++i) {
        for (const bool byCode : {false, true}) {
            const QString term = byCode ? kRareCode : kRareInitials;
            const Result<std::vector<int>> expected =
                library.search(byCode ? CommandIndex::Column::Code : CommandIndex::Column::Name, term);
            Window window(appDir);
            if (!window.started() || !expected)
                return;
            // The window as the user first sees it.
            QApplication::processEvents();
            window.byCommandText(byCode);
            const qint64 typed = threadCpuNs();
            window.search->setText(term);
            const double keystroke = double(threadCpuNs() - typed) / 1e6;
            app.startTiming();
            window.answered(term, int(expected->size()));
            longest.push_back(std::max(keystroke, app.stopTiming()));
        }
    }
    print("typing_during_preparation_ms", median(longest), "ms");
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
    TimingApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args.at(1) == QLatin1String(kFloorChild))
        return floorChild(args.at(3).toLongLong());
    if (args.size() >= 3 && (args.at(1) == QLatin1String(kStartupChild) || args.at(1) == QLatin1String(kMemoryChild)))
        return child(args.at(1), args.at(2), args.value(3).toLongLong());
    // The windows of this process are the program's, in its look.
    ProgramLook::install();
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

    shownKeystrokes(runs, appDir.path(), library);
    typingDuringPreparation(appDir.path(), library);

    const std::optional<Startups> startup = startupMs(appDir.path(), shippedDir.path());
    if (!startup) {
        std::fprintf(stderr, "bench_library: start-up run failed\n");
        return EXIT_FAILURE;
    }
    print("startup_to_shown_ms", startup->rows, "ms");
    print("startup_to_shown_shipped_ms", startup->shipped, "ms");
    print("startup_floor_ms", startup->floor, "ms");
    print("startup_floor_shipped_ratio", startup->shipped / startup->floor, "x");
    print("startup_floor_100k_ratio", startup->rows / startup->floor, "x");
    QProcess memory;
    memory.start(QApplication::applicationFilePath(), {QLatin1String(kMemoryChild), appDir.path()});
    memory.waitForFinished(-1);
    print("memory_after_searches_mb", memory.readAllStandardOutput().trimmed().toDouble(), "MB");
    return EXIT_SUCCESS;
}
