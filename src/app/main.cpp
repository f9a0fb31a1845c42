#include "CommandLine.h"
#include "AppFolder.h"
#include "desktop/platform/ClipboardKeeper.h"
#include "desktop/QtDesktop.h"
#include "desktop/StyleSheetSkin.h"
#include "library/LibraryLoad.h"
#include "ui/Form1.h"
#include "ui/ProgramLook.h"

#include <QApplication>

#include <cstring>

int main(int argc, char *argv[])
{
    // The child that keeps a copy on the clipboard after the program ended.
    if (argc > 1 && std::strcmp(argv[1], ClipboardKeeper::kServeOption) == 0)
        return ClipboardKeeper::serve(argc, argv);
    const AppFolder folder = AppFolder::ofRunningProgram(argv[0]);
    // The program's own options are answered before there is any window;
    // Qt's own are left for QApplication to take.
    if (const std::optional<int> status = CommandLine::answer(argc, argv, folder.path()))
        return *status;

    QApplication app(argc, argv);
    // The library opens while Qt sets up and the window is built.
    LibraryLoad library(folder.path());
    ProgramLook::install();

    QtDesktop desktop;
    StyleSheetSkin skin;
    Form1 window({folder.path(), desktop, skin, UpdateSettings::builtIn(), &library});
    desktop.setWindow(&window);
    if (window.Form_Load())
        QApplication::exec();
    // Where no clipboard manager takes the copy over, a child keeps it.
    ClipboardKeeper::handOver();
    // The status the program was ended with, in start-up or later.
    return desktop.endStatus().value_or(EXIT_SUCCESS);
}
