#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// Fetches one text document over HTTP. The wait runs a local event loop on
// the calling thread, so a shown window goes on painting and handling the
// user's input while the server answers; nothing polls and no thread of the
// program's own is started.
class HttpTextFetch
{
public:
    // The longest body accepted; a longer one fails the fetch.
    static constexpr qint64 kMaxBodyBytes = 64 * 1024;

    explicit HttpTextFetch(int timeoutMs) : m_timeoutMs(timeoutMs) {}

    // A GET of the URL that asks for the document as it is now
    // ("If-Modified-Since: 0"). Returns the body, read as UTF-8, whatever the
    // HTTP status; nothing when no whole answer came within the time-out, the
    // body is longer than the cap, or the connection failed.
    std::optional<QString> get(const QUrl &url) const;

private:
    int m_timeoutMs;
};
