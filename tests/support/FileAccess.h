#pragma once

#include <QFile>
#include <QString>
#include <QTest>

#include <optional>

#include <sys/fsuid.h>
#include <unistd.h>

// While it lives, file access on this thread is that of an unprivileged user
// and group when the tests run as root, whom permissions do not stop.
class UnprivilegedFileAccess
{
public:
    UnprivilegedFileAccess()
    {
        if (geteuid() == 0) {
            setfsgid(kNobody);
            setfsuid(kNobody);
        }
    }
    ~UnprivilegedFileAccess()
    {
        if (geteuid() == 0) {
            setfsuid(0);
            setfsgid(0);
        }
    }
    UnprivilegedFileAccess(const UnprivilegedFileAccess &) = delete;
    UnprivilegedFileAccess &operator=(const UnprivilegedFileAccess &) = delete;

private:
    static constexpr uid_t kNobody = 65534;
};

// Makes a path unwritable (a directory) or unreadable (a file) for this
// thread while it lives, and gives it back its owner's rights afterwards.
// The rights are changed while the thread still has its own.
class RestrictedPath
{
public:
    RestrictedPath(const QString &path, QFile::Permissions permissions)
        : m_path(path)
    {
        QFile::setPermissions(path, permissions);
        m_access.emplace();
    }
    ~RestrictedPath()
    {
        m_access.reset();
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

private:
    QString m_path;
    std::optional<UnprivilegedFileAccess> m_access;
};

// Replaces the file's content with bytes.
inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A directory that can be read and entered but not written.
inline QFile::Permissions readOnlyDirectory()
{
    return QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
}
