#pragma once

namespace kalverin {

// How the program runs once started; main leaves every option at its default.
struct StartOptions {
    // Ends the program right after the main window's first paint, the catalogue loaded: the
    // start-up benchmark measures the time to a usable window this way.
    bool quitAfterFirstPaint = false;
};

// The program's start: the application, the main window on the data folder in use (the one
// "--data DATA-FOLDER" names, or the one DataInUse chooses), the weapon file the command line
// names, if any, and the event loop. Gives the exit code; a command line with anything but Qt's
// options, --data and one file gives 2 after a line of usage.
// "--check-data [DATA-FOLDER]" first instead prints the data check's report and makes no window:
// 0 for a clean folder, 1 with problems, 2 when the folder cannot be read.
// "--stat-block" prints stat blocks instead (stat_blocks.h), before Qt is started.
int RunKalverin(int argc, char** argv, StartOptions options = {});

}  // namespace kalverin
