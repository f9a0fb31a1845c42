#include "platform/ClipboardKeeper.h"

#include "XcbAtom.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QScopeGuard>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <unistd.h>

extern char **environ;

namespace ClipboardKeeper {
namespace {

// How long the ending program waits for the child to hold the clipboard.
constexpr int kHandOverMs = 3000;
constexpr int kMillisecondsPerSecond = 1000;
constexpr int kMicrosecondsPerMillisecond = 1000;
// The running program, whatever its path has become.
constexpr char kThisProgram[] = "/proc/self/exe";
constexpr char kNullDevice[] = "/dev/null";
// What the child says once it holds the clipboard.
constexpr char kHeld = '1';
constexpr char kXcbPlatform[] = "xcb";

// Whether a clipboard manager runs on the display (it owns the selection
// CLIPBOARD_MANAGER); Qt then hands the clipboard to it.
bool clipboardManagerRuns(xcb_connection_t *connection)
{
    const xcb_get_selection_owner_cookie_t cookie = xcb_get_selection_owner(connection, xcbAtom(connection, "CLIPBOARD_MANAGER"));
    xcb_get_selection_owner_reply_t *reply = xcb_get_selection_owner_reply(connection, cookie, nullptr);
    const bool runs = reply && reply->owner != XCB_NONE;
    std::free(reply);
    return runs;
}

// Starts the child in a session of its own, its input and output the given
// socket, its errors nowhere; false when it could not be started.
bool startChild(int socket)
{
    const QByteArray name = QFile::encodeName(QCoreApplication::applicationFilePath());
    const char *const arguments[] = {name.constData(), kServeOption, "-platform", kXcbPlatform, nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, socket, STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, socket, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, kNullDevice, O_WRONLY, 0);
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    pid_t child = 0;
    const bool started = posix_spawn(&child, kThisProgram, &actions, &attributes, const_cast<char *const *>(arguments), environ) == 0;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return started;
}

// Sends all of the bytes; false when the child stopped taking them or the
// socket's time-out passed.
bool sendAll(int socket, QByteArrayView bytes)
{
    while (!bytes.isEmpty()) {
        const ssize_t sent = ::send(socket, bytes.data(), size_t(bytes.size()), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        bytes = bytes.sliced(sent);
    }
    return true;
}

// Waits, within the hand-over's time, for the child to say it holds the clipboard.
void awaitHeld(int socket)
{
    pollfd answer{socket, POLLIN, 0};
    char said = 0;
    if (::poll(&answer, 1, kHandOverMs) == 1 && ::read(socket, &said, 1) == 1 && said == kHeld)
        return;
    qWarning("the clipboard could not be handed over; it goes with the program");
}

} // namespace

void handOver()
{
    xcb_connection_t *connection = xcbConnection();
    const QClipboard *clipboard = QGuiApplication::clipboard();
    if (!connection || !clipboard->ownsClipboard() || clipboardManagerRuns(connection))
        return;
    int ends[2] = {-1, -1};
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) != 0)
        return;
    const int own = ends[0];
    const int childs = ends[1];
    const auto closeOwn = qScopeGuard([own] { ::close(own); });
    const bool started = startChild(childs);
    ::close(childs);
    const timeval timeout{kHandOverMs / kMillisecondsPerSecond, (kHandOverMs % kMillisecondsPerSecond) * kMicrosecondsPerMillisecond};
    if (started && ::setsockopt(own, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout) == 0
        && sendAll(own, clipboard->text().toUtf8()) && ::shutdown(own, SHUT_WR) == 0)
        awaitHeld(own);
}

int serve(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QFile input;
    if (!input.open(STDIN_FILENO, QIODevice::ReadOnly))
        return EXIT_FAILURE;
    const QString text = QString::fromUtf8(input.readAll());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(text);
    if (!clipboard->ownsClipboard())
        return EXIT_FAILURE;
    // Said, the parent may go; the input and output are let go with it.
    const bool told = ::write(STDOUT_FILENO, &kHeld, 1) == 1;
    const int nothing = ::open(kNullDevice, O_RDWR | O_CLOEXEC);
    ::dup2(nothing, STDIN_FILENO);
    ::dup2(nothing, STDOUT_FILENO);
    ::close(nothing);
    if (!told)
        return EXIT_FAILURE;
    QObject::connect(clipboard, &QClipboard::changed, &app, [clipboard](QClipboard::Mode mode) {
        if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard())
            QCoreApplication::quit();
    });
    return QGuiApplication::exec();
}

} // namespace ClipboardKeeper
