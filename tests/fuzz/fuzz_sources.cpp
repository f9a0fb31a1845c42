// The sources text after any edit, written as Source.list over what the
// input's second byte puts at the name: nothing, a regular file and a link to
// one get exactly the text and CR LF; a pipe and a loop of links stay as they
// are; a write never leaves a file of its own beside Source.list.
#include "pages/Sources.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdlib>
#include <sys/stat.h>

namespace {

enum class Scene { Nothing, File, LinkToFile, Pipe, LinkLoop, Count };

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    static QTemporaryDir elsewhere;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Source.list"));
    const QString target = QDir(elsewhere.path()).filePath(QStringLiteral("target"));
    QFile::remove(path);
    QFile::remove(target);

    // The edit: bytes of the input spliced into the recommended text.
    QString text = Sources::text();
    const QString edit = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype at = size ? qsizetype(data[0]) * text.size() / 256 : 0;
    text.replace(at, edit.size() / 2, edit);
    const auto scene = Scene(size > 1 ? data[1] % int(Scene::Count) : 0);
    const QByteArray name = QFile::encodeName(path);
    switch (scene) {
    case Scene::Nothing:
        break;
    case Scene::File:
    case Scene::LinkToFile: {
        QFile earlier(scene == Scene::File ? path : target);
        if (!earlier.open(QIODevice::WriteOnly) || earlier.write("earlier") < 0)
            std::abort();
        if (scene == Scene::LinkToFile && !QFile::link(target, path))
            std::abort();
        break;
    }
    case Scene::Pipe:
        if (mkfifo(name.constData(), 0600) != 0)
            std::abort();
        break;
    case Scene::LinkLoop:
    case Scene::Count:
        if (symlink(name.constData(), name.constData()) != 0)
            std::abort();
        break;
    }

    const Result<void> written = Sources::write(dir.path(), text);
    struct stat node = {};
    if (lstat(name.constData(), &node) != 0)
        std::abort();
    if (scene == Scene::Pipe || scene == Scene::LinkLoop) {
        if (written || (scene == Scene::Pipe) != S_ISFIFO(node.st_mode) || (scene == Scene::LinkLoop) != S_ISLNK(node.st_mode))
            std::abort();
    } else {
        QStringEncoder encode(QStringConverter::System);
        const QByteArray expected = encode(text + QLatin1Char('\n'));
        if (!written || contentOf(path) != expected || (scene == Scene::LinkToFile) != S_ISLNK(node.st_mode))
            std::abort();
    }
    if (QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size() != 1)
        std::abort();
    return 0;
}
