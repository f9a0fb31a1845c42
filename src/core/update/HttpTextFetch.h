#pragma once

#include "HttpResponse.h"
#include "Result.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

class QTcpSocket;

// Fetches one text document over HTTP/1.1 and reports it by signal; nothing
// waits for it. The answer is read straight from the connection, so what one
// fetch keeps in memory stays within HttpResponse's caps whatever the server
// or a proxy sends. The proxy is the one Qt would use for the URL (http_proxy
// and no_proxy); redirects to another http address are followed.
class HttpTextFetch : public QObject
{
    Q_OBJECT
public:
    // The longest body accepted; a longer one fails the fetch.
    static constexpr qint64 kMaxBodyBytes = HttpResponse::kMaxBodyBytes;

    explicit HttpTextFetch(int timeoutMs, QObject *parent = nullptr);
    ~HttpTextFetch() override;

    // Starts a GET of the URL that asks for the document as it is now
    // ("If-Modified-Since: 0"); finished follows once. A fetch in progress
    // is stopped first.
    void start(const QUrl &url);
    // Stops the fetch in progress; finished does not follow.
    void stop();
    bool isRunning() const { return m_socket != nullptr; }

signals:
    // The body, read as UTF-8, whatever the HTTP status; a failure when no
    // whole answer came within the time-out, the answer passed a cap, or
    // the connection, a proxy or the name lookup failed.
    void finished(const Result<QString> &body);

private:
    void request(const QUrl &url);
    void dropConnection();
    void sendRequest();
    void read();
    void closed();
    void answered();
    void finish(const Result<QString> &body);

    const int m_timeoutMs;
    QTimer m_deadline;
    QUrl m_url;
    bool m_throughProxy = false; // the request goes to an HTTP proxy, which takes the whole URL
    int m_redirects = 0;
    QTcpSocket *m_socket = nullptr;
    HttpResponse m_response;
};
