#include "PictureBox.h"

namespace {
constexpr int kSunkenLineWidth = 2;
constexpr int kFlatLineWidth = 1;
}

// Colours are given by role, so that they follow the desktop's scheme; what
// the box holds takes the same roles.
PictureBox::PictureBox(Look look, QWidget *parent)
    : QFrame(parent)
{
    setAutoFillBackground(true);
    switch (look) {
    case Look::Default:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(kSunkenLineWidth);
        setBackgroundRole(QPalette::Button);
        break;
    case Look::NoBorder:
        setFrameStyle(QFrame::NoFrame);
        break;
    case Look::WindowColours:
        // Flat: a single plain line around the window colours, the desktop's
        // window background and window text.
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(kFlatLineWidth);
        setBackgroundRole(QPalette::Base);
        setForegroundRole(QPalette::Text);
        break;
    }
}
