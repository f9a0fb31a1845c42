// The topic bar, the tutorial pages, the sources page and the subdomain tool.
#include "CommandSource.h"
#include "FileAccess.h"
#include "TestApp.h"

#include "library/SearchTerm.h"
#include "pages/PagePlacement.h"
#include "pages/PageTexts.h"
#include "pages/Sources.h"
#include "pages/SourcesTexts.h"
#include "pages/Subdomain.h"
#include "pages/SubdomainTexts.h"
#include "ui/widgets/DesignLabel.h"
#include "ui/widgets/MultiLineBox.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>

#include <atomic>
#include <csignal>
#include <fcntl.h>
#include <thread>
#include <sys/inotify.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kBrand = QStringLiteral("Korvel系列软件");
const QString kBefore = QStringLiteral("held before");

QByteArray golden(const QString &name)
{
    QFile file(QStringLiteral(TOVANU_GOLDEN_DIR "/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("no golden file %s", qPrintable(name));
    return file.readAll();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QWidget *page(TestApp &app, int index)
{
    return app.find<QWidget>(QStringLiteral("um(%1)").arg(index));
}

void clickTopic(TestApp &app, int topic)
{
    QTest::mouseClick(app.find<QPushButton>(QStringLiteral("Command5(%1)").arg(topic)), Qt::LeftButton);
}

void click(TestApp &app, const char *button)
{
    QTest::mouseClick(app.find<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
}

QList<int> shownPages(TestApp &app)
{
    QList<int> shown;
    for (int i = 0; i < ControlArrays::kPageCount; ++i)
        if (page(app, i)->isVisible())
            shown.append(i);
    return shown;
}

// A widget is in front of its siblings that come before it among the children.
bool isAbove(const QWidget *upper, const QWidget *lower)
{
    const QObjectList &siblings = upper->parentWidget()->children();
    return siblings.indexOf(upper) > siblings.indexOf(lower);
}

// The x ranges, relative to the label, where its one line of text puts ink.
QList<std::pair<qreal, qreal>> inkedRanges(const DesignLabel *label)
{
    const QFontMetricsF metrics(label->font());
    const QString text = label->shownText();
    QList<std::pair<qreal, qreal>> ranges;
    qsizetype start = -1;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool blank = i == text.size() || text.at(i).isSpace();
        if (!blank && start < 0)
            start = i;
        if (blank && start >= 0) {
            ranges.append({metrics.horizontalAdvance(text.left(start)), metrics.horizontalAdvance(text.left(i))});
            start = -1;
        }
    }
    return ranges;
}

// One link more than the system follows in one name.
constexpr int kTooManyLinks = 41;
constexpr int kSwapRounds = 400;

bool isPipe(const QString &path)
{
    struct stat node = {};
    return stat(QFile::encodeName(path).constData(), &node) == 0 && S_ISFIFO(node.st_mode);
}

ino_t inodeOf(const QString &path)
{
    struct stat node = {};
    return stat(QFile::encodeName(path).constData(), &node) == 0 ? node.st_ino : 0;
}

// Makes a chain of count links in the folder, the last leading to the
// target; returns the chain's first link.
QString linkChain(const QTemporaryDir &folder, const QString &target, int count)
{
    QString next = target;
    for (int i = 0; i < count; ++i) {
        const QString link = folder.filePath(QStringLiteral("link%1").arg(i));
        if (!QFile::link(next, link))
            qFatal("cannot make the link %s", qPrintable(link));
        next = link;
    }
    return next;
}

// Lets no write make a file longer than a few bytes, as a full disk does.
class FileSizeLimit
{
public:
    FileSizeLimit()
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = kLimit;
        setrlimit(RLIMIT_FSIZE, &limit);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    static constexpr rlim_t kLimit = 64;
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

class PagesTest : public QObject
{
    Q_OBJECT

private slots:
    void pageTopics_data();
    void pageTopics();
    void messageTopics_data();
    void messageTopics();
    void closingPages();
    void noticeAsksForItsEntry_data();
    void noticeAsksForItsEntry();
    void commandBoxesCoverTheirGaps();
    void sourcesText();
    void copyingAndWritingSources();
    void editedSources();
    void lineEndsOfAnEditedText_data();
    void lineEndsOfAnEditedText();
    void failedWrites_data();
    void failedWrites();
    void writesInPlace_data();
    void writesInPlace();
    void swappedWhileWritten();
    void domainCheck_data();
    void domainCheck();
    void refusedLineBreaks();
    void virtualHost();
    void virtualHostWords();
};

void PagesTest::pageTopics_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("page");
    QTest::addColumn<QPointF>("place");
    QTest::newRow("sources") << 5 << 0 << QPointF(28, 94.5);
    QTest::newRow("Apache2") << 2 << 1 << QPointF(40, 86.5);
    QTest::newRow("MySQL") << 4 << 2 << QPointF(40, 94.5);
    QTest::newRow("PHP5") << 1 << 3 << QPointF(40, 94.5);
    QTest::newRow("phpMyAdmin") << 6 << 4 << QPointF(36, 70.5);
    QTest::newRow("subdomain") << 3 << 5 << QPointF(36, 22.5);
    QTest::newRow("about") << 7 << 6 << QPointF(108, 58.5);
}

void PagesTest::pageTopics()
{
    QFETCH(int, topic);
    QFETCH(int, page);
    QFETCH(QPointF, place);
    TestApp app;
    Form1 &form = app.started();
    QWidget *panel = ::page(app, page);
    QWidget *notice = ::page(app, ControlArrays::kCopyNotice);
    const QSize size = panel->size();
    QCOMPARE(Pages::centredPlace(form.size(), size), place);

    // Another page is open and the copy notice shows.
    clickTopic(app, topic == 7 ? 2 : 7);
    notice->show();
    clickTopic(app, topic);
    QCOMPARE(shownPages(app), QList<int>({page}));
    QVERIFY(std::abs(panel->x() - place.x()) <= 0.5 && std::abs(panel->y() - place.y()) <= 0.5);
    QCOMPARE(panel->size(), size);
    for (QWidget *other : form.findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY(other == panel || !other->isVisible() || isAbove(panel, other));
    QVERIFY(notice->isVisible());

    // Dragged away, the page comes back to the centre on the next click.
    panel->move(0, 0);
    notice->hide();
    clickTopic(app, topic);
    QCOMPARE(shownPages(app), QList<int>({page}));
    QCOMPARE(panel->pos(), place.toPoint());
    QVERIFY(!notice->isVisible());
    QVERIFY(app.desktop.log.isEmpty());
}

void PagesTest::messageTopics_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<QString>("copied");
    QTest::newRow("putty") << 0 << QString();
    QTest::newRow("unzip") << 8 << QStringLiteral("apt-get install unzip");
    QTest::newRow("Ubuntu") << 9 << QString();
}

void PagesTest::messageTopics()
{
    QFETCH(int, topic);
    QFETCH(QString, copied);
    TestApp app;
    app.started();
    app.desktop.clipboard = kBefore;
    clickTopic(app, 3);
    QList<int> shownAtBox = {-1};
    app.desktop.onBox = [&](const FakeDesktop::Box &) { shownAtBox = shownPages(app); };

    clickTopic(app, topic);
    QCOMPARE(app.desktop.boxes.size(), 1);
    const FakeDesktop::Box box = app.desktop.boxes.first();
    QCOMPARE(box.text.toUtf8(), golden(QStringLiteral("topic%1.txt").arg(topic)));
    QCOMPARE(box.style, Desktop::Style::Information);
    QCOMPARE(box.title, kBrand);
    QVERIFY(shownAtBox.isEmpty());
    QVERIFY(shownPages(app).isEmpty());
    if (copied.isEmpty()) {
        QCOMPARE(app.desktop.clipboard, kBefore);
    } else {
        QCOMPARE(app.desktop.log, QStringList({u"clear"_s, u"set:"_s + copied, u"box:"_s + box.text}));
        QCOMPARE(app.desktop.clipboard, copied);
    }
}

// A notice on a page whose commands no longer work names an entry of the
// shipped library; its click closes the page, searches for that name and
// shows the first command found.
void PagesTest::noticeAsksForItsEntry_data()
{
    QTest::addColumn<int>("topic");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("searched");
    QTest::addColumn<QString>("shown");
    QTest::newRow("old sources") << 5 << 0 << u"换源:阿里云源Ubuntu"_s << u"换源:阿里云源Ubuntu 22.04(jammy)"_s;
    QTest::newRow("PHP5") << 1 << 3 << u"安装PHP及Apache2模块"_s << u"安装PHP及Apache2模块"_s;
    QTest::newRow("phpMyAdmin link") << 6 << 4 << u"安装phpMyAdmin(phpadmin)"_s << u"安装phpMyAdmin(phpadmin)"_s;
    QTest::newRow("Apache 2.2 site link") << 3 << 5 << u"绑定域名/添加网站(虚拟主机,Apache 2.4)"_s
                                          << u"绑定域名/添加网站(虚拟主机,Apache 2.4)"_s;
}

void PagesTest::noticeAsksForItsEntry()
{
    QFETCH(int, topic);
    QFETCH(int, page);
    QFETCH(QString, searched);
    QFETCH(QString, shown);
    QFile source(QStringLiteral(TOVANU_LIBRARY_SOURCE));
    QVERIFY(source.open(QIODevice::ReadOnly));
    QList<CommandSource::Command> library;
    QVERIFY(!CommandSource::parse(QString::fromUtf8(source.readAll()), library));
    const auto entry = std::find_if(library.cbegin(), library.cend(), [&shown](const auto &c) { return c.name == shown; });
    QVERIFY2(entry != library.cend(), qPrintable(shown));

    TestApp app(library);
    app.started();
    app.find<QRadioButton>(u"Option1(0)"_s)->setChecked(true);
    clickTopic(app, topic);
    auto *notice = app.find<QLabel>(u"notice(%1)"_s.arg(page));
    QVERIFY(notice->text().contains(u'“' + searched + u'”'));
    QTest::mouseClick(notice, Qt::LeftButton);
    QCOMPARE(shownPages(app), QList<int>());
    QCOMPARE(app.find<QLineEdit>(u"Text1"_s)->text(), searched);
    QCOMPARE(app.listed().value(0), shown);
    QCOMPARE(app.find<MultiLineBox>(u"Text2"_s)->toPlainText(), Search::shownCommand(entry->code).replace(u"\r\n"_s, u"\n"_s));
}

void PagesTest::closingPages()
{
    TestApp app;
    app.started();
    clickTopic(app, 2);
    QWidget *apache = page(app, 1);
    const QPoint place = apache->pos();
    auto *close = app.find<QLabel>(QStringLiteral("al(1)"));
    QCOMPARE(close->size(), QSize(21, 21));
    QVERIFY(!close->pixmap().isNull());

    QTest::mouseClick(close, Qt::RightButton);
    QCOMPARE(shownPages(app), QList<int>({1}));
    // A drag that begins on the close image is no click and moves nothing.
    const QPoint centre = close->rect().center();
    QTest::mousePress(close, Qt::LeftButton, {}, centre);
    QTest::mouseMove(close, centre + QPoint(20, 0));
    QTest::mouseMove(close, centre);
    QTest::mouseRelease(close, Qt::LeftButton, {}, centre);
    QCOMPARE(shownPages(app), QList<int>({1}));
    QCOMPARE(apache->pos(), place);
    QTest::mouseClick(close, Qt::LeftButton);
    QVERIFY(shownPages(app).isEmpty());
    QCOMPARE(apache->pos(), place);

    // Closing one page leaves the others alone; the next topic shows only its page.
    QWidget *mysql = page(app, 2);
    const QPoint mysqlPlace = mysql->pos();
    QTest::mouseClick(app.find<QLabel>(QStringLiteral("al(2)")), Qt::LeftButton);
    QCOMPARE(mysql->pos(), mysqlPlace);
    clickTopic(app, 4);
    QCOMPARE(shownPages(app), QList<int>({2}));
    QVERIFY(app.desktop.log.isEmpty());

    // Esc closes the page on top, wherever the focus is.
    QWidget *list = app.find<QWidget>(QStringLiteral("List1"));
    QApplication::setActiveWindow(list->window());
    list->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(shownPages(app).isEmpty());
}

// Where a command box or a button lies over a step text, it stands above the
// text and covers only the blanks left for it (give or take the blank half
// of a full-width colon), so no word of the step is hidden.
void PagesTest::commandBoxesCoverTheirGaps()
{
    TestApp app;
    app.started();
    constexpr qreal kHalfCharacter = 6;
    int covered = 0;
    for (int i = 0; i < ControlArrays::kPageCount; ++i) {
        for (const DesignLabel *label : page(app, i)->findChildren<DesignLabel *>()) {
            // The whole text shows, inside the label's box and its container.
            const QWidget *container = label->parentWidget();
            const int height = label->wordWrap() ? label->heightForWidth(label->width()) : label->height();
            const qreal width = std::min<qreal>(label->width(), QFontMetricsF(label->font()).horizontalAdvance(label->shownText()));
            QVERIFY2(height <= label->height() && label->y() + height <= container->height()
                         && label->x() + width <= container->width(),
                     qPrintable(label->objectName()));
            for (QObject *object : label->parentWidget()->children()) {
                auto *box = qobject_cast<QWidget *>(object);
                if (!box || qobject_cast<QLabel *>(box) || !box->geometry().intersects(label->geometry()))
                    continue;
                const QString what = label->objectName() + QLatin1Char('/') + box->objectName();
                QVERIFY2(isAbove(box, label), qPrintable(what));
                for (const auto &[from, to] : inkedRanges(label)) {
                    const qreal overlap = std::min(label->x() + to, qreal(box->x() + box->width()))
                                          - std::max(label->x() + from, qreal(box->x()));
                    QVERIFY2(overlap <= kHalfCharacter, qPrintable(what));
                }
                ++covered;
            }
        }
    }
    QCOMPARE(covered, 13); // eleven command boxes, the domain field and its button

    // The labels hold the design's words, plain blanks and line ends included.
    QCOMPARE(app.find<QLabel>(QStringLiteral("Label6(0)"))->text(), QString::fromUtf8(PageTexts::kUpdateStep));
    QCOMPARE(app.find<QLabel>(QStringLiteral("Label8"))->text(), QString::fromUtf8(PageTexts::kAbout));
}

void PagesTest::sourcesText()
{
    QCOMPARE(Sources::text().toUtf8(), golden(QStringLiteral("sources.txt")));

    TestApp app;
    app.started();
    auto *box = app.find<MultiLineBox>(QStringLiteral("Text3"));
    const QStringList entries = Sources::text().trimmed().split(QLatin1Char('\n'));
    QCOMPARE(entries.size(), 42);
    for (int i = 0; i < entries.size(); ++i)
        QCOMPARE(box->document()->findBlockByNumber(i).text(), entries.at(i));
}

void PagesTest::copyingAndWritingSources()
{
    TestApp app;
    app.started();
    clickTopic(app, 5);
    const QString path = QDir(app.appDir()).filePath(QStringLiteral("Source.list"));
    const QByteArray expected = golden(QStringLiteral("sources.txt")) + "\n";

    click(app, "Command3");
    QCOMPARE(app.desktop.clipboard.toUtf8(), golden(QStringLiteral("sources.txt")));
    QCOMPARE(app.desktop.log, QStringList({u"clear"_s, u"set:"_s + app.desktop.clipboard, u"box:内容已复制!"_s}));

    // A longer file of other content is replaced; a second write changes nothing.
    writeBytes(path, QByteArray(8192, 'x'));
    app.desktop.log.clear();
    click(app, "Command4");
    QCOMPARE(fileBytes(path), expected);
    click(app, "Command4");
    QCOMPARE(fileBytes(path), expected);
    QCOMPARE(app.desktop.log, QStringList({u"box:Source.list文件已生成在当前软件目录下!"_s, u"box:Source.list文件已生成在当前软件目录下!"_s}));
    for (const FakeDesktop::Box &box : app.desktop.boxes) {
        QCOMPARE(box.style, Desktop::Style::Information);
        QCOMPARE(box.title, kBrand);
    }
    QCOMPARE(QDir(app.appDir()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase),
             QStringList({u"db"_s, u"Source.list"_s}));
}

void PagesTest::editedSources()
{
    TestApp app;
    app.started();
    clickTopic(app, 5);
    const QString path = QDir(app.appDir()).filePath(QStringLiteral("Source.list"));
    auto *box = app.find<MultiLineBox>(QStringLiteral("Text3"));

    // Typed on the empty last line: every line keeps its end, the typed text comes last.
    box->setFocus();
    box->moveCursor(QTextCursor::End);
    QTest::keyClicks(box, u"# mine"_s);
    QString shown = Sources::text() + QStringLiteral("# mine");
    click(app, "Command3");
    QCOMPARE(app.desktop.clipboard, shown);
    click(app, "Command4");
    QCOMPARE(fileBytes(path), shown.toUtf8() + "\n");

    // A line changed in the middle keeps its LF; a typed break is LF too.
    box->moveCursor(QTextCursor::Start);
    box->moveCursor(QTextCursor::Down);
    box->moveCursor(QTextCursor::EndOfLine);
    QTest::keyClicks(box, u" x"_s);
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, u"# more"_s);
    const qsizetype secondEnd = shown.indexOf(QLatin1Char('\n'), shown.indexOf(QLatin1Char('\n')) + 1);
    shown.insert(secondEnd, QStringLiteral(" x\n# more"));
    click(app, "Command3");
    QCOMPARE(app.desktop.clipboard, shown);

    // Emptied: an empty clipboard and a file of one line end, each with its box.
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    app.desktop.log.clear();
    click(app, "Command3");
    click(app, "Command4");
    QCOMPARE(app.desktop.log, QStringList({u"clear"_s, u"set:"_s, u"box:内容已复制!"_s, u"box:Source.list文件已生成在当前软件目录下!"_s}));
    QCOMPARE(fileBytes(path), QByteArray("\n"));
}

void PagesTest::lineEndsOfAnEditedText_data()
{
    QTest::addColumn<QString>("put");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("read");
    const QString mixed = QStringLiteral("a\nb\nc\r\nd\re\r\n");
    QTest::newRow("untouched") << mixed << QStringList({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u""_s}) << mixed;
    QTest::newRow("lines changed in two places") << mixed << QStringList({u"A"_s, u"b"_s, u"C"_s, u"d"_s, u"e"_s, u""_s})
                                                 << QStringLiteral("A\nb\nC\r\nd\re\r\n");
    QTest::newRow("break typed inside a line") << mixed << QStringList({u"a"_s, u"b1"_s, u"b2"_s, u"c"_s, u"d"_s, u"e"_s, u""_s})
                                               << QStringLiteral("a\nb1\nb2\nc\r\nd\re\r\n");
    QTest::newRow("two lines joined") << mixed << QStringList({u"a"_s, u"bc"_s, u"d"_s, u"e"_s, u""_s}) << QStringLiteral("a\nbc\r\nd\re\r\n");
    QTest::newRow("line added") << mixed << QStringList({u"a"_s, u"new"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s, u""_s})
                                << QStringLiteral("a\nnew\nb\nc\r\nd\re\r\n");
    QTest::newRow("lines removed") << mixed << QStringList({u"a"_s, u"e"_s, u""_s}) << QStringLiteral("a\ne\r\n");
    QTest::newRow("last line end removed") << mixed << QStringList({u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}) << QStringLiteral("a\nb\nc\r\nd\re");
    QTest::newRow("emptied") << mixed << QStringList({u""_s}) << QString();
}

void PagesTest::lineEndsOfAnEditedText()
{
    QFETCH(QString, put);
    QFETCH(QStringList, shown);
    QFETCH(QString, read);
    QCOMPARE(LineEnds::join(LineEnds::split(put), shown), read);
}

void PagesTest::failedWrites_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("reason"); // empty for the system's own reason
    const QString notRegular = QString::fromUtf8(SourcesTexts::kNotRegularFile);
    QTest::newRow("directory in the way") << QStringLiteral("directory") << notRegular;
    QTest::newRow("read-only directory and file") << QStringLiteral("read-only") << QString();
    QTest::newRow("write fails part way") << QStringLiteral("full") << QString();
    QTest::newRow("a pipe") << QStringLiteral("pipe") << notRegular;
    QTest::newRow("a link to a pipe") << QStringLiteral("link to pipe") << notRegular;
    QTest::newRow("41 links to a pipe") << QStringLiteral("chain to pipe") << notRegular;
    QTest::newRow("a loop of links") << QStringLiteral("loop") << notRegular;
}

void PagesTest::failedWrites()
{
    QFETCH(QString, failure);
    QFETCH(QString, reason);
    TestApp app;
    app.started();
    clickTopic(app, 5);
    const QString path = QDir(app.appDir()).filePath(QStringLiteral("Source.list"));
    const QByteArray earlier("deb http://earlier/ubuntu trusty main\r\n");
    QTemporaryDir elsewhere;
    const QString pipe = failure == QLatin1String("pipe") ? path : elsewhere.filePath(QStringLiteral("pipe"));
    if (failure == QLatin1String("directory"))
        QVERIFY(QDir(app.appDir()).mkdir(QStringLiteral("Source.list")));
    else if (failure.endsWith(QLatin1String("pipe")))
        QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    else if (failure == QLatin1String("loop"))
        QVERIFY(QFile::link(path, path));
    else
        writeBytes(path, earlier);
    if (failure == QLatin1String("link to pipe"))
        QVERIFY(QFile::link(pipe, path));
    if (failure == QLatin1String("chain to pipe"))
        QVERIFY(QFile::link(linkChain(elsewhere, pipe, kTooManyLinks - 1), path));

    {
        std::optional<RestrictedPath> readOnly;
        std::optional<FileSizeLimit> limit;
        if (failure == QLatin1String("read-only"))
            readOnly.emplace(app.appDir(), readOnlyDirectory());
        if (failure == QLatin1String("full"))
            limit.emplace();
        click(app, "Command4");
    }

    QCOMPARE(app.desktop.boxes.size(), 1);
    const FakeDesktop::Box box = app.desktop.boxes.first();
    QCOMPARE(box.style, Desktop::Style::Exclamation);
    QCOMPARE(box.title, kBrand);
    const QStringList lines = box.text.split(QLatin1String("\r\n"));
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), QString::fromUtf8(SourcesTexts::kWriteFailed));
    QCOMPARE(lines.at(1), QDir::toNativeSeparators(path));
    QVERIFY(!lines.at(2).isEmpty());
    if (!reason.isEmpty())
        QCOMPARE(lines.at(2), reason);
    if (failure == QLatin1String("directory")) {
        QVERIFY(QFileInfo(path).isDir());
    } else if (failure.endsWith(QLatin1String("pipe"))) {
        QVERIFY(isPipe(pipe));
        QCOMPARE(QFileInfo(path).isSymLink(), failure != QLatin1String("pipe"));
    } else if (failure == QLatin1String("loop")) {
        QCOMPARE(QFile::symLinkTarget(path), path);
    } else {
        QCOMPARE(fileBytes(path), earlier);
    }
    QCOMPARE(QDir(app.appDir()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot,
                                          QDir::Name | QDir::IgnoreCase),
             QStringList({u"db"_s, u"Source.list"_s}));
}

// Where the name leads to a regular file that may be written but not replaced,
// that file takes the text in place: the same file, by every name it has.
void PagesTest::writesInPlace_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::newRow("a link to a file elsewhere") << false;
    QTest::newRow("a writable file in a read-only folder") << true;
}

void PagesTest::writesInPlace()
{
    QFETCH(bool, readOnlyFolder);
    TestApp app;
    app.started();
    clickTopic(app, 5);
    QTemporaryDir elsewhere;
    const QString path = QDir(app.appDir()).filePath(QStringLiteral("Source.list"));
    const QString file = readOnlyFolder ? path : elsewhere.filePath(QStringLiteral("sources"));
    const QString otherName = QDir(readOnlyFolder ? app.appDir() : elsewhere.path()).filePath(QStringLiteral("hard-link"));
    writeBytes(file, QByteArray(8192, 'x'));
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    QCOMPARE(link(QFile::encodeName(file).constData(), QFile::encodeName(otherName).constData()), 0);
    if (!readOnlyFolder)
        QVERIFY(QFile::link(file, path));
    const ino_t inode = inodeOf(file);
    {
        std::optional<RestrictedPath> readOnly;
        if (readOnlyFolder)
            readOnly.emplace(app.appDir(), readOnlyDirectory());
        click(app, "Command4");
    }

    QCOMPARE(app.desktop.log, QStringList({u"box:Source.list文件已生成在当前软件目录下!"_s}));
    const QByteArray expected = golden(QStringLiteral("sources.txt")) + "\n";
    QCOMPARE(fileBytes(path), expected);
    QCOMPARE(fileBytes(otherName), expected);
    QCOMPARE(inodeOf(file), inode);
    QCOMPARE(QFileInfo(path).isSymLink(), !readOnlyFolder);
    QCOMPARE(QDir(app.appDir()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size(),
             readOnlyFolder ? 3 : 2);
}

// Another program swaps Source.list between a regular file and a link to a
// pipe as fast as it can while the text is written, again and again: the
// pipe stays a pipe and is never even opened, whoever wins each round.
void PagesTest::swappedWhileWritten()
{
    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    const QByteArray name = QFile::encodeName(folder.filePath(QStringLiteral("Source.list")));
    const QByteArray swapFile = QFile::encodeName(folder.filePath(QStringLiteral("swap-file")));
    const QByteArray swapLink = QFile::encodeName(folder.filePath(QStringLiteral("swap-link")));
    const QString pipe = elsewhere.filePath(QStringLiteral("pipe"));
    QCOMPARE(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    // A reader keeps the pipe open, so that opening it for writing would succeed.
    const int reader = ::open(QFile::encodeName(pipe).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    QVERIFY(reader >= 0);
    const int opens = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    QVERIFY(opens >= 0 && inotify_add_watch(opens, QFile::encodeName(pipe).constData(), IN_OPEN) >= 0);

    std::atomic<bool> stop = false;
    std::thread swapper([&] {
        while (!stop) {
            if (FILE *regular = fopen(swapFile.constData(), "w"))
                fclose(regular);
            rename(swapFile.constData(), name.constData());
            symlink(QFile::encodeName(pipe).constData(), swapLink.constData());
            rename(swapLink.constData(), name.constData());
        }
    });
    const QString notRegular = QString::fromUtf8(SourcesTexts::kNotRegularFile);
    QStringList unexpected;
    for (int round = 0; round < kSwapRounds; ++round) {
        const Result<void> written = Sources::write(folder.path(), Sources::text());
        if (!written && written.error() != notRegular)
            unexpected.append(written.error());
    }
    stop = true;
    swapper.join();

    inotify_event events[kSwapRounds] = {};
    const ssize_t got = ::read(opens, events, sizeof events);
    ::close(opens);
    ::close(reader);
    QCOMPARE(got < 0 ? 0 : got / qsizetype(sizeof(inotify_event)), 0);
    QVERIFY(isPipe(pipe));
    QCOMPARE(unexpected, QStringList());
    QVERIFY(QDir(folder.path()).entryList({u".Source.list*"_s}, QDir::Files | QDir::Hidden | QDir::System).isEmpty());
}

void PagesTest::domainCheck_data()
{
    QTest::addColumn<QString>("domain");
    QTest::addColumn<QString>("refusal"); // empty when the domain passes
    const QString enter = QString::fromUtf8(SubdomainTexts::kEnterDomain);
    const QString wrong = QString::fromUtf8(SubdomainTexts::kWrongDomain);
    QTest::newRow("empty") << QString() << enter;
    QTest::newRow("blanks only") << QStringLiteral("   ") << wrong;
    QTest::newRow("capitals") << QStringLiteral("WWW.EXAMPLE.COM") << wrong;
    QTest::newRow("no suffix") << QStringLiteral("example.io") << wrong;
    QTest::newRow("com") << QStringLiteral("blog.example.com") << QString();
    QTest::newRow("cn anywhere") << QStringLiteral("cnblogs.io") << QString();
    QTest::newRow("me in a label") << QStringLiteral("home.example.xyz") << QString();
    QTest::newRow("org info hk net") << QStringLiteral("a-1.info.hk.net.org") << QString();
    for (const char *refused : {" ", ";", "&", "|", "$", "'", "\"", "/", "\\", "`", "*", "(", "_", "例"}) {
        const QString domain = QStringLiteral("a%1b.example.com").arg(QString::fromUtf8(refused));
        QTest::newRow(qPrintable(QStringLiteral("holds %1").arg(QString::fromUtf8(refused)))) << domain << wrong;
    }
    QTest::newRow("command after it") << QStringLiteral("example.com;reboot") << wrong;
    QTest::newRow("substitution") << QStringLiteral("$(reboot).com") << wrong;
    QTest::newRow("an option of ln") << QStringLiteral("-vScom") << wrong;
    QTest::newRow("full-width letters") << QStringLiteral("ｅｘａｍｐｌｅ.com") << wrong;
}

void PagesTest::domainCheck()
{
    QFETCH(QString, domain);
    QFETCH(QString, refusal);
    for (const Desktop::Answer answer : {Desktop::Answer::Yes, Desktop::Answer::No}) {
        TestApp app;
        app.started();
        clickTopic(app, 3);
        app.desktop.clipboard = kBefore;
        app.desktop.answers.enqueue(answer);
        app.find<QLineEdit>(QStringLiteral("Text4(11)"))->setText(domain);
        click(app, "Command6");

        QVERIFY(!app.desktop.boxes.isEmpty());
        for (const FakeDesktop::Box &box : app.desktop.boxes)
            QCOMPARE(box.title, kBrand);
        const FakeDesktop::Box first = app.desktop.boxes.first();
        if (!refusal.isEmpty()) {
            QCOMPARE(app.desktop.log, QStringList({u"box:"_s + refusal}));
            QCOMPARE(first.style, Desktop::Style::Information);
            QCOMPARE(app.desktop.clipboard, kBefore);
            continue;
        }
        QCOMPARE(first.text, QStringLiteral("你要绑定的域名为：%1\r\n \r\n确定输入正确吗?").arg(domain));
        QCOMPARE(first.style, Desktop::Style::InformationYesNo);
        if (answer == Desktop::Answer::No) {
            QCOMPARE(app.desktop.log.size(), 1);
            QCOMPARE(app.desktop.clipboard, kBefore);
            continue;
        }
        const QString commands =
            QStringLiteral("cd /etc/apache2/sites-enabled\nln -f -s ../sites-available/%1 %1.conf").arg(domain);
        QCOMPARE(app.desktop.log.mid(1), QStringList({u"clear"_s, u"set:"_s + commands,
                                                      u"box:当前代码已复制到你的剪贴板，现在直接在窗口中右键粘贴即可"_s}));
        QCOMPARE(app.desktop.boxes.last().style, Desktop::Style::Information);
    }
}

// A domain field cannot be typed with a line break, but a paste may bring one.
void PagesTest::refusedLineBreaks()
{
    for (const char *domain : {"example.com\nreboot", "example.com\r", "example.com\treboot"})
        QCOMPARE(Subdomain::check(QString::fromLatin1(domain)), Subdomain::Verdict::Wrong);
}

void PagesTest::virtualHost()
{
    TestApp app;
    app.started();
    clickTopic(app, 3);
    auto *domain = app.find<QLineEdit>(QStringLiteral("Text4(11)"));
    auto *path = app.find<QLineEdit>(QStringLiteral("Text5"));
    const auto copiedLine = [&](int line) { return app.desktop.clipboard.split(QLatin1Char('\n')).at(line - 1); };

    domain->setText(QStringLiteral("blog.example.com"));
    path->setText(QStringLiteral("/var/www/blog"));
    click(app, "Command7");
    QCOMPARE(app.desktop.clipboard.toUtf8(), golden(QStringLiteral("vhost-blog.example.com.txt")));
    QCOMPARE(app.desktop.log.first(), QStringLiteral("clear"));
    QCOMPARE(app.desktop.boxes.last().text, QStringLiteral("内容已复制,请继续按下方提示操作"));
    QCOMPARE(app.desktop.boxes.last().style, Desktop::Style::Information);
    QCOMPARE(app.desktop.boxes.last().title, kBrand);

    // The domain is not checked here: an empty one leaves the name empty, and
    // one that holds the path's placeholder has it filled with the path too.
    domain->clear();
    path->setText(QStringLiteral("/var/www"));
    click(app, "Command7");
    QCOMPARE(copiedLine(4), QStringLiteral("        ServerName "));
    QCOMPARE(copiedLine(5), QStringLiteral("        DocumentRoot /var/www"));
    domain->setText(QStringLiteral("a路径b"));
    click(app, "Command7");
    QCOMPARE(copiedLine(4), QStringLiteral("        ServerName a/var/wwwb"));

    // An empty path leaves the clipboard alone.
    app.desktop.log.clear();
    path->clear();
    click(app, "Command7");
    QCOMPARE(app.desktop.log, QStringList({u"box:请输入绑定路径"_s}));
}

// The folder and the domain stand unquoted in the configuration: a blank,
// quote, backslash, line break or Apache's "${" in either is refused, and
// nothing copied.
void PagesTest::virtualHostWords()
{
    const QString path = QString::fromUtf8(SubdomainTexts::kPathNotOneWord);
    const struct {
        const char *name;
        QString domain;
        QString path;
        QString box;
    } cases[] = {
        {"Chinese folder", u"blog.example.com"_s, u"/var/www/我的博客-1"_s, QString::fromUtf8(SubdomainTexts::kConfigCopied)},
        {"folder with a blank", u"blog.example.com"_s, u"/var/www/my blog"_s, path},
        {"folder in quotes", u"blog.example.com"_s, u"\"/var/www/blog\""_s, path},
        {"folder ending in a backslash", u"blog.example.com"_s, u"/var/www\\"_s, path},
        {"folder, then a directive", u"a b"_s, u"/var/www\nInclude /etc/shadow"_s, path},
        {"domain, then a directive", u"example.com\r\nServerAlias *"_s, u"/var/www"_s,
         QString::fromUtf8(SubdomainTexts::kDomainNotOneWord)},
        {"folder from Apache's variables", u"blog.example.com"_s, u"${APACHE_LOG_DIR}"_s, path},
        {"domain from Apache's variables", u"${SERVER_NAME}.com"_s, u"/var/www"_s, QString::fromUtf8(SubdomainTexts::kDomainNotOneWord)},
        {"a lone dollar sign", u"blog.example.com"_s, u"/var/www/$1{x}"_s, QString::fromUtf8(SubdomainTexts::kConfigCopied)},
    };
    TestApp app;
    app.started();
    clickTopic(app, 3);
    for (const auto &row : cases) {
        app.desktop.clipboard = kBefore;
        app.find<QLineEdit>(QStringLiteral("Text4(11)"))->setText(row.domain);
        app.find<QLineEdit>(QStringLiteral("Text5"))->setText(row.path);
        click(app, "Command7");
        QVERIFY2(app.desktop.log.last() == u"box:"_s + row.box, row.name);
        QVERIFY2(app.desktop.clipboard.contains(u"        DocumentRoot "_s + row.path + u"\n"_s)
                     == (row.box == QString::fromUtf8(SubdomainTexts::kConfigCopied)),
                 row.name);
    }
}

QTEST_MAIN(PagesTest)
#include "test_pages.moc"
