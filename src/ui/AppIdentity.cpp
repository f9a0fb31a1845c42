#include "AppIdentity.h"

#include "ui/chrome/ChromeAssets.h"

#include <QGuiApplication>

namespace AppIdentity {

QIcon designIcon()
{
    QIcon icon;
    for (const char *size : ChromeAssets::kWindowIcon)
        icon.addFile(QString::fromLatin1(size));
    return icon;
}

void install()
{
    const QString id = QStringLiteral(TOVANU_APP_ID);
    QGuiApplication::setDesktopFileName(id);
    QGuiApplication::setWindowIcon(QIcon::fromTheme(id, designIcon()));
}

} // namespace AppIdentity
