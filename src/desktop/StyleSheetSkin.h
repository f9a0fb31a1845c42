#pragma once

#include "SkinLayer.h"

#include <QPalette>
#include <QString>

#include <optional>

// The program's skin: a Qt style sheet read from the skin file and applied to
// the whole application. Adjusting it shifts the colours of the style sheet
// and of the application palette, always from the skin as attached, so the
// same adjustment twice gives the same look.
class StyleSheetSkin final : public SkinLayer
{
public:
    // The skin file is plain text and has no password. Returns 1 when the
    // skin is attached and 0, leaving the look as it was, when the file
    // cannot be read.
    int attachEx(const QString &skinFilePath, const QString &password) override;
    // Returns 1 when the attached skin was adjusted and 0 when there is none.
    int adjustHsv(int hue, int saturation, int value) override;

private:
    struct Attached {
        QString styleSheet;
        QPalette palette;
    };
    std::optional<Attached> m_attached;
};
