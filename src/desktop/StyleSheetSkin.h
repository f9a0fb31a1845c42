#pragma once

#include "SkinLayer.h"

#include <QObject>
#include <QPalette>
#include <QString>

#include <optional>

// The program's skin: a Qt style sheet read from the skin file and applied to
// the whole application. Adjusting it shifts the colours of the style sheet
// and of the application palette, always from the skin as attached, so the
// same adjustment twice gives the same look. An attached skin is applied
// when the program next handles its events, unless an adjustment applies it
// first: start-up attaches and adjusts at once, and every widget is styled
// once, not once for the skin as attached and again for its adjustment.
class StyleSheetSkin final : public SkinLayer
{
public:
    // The skin file is plain text and has no password. A file that cannot be
    // read, or is not a regular file, leaves the look as it was.
    void attachEx(const QString &skinFilePath, const QString &password) override;
    // Without an attached skin, nothing changes.
    void adjustHsv(int hue, int saturation, int value) override;

private:
    struct Attached {
        QString styleSheet;
        QPalette palette;
    };
    std::optional<Attached> m_attached;
    bool m_applyPending = false;
    QObject m_pendingApply; // the pending application ends with the skin
};
