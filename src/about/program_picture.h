#pragma once

// The program's picture, drawn from the vector image compiled into the program.

#include <QIcon>
#include <QPixmap>

namespace kalverin {

// The picture at `side` by `side` device-independent pixels, sharp on the screen's scale.
QPixmap ProgramPicture(int side, qreal devicePixelRatio);
// The picture as the window icon. The sizes window frames and task bars ask for are drawn at
// build time; any other size is drawn from the vectors. Each size is read or drawn once.
QIcon ProgramIcon();

}  // namespace kalverin
