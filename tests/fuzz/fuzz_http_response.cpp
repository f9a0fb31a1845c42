// Any bytes a server or a proxy may send, served from 127.0.0.1 to the update
// fetch: it never crashes, always finishes, keeps within its body cap, and
// reads the same answer however the connection cuts the bytes into pieces.
#include "update/HttpTextFetch.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>

#include <cstdlib>

namespace {

// Far beyond what a fetch from a server that closes at once takes.
constexpr int kDeadlineMs = 5000;

// Serves the bytes it was given to every request, a piece at a time, and
// then closes the connection. It is also the proxy of every fetch, so that a
// redirect to any address comes back here.
class PieceServer : public QObject
{
public:
    PieceServer()
    {
        if (!m_server.listen(QHostAddress::LocalHost))
            qFatal("no local port for the fuzz server");
        qputenv("http_proxy", "http://127.0.0.1:" + QByteArray::number(m_server.serverPort()));
        qunsetenv("no_proxy");
        connect(&m_server, &QTcpServer::newConnection, this, &PieceServer::accept);
    }

    void serve(QByteArrayView bytes, qsizetype piece)
    {
        m_bytes = bytes;
        m_piece = piece;
    }

private:
    void accept()
    {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, head = QByteArray()]() mutable {
                if (head.contains("\r\n\r\n"))
                    return;
                head += socket->readAll();
                if (head.contains("\r\n\r\n"))
                    answer(socket);
            });
        }
    }

    void answer(QTcpSocket *socket) const
    {
        for (qsizetype at = 0; at < m_bytes.size(); at += m_piece) {
            socket->write(m_bytes.sliced(at, std::min(m_piece, m_bytes.size() - at)).toByteArray());
            socket->flush();
        }
        socket->disconnectFromHost();
    }

    QTcpServer m_server;
    QByteArrayView m_bytes;
    qsizetype m_piece = 1;
};

std::optional<QByteArray> fetched(PieceServer &server, QByteArrayView bytes, qsizetype piece)
{
    server.serve(bytes, piece);
    HttpTextFetch fetch(kDeadlineMs);
    std::optional<QByteArray> body;
    QEventLoop wait;
    QObject::connect(&fetch, &HttpTextFetch::finished, &wait, [&](const Result<QString> &answer) {
        if (answer)
            body = answer->toUtf8();
        wait.quit();
    });
    fetch.start(QUrl(QStringLiteral("http://update.example/version/main.txt")));
    wait.exec();
    return body;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_http_response";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static PieceServer server;
    if (size == 0)
        return 0;
    // The first byte chooses the size of the pieces.
    const qsizetype piece = data[0] + 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const std::optional<QByteArray> whole = fetched(server, bytes, bytes.size() + 1);
    const std::optional<QByteArray> cut = fetched(server, bytes, piece);
    if (whole && whole->size() > HttpTextFetch::kMaxBodyBytes)
        std::abort();
    if (whole != cut)
        std::abort();
    return 0;
}
