#pragma once

#include "CurlTransfer.h"
#include "Result.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <memory>

// Fetches one text document over HTTP with libcurl and reports it by signal;
// nothing waits for it. What one fetch keeps in memory stays within its caps
// whatever the server or a proxy sends: the head lines of every response
// together at most kMaxHeadBytes, the body at most kMaxBodyBytes. The proxy
// is the environment's (http_proxy, no_proxy); redirects to another http
// address are followed.
class HttpTextFetch : public QObject
{
    Q_OBJECT
public:
    static constexpr qsizetype kMaxHeadBytes = 16 * 1024;
    // The longest body accepted; a longer one fails the fetch.
    static constexpr qsizetype kMaxBodyBytes = 64 * 1024;

    explicit HttpTextFetch(int timeoutMs, QObject *parent = nullptr);
    ~HttpTextFetch() override;

    // Starts a GET of the URL that asks for the document as it is now
    // ("If-Modified-Since: 0"); finished follows once. A fetch in progress
    // is stopped first.
    void start(const QUrl &url);
    // Stops the fetch in progress; finished does not follow.
    void stop();
    bool isRunning() const { return m_transfer.isRunning(); }

signals:
    // The body, read as UTF-8, whatever the HTTP status; a failure when no
    // whole answer came within the time-out, the answer passed a cap, or
    // the connection, a proxy or the name lookup failed.
    void finished(const Result<QString> &body);

private:
    struct EasyCleanup {
        void operator()(CURL *easy) const { curl_easy_cleanup(easy); }
    };
    struct ListFree {
        void operator()(curl_slist *list) const { curl_slist_free_all(list); }
    };

    static size_t takeHead(char *bytes, size_t, size_t count, void *self);
    static size_t takeBody(char *bytes, size_t, size_t count, void *self);
    bool setUp(const QUrl &url);
    void transferred(CURLcode result);
    void finish(const Result<QString> &body);

    const int m_timeoutMs;
    QTimer m_deadline;
    CurlTransfer m_transfer;
    std::unique_ptr<CURL, EasyCleanup> m_easy;
    std::unique_ptr<curl_slist, ListFree> m_headers;
    QByteArray m_url;
    char m_error[CURL_ERROR_SIZE] = {};
    qsizetype m_headBytes = 0;
    QByteArray m_body;
};
