#include "PictureBox.h"

namespace {
constexpr int kSunkenLineWidth = 2;
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
        setFrameStyle(QFrame::NoFrame);
        colours.setColor(QPalette::Window, colours.color(QPalette::Base));
        colours.setColor(QPalette::WindowText, colours.color(QPalette::Text));
        break;
    }
    setPalette(colours);
}
