#pragma once

#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

class QNetworkAccessManager;

// Fetches text documents over HTTP. The wait runs a local event loop on the
// calling thread, so a shown window goes on painting and handling the user's
// input while the server answers; nothing polls and no thread of the
// program's own is started. The network layer lives as long as this object:
// giving up on a server that keeps sending returns at once, and the layer's
// own teardown waits until this object goes.
class HttpTextFetch
{
public:
    // The longest body accepted; a longer one fails the fetch.
    static constexpr qint64 kMaxBodyBytes = 64 * 1024;

    explicit HttpTextFetch(int timeoutMs);
    ~HttpTextFetch();

    // A GET of the URL that asks for the document as it is now
    // ("If-Modified-Since: 0"). Returns the body, read as UTF-8, whatever the
    // HTTP status; nothing when no whole answer came within the time-out, the
    // body is longer than the cap, or the connection or name lookup failed.
    std::optional<QString> get(const QUrl &url);

private:
    int m_timeoutMs;
    std::unique_ptr<QNetworkAccessManager> m_manager;
};
