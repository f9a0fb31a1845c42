#include "ShellSyntax.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace ShellSyntax {

namespace {

// How long one tool run may take, in milliseconds.
constexpr int kToolTimeoutMs = 120000;

// ShellCheck's advice that does not fit commands typed into an interactive
// root shell: "cd … || exit" would close the user's session; and the paste
// guard's "case" on its list of placeholders is constant on purpose (the
// checker holds the guard to its one exact form).
const QStringList kExcludedChecks = {QStringLiteral("SC2164"), QStringLiteral("SC2194")};

struct Run {
    bool started = false;
    int exitCode = -1;
    QString output; // standard output and error together
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run result;
    result.started = process.waitForStarted() && process.waitForFinished(kToolTimeoutMs);
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromUtf8(process.readAll());
    return result;
}

QString firstLine(const QString &text)
{
    return text.trimmed().section(QLatin1Char('\n'), 0, 0);
}

// bash's "line N: message" as "bash -n(命令第N行): message". An unedited
// command that does not parse defeats its guard: bash runs the lines after a
// syntax error of a paste on their own.
QString bashFault(const QString &message, bool unedited)
{
    const QString tool = unedited ? QStringLiteral("未修改就粘贴时bash -n") : QStringLiteral("bash -n");
    const QString hint = unedited ? QStringLiteral("(多行命令里的占位符请写在单引号里)") : QString();
    static const QRegularExpression line(QStringLiteral("^line (\\d+): "));
    const QRegularExpressionMatch match = line.match(message);
    if (!match.hasMatch())
        return QStringLiteral("%1: %2%3").arg(tool, message, hint);
    return QStringLiteral("%1(命令第%2行): %3%4").arg(tool, match.captured(1), message.mid(match.capturedLength()), hint);
}

} // namespace

QList<CommandCheck::Fault> shellCheckFaults(const QString &output, const QHash<QString, int> &lineOfFile)
{
    static const QRegularExpression pattern(QStringLiteral("^(.*):(\\d+):\\d+: (\\w+): (.*)$"),
                                            QRegularExpression::MultilineOption);
    QList<CommandCheck::Fault> faults;
    for (auto it = pattern.globalMatch(output); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const QString file = QFileInfo(match.captured(1)).fileName();
        faults.append({lineOfFile.value(file), QStringLiteral("ShellCheck %1(命令第%2行): %3")
                                                   .arg(match.captured(3), match.captured(2), match.captured(4))});
    }
    return faults;
}

QList<CommandCheck::Fault> check(const QList<Script> &scripts)
{
    QTemporaryDir dir;
    if (!dir.isValid())
        return {{0, QStringLiteral("无法建立临时目录: %1").arg(dir.errorString())}};
    QList<CommandCheck::Fault> faults;
    QHash<QString, int> lineOfFile;
    QStringList files;
    for (const Script &script : scripts) {
        const QString name = (script.unedited ? QStringLiteral("line-%1-unedited.sh") : QStringLiteral("line-%1.sh")).arg(script.line);
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(script.text.toUtf8() + '\n') < 0 || !file.flush())
            return {{0, QStringLiteral("无法写入 %1: %2").arg(file.fileName(), file.errorString())}};
        file.close();
        lineOfFile.insert(name, script.line);
        if (!script.unedited)
            files.append(file.fileName());

        const Run bash = run(QStringLiteral("bash"), {QStringLiteral("-n"), file.fileName()});
        if (!bash.started)
            return {{0, QStringLiteral("无法运行 bash")}};
        if (bash.exitCode != 0 || !bash.output.trimmed().isEmpty())
            faults.append({script.line, bashFault(firstLine(bash.output).remove(file.fileName() + QLatin1String(": ")), script.unedited)});
    }
    if (files.isEmpty())
        return faults;

    const Run shellCheck = run(QStringLiteral("shellcheck"),
                               QStringList{QStringLiteral("--severity=warning"), QStringLiteral("--shell=bash"),
                                           QStringLiteral("--format=gcc"), QStringLiteral("--exclude=") + kExcludedChecks.join(QLatin1Char(','))}
                                   + files);
    // ShellCheck ends with 0 when all is well and 1 when it found something.
    if (!shellCheck.started || (shellCheck.exitCode != 0 && shellCheck.exitCode != 1))
        return faults + QList<CommandCheck::Fault>{{0, QStringLiteral("无法运行 shellcheck: %1").arg(firstLine(shellCheck.output))}};
    return faults + shellCheckFaults(shellCheck.output, lineOfFile);
}

} // namespace ShellSyntax
