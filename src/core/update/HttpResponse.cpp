#include "HttpResponse.h"

#include <algorithm>

namespace {

constexpr int kStatusDigits = 3;
constexpr int kHexBase = 16;
constexpr int kDecimalBase = 10;
// Statuses that come before the answer, and the answers that have no body.
constexpr int kFirstInformational = 100;
constexpr int kFirstFinal = 200;
constexpr int kSwitchingProtocols = 101;
constexpr int kNoContent = 204;
constexpr int kNotModified = 304;

QByteArray headerName(const QByteArray &line, qsizetype colon)
{
    return line.left(colon).trimmed().toLower();
}

} // namespace

HttpResponse::State HttpResponse::feed(QByteArrayView bytes)
{
    if (m_state != State::Reading)
        return m_state;
    m_pending.append(bytes);
    while (m_state == State::Reading && step()) {
    }
    return m_state;
}

HttpResponse::State HttpResponse::close()
{
    if (m_state != State::Reading)
        return m_state;
    if (m_part == Part::BodyToClose)
        complete();
    else
        fail("the connection closed inside the answer");
    return m_state;
}

// Reads one line or one stretch of body; false when more bytes are needed.
bool HttpResponse::step()
{
    if (m_part == Part::SizedBody || m_part == Part::ChunkData || m_part == Part::BodyToClose) {
        if (m_pending.isEmpty())
            return false;
        takeBody();
        return true;
    }
    QByteArray line;
    if (!takeLine(line))
        return false;
    switch (m_part) {
    case Part::StatusLine:
        statusLine(line);
        break;
    case Part::Header:
        header(line);
        break;
    case Part::ChunkSize:
        chunkSize(line);
        break;
    case Part::ChunkEnd:
        if (!line.isEmpty())
            fail("a chunk is longer than its size");
        m_part = Part::ChunkSize;
        break;
    case Part::Trailer:
        if (line.isEmpty())
            complete();
        break;
    default:
        break;
    }
    return true;
}

// A line ends in LF, with or without CR before it; every line counts
// against the head's cap, a line still unfinished too.
bool HttpResponse::takeLine(QByteArray &line)
{
    const qsizetype end = m_pending.indexOf('\n');
    if (end < 0) {
        if (m_headBytes + m_pending.size() > kMaxHeadBytes)
            fail("the header is too long");
        return false;
    }
    m_headBytes += end + 1;
    if (m_headBytes > kMaxHeadBytes) {
        fail("the header is too long");
        return false;
    }
    line = m_pending.left(end);
    if (line.endsWith('\r'))
        line.chop(1);
    m_pending.remove(0, end + 1);
    return true;
}

void HttpResponse::takeBody()
{
    const qsizetype taken = m_part == Part::BodyToClose ? m_pending.size() : std::min(m_remaining, m_pending.size());
    if (m_body.size() + taken > kMaxBodyBytes)
        return fail("the body is too long");
    m_body.append(m_pending.constData(), taken);
    m_pending.remove(0, taken);
    if (m_part == Part::BodyToClose)
        return;
    m_remaining -= taken;
    if (m_remaining > 0)
        return;
    if (m_part == Part::SizedBody)
        complete();
    else
        m_part = Part::ChunkEnd;
}

// "HTTP/1.1 200 OK": the version, a blank, three digits, and a reason that
// may be missing.
void HttpResponse::statusLine(const QByteArray &line)
{
    const qsizetype blank = line.indexOf(' ');
    const QByteArray code = line.mid(blank + 1, kStatusDigits);
    const bool digits = code.size() == kStatusDigits && std::all_of(code.cbegin(), code.cend(), [](char c) { return c >= '0' && c <= '9'; });
    const qsizetype after = blank + 1 + kStatusDigits;
    if (!line.startsWith("HTTP/") || blank < 0 || !digits || (line.size() > after && line.at(after) != ' '))
        return fail("no HTTP answer");
    m_status = code.toInt();
    m_contentLength = -1;
    m_chunked = false;
    m_location.clear();
    m_part = Part::Header;
}

void HttpResponse::header(const QByteArray &line)
{
    if (line.isEmpty())
        return endOfHead();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return;
    const QByteArray name = headerName(line, colon);
    const QByteArray value = line.mid(colon + 1).trimmed();
    if (name == "content-length") {
        bool ok = false;
        const qsizetype length = value.toLongLong(&ok, kDecimalBase);
        if (!ok || length < 0 || (m_contentLength >= 0 && length != m_contentLength))
            return fail("a wrong Content-Length");
        m_contentLength = length;
    } else if (name == "transfer-encoding") {
        m_chunked = value.toLower().endsWith("chunked");
    } else if (name == "location") {
        m_location = value;
    }
}

void HttpResponse::endOfHead()
{
    if (m_status == kSwitchingProtocols)
        return fail("no HTTP answer");
    // An interim answer ("100 Continue") is followed by the real one.
    if (m_status >= kFirstInformational && m_status < kFirstFinal) {
        m_part = Part::StatusLine;
        return;
    }
    if (m_status == kNoContent || m_status == kNotModified)
        return complete();
    if (m_chunked) {
        m_part = Part::ChunkSize;
    } else if (m_contentLength >= 0) {
        if (m_contentLength > kMaxBodyBytes)
            return fail("the body is too long");
        m_remaining = m_contentLength;
        m_part = Part::SizedBody;
        if (m_remaining == 0)
            complete();
    } else {
        m_part = Part::BodyToClose;
    }
}

// The size in hexadecimal, perhaps followed by extensions after ";".
void HttpResponse::chunkSize(const QByteArray &line)
{
    const qsizetype extensions = line.indexOf(';');
    const QByteArray hex = (extensions < 0 ? line : line.left(extensions)).trimmed();
    bool ok = false;
    const qsizetype size = hex.toLongLong(&ok, kHexBase);
    if (!ok || size < 0)
        return fail("a wrong chunk size");
    if (size == 0) {
        m_part = Part::Trailer;
        return;
    }
    if (m_body.size() + size > kMaxBodyBytes)
        return fail("the body is too long");
    m_remaining = size;
    m_part = Part::ChunkData;
}

void HttpResponse::complete()
{
    m_state = State::Complete;
    m_pending.clear();
}

void HttpResponse::fail(const char *why)
{
    m_state = State::Failed;
    m_failure = QString::fromLatin1(why);
    m_pending.clear();
    m_body.clear();
}
