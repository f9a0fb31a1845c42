// Writing Source.list through a descriptor of the program's folder, so that
// nothing swapped in under the name between a look and a write is written.
#include "Sources.h"

#include "SourcesTexts.h"

#include <QFile>
#include <QRandomGenerator>
#include <QStringEncoder>

#include <cerrno>
#include <optional>
#include <utility>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Sources {

namespace {

// A file the program makes: read and write for all, less the user's umask.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 0777;
// Tries at a name for the new file before giving up on the folder.
constexpr int kScratchNameTries = 16;
constexpr int kScratchSuffixLength = 8;
constexpr char kScratchPrefix[] = ".Source.list.";
// Where a descriptor of the program is opened anew, as the file it points at.
constexpr char kOwnDescriptors[] = "/proc/self/fd/";

// An open descriptor, closed when this goes.
class Descriptor
{
public:
    explicit Descriptor(int descriptor) : m_descriptor(descriptor) {}
    ~Descriptor()
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    bool isOpen() const { return m_descriptor >= 0; }
    int get() const { return m_descriptor; }
    // Closes it now; false with errno when closing reports a failed write.
    bool close() { return ::close(std::exchange(m_descriptor, -1)) == 0; }

private:
    int m_descriptor;
};

Failure systemFailure(int error = errno)
{
    return {qt_error_string(error)};
}

Failure notRegularFile()
{
    return {QString::fromUtf8(SourcesTexts::kNotRegularFile)};
}

// A loop or an over-long chain of links is not a file to write; any other
// errno is the system's own reason.
Failure openFailure(int error = errno)
{
    return error == ELOOP ? notRegularFile() : systemFailure(error);
}

// Writes all of bytes at offset, through short and interrupted writes.
bool writeAt(int file, QByteArrayView bytes, off_t offset)
{
    while (!bytes.isEmpty()) {
        const ssize_t step = ::pwrite(file, bytes.data(), size_t(bytes.size()), offset);
        if (step < 0 && errno == EINTR)
            continue;
        if (step <= 0) {
            if (step == 0)
                errno = EIO;
            return false;
        }
        bytes = bytes.sliced(step);
        offset += step;
    }
    return true;
}

// Puts bytes in place of a regular file's content. What lies past the old end
// is written first: when that fails (a full disk) the file is cut back to its
// old length and holds its old content; the rest only overwrites blocks the
// file already has.
Result<void> overwrite(int file, const QByteArray &bytes, off_t oldSize)
{
    const qsizetype covered = qsizetype(qMin<off_t>(oldSize, bytes.size()));
    if (!writeAt(file, QByteArrayView(bytes).sliced(covered), covered)) {
        const int error = errno;
        if (::ftruncate(file, oldSize) != 0)
            return systemFailure();
        return systemFailure(error);
    }
    if (!writeAt(file, QByteArrayView(bytes).first(covered), 0) || ::ftruncate(file, bytes.size()) != 0)
        return systemFailure();
    return {};
}

// Writes the file the name leads to, in place. The name is followed once, to
// a descriptor that only points at the file; that file is looked at and,
// when it is a regular file, opened for writing through the descriptor, so
// no other file is ever opened, however the name changes meanwhile (opening
// a device can act, opening a pipe can wait for a reader).
Result<void> writeInPlace(int folder, const QByteArray &bytes)
{
    const Descriptor target(::openat(folder, SourcesTexts::kFileName, O_PATH | O_CLOEXEC));
    if (!target.isOpen())
        return openFailure();
    struct stat status = {};
    if (::fstat(target.get(), &status) != 0)
        return systemFailure();
    if (!S_ISREG(status.st_mode))
        return notRegularFile();
    const QByteArray reopened = kOwnDescriptors + QByteArray::number(target.get());
    Descriptor file(::open(reopened.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (!file.isOpen())
        return systemFailure();
    if (const Result<void> written = overwrite(file.get(), bytes, status.st_size); !written)
        return written;
    if (!file.close())
        return systemFailure();
    return {};
}

// Opens a new file in the folder under a name nothing else holds; -1 with
// errno when the folder takes no new file.
int makeScratch(int folder, QByteArray &name)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < kScratchNameTries; ++attempt) {
        name = kScratchPrefix;
        for (int i = 0; i < kScratchSuffixLength; ++i)
            name.append(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
        const int file = ::openat(folder, name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
        if (file >= 0 || errno != EEXIST)
            return file;
    }
    return -1;
}

// Fills the new file and renames it over Source.list: the name, whatever it
// has become, now holds the new file, and nothing it led to was touched.
Result<void> replaceBy(int folder, Descriptor &scratch, const QByteArray &scratchName, const QByteArray &bytes,
                       std::optional<mode_t> keptMode)
{
    const bool done = (!keptMode || ::fchmod(scratch.get(), *keptMode & kPermissionBits) == 0)
        && writeAt(scratch.get(), bytes, 0) && ::fdatasync(scratch.get()) == 0 && scratch.close()
        && ::renameat(folder, scratchName.constData(), folder, SourcesTexts::kFileName) == 0;
    if (done)
        return {};
    const int error = errno;
    ::unlinkat(folder, scratchName.constData(), 0);
    return systemFailure(error);
}

} // namespace

Result<void> write(const QString &folderPath, const QString &text)
{
    // The text as the system writes text files.
    QStringEncoder encode(QStringConverter::System);
    const QByteArray bytes = encode(text + QLatin1String(LineEnd::kGiven));

    const Descriptor folder(::open(QFile::encodeName(folderPath).constData(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (!folder.isOpen())
        return systemFailure();
    struct stat entry = {};
    std::optional<mode_t> keptMode;
    if (::fstatat(folder.get(), SourcesTexts::kFileName, &entry, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(entry.st_mode))
            return writeInPlace(folder.get(), bytes);
        if (!S_ISREG(entry.st_mode))
            return notRegularFile();
        keptMode = entry.st_mode;
    } else if (errno != ENOENT) {
        return systemFailure();
    }

    QByteArray scratchName;
    Descriptor scratch(makeScratch(folder.get(), scratchName));
    if (scratch.isOpen())
        return replaceBy(folder.get(), scratch, scratchName, bytes, keptMode);
    // A folder that takes no new file (read-only, or another user's) can still
    // hold a Source.list the user may write.
    if (keptMode && (errno == EACCES || errno == EPERM))
        return writeInPlace(folder.get(), bytes);
    return systemFailure();
}

} // namespace Sources
