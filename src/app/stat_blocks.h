#pragma once

// "kalverin --stat-block FILE.wpn...": each weapon file's stat block on standard output, as
// Copy Stat Block copies it, with no window and no display.

namespace kalverin {

// Whether the command line asks for stat blocks rather than the window.
bool AsksForStatBlocks(int argc, char** argv);

// Prints the stat block of each weapon file the command line names, in the format that
// "--format" asks for (text, the default; markdown; html), in UTF-8. A file that cannot be read
// is named on standard error and the others still print. Gives the exit code: 0, 1 when a file
// could not be read, 2 after a line of usage for a command line it does not take.
int PrintStatBlocks(int argc, char** argv);

}  // namespace kalverin
