#pragma once

#include <QByteArray>
#include <QString>

// The folder the program lies in, as a path through which the files in it
// (the database, the skin, Source.list) are opened.
//
// Qt names files by text, so a folder whose name is not text in the system's
// encoding (a GBK name, as unpacking a Windows zip gives) cannot be named to
// it, and SQLite opens no path longer than 512 bytes. On Linux such a folder
// is opened once and reached through its descriptor, /proc/self/fd/N, a short
// path of plain text; the descriptor stays open as long as this object. Any
// other folder is reached by its own path.
class AppFolder
{
public:
    explicit AppFolder(const QByteArray &nativePath);
    ~AppFolder();
    AppFolder(const AppFolder &) = delete;
    AppFolder &operator=(const AppFolder &) = delete;

    // The folder of the running program, as the system spells it.
    static QByteArray ofRunningProgram();

    const QString &path() const { return m_path; }

private:
    int m_descriptor = -1;
    QString m_path;
};
