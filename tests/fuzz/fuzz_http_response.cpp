// Any bytes a server or a proxy may send: the response reader never crashes,
// keeps within its caps, and reads the same answer however the bytes are cut
// into pieces by the connection.
#include "update/HttpResponse.h"

#include <algorithm>
#include <cstdlib>

namespace {

struct Reading {
    HttpResponse::State state;
    int status;
    QByteArray body;
};

Reading read(QByteArrayView bytes, qsizetype piece)
{
    HttpResponse response;
    for (qsizetype at = 0; at < bytes.size(); at += piece)
        response.feed(bytes.sliced(at, std::min(piece, bytes.size() - at)));
    response.close();
    return {response.state(), response.status(), response.body()};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    // The first byte chooses the size of the pieces.
    const qsizetype piece = data[0] + 1;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const Reading whole = read(bytes, bytes.size() + 1);
    const Reading cut = read(bytes, piece);
    if (whole.state == HttpResponse::State::Reading || whole.body.size() > HttpResponse::kMaxBodyBytes)
        std::abort();
    if (whole.state != cut.state || whole.body != cut.body
        || (whole.state == HttpResponse::State::Complete && whole.status != cut.status))
        std::abort();
    return 0;
}
