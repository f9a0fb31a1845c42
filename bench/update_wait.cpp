// How much of one core the update fetch uses while the server keeps it
// waiting (the fetch reports by signal; here an event loop waits for it),
// side by side with a wait that polls for the answer by processing events in
// a loop.
#include "update/HttpTextFetch.h"
#include "update/UpdateTexts.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTcpServer>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

namespace {

// How long the server keeps each wait going, in milliseconds.
constexpr int kWaitMs = 5000;
constexpr double kNanosecondsPerSecond = 1e9;
constexpr double kPercent = 100.0;

double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / kNanosecondsPerSecond;
}

struct Usage {
    double wallSeconds;
    double cpuSeconds;
    double shareOfOneCore() const { return cpuSeconds / wallSeconds; }
};

template<typename Wait>
Usage measure(Wait &&wait)
{
    QElapsedTimer wall;
    wall.start();
    const double cpuBefore = processCpuSeconds();
    wait();
    return {double(wall.nsecsElapsed()) / kNanosecondsPerSecond, processCpuSeconds() - cpuBefore};
}

// The reference: the same request, then a loop that looks whether it has
// finished and processes pending events between two looks.
void busyPollingWait(const QUrl &url)
{
    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setRawHeader(UpdateTexts::kCacheHeader, UpdateTexts::kCacheHeaderValue);
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
    QTimer::singleShot(kWaitMs, reply.get(), &QNetworkReply::abort);
    while (!reply->isFinished())
        QCoreApplication::processEvents();
}

void print(const char *name, const Usage &usage)
{
    std::printf("%s wall: %.3f s\n", name, usage.wallSeconds);
    std::printf("%s cpu: %.4f s\n", name, usage.cpuSeconds);
    std::printf("%s share: %.2f %% of one core\n", name, usage.shareOfOneCore() * kPercent);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);

    // A server that takes every connection and never answers.
    QTcpServer silent;
    if (!silent.listen(QHostAddress::LocalHost)) {
        std::fprintf(stderr, "no local port: %s\n", qPrintable(silent.errorString()));
        return 1;
    }
    QObject::connect(&silent, &QTcpServer::newConnection, &silent, [&silent] {
        while (silent.nextPendingConnection()) {
        }
    });
    const QUrl url(QStringLiteral("http://127.0.0.1:%1/version/main.txt").arg(silent.serverPort()));

    bool fetchFailed = false;
    const Usage fetch = measure([&] {
        HttpTextFetch request(kWaitMs);
        QEventLoop wait;
        QObject::connect(&request, &HttpTextFetch::finished, &wait, [&](const Result<QString> &body) {
            fetchFailed = !body;
            wait.quit();
        });
        request.start(url);
        wait.exec();
    });
    const Usage polling = measure([&] { busyPollingWait(url); });

    print("event-loop fetch", fetch);
    print("busy-polling reference", polling);
    std::printf("ratio: %.0f x\n", polling.shareOfOneCore() / fetch.shareOfOneCore());
    if (!fetchFailed) {
        std::fprintf(stderr, "the fetch did not time out as it should\n");
        return 1;
    }
    return 0;
}
