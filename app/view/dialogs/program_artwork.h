// The program's own pictures, drawn rather than loaded: the start-up picture (a trend
// recorder over the plant's night sky, with the program name) and the program emblem
// used by the About box and the countdown window.
#pragma once

#include <QPixmap>

namespace tk70 {

// The start-up picture, 480 x 320 pixels; its lower band is black so that the start-up
// window's texts sit on black.
QPixmap startupPicture();
// The program emblem, size x size pixels: a trend line in a rounded square.
QPixmap programEmblem(int size);

}  // namespace tk70
