// Speed of the command library at 100,000 commands: opening the database,
// filling the list, one search keystroke, making the names' pinyin keys, a
// keystroke that finds names by pinyin, one details lookup, and the time
// from process start to the shown window. Beside them, in the same run, a
// reference: a plain in-memory case-insensitive substring scan plus sorting
// the matches.
//
//   bench_library [--rows N] [--runs N]
#include "CommandDatabase.h"
#include "desktop/Desktop.h"
#include "desktop/StyleSheetSkin.h"
#include "library/CommandStore.h"
#include "library/LibraryTexts.h"
#include "library/PinyinIndex.h"
#include "ui/Form1.h"
#include "ui/NameListModel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDefaultRows = 100000;
constexpr int kDefaultRuns = 15;
constexpr int kStartupRuns = 5;
// Every kRareEvery-th name holds the rare term, every kCommonEvery-th the common one.
constexpr int kRareEvery = 100;
constexpr int kCommonEvery = 2;
const QString kRareTerm = QStringLiteral("网站");
const QString kCommonTerm = QStringLiteral("服务");
// The rare term's whole pinyin and its initials.
const QString kRarePinyin = QStringLiteral("wangzhan");
const QString kRareInitials = QStringLiteral("wz");
constexpr char kStartupChild[] = "--startup-child";

QList<CommandSource::Command> generate(int rows)
{
    static const QString syllables[] = {u"安装"_s, u"查看"_s, u"重启"_s, u"配置"_s, u"删除"_s, u"备份"_s,
                                        u"Apache"_s, u"mysql"_s, u"日志"_s, u"防火墙"_s, u"用户"_s, u"磁盘"_s,
                                        u"进程"_s, u"压缩"_s, u"SSH"_s, u"php"_s};
    QList<CommandSource::Command> commands;
    commands.reserve(rows);
    for (int i = 0; i < rows; ++i) {
        QString name = syllables[i % 16] + syllables[(i / 16) % 16] + QString::number(i);
        if (i % kRareEvery == 0)
            name += kRareTerm;
        if (i % kCommonEvery == 0)
            name += kCommonTerm;
        commands.append({name, QStringLiteral("sudo apt-get install package-%1%systemctl restart unit-%1").arg(i)});
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

void print(const char *name, double value, const char *unit)
{
    std::printf("%s: %.3f %s\n", name, value, unit);
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
    void end(int) override {}
};

// The child process: start-up, with the shipped skin, until the window is
// shown and painted.
int startupChild(const QString &appDir)
{
    QuietDesktop desktop;
    StyleSheetSkin skin;
    const UpdateSettings refused{QUrl(QStringLiteral("http://127.0.0.1:9/version/main.txt")), QUrl(), 1000};
    Form1 window({appDir, desktop, skin, refused});
    window.Form_Load();
    QApplication::processEvents();
    return window.isVisible() ? EXIT_SUCCESS : EXIT_FAILURE;
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args.at(1) == QLatin1String(kStartupChild))
        return startupChild(args.at(2));
    const int rows = args.contains(u"--rows"_s) ? args.at(args.indexOf(u"--rows"_s) + 1).toInt() : kDefaultRows;
    const int runs = args.contains(u"--runs"_s) ? args.at(args.indexOf(u"--runs"_s) + 1).toInt() : kDefaultRuns;

    QTemporaryDir appDir;
    const QString dbPath = QDir(appDir.path()).filePath(QString::fromUtf8(LibraryTexts::kDatabaseFile));
    const QByteArray key(LibraryTexts::kDatabasePassword);
    const auto commands = generate(rows);
    if (const Result<void> written = CommandDatabase::write(dbPath, key, commands); !written) {
        std::fprintf(stderr, "bench_library: %s\n", qPrintable(written.error()));
        return EXIT_FAILURE;
    }
    // The shipped skin beside the program, as start-up finds it.
    QFile::copy(QStringLiteral(TOVANU_SKIN_FILE), QDir(appDir.path()).filePath(QStringLiteral("skinh.she")));
    std::printf("rows: %d\n", rows);

    print("open_ms", medianMs(runs, [&] {
              CommandStore store;
              (void)store.open(dbPath, key);
          }), "ms");

    CommandStore store;
    if (const Result<void> opened = store.open(dbPath, key); !opened) {
        std::fprintf(stderr, "bench_library: %s\n", qPrintable(opened.error()));
        return EXIT_FAILURE;
    }
    NameListModel model;
    model.setOrder(ListOrder::open().value());
    QListView view;
    view.setUniformItemSizes(true);
    view.setModel(&model);

    const double readMs = medianMs(runs, [&] {
        model.setNames(store.allNames().value());
    });
    print("read_fill_ms", readMs, "ms");

    QStringList inMemory;
    for (const auto &command : commands)
        inMemory.append(command.name);

    const QStringList allNames = store.allNames().value();
    print("pinyin_keys_ms", medianMs(runs, [&] {
              PinyinIndex index;
              index.setNames(allNames);
          }), "ms");
    PinyinIndex pinyin;
    pinyin.setNames(allNames);
    // A keystroke as the window runs it: the search by name, then, when it
    // finds nothing, the pinyin keys; the list filled with what was found.
    const auto keystroke = [&](const QString &term, qsizetype &found) {
        return medianMs(runs, [&] {
            QStringList names = store.namesContaining(CommandStore::Column::Name, term).value();
            if (names.isEmpty())
                names = pinyin.namesMatching(term);
            model.setNames(names);
            found = names.size();
        });
    };

    struct Case {
        const char *name;
        QString term;
    };
    double byNameMs = 0; // the 1% keystroke
    for (const Case &search : {Case{"search_1pct", kRareTerm}, Case{"search_50pct", kCommonTerm}}) {
        qsizetype found = 0;
        const double keystrokeMs = keystroke(search.term, found);
        if (search.term == kRareTerm)
            byNameMs = keystrokeMs;
        const double queryMs = medianMs(runs, [&] {
            (void)store.namesContaining(CommandStore::Column::Name, search.term);
        });
        const double referenceMs = medianMs(runs, [&] {
            QStringList matches;
            for (const QString &name : inMemory) {
                if (name.contains(search.term, Qt::CaseInsensitive))
                    matches.append(name);
            }
            std::sort(matches.begin(), matches.end());
        });
        std::printf("%s_matches: %lld\n", search.name, static_cast<long long>(found));
        print((std::string(search.name) + "_keystroke_ms").c_str(), keystrokeMs, "ms");
        print((std::string(search.name) + "_query_only_ms").c_str(), queryMs, "ms");
        print((std::string(search.name) + "_reference_ms").c_str(), referenceMs, "ms");
        print((std::string(search.name) + "_ratio").c_str(), keystrokeMs / referenceMs, "x");
    }
    for (const QString &term : {kRarePinyin, kRareInitials}) {
        qsizetype found = 0;
        const double keystrokeMs = keystroke(term, found);
        const std::string name = "pinyin_" + term.toStdString();
        std::printf("%s_matches: %lld\n", name.c_str(), static_cast<long long>(found));
        print((name + "_keystroke_ms").c_str(), keystrokeMs, "ms");
        print((name + "_keys_only_ms").c_str(), medianMs(runs, [&] { pinyin.namesMatching(term); }), "ms");
        print((name + "_ratio_to_name_keystroke").c_str(), keystrokeMs / byNameMs, "x");
    }

    const QString someName = commands.at(rows / 2).name;
    print("details_ms", medianMs(runs, [&] {
              (void)store.codeOf(someName);
          }), "ms");

    std::vector<double> startups;
    for (int i = 0; i < kStartupRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        const int status = QProcess::execute(QApplication::applicationFilePath(), {QLatin1String(kStartupChild), appDir.path()});
        startups.push_back(double(timer.nsecsElapsed()) / 1e6);
        if (status != 0) {
            std::fprintf(stderr, "bench_library: start-up run failed\n");
            return EXIT_FAILURE;
        }
    }
    print("startup_to_shown_ms", median(startups), "ms");
    return EXIT_SUCCESS;
}
