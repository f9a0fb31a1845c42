#include "HttpTextFetch.h"

#include "UpdateTexts.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <memory>

namespace {

// The server sent its whole answer, though perhaps with an error status: an
// error page is a body like any other.
bool answered(const QNetworkReply &reply)
{
    if (!reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        return false;
    switch (reply.error()) {
    case QNetworkReply::NoError:
    case QNetworkReply::ContentAccessDenied:
    case QNetworkReply::ContentOperationNotPermittedError:
    case QNetworkReply::ContentNotFoundError:
    case QNetworkReply::AuthenticationRequiredError:
    case QNetworkReply::ContentConflictError:
    case QNetworkReply::ContentGoneError:
    case QNetworkReply::UnknownContentError:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::InternalServerError:
    case QNetworkReply::OperationNotImplementedError:
    case QNetworkReply::ServiceUnavailableError:
    case QNetworkReply::UnknownServerError:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<QString> HttpTextFetch::get(const QUrl &url) const
{
    // Declared first so that they outlive the reply and its handlers.
    QByteArray body;
    bool gaveUp = false;

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setRawHeader(UpdateTexts::kCacheHeader, UpdateTexts::kCacheHeaderValue);
    const std::unique_ptr<QNetworkReply> reply(manager.get(request));
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
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, pending, giveUp);

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
