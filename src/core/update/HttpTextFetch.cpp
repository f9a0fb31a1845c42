#include "HttpTextFetch.h"

#include "UpdateTexts.h"

#include <QNetworkProxyFactory>
#include <QTcpSocket>

#include <algorithm>
#include <iterator>
#include <utility>

namespace {

// The most the connection holds for the fetch before it is read: the caps
// of HttpResponse are then all the memory a fetch takes.
constexpr qint64 kSocketBufferBytes = 16 * 1024;
// How many redirects one fetch follows.
constexpr int kMaxRedirects = 5;
constexpr quint16 kHttpPort = 80;

// Moved Permanently, Found, See Other, Temporary and Permanent Redirect.
constexpr int kRedirectStatuses[] = {301, 302, 303, 307, 308};

bool isRedirect(int status)
{
    return std::find(std::begin(kRedirectStatuses), std::end(kRedirectStatuses), status) != std::end(kRedirectStatuses);
}

} // namespace

HttpTextFetch::HttpTextFetch(int timeoutMs, QObject *parent)
    : QObject(parent)
    , m_timeoutMs(timeoutMs)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { finish(Failure{QStringLiteral("no answer in time")}); });
}

HttpTextFetch::~HttpTextFetch()
{
    stop();
}

void HttpTextFetch::start(const QUrl &url)
{
    stop();
    m_redirects = 0;
    m_deadline.start(m_timeoutMs);
    request(url);
}

void HttpTextFetch::stop()
{
    m_deadline.stop();
    dropConnection();
}

void HttpTextFetch::dropConnection()
{
    if (QTcpSocket *socket = std::exchange(m_socket, nullptr)) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

void HttpTextFetch::request(const QUrl &url)
{
    if (url.scheme() != QLatin1String("http") || url.host().isEmpty())
        return finish(Failure{QStringLiteral("not an http address: %1").arg(url.toString())});
    m_url = url;
    m_response = HttpResponse();
    m_socket = new QTcpSocket(this);
    m_socket->setReadBufferSize(kSocketBufferBytes);
    connect(m_socket, &QTcpSocket::connected, this, &HttpTextFetch::sendRequest);
    connect(m_socket, &QTcpSocket::readyRead, this, &HttpTextFetch::read);
    connect(m_socket, &QTcpSocket::disconnected, this, &HttpTextFetch::closed);
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError)
            return closed();
        finish(Failure{m_socket->errorString()});
    });

    // An HTTP proxy is asked for the whole URL; any other proxy (SOCKS) is
    // the socket's business.
    const QNetworkProxy proxy = QNetworkProxyFactory::proxyForQuery(QNetworkProxyQuery(url)).value(0);
    m_throughProxy = proxy.type() == QNetworkProxy::HttpProxy || proxy.type() == QNetworkProxy::HttpCachingProxy;
    if (m_throughProxy) {
        m_socket->setProxy(QNetworkProxy::NoProxy);
        m_socket->connectToHost(proxy.hostName(), proxy.port());
    } else {
        m_socket->setProxy(proxy.type() == QNetworkProxy::Socks5Proxy ? proxy : QNetworkProxy(QNetworkProxy::NoProxy));
        m_socket->connectToHost(url.host(), quint16(url.port(kHttpPort)));
    }
}

void HttpTextFetch::sendRequest()
{
    const QByteArray target = m_throughProxy ? m_url.toEncoded(QUrl::RemoveFragment | QUrl::RemoveUserInfo)
                                             : m_url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    const QByteArray host = m_url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery
                                            | QUrl::RemoveFragment)
                                .mid(2); // without the leading "//"
    m_socket->write("GET " + (target.isEmpty() ? QByteArray("/") : target) + " HTTP/1.1\r\n"
                    "Host: " + host + "\r\n"
                    + UpdateTexts::kCacheHeader + ": " + UpdateTexts::kCacheHeaderValue + "\r\n"
                    "Connection: close\r\n\r\n");
}

void HttpTextFetch::read()
{
    if (m_response.feed(m_socket->readAll()) != HttpResponse::State::Reading)
        answered();
}

void HttpTextFetch::closed()
{
    if (!m_socket)
        return;
    m_response.feed(m_socket->readAll());
    m_response.close();
    answered();
}

void HttpTextFetch::answered()
{
    if (m_response.state() == HttpResponse::State::Failed)
        return finish(Failure{m_response.failure()});
    if (isRedirect(m_response.status()) && !m_response.location().isEmpty()) {
        if (++m_redirects > kMaxRedirects)
            return finish(Failure{QStringLiteral("too many redirects")});
        const QUrl next = m_url.resolved(QUrl::fromEncoded(m_response.location()));
        dropConnection();
        return request(next);
    }
    finish(QString::fromUtf8(m_response.body()));
}

void HttpTextFetch::finish(const Result<QString> &body)
{
    stop();
    emit finished(body);
}
