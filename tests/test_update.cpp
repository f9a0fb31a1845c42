// The update check: the version file's field, the HTTP fetch against a server
// on 127.0.0.1, what start-up does with each answer, and the window at work
// while the fetch waits.
#include "TestApp.h"

#include "update/HttpTextFetch.h"
#include "update/VersionCheck.h"

#include <QLineEdit>
#include <QElapsedTimer>
#include <QListView>
#include <QPointer>
#include <QRadioButton>
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

    // Answers every request held so far with a status line and then header
    // lines without end, for as long as the connection stays open.
    void floodHeld()
    {
        const QByteArray lines = QByteArray("X-Flood: 0123456789abcdef\r\n").repeated(kFloodLines);
        for (const QPointer<QTcpSocket> &socket : std::exchange(m_held, {})) {
            if (!socket)
                continue;
            socket->write("HTTP/1.1 200 OK\r\n");
            m_flooded.append(socket);
        }
        connect(&m_flood, &QTimer::timeout, this, [this, lines] {
            m_flooded.removeAll(nullptr);
            for (const QPointer<QTcpSocket> &socket : std::as_const(m_flooded))
                if (socket->bytesToWrite() < lines.size())
                    socket->write(lines);
        });
        m_flood.start(0);
    }

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

    static constexpr int kFloodLines = 1000;

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
    void fetchKeepsAnAnswerPastTheTimeOut();
    void fetchGivesUpOnTimeUnderAHeaderFlood();
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

    QCOMPARE(HttpTextFetch(LocalHttpServer::kGenerousTimeoutMs).get(server.url()), std::optional<QString>(QString::fromUtf8(body)));

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

    QCOMPARE(HttpTextFetch(timeoutMs).get(url), std::optional<QString>());
}

// A box held open during the wait (a topic's message) keeps the fetch from
// returning until after its time-out; the answer that came is still the answer.
void UpdateTest::fetchKeepsAnAnswerPastTheTimeOut()
{
    LocalHttpServer server;
    server.answer = LocalHttpServer::response(200, "ubuntu:V1.2|");
    server.onRequest = [] {
        QTimer::singleShot(0, [] {
            QEventLoop box;
            QTimer::singleShot(2 * kShortTimeoutMs, &box, &QEventLoop::quit);
            box.exec();
        });
    };
    QCOMPARE(HttpTextFetch(kShortTimeoutMs).get(server.url()), std::optional<QString>(QStringLiteral("ubuntu:V1.2|")));
}

void UpdateTest::fetchGivesUpOnTimeUnderAHeaderFlood()
{
    constexpr int kLeewayMs = 1000;
    LocalHttpServer server;
    server.onRequest = [&server] { QTimer::singleShot(0, &server, &LocalHttpServer::floodHeld); };
    HttpTextFetch fetch(kShortTimeoutMs);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(fetch.get(server.url()), std::optional<QString>());
    QVERIFY2(clock.elapsed() < kShortTimeoutMs + kLeewayMs, qPrintable(QString::number(clock.elapsed())));
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
    const bool runsOn = form.Form_Load();

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
    QVERIFY(!form.Form_Load());
    QCOMPARE(app.desktop.log, QStringList({QStringLiteral("end:0")}));
}

// The desktop closes the window while the check's box is open: the program
// ends, start-up goes no further and no forum page is opened.
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
    QVERIFY(!form.Form_Load());
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
