// The sources text after any edit, written as Source.list: the file holds
// exactly the text and CR LF, and a write never leaves a partial file beside it.
#include "pages/Sources.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Source.list"));
    // The edit: bytes of the input spliced into the recommended text.
    QString text = Sources::text();
    const QString edit = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const qsizetype at = size ? qsizetype(data[0]) * text.size() / 256 : 0;
    text.replace(at, edit.size() / 2, edit);

    if (!Sources::write(path, text))
        std::abort();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    QStringEncoder encode(QStringConverter::System);
    const QByteArray expected = encode(text + QLatin1String("\r\n"));
    if (file.readAll() != expected)
        std::abort();
    if (QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size() != 1)
        std::abort();
    return 0;
}
