#pragma once

#include "CommandDatabase.h"
#include "FakeDesktop.h"
#include "RecordingSkin.h"
#include "library/LibraryTexts.h"
#include "ui/ControlArrays.h"
#include "ui/Form1.h"
#include "update/UpdateCheck.h"

#include <QDir>
#include <QListView>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// An application directory in a temporary folder, with a command database of
// the test's own, and the window built on it with a fake desktop.
class TestApp
{
public:
    using Commands = QList<CommandSource::Command>;

    explicit TestApp(const Commands &commands = defaultCommands())
    {
        if (!commands.isEmpty())
            writeDatabase(commands);
    }

    QString appDir() const { return m_dir.path(); }
    QString databasePath() const { return QDir(appDir()).filePath(QString::fromUtf8(LibraryTexts::kDatabaseFile)); }

    void writeDatabase(const Commands &commands)
    {
        const Result<void> written = CommandDatabase::write(databasePath(), QByteArray(LibraryTexts::kDatabasePassword), commands);
        QVERIFY2(written, qPrintable(written.error()));
    }

    // Builds the window; update settings default to a server that refuses.
    Form1 &window(UpdateSettings update = refusingUpdate())
    {
        m_window = std::make_unique<Form1>(Form1Environment{appDir(), desktop, skin, update});
        return *m_window;
    }

    // Builds the window and runs the start-up sequence; what start-up said
    // (the update warning) is then forgotten, so the records begin with the
    // test's own actions.
    Form1 &started(UpdateSettings update = refusingUpdate())
    {
        Form1 &form = window(update);
        form.Form_Load();
        waitForUpdateCheck();
        desktop.boxes.clear();
        desktop.log.clear();
        return form;
    }

    // Waits until the update check that start-up began has given its
    // verdict, and the window has acted on it.
    void waitForUpdateCheck() const
    {
        const auto *check = m_window->findChild<UpdateCheck *>();
        if (!check || !QTest::qWaitFor([check] { return !check->isRunning(); }, kUpdateCheckWaitMs))
            qFatal("the update check gave no verdict");
    }

    template<typename T>
    T *find(const QString &name) const
    {
        T *widget = m_window->findChild<T *>(name);
        if (!widget)
            qFatal("no control %s", qPrintable(name));
        return widget;
    }

    // The entries of List1, top to bottom.
    QStringList listed() const
    {
        QStringList names;
        const auto *model = find<QListView>(QStringLiteral("List1"))->model();
        for (int row = 0; row < model->rowCount(); ++row)
            names.append(model->index(row, 0).data().toString());
        return names;
    }

    // An update source on a local port that nothing listens on.
    static UpdateSettings refusingUpdate()
    {
        return {QUrl(QStringLiteral("http://127.0.0.1:9/version/main.txt")),
                QUrl(QStringLiteral("http://127.0.0.1:9/forum")), 2000};
    }

    static Commands defaultCommands()
    {
        return {
            {QStringLiteral("重启Apache2"), QStringLiteral("sudo systemctl restart apache2")},
            {QStringLiteral("查看当前目录"), QStringLiteral("pwd")},
            {QStringLiteral("更新软件源并升级"), QStringLiteral("apt-get update%apt-get upgrade -y")},
            {QStringLiteral("apache日志"), QStringLiteral("tail -f /var/log/apache2/error.log")},
        };
    }

    FakeDesktop desktop;
    RecordingSkin skin;

private:
    // Longer than any time-out the tests give the update check.
    static constexpr int kUpdateCheckWaitMs = 15'000;

    QTemporaryDir m_dir;
    std::unique_ptr<Form1> m_window;
};
