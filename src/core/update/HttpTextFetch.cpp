#include "HttpTextFetch.h"

#include "UpdateTexts.h"

#include <algorithm>
#include <iterator>

namespace {

// How many redirects one fetch follows.
constexpr long kMaxRedirects = 5;
// The only scheme fetched, also after a redirect.
constexpr char kScheme[] = "http";

} // namespace

HttpTextFetch::HttpTextFetch(int timeoutMs, QObject *parent)
    : QObject(parent)
    , m_timeoutMs(timeoutMs)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { finish(Failure{QStringLiteral("no answer in time")}); });
    connect(&m_transfer, &CurlTransfer::done, this, &HttpTextFetch::transferred);
    m_headers.reset(curl_slist_append(
        nullptr, QByteArray(QByteArray(UpdateTexts::kCacheHeader) + ": " + UpdateTexts::kCacheHeaderValue).constData()));
}

HttpTextFetch::~HttpTextFetch()
{
    stop();
}

void HttpTextFetch::start(const QUrl &url)
{
    stop();
    if (!setUp(url))
        return finish(Failure{QStringLiteral("libcurl cannot keep the fetch to http and its caps")});
    m_deadline.start(m_timeoutMs);
    m_transfer.start(m_easy.get());
}

void HttpTextFetch::stop()
{
    m_deadline.stop();
    m_transfer.stop();
}

// False when the linked libcurl refuses an option (one older than the
// header it was built with): the fetch would not be held to http and its caps.
bool HttpTextFetch::setUp(const QUrl &url)
{
    m_easy.reset(curl_easy_init());
    if (!m_easy || !m_headers)
        qFatal("libcurl has no memory for a transfer");
    m_url = url.toEncoded(QUrl::RemoveFragment);
    m_error[0] = '\0';
    m_headBytes = 0;
    m_body.clear();
    CURL *easy = m_easy.get();
    const CURLcode results[] = {
        curl_easy_setopt(easy, CURLOPT_URL, m_url.constData()),
        curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, kScheme),
        curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, kScheme),
        curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, long(CURL_HTTP_VERSION_1_1)),
        curl_easy_setopt(easy, CURLOPT_HTTPHEADER, m_headers.get()),
        curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L),
        curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects),
        curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, curl_off_t(kMaxBodyBytes)),
        curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpTextFetch::takeHead),
        curl_easy_setopt(easy, CURLOPT_HEADERDATA, this),
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpTextFetch::takeBody),
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, this),
        curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, m_error),
        curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L),
    };
    return std::all_of(std::begin(results), std::end(results), [](CURLcode result) { return result == CURLE_OK; });
}

// A count other than the one given stops the transfer.
size_t HttpTextFetch::takeHead(char *, size_t, size_t count, void *self)
{
    auto *fetch = static_cast<HttpTextFetch *>(self);
    fetch->m_headBytes += qsizetype(count);
    return fetch->m_headBytes <= kMaxHeadBytes ? count : 0;
}

size_t HttpTextFetch::takeBody(char *bytes, size_t, size_t count, void *self)
{
    auto *fetch = static_cast<HttpTextFetch *>(self);
    if (fetch->m_body.size() + qsizetype(count) > kMaxBodyBytes)
        return 0;
    fetch->m_body.append(bytes, qsizetype(count));
    return count;
}

void HttpTextFetch::transferred(CURLcode result)
{
    if (result != CURLE_OK)
        return finish(Failure{QString::fromUtf8(m_error[0] ? m_error : curl_easy_strerror(result))});
    finish(QString::fromUtf8(m_body));
}

void HttpTextFetch::finish(const Result<QString> &body)
{
    stop();
    emit finished(body);
}
