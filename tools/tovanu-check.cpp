// Checks the shipped command library before it is built into the database:
//
//   tovanu-check SOURCE.txt
//
// prints "第N行: reason" for each fault and ends with 1 when there is one.
#include "CommandCheck.h"
#include "ListWidth.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The list is measured, never shown: no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "用法: tovanu-check 源文件\n");
        return EXIT_FAILURE;
    }
    QFile source(args.at(1));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "tovanu-check: 无法读取 %s: %s\n", qPrintable(args.at(1)), qPrintable(source.errorString()));
        return EXIT_FAILURE;
    }
    const ListWidth list;
    const auto faults = CommandCheck::check(source.readAll(),
                                            [&list](const QString &name) { return list.problemOf(name); });
    for (const CommandCheck::Fault &fault : faults) {
        const QString where = fault.line > 0 ? QStringLiteral("第%1行: ").arg(fault.line) : QString();
        std::printf("%s%s\n", qPrintable(where), qPrintable(fault.reason));
    }
    return faults.isEmpty() ? EXIT_SUCCESS : EXIT_FAILURE;
}
