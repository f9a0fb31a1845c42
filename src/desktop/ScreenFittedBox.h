#pragma once

#include <QMessageBox>

// A message box that never grows past the screen it shows on: a text too
// tall for the screen's free area (the desktop's panels left out) is shown
// shortened in its middle, its beginning and end kept. The box opens centred
// over its window under any window manager.
class ScreenFittedBox final : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void placeOverWindow();
};
