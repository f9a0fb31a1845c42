#include "ProgramLook.h"

#include "Accessibility.h"
#include "AppIdentity.h"
#include "AppTexts.h"
#include "Fonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ProgramLook {

void install()
{
    QApplication::setApplicationName(QString::fromUtf8(AppTexts::kApplicationTitle));
    AppIdentity::install();
    QApplication::setFont(Fonts::defaultFont());
    // The window keeps its design's look whatever style the desktop asks
    // for: Qt's own style, as on a desktop without settings.
    QApplication::setStyle(QString::fromLatin1(AppTexts::kStyle));
    Accessibility::install();

    // Standard buttons and menus in Chinese: "确定", "是", "否", "复制", "粘贴".
    const QLocale chinese(QLocale::Chinese, QLocale::China);
    QLocale::setDefault(chinese);
    auto *qtTexts = new QTranslator(qApp);
    if (qtTexts->load(chinese, QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtTexts);
    else
        delete qtTexts;
}

} // namespace ProgramLook
