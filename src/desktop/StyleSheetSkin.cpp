#include "StyleSheetSkin.h"

#include "HsvShift.h"

#include <QApplication>
#include <QFile>

#include <utility>

void StyleSheetSkin::attachEx(const QString &skinFilePath, const QString &)
{
    QFile file(skinFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    m_attached = Attached{QString::fromUtf8(file.readAll()), QApplication::palette()};
    m_applyPending = true;
    QMetaObject::invokeMethod(&m_pendingApply, [this] {
        if (std::exchange(m_applyPending, false))
            qApp->setStyleSheet(m_attached->styleSheet);
    }, Qt::QueuedConnection);
}

void StyleSheetSkin::adjustHsv(int hue, int saturation, int value)
{
    if (!m_attached)
        return;
    m_applyPending = false;
    const Skin::HsvShift shift{hue, saturation, value};
    QApplication::setPalette(Skin::shifted(m_attached->palette, shift));
    qApp->setStyleSheet(Skin::shiftedStyleSheet(m_attached->styleSheet, shift));
}
