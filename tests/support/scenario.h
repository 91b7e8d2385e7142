#pragma once

// Scenarios: a Data folder, the user's actions on the windows' models, and after each action
// what changed (boxes, lists, buttons, messages, dialogs, files) written down as a transcript.
// A scenario file is such a transcript; running it again must give the same text.
//
//   # a comment                     kept as it is
//   > data designer                 copies tests/data/designer into program/Data
//   > file program/Data/Frames.txt  writes the lines below it, each ended by CR LF
//   | 1
//   | "Revolver",3,...
//   > window main                   main, frames or modifications: made once, then switched to;
//                                   "window main 2" makes another main window
//   > load                          the window's load
//   > pick cmbChooseFrame "Revolver"
//     txtPower = "3"                what changed, indented by two blanks
//
// Actions: pick, type, click, doubleclick (a list line by its text, or by its number from 1),
// press (a button or a menu entry), tick (a check box: 0, 1 or 2), answer "path" or answer
// cancel (the next file dialog), fail after N (the next writes put N more bytes on disk, then
// the disk is full), remove (a file), edit path "this" "that" (the first "this" in the file
// becomes "that", as a hand edit would), cut path "label" "bytes" (what a save of the bytes over
// the file leaves when the program is killed half way through it), pipe path (the file made a
// named pipe), card (the main window's stat block, as Copy Stat Block copies it), open "path" (a
// weapon file opened as Open Recent, a drop or the command line open it); "3 times press a then
// press b" repeats actions. Typing runs what the box's change event runs. The main windows show
// Open Recent's list as mnuOpenRecent and keep it between them. "data bundled" is the data set
// that ships. Without a window: read Frames.txt (or another data file; MaxLevel.txt takes its
// number of columns) shows the file as its writer would write back what its reader read, or the
// reader's message; rewrite writes that back.
// Texts stand in double quotes; \" \\ \r \n and \xNN stand for what they say, and \*N after a
// character for N of it in all.

#include <filesystem>
#include <string>

namespace kalverin::testing {

// The transcript of the scenario as the program runs it now.
std::string RunScenario(const std::filesystem::path& file);

}  // namespace kalverin::testing
