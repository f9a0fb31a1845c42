#pragma once

#include "desktop/SkinLayer.h"

#include <QStringList>

#include <functional>

// A skin layer that records its calls; onCall runs at each call, so a test
// can look at the window at that moment of start-up.
class RecordingSkin final : public SkinLayer
{
public:
    void attachEx(const QString &skinFilePath, const QString &password) override
    {
        calls.append(QStringLiteral("attachEx:%1:%2").arg(skinFilePath, password));
        if (onCall)
            onCall();
    }
    void adjustHsv(int hue, int saturation, int value) override
    {
        calls.append(QStringLiteral("adjustHsv:%1,%2,%3").arg(hue).arg(saturation).arg(value));
        if (onCall)
            onCall();
    }

    QStringList calls;
    std::function<void()> onCall;
};
