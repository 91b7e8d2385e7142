#pragma once

// The program's picture, drawn from the vector image compiled into the program.

#include <QIcon>
#include <QPixmap>

namespace kalverin {

// The picture at `side` by `side` device-independent pixels, sharp on the screen's scale.
QPixmap ProgramPicture(int side, qreal devicePixelRatio);
// The picture at the sizes window frames and task bars ask for.
QIcon ProgramIcon();

}  // namespace kalverin
