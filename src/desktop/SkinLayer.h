#pragma once

#include <QString>

// The look of the whole program. Start-up attaches the skin file and then
// adjusts its colours; the program never looks at what either call returns.
class SkinLayer
{
public:
    virtual ~SkinLayer() = default;
    virtual int attachEx(const QString &skinFilePath, const QString &password) = 0;
    virtual int adjustHsv(int hue, int saturation, int value) = 0;
};
