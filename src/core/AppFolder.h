#pragma once

#include <QByteArray>
#include <QString>

// The folder the program lies in, as a path through which the files in it
// (the database, the skin, Source.list) are opened.
//
// Qt names files by text, so a folder whose name is not text in the system's
// encoding (a GBK name, as unpacking a Windows zip gives) cannot be named to
// it; SQLite opens no path longer than 512 bytes, and the system none longer
// than PATH_MAX. On Linux such a folder is opened once, one folder at a time,
// and reached through its descriptor, /proc/self/fd/N, a short path of plain
// text; the descriptor stays open as long as this object. Any other folder is
// reached by its own path.
class AppFolder
{
public:
    explicit AppFolder(const QByteArray &nativePath);
    ~AppFolder();
    AppFolder(const AppFolder &) = delete;
    AppFolder &operator=(const AppFolder &) = delete;

    // The folder of the running program. startedAs is the name it was started
    // by (argv[0]): when the program's folder is deeper than the system can
    // name, it is found through that name, from the current folder.
    static AppFolder ofRunningProgram(const char *startedAs);

    const QString &path() const { return m_path; }

private:
    explicit AppFolder(int descriptor);
    void reachThrough(int descriptor);

    int m_descriptor = -1;
    QString m_path;
};
