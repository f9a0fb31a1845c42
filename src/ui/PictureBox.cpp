#include "PictureBox.h"

namespace {
constexpr int kSunkenLineWidth = 2;
constexpr int kFlatLineWidth = 1;
}

PictureBox::PictureBox(Look look, QWidget *parent)
    : QFrame(parent)
{
    setAutoFillBackground(true);
    QPalette colours = palette();
    switch (look) {
    case Look::Default:
        setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setLineWidth(kSunkenLineWidth);
        colours.setColor(QPalette::Window, colours.color(QPalette::Button));
        break;
    case Look::NoBorder:
        setFrameStyle(QFrame::NoFrame);
        break;
    case Look::WindowColours:
        // Flat: a single plain line around the window colours.
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(kFlatLineWidth);
        colours.setColor(QPalette::Window, colours.color(QPalette::Base));
        colours.setColor(QPalette::WindowText, colours.color(QPalette::Text));
        break;
    }
    setPalette(colours);
}
