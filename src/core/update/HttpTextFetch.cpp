#include "HttpTextFetch.h"

#include "UpdateTexts.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <memory>

namespace {

// No whole answer came: the connection, the name lookup, a proxy or the
// transfer failed, or the connection closed inside the answer. Every other
// error is an HTTP status that came with its body, which is an answer.
bool transportFailed(QNetworkReply::NetworkError error)
{
    return error > QNetworkReply::NoError && error <= QNetworkReply::ProxyTimeoutError;
}

bool answered(const QNetworkReply &reply)
{
    return reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid() && !transportFailed(reply.error());
}

} // namespace

HttpTextFetch::HttpTextFetch(int timeoutMs)
    : m_timeoutMs(timeoutMs)
    , m_manager(std::make_unique<QNetworkAccessManager>())
{
}

HttpTextFetch::~HttpTextFetch() = default;

std::optional<QString> HttpTextFetch::get(const QUrl &url)
{
    // Declared first so that they outlive the reply and its handlers.
    QByteArray body;
    bool gaveUp = false;

    QNetworkRequest request(url);
    request.setRawHeader(UpdateTexts::kCacheHeader, UpdateTexts::kCacheHeaderValue);
    const std::unique_ptr<QNetworkReply> reply(m_manager->get(request));
    QNetworkReply *const pending = reply.get();

    const auto giveUp = [pending, &gaveUp] {
        gaveUp = true;
        pending->abort();
    };
    QObject::connect(pending, &QNetworkReply::readyRead, pending, [pending, &body, giveUp] {
        body += pending->readAll();
        if (body.size() > kMaxBodyBytes)
            giveUp();
    });
    // An answer that came in time stays the answer, however long the wait
    // takes to return (a box the user holds open keeps it from returning).
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, pending, giveUp);
    QObject::connect(pending, &QNetworkReply::finished, &deadline, &QTimer::stop);

    QEventLoop wait;
    QObject::connect(pending, &QNetworkReply::finished, &wait, &QEventLoop::quit);
    deadline.start(m_timeoutMs);
    if (!pending->isFinished())
        wait.exec();

    // The loop also ends when the application is told to quit.
    if (!pending->isFinished())
        pending->abort();
    if (gaveUp || !answered(*pending))
        return std::nullopt;
    body += pending->readAll();
    if (body.size() > kMaxBodyBytes)
        return std::nullopt;
    return QString::fromUtf8(body);
}
