#include "CurlTransfer.h"

#include <QSocketNotifier>

#include <utility>

namespace {

CURLM *newMulti()
{
    // The first use initialises libcurl, on the GUI thread, before any
    // transfer can run on another.
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    CURLM *multi = initialised == CURLE_OK ? curl_multi_init() : nullptr;
    if (!multi)
        qFatal("libcurl cannot be initialised");
    return multi;
}

// A notifier of the socket's readiness that hands it to the transfer.
template<typename Act>
QSocketNotifier *readinessOf(curl_socket_t socket, QSocketNotifier::Type type, QObject *parent, Act act)
{
    auto *readiness = new QSocketNotifier(socket, type, parent);
    QObject::connect(readiness, &QSocketNotifier::activated, parent, act);
    return readiness;
}

// Called from within the notifier's own signal: it goes once that is done.
void retire(QSocketNotifier *notifier)
{
    notifier->setEnabled(false);
    notifier->deleteLater();
}

} // namespace

CurlTransfer::CurlTransfer(QObject *parent)
    : QObject(parent)
    , m_multi(newMulti())
{
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETFUNCTION, &CurlTransfer::onSocket);
    curl_multi_setopt(m_multi, CURLMOPT_SOCKETDATA, this);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERFUNCTION, &CurlTransfer::onTimer);
    curl_multi_setopt(m_multi, CURLMOPT_TIMERDATA, this);
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, [this] { act(CURL_SOCKET_TIMEOUT, 0); });
}

CurlTransfer::~CurlTransfer()
{
    stop();
    curl_multi_cleanup(m_multi);
}

void CurlTransfer::start(CURL *easy)
{
    stop();
    m_easy = easy;
    // curl asks for its first look through the timer.
    curl_multi_add_handle(m_multi, m_easy);
}

void CurlTransfer::stop()
{
    if (!m_easy)
        return;
    // curl closes the transfer's sockets here and tells which to unwatch.
    curl_multi_remove_handle(m_multi, std::exchange(m_easy, nullptr));
    m_timer.stop();
}

int CurlTransfer::onSocket(CURL *, curl_socket_t socket, int what, void *self, void *)
{
    auto *transfer = static_cast<CurlTransfer *>(self);
    if (what == CURL_POLL_REMOVE)
        transfer->unwatch(socket);
    else
        transfer->watch(socket, what);
    return 0;
}

int CurlTransfer::onTimer(CURLM *, long timeoutMs, void *self)
{
    auto *transfer = static_cast<CurlTransfer *>(self);
    if (timeoutMs < 0)
        transfer->m_timer.stop();
    else
        transfer->m_timer.start(int(timeoutMs));
    return 0;
}

void CurlTransfer::watch(curl_socket_t socket, int what)
{
    Watch &watch = m_watches[socket];
    if (!watch.read)
        watch.read = readinessOf(socket, QSocketNotifier::Read, this, [this, socket] { act(socket, CURL_CSELECT_IN); });
    if (!watch.write)
        watch.write = readinessOf(socket, QSocketNotifier::Write, this, [this, socket] { act(socket, CURL_CSELECT_OUT); });
    watch.read->setEnabled(what == CURL_POLL_IN || what == CURL_POLL_INOUT);
    watch.write->setEnabled(what == CURL_POLL_OUT || what == CURL_POLL_INOUT);
}

void CurlTransfer::unwatch(curl_socket_t socket)
{
    const Watch watch = m_watches.take(socket);
    for (QSocketNotifier *notifier : {watch.read, watch.write})
        if (notifier)
            retire(notifier);
}

void CurlTransfer::act(curl_socket_t socket, int events)
{
    int running = 0;
    curl_multi_socket_action(m_multi, socket, events, &running);
    int queued = 0;
    while (CURLMsg *message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg != CURLMSG_DONE || message->easy_handle != m_easy)
            continue;
        const CURLcode result = message->data.result;
        stop();
        emit done(result);
        return;
    }
}
