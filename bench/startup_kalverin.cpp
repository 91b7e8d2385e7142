// Kalverin's own start, ended right after the main window's first paint.

#include "app/kalverin_app.h"

int main(int argc, char** argv) {
    return kalverin::RunKalverin(argc, argv, kalverin::StartOptions{.quitAfterFirstPaint = true});
}
