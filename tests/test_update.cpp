// The update check: the version file's field, the HTTP fetch against a server
// on 127.0.0.1, what start-up does with each answer, and the window at work
// while the fetch waits.
#include "TestApp.h"

#include "update/HttpTextFetch.h"
#include "update/UpdateCheck.h"
#include "update/VersionCheck.h"

#include <QLineEdit>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListView>
#include <QPointer>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>
#include <optional>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(VersionCheck::Outcome)
Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

// An HTTP server on 127.0.0.1 that gives every request the response the test
// set, or holds it unanswered until the test answers.
class LocalHttpServer : public QObject
{
public:
    LocalHttpServer()
    {
        if (!m_server.listen(QHostAddress::LocalHost))
            qFatal("no local port for the test server: %s", qPrintable(m_server.errorString()));
        connect(&m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
    }

    QUrl url() const { return QUrl(QStringLiteral("http://127.0.0.1:%1/version/main.txt").arg(m_server.serverPort())); }

    UpdateSettings settings(int timeoutMs = kGenerousTimeoutMs) const
    {
        return {url(), QUrl(QStringLiteral("http://127.0.0.1:9/forum")), timeoutMs};
    }

    // Sends the response to every request held so far.
    void answerHeld(const QByteArray &raw)
    {
        for (const QPointer<QTcpSocket> &socket : std::exchange(m_held, {}))
            if (socket)
                send(socket, raw);
    }

    static QByteArray response(int status, const QByteArray &body)
    {
        return "HTTP/1.1 " + QByteArray::number(status) + " Status\r\n"
               "Content-Type: text/plain; charset=utf-8\r\n"
               "Content-Length: " + QByteArray::number(body.size()) + "\r\n"
               "Connection: close\r\n\r\n" + body;
    }

    // Answers every request held so far with the head and then the piece
    // again and again, for as long as the connection stays open; counts
    // what went out.
    void floodHeld(const QByteArray &head, const QByteArray &piece)
    {
        const QByteArray pieces = piece.repeated(kFloodPieces);
        for (const QPointer<QTcpSocket> &socket : std::exchange(m_held, {})) {
            if (!socket)
                continue;
            connect(socket, &QTcpSocket::bytesWritten, this, [this](qint64 bytes) { floodedBytes += bytes; });
            connect(socket, &QTcpSocket::disconnected, this, [this] { ++hungUp; });
            socket->write(head);
            m_flooded.append(socket);
        }
        connect(&m_flood, &QTimer::timeout, this, [this, pieces] {
            m_flooded.removeAll(nullptr);
            for (const QPointer<QTcpSocket> &socket : std::as_const(m_flooded))
                if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < pieces.size())
                    socket->write(pieces);
        });
        m_flood.start(0);
    }

    qint64 floodedBytes = 0; // what the flood handed to the connections
    int hungUp = 0;          // flooded connections the other side closed

    static constexpr int kGenerousTimeoutMs = 10'000;

    std::optional<QByteArray> answer; // raw bytes sent at once; nothing holds the request
    QList<QByteArray> requests;          // the head of each request, as it came
    std::function<void()> onRequest;     // runs when a request has come

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, head = QByteArray()]() mutable {
                const bool whole = head.contains("\r\n\r\n");
                head += socket->readAll();
                if (whole || !head.contains("\r\n\r\n"))
                    return;
                requests.append(head.left(head.indexOf("\r\n\r\n")));
                if (answer)
                    send(socket, *answer);
                else
                    m_held.append(socket);
                if (onRequest)
                    onRequest();
            });
        }
    }

    static void send(QTcpSocket *socket, const QByteArray &raw)
    {
        socket->write(raw);
        socket->disconnectFromHost();
    }

    static constexpr int kFloodPieces = 1000;

    QTcpServer m_server;
    QList<QPointer<QTcpSocket>> m_held;
    QList<QPointer<QTcpSocket>> m_flooded;
    QTimer m_flood;
};

// The value of a header in a request head, the name matched in any case.
QList<QByteArray> headerValues(const QByteArray &head, const QByteArray &name)
{
    QList<QByteArray> values;
    for (const QByteArray &line : head.split('\n').mid(1)) {
        const qsizetype colon = line.indexOf(':');
        if (colon > 0 && line.left(colon).trimmed().toLower() == name.toLower())
            values.append(line.mid(colon + 1).trimmed());
    }
    return values;
}

// Runs a function at each paint of a widget.
class PaintWatch : public QObject
{
public:
    PaintWatch(QWidget *widget, std::function<void()> onPaint) : m_onPaint(std::move(onPaint)) { widget->installEventFilter(this); }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            m_onPaint();
        return false;
    }

private:
    std::function<void()> m_onPaint;
};

// The body a fetch of the URL brings, or nothing when it failed; waited
// for as the program waits, in the event loop.
std::optional<QString> fetched(int timeoutMs, const QUrl &url)
{
    HttpTextFetch fetch(timeoutMs);
    std::optional<QString> body;
    bool done = false;
    QEventLoop wait;
    QObject::connect(&fetch, &HttpTextFetch::finished, &wait, [&](const Result<QString> &answer) {
        if (answer)
            body = *answer;
        done = true;
        wait.quit();
    });
    fetch.start(url);
    if (!done)
        wait.exec();
    return body;
}

const QByteArray kFloodedHeaders = "HTTP/1.1 200 OK\r\n";
const QByteArray kHeaderLine = "X-Flood: 0123456789abcdef\r\n";

// Statuses of the test server that are no HTTP answer.
constexpr int kNeverAnswers = 0;
constexpr int kRefused = -1;
constexpr int kShortTimeoutMs = 300;

const QByteArray kOverTheCap = "ubuntu:V1.2|" + QByteArray(HttpTextFetch::kMaxBodyBytes, ' ');

} // namespace

class UpdateTest : public QObject
{
    Q_OBJECT

private slots:
    void fetchReturnsTheBodyWhateverTheStatus_data();
    void fetchReturnsTheBodyWhateverTheStatus();
    void fetchFailures_data();
    void fetchFailures();
    void fetchFollowsARedirect();
    void fetchGivesUpOnTimeUnderAHeaderFlood();
    void fetchStopsAtItsCapThroughAProxy_data();
    void fetchStopsAtItsCapThroughAProxy();
    void checkAnswersBySignal_data();
    void checkAnswersBySignal();
    void startUpActsOnTheAnswer_data();
    void startUpActsOnTheAnswer();
    void windowWorksWhileTheFetchWaits();
    void closingWhileTheFetchWaitsEndsTheProgram();
    void closingWhileTheBoxIsOpenEndsTheProgram_data();
    void closingWhileTheBoxIsOpenEndsTheProgram();
    void builtInAddresses();
};

void UpdateTest::fetchReturnsTheBodyWhateverTheStatus_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("version file") << 200 << QByteArray("windows:V2.3|ubuntu:V1.1|\r\n");
    QTest::newRow("not found page") << 404 << QByteArray("<html><body><h1>404 Not Found</h1></body></html>");
    QTest::newRow("server error page") << 500 << QByteArray("<html><body>Internal Server Error</body></html>");
    QTest::newRow("proxy authentication page") << 407 << QByteArray("<html><body>407 Proxy Authentication Required</body></html>");
    QTest::newRow("authentication page") << 401 << QByteArray("<html><body>401 Unauthorized</body></html>");
    QTest::newRow("empty body") << 200 << QByteArray();
    QTest::newRow("exactly the cap") << 200 << QByteArray(HttpTextFetch::kMaxBodyBytes, 'x');
    QTest::newRow("UTF-8 text") << 200 << QStringLiteral("版本 ubuntu:V1.1|").toUtf8();
}

void UpdateTest::fetchReturnsTheBodyWhateverTheStatus()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    LocalHttpServer server;
    server.answer = LocalHttpServer::response(status, body);

    QCOMPARE(fetched(LocalHttpServer::kGenerousTimeoutMs, server.url()), std::optional<QString>(QString::fromUtf8(body)));

    QCOMPARE(server.requests.size(), 1);
    const QByteArray &head = server.requests.first();
    QVERIFY2(head.startsWith("GET /version/main.txt HTTP/1.1\r\n"), head.constData());
    QCOMPARE(headerValues(head, "If-Modified-Since"), QList<QByteArray>({"0"}));
}

void UpdateTest::fetchFailures_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("rawResponse");
    QTest::newRow("body over the cap") << 200 << LocalHttpServer::response(200, kOverTheCap);
    QTest::newRow("connection closed inside the body")
        << 200 << QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nubuntu:V1.1|");
    QTest::newRow("never answers") << kNeverAnswers << QByteArray();
    QTest::newRow("refused") << kRefused << QByteArray();
}

void UpdateTest::fetchFailures()
{
    QFETCH(int, status);
    QFETCH(QByteArray, rawResponse);
    LocalHttpServer server;
    if (status != kNeverAnswers)
        server.answer = rawResponse;
    const QUrl url = status == kRefused ? TestApp::refusingUpdate().versionUrl : server.url();
    const int timeoutMs = status == kNeverAnswers ? kShortTimeoutMs : LocalHttpServer::kGenerousTimeoutMs;

    QCOMPARE(fetched(timeoutMs, url), std::optional<QString>());
}

// A moved version file is fetched from where the server points.
void UpdateTest::fetchFollowsARedirect()
{
    LocalHttpServer server;
    server.answer = "HTTP/1.1 302 Found\r\nLocation: /version/moved.txt\r\nContent-Length: 0\r\n\r\n";
    server.onRequest = [&server] { server.answer = LocalHttpServer::response(200, "ubuntu:V1.1|"); };
    QCOMPARE(fetched(LocalHttpServer::kGenerousTimeoutMs, server.url()), std::optional<QString>(u"ubuntu:V1.1|"_s));
    QCOMPARE(server.requests.size(), 2);
    QVERIFY2(server.requests.last().startsWith("GET /version/moved.txt HTTP/1.1\r\n"), server.requests.last().constData());
}

void UpdateTest::fetchGivesUpOnTimeUnderAHeaderFlood()
{
    constexpr int kLeewayMs = 1000;
    LocalHttpServer server;
    server.onRequest = [&server] { QTimer::singleShot(0, &server, [&server] { server.floodHeld(kFloodedHeaders, kHeaderLine); }); };
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fetched(kShortTimeoutMs, server.url()), std::optional<QString>());
    QVERIFY2(clock.elapsed() < kShortTimeoutMs + kLeewayMs, qPrintable(QString::number(clock.elapsed())));
}

// A server reached through http_proxy that sends without end: the fetch
// hangs up once what came passes its cap, long before its time-out, and the
// server has handed the connection no more than a few megabytes by then.
void UpdateTest::fetchStopsAtItsCapThroughAProxy_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<QByteArray>("piece");
    QTest::newRow("endless headers") << kFloodedHeaders << kHeaderLine;
    QTest::newRow("endless header line") << kFloodedHeaders + "X-Flood: " << QByteArray("0123456789abcdef");
    QTest::newRow("endless status line") << QByteArray("HTTP/1.1 200 ") << QByteArray("OK ");
    QTest::newRow("endless chunked body") << kFloodedHeaders + "Transfer-Encoding: chunked\r\n\r\n"
                                          << "10\r\n" + QByteArray(16, 'x') + "\r\n";
}

void UpdateTest::fetchStopsAtItsCapThroughAProxy()
{
    constexpr qint64 kFewMegabytes = 4 * 1024 * 1024;
    QFETCH(QByteArray, head);
    QFETCH(QByteArray, piece);
    LocalHttpServer proxy;
    proxy.onRequest = [&] { QTimer::singleShot(0, &proxy, [&] { proxy.floodHeld(head, piece); }); };
    const QByteArray oldProxy = qgetenv("http_proxy");
    qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(proxy.url().port()));
    const auto restore = qScopeGuard([&] { qputenv("http_proxy", oldProxy); });

    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fetched(LocalHttpServer::kGenerousTimeoutMs, QUrl(u"http://update.example/version/main.txt"_s)), std::optional<QString>());
    QVERIFY2(clock.elapsed() < LocalHttpServer::kGenerousTimeoutMs / 2, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(proxy.requests.size(), 1);
    QVERIFY2(proxy.requests.first().startsWith("GET http://update.example/version/main.txt HTTP/1.1\r\n"), proxy.requests.first().constData());
    QTRY_COMPARE(proxy.hungUp, 1);
    qInfo("the fetch hung up after %lld bytes, in %lld ms", proxy.floodedBytes, clock.elapsed());
    QVERIFY2(proxy.floodedBytes < kFewMegabytes, qPrintable(QString::number(proxy.floodedBytes)));
}

// The check's verdict comes by signal, once: on an answer, on the time-out,
// and never after it was stopped.
void UpdateTest::checkAnswersBySignal_data()
{
    QTest::addColumn<bool>("answers");
    QTest::addColumn<bool>("stopped");
    QTest::addColumn<int>("verdicts");
    QTest::addColumn<VersionCheck::Outcome>("outcome");
    QTest::newRow("an answer") << true << false << 1 << VersionCheck::Outcome::NewVersion;
    QTest::newRow("the time-out") << false << false << 1 << VersionCheck::Outcome::CheckFailed;
    QTest::newRow("stopped in the wait") << false << true << 0 << VersionCheck::Outcome::CheckFailed;
}

void UpdateTest::checkAnswersBySignal()
{
    QFETCH(bool, answers);
    QFETCH(bool, stopped);
    QFETCH(int, verdicts);
    QFETCH(VersionCheck::Outcome, outcome);
    LocalHttpServer server;
    if (answers)
        server.answer = LocalHttpServer::response(200, "ubuntu:V1.2|");
    UpdateCheck check(server.settings(kShortTimeoutMs));
    QList<VersionCheck::Verdict> heard;
    connect(&check, &UpdateCheck::answered, this, [&heard](const VersionCheck::Verdict &verdict) { heard.append(verdict); });
    if (stopped)
        server.onRequest = [&check] { check.stop(); };

    QElapsedTimer clock;
    clock.start();
    check.start();
    QVERIFY(heard.isEmpty());
    QVERIFY(QTest::qWaitFor([&] { return !check.isRunning(); }, LocalHttpServer::kGenerousTimeoutMs));
    // Past the time-out, nothing more is heard.
    QVERIFY(!QTest::qWaitFor([&] { return heard.size() > verdicts; }, 2 * kShortTimeoutMs));
    QCOMPARE(heard.size(), verdicts);
    if (verdicts)
        QCOMPARE(heard.first().outcome, outcome);
    if (!answers && !stopped)
        QVERIFY2(clock.elapsed() >= kShortTimeoutMs, qPrintable(QString::number(clock.elapsed())));
}

void UpdateTest::startUpActsOnTheAnswer_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<VersionCheck::Outcome>("outcome");
    QTest::addColumn<QString>("announced");
    using VersionCheck::Outcome;
    QTest::newRow("same version, line break after") << 200 << QByteArray("ubuntu:V1.1|\r\n") << Outcome::UpToDate << QString();
    QTest::newRow("newer version") << 200 << QByteArray("windows:V2.3|ubuntu:V1.2|\r\n") << Outcome::NewVersion << "V1.2";
    QTest::newRow("small v") << 200 << QByteArray("ubuntu:v1.1|") << Outcome::NewVersion << "v1.1";
    QTest::newRow("8,000 lines after the version, compared whole")
        << 200 << QByteArray("ubuntu:V1.1" + QByteArray("\nx").repeated(8000) + "|") << Outcome::NewVersion
        << u"V1.1\nx\nx\u2026x\nx\nx"_s;
    QTest::newRow("capital U") << 200 << QByteArray("Ubuntu:V1.1|") << Outcome::CheckFailed << QString();
    QTest::newRow("lone space") << 200 << QByteArray(" ") << Outcome::CheckFailed << QString();
    QTest::newRow("blank field") << 200 << QByteArray("ubuntu:|\r\n") << Outcome::CheckFailed << QString();
    QTest::newRow("not found page") << 404 << QByteArray("<html><body>404 Not Found</body></html>") << Outcome::CheckFailed << QString();
    QTest::newRow("server error page") << 500 << QByteArray("<html><body>500</body></html>") << Outcome::CheckFailed << QString();
    QTest::newRow("empty body") << 200 << QByteArray() << Outcome::CheckFailed << QString();
    QTest::newRow("body over the cap") << 200 << kOverTheCap << Outcome::CheckFailed << QString();
    QTest::newRow("never answers") << kNeverAnswers << QByteArray() << Outcome::CheckFailed << QString();
    QTest::newRow("refused") << kRefused << QByteArray() << Outcome::CheckFailed << QString();
}

void UpdateTest::startUpActsOnTheAnswer()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(VersionCheck::Outcome, outcome);
    QFETCH(QString, announced);
    LocalHttpServer server;
    if (status > 0)
        server.answer = LocalHttpServer::response(status, body);
    const UpdateSettings settings = status == kRefused       ? TestApp::refusingUpdate()
                                   : status == kNeverAnswers ? server.settings(kShortTimeoutMs)
                                                             : server.settings();

    TestApp app;
    Form1 &form = app.window(settings);
    QList<bool> windowShownAtBox;
    app.desktop.onBox = [&](const FakeDesktop::Box &) { windowShownAtBox.append(form.isVisible()); };
    QVERIFY(form.Form_Load());
    app.waitForUpdateCheck();
    const bool runsOn = !app.desktop.endStatus();

    const QString title = QStringLiteral("Korvel系列软件");
    switch (outcome) {
    case VersionCheck::Outcome::UpToDate:
        QVERIFY(app.desktop.log.isEmpty());
        break;
    case VersionCheck::Outcome::CheckFailed:
        QCOMPARE(app.desktop.log, QStringList({QStringLiteral("box:检测更新失败!请您稍后再试,暂时使用原版")}));
        QCOMPARE(app.desktop.boxes.first().style, Desktop::Style::Exclamation);
        QCOMPARE(app.desktop.boxes.first().title, title);
        break;
    case VersionCheck::Outcome::NewVersion:
        QCOMPARE(app.desktop.log, QStringList({u"box:发现最新版本!["_s + announced + u"]\r\n \r\n确定后自动打开官方论坛!"_s,
                                               QStringLiteral("open:http://127.0.0.1:9/forum"), QStringLiteral("end:0")}));
        QCOMPARE(app.desktop.boxes.first().style, Desktop::Style::Information);
        QCOMPARE(app.desktop.boxes.first().title, title);
        break;
    }
    QCOMPARE(runsOn, outcome != VersionCheck::Outcome::NewVersion);
    QCOMPARE(windowShownAtBox, QList<bool>(app.desktop.boxes.size(), true));
    QVERIFY(form.isVisible());
    if (status > 0)
        QCOMPARE(server.requests.size(), 1);
}

void UpdateTest::windowWorksWhileTheFetchWaits()
{
    LocalHttpServer server;
    TestApp app;
    Form1 &form = app.window(server.settings());
    auto *list = app.find<QListView>(QStringLiteral("List1"));
    QStringList listedDuringWait;
    bool awaitingPaint = false;

    // Once the request is in, the user picks the command search and types;
    // when the narrowed list has been painted, the server answers.
    server.onRequest = [&] {
        QTimer::singleShot(0, &form, [&] {
            QTest::mouseClick(app.find<QRadioButton>(QStringLiteral("Option1(0)")), Qt::LeftButton);
            QTest::keyClicks(app.find<QLineEdit>(QStringLiteral("Text1")), QStringLiteral("systemctl"));
            listedDuringWait = app.listed();
            awaitingPaint = true;
            list->viewport()->update();
        });
    };
    const PaintWatch paints(list->viewport(), [&] {
        if (!std::exchange(awaitingPaint, false))
            return;
        QTimer::singleShot(0, &form, [&] { server.answerHeld(LocalHttpServer::response(200, "ubuntu:V1.1|")); });
    });

    QVERIFY(form.Form_Load());
    app.waitForUpdateCheck();
    QCOMPARE(listedDuringWait, QStringList({u"重启Apache2"_s}));
    QVERIFY2(app.desktop.log.isEmpty(), qPrintable(app.desktop.log.join(QLatin1Char('\n'))));
    QCOMPARE(app.listed(), QStringList({u"重启Apache2"_s}));
}

// The desktop closes the window (its close command, the taskbar) while the
// server keeps silent: the program ends as by the close box, with no box after.
void UpdateTest::closingWhileTheFetchWaitsEndsTheProgram()
{
    LocalHttpServer server;
    TestApp app;
    Form1 &form = app.window(server.settings(kShortTimeoutMs));
    server.onRequest = [&form] { QTimer::singleShot(0, &form, &QWidget::close); };
    QVERIFY(form.Form_Load());
    app.waitForUpdateCheck();
    // Past the check's time-out: no box comes after the end.
    QVERIFY(!QTest::qWaitFor([&app] { return app.desktop.log.size() > 1; }, 2 * kShortTimeoutMs));
    QCOMPARE(app.desktop.log, QStringList({QStringLiteral("end:0")}));
}

// The desktop closes the window while the check's box is open: the program
// ends and no forum page is opened.
void UpdateTest::closingWhileTheBoxIsOpenEndsTheProgram_data()
{
    QTest::addColumn<QByteArray>("body"); // empty: nothing listens
    QTest::addColumn<QString>("box");
    QTest::newRow("update-failure box") << QByteArray() << u"检测更新失败!请您稍后再试,暂时使用原版"_s;
    QTest::newRow("new-version box") << QByteArray("ubuntu:V1.2|") << u"发现最新版本![V1.2]\r\n \r\n确定后自动打开官方论坛!"_s;
}

void UpdateTest::closingWhileTheBoxIsOpenEndsTheProgram()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, box);
    LocalHttpServer server;
    server.answer = LocalHttpServer::response(200, body);
    TestApp app;
    Form1 &form = app.window(body.isEmpty() ? TestApp::refusingUpdate() : server.settings());
    app.desktop.onBox = [&form](const FakeDesktop::Box &) { form.close(); };
    QVERIFY(form.Form_Load());
    app.waitForUpdateCheck();
    QCOMPARE(app.desktop.log, QStringList({u"box:"_s + box, u"end:0"_s}));
}

void UpdateTest::builtInAddresses()
{
    const UpdateSettings builtIn = UpdateSettings::builtIn();
    for (const QUrl &url : {builtIn.versionUrl, builtIn.forumUrl})
        QVERIFY2(url.isValid() && url.scheme().startsWith(QLatin1String("http")) && !url.host().isEmpty(), qPrintable(url.toString()));
    QCOMPARE(builtIn.timeoutMs, 10'000);
}

QTEST_MAIN(UpdateTest)
#include "test_update.moc"
