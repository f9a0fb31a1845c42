#pragma once

#include <QString>

// The look of the whole program. Start-up attaches the skin file and then
// adjusts its colours; a skin that cannot be attached leaves the look as it
// was, and the program goes on.
class SkinLayer
{
public:
    virtual ~SkinLayer() = default;
    virtual void attachEx(const QString &skinFilePath, const QString &password) = 0;
    virtual void adjustHsv(int hue, int saturation, int value) = 0;
};
