#include "AppFolder.h"

#include <QCoreApplication>
#include <QFile>

#ifdef Q_OS_LINUX
#include <climits>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// The longest folder path used as it is: with the names of the files under
// the folder it stays within SQLite's 512 bytes.
constexpr qsizetype kLongestPlainPath = 256;

#ifdef Q_OS_LINUX
constexpr char kRunningProgram[] = "/proc/self/exe";
constexpr char kDescriptors[] = "/proc/self/fd/";
#endif

} // namespace

AppFolder::AppFolder(const QByteArray &nativePath)
    : m_path(QFile::decodeName(nativePath))
{
#ifdef Q_OS_LINUX
    if (QFile::encodeName(m_path) == nativePath && nativePath.size() <= kLongestPlainPath)
        return;
    m_descriptor = ::open(nativePath.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (m_descriptor >= 0)
        m_path = QLatin1String(kDescriptors) + QString::number(m_descriptor);
#endif
}

AppFolder::~AppFolder()
{
#ifdef Q_OS_LINUX
    if (m_descriptor >= 0)
        ::close(m_descriptor);
#endif
}

QByteArray AppFolder::ofRunningProgram()
{
#ifdef Q_OS_LINUX
    // The link's target read into a buffer that grows until it holds all of it.
    QByteArray target(PATH_MAX, Qt::Uninitialized);
    for (;;) {
        const ssize_t length = ::readlink(kRunningProgram, target.data(), size_t(target.size()));
        if (length < 0)
            break;
        if (length < target.size()) {
            target.truncate(length);
            return target.left(qMax(target.lastIndexOf('/'), qsizetype(1)));
        }
        target.resize(target.size() * 2);
    }
#endif
    return QFile::encodeName(QCoreApplication::applicationDirPath());
}
