#include "StyleSheetSkin.h"

#include "HsvShift.h"

#include <QApplication>
#include <QFile>

void StyleSheetSkin::attachEx(const QString &skinFilePath, const QString &)
{
    QFile file(skinFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    m_attached = Attached{QString::fromUtf8(file.readAll()), QApplication::palette()};
    qApp->setStyleSheet(m_attached->styleSheet);
}

void StyleSheetSkin::adjustHsv(int hue, int saturation, int value)
{
    if (!m_attached)
        return;
    const Skin::HsvShift shift{hue, saturation, value};
    QApplication::setPalette(Skin::shifted(m_attached->palette, shift));
    qApp->setStyleSheet(Skin::shiftedStyleSheet(m_attached->styleSheet, shift));
}
