#pragma once

namespace kalverin {

// The program's start: the application, the main window on the Data folder beside the program,
// and the event loop. Gives the exit code.
int RunKalverin(int argc, char** argv);

}  // namespace kalverin
