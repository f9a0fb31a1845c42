#pragma once

#include "SkinLayer.h"

// The program's skin: a Qt style sheet read from the skin file and applied to
// the whole application.
class StyleSheetSkin final : public SkinLayer
{
public:
    int attachEx(const QString &skinFilePath, const QString &password) override;
    int adjustHsv(int hue, int saturation, int value) override;
};
