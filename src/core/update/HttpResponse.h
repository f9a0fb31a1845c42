#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// One HTTP/1.x response, read as it arrives in pieces. It keeps no more of
// the response than its caps allow: the status line, the header lines, the
// chunk-size lines and the trailers together at most kMaxHeadBytes, the body
// at most kMaxBodyBytes. A response that passes a cap, or is no HTTP answer,
// fails as soon as that shows.
class HttpResponse
{
public:
    static constexpr qsizetype kMaxHeadBytes = 16 * 1024;
    static constexpr qsizetype kMaxBodyBytes = 64 * 1024;

    enum class State { Reading, Complete, Failed };

    // Takes the next bytes of the connection; bytes after a complete answer
    // are ignored.
    State feed(QByteArrayView bytes);
    // The connection closed: an answer whose body runs to the close is
    // complete, any other unfinished one fails.
    State close();

    State state() const { return m_state; }
    // Of a complete answer: its status, its body, and the Location header
    // (empty when there is none).
    int status() const { return m_status; }
    const QByteArray &body() const { return m_body; }
    const QByteArray &location() const { return m_location; }
    // Of a failed answer: why.
    const QString &failure() const { return m_failure; }

private:
    enum class Part { StatusLine, Header, ChunkSize, ChunkData, ChunkEnd, Trailer, SizedBody, BodyToClose };

    bool step();
    bool takeLine(QByteArray &line);
    void takeBody();
    void statusLine(const QByteArray &line);
    void header(const QByteArray &line);
    void endOfHead();
    void chunkSize(const QByteArray &line);
    void complete();
    void fail(const char *why);

    State m_state = State::Reading;
    Part m_part = Part::StatusLine;
    QByteArray m_pending;       // bytes taken but not yet read
    qsizetype m_headBytes = 0;  // what the head, chunk lines and trailers took so far
    qsizetype m_remaining = 0;  // bytes still to come of a sized body or a chunk
    int m_status = 0;
    qsizetype m_contentLength = -1; // -1: no Content-Length header
    bool m_chunked = false;
    QByteArray m_location;
    QByteArray m_body;
    QString m_failure;
};
