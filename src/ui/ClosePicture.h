#pragma once

#include <QPixmap>

// The close picture of the pages: a white cross on a dark disc, 21 x 21 pixels.
QPixmap closePicture();
