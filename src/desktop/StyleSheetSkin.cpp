#include "StyleSheetSkin.h"

#include "HsvShift.h"

#include <QApplication>
#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace {

// The text of the skin file; nothing when it cannot be read or is not a
// regular file. It is opened without waiting, so a pipe in its place (whose
// writer may never come) is let go at once, as a missing file is.
std::optional<QString> skinText(const QString &path)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    QFile file;
    struct stat status = {};
    if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)
        || !file.open(descriptor, QIODevice::ReadOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
    }
    return QString::fromUtf8(file.readAll());
}

} // namespace

void StyleSheetSkin::attachEx(const QString &skinFilePath, const QString &)
{
    const std::optional<QString> styleSheet = skinText(skinFilePath);
    if (!styleSheet)
        return;
    m_attached = Attached{*styleSheet, QApplication::palette()};
    m_applyPending = true;
    QMetaObject::invokeMethod(&m_pendingApply, [this] {
        if (std::exchange(m_applyPending, false))
            qApp->setStyleSheet(m_attached->styleSheet);
    }, Qt::QueuedConnection);
}

void StyleSheetSkin::adjustHsv(int hue, int saturation, int value)
{
    if (!m_attached)
        return;
    m_applyPending = false;
    const Skin::HsvShift shift{hue, saturation, value};
    QApplication::setPalette(Skin::shifted(m_attached->palette, shift));
    qApp->setStyleSheet(Skin::shiftedStyleSheet(m_attached->styleSheet, shift));
}
