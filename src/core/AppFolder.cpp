#include "AppFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_LINUX
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The longest folder path used as it is: with the names of the files under
// the folder it stays within SQLite's 512 bytes.
constexpr qsizetype kLongestPlainPath = 256;

#ifdef Q_OS_LINUX
constexpr char kRunningProgram[] = "/proc/self/exe";
constexpr char kDescriptors[] = "/proc/self/fd/";
constexpr int kFolderFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;

// Opens the folder one name at a time, from the root or the current folder,
// so that no length of its path stops it; -1 when it cannot be opened.
int openFolder(const QByteArray &path)
{
    int folder = ::open(path.startsWith('/') ? "/" : ".", kFolderFlags);
    for (const QByteArray &name : path.split('/')) {
        if (folder < 0)
            break;
        if (name.isEmpty())
            continue;
        const int inner = ::openat(folder, name.constData(), kFolderFlags);
        ::close(folder);
        folder = inner;
    }
    return folder;
}

// The folder that startedAs names the running program in, opened; -1 when
// the name holds no folder (the program was found on the search path) or no
// longer leads to the running program.
int folderStartedFrom(const QByteArray &startedAs)
{
    const qsizetype slash = startedAs.lastIndexOf('/');
    if (slash < 0)
        return -1;
    const int folder = openFolder(startedAs.left(slash + 1));
    struct stat running = {};
    struct stat named = {};
    if (folder >= 0 && ::stat(kRunningProgram, &running) == 0
        && ::fstatat(folder, startedAs.mid(slash + 1).constData(), &named, 0) == 0 && named.st_dev == running.st_dev
        && named.st_ino == running.st_ino)
        return folder;
    if (folder >= 0)
        ::close(folder);
    return -1;
}

// The running program's path, when the system can name it.
QByteArray runningProgramPath()
{
    // The link's target read into a buffer that grows until it holds all of it.
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = ::readlink(kRunningProgram, target.data(), size_t(target.size()));
        if (length < 0)
            return {};
        if (length < target.size())
            return target.left(length);
        target.resize(target.size() * 2);
    }
}
#endif

} // namespace

AppFolder::AppFolder(const QByteArray &nativePath)
    : m_path(QFile::decodeName(nativePath))
{
#ifdef Q_OS_LINUX
    if (QFile::encodeName(m_path) == nativePath && nativePath.size() <= kLongestPlainPath)
        return;
    reachThrough(openFolder(nativePath));
#endif
}

AppFolder::AppFolder(int descriptor)
{
    reachThrough(descriptor);
}

AppFolder::~AppFolder()
{
#ifdef Q_OS_LINUX
    if (m_descriptor >= 0)
        ::close(m_descriptor);
#endif
}

void AppFolder::reachThrough(int descriptor)
{
#ifdef Q_OS_LINUX
    m_descriptor = descriptor;
    if (m_descriptor >= 0)
        m_path = QLatin1String(kDescriptors) + QString::number(m_descriptor);
#else
    Q_UNUSED(descriptor);
#endif
}

AppFolder AppFolder::ofRunningProgram(const char *startedAs)
{
#ifdef Q_OS_LINUX
    if (const QByteArray program = runningProgramPath(); !program.isEmpty())
        return AppFolder(program.left(qMax(program.lastIndexOf('/'), qsizetype(1))));
    // Deeper than the system names a path: the name the program was started by.
    if (const int folder = folderStartedFrom(QByteArray(startedAs)); folder >= 0)
        return AppFolder(folder);
#else
    Q_UNUSED(startedAs);
#endif
    // Before the application object exists (the command line is answered
    // first), Qt knows no program folder: the name started by tells it.
    if (!QCoreApplication::instance())
        return AppFolder(QFile::encodeName(QFileInfo(QFile::decodeName(startedAs)).absolutePath()));
    return AppFolder(QFile::encodeName(QCoreApplication::applicationDirPath()));
}
