#pragma once

#include <QHash>
#include <QObject>
#include <QTimer>

#include <curl/curl.h>

class QSocketNotifier;

// Runs one libcurl transfer at a time in the Qt event loop: curl's multi
// interface learns of its sockets' readiness from socket notifiers and of
// its time-outs from a timer, so nothing waits and no thread is needed.
class CurlTransfer : public QObject
{
    Q_OBJECT
public:
    explicit CurlTransfer(QObject *parent = nullptr);
    ~CurlTransfer() override;

    // Starts the transfer the easy handle is set up for; done follows once.
    // A transfer in progress is stopped first. The handle stays the
    // caller's and must outlive the transfer.
    void start(CURL *easy);
    // Stops the transfer in progress; done does not follow.
    void stop();
    bool isRunning() const { return m_easy != nullptr; }

signals:
    // The transfer ended, with curl's result.
    void done(CURLcode result);

private:
    // The notifiers of one socket curl asked to have watched.
    struct Watch {
        QSocketNotifier *read = nullptr;
        QSocketNotifier *write = nullptr;
    };

    static int onSocket(CURL *, curl_socket_t socket, int what, void *self, void *);
    static int onTimer(CURLM *, long timeoutMs, void *self);
    void watch(curl_socket_t socket, int what);
    void unwatch(curl_socket_t socket);
    void act(curl_socket_t socket, int events);

    CURLM *const m_multi;
    CURL *m_easy = nullptr;
    QTimer m_timer;
    QHash<curl_socket_t, Watch> m_watches;
};
