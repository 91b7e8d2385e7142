#!/usr/bin/env bash
# Takes the README's pictures: the main window with a design in progress, that design's stat
# card as File > Export Stat Card writes it, the frame editor and the modification editor, each
# window cropped to itself, into docs/. Runs the optimised build on the bundled data in an X
# server of its own, then commits the pictures if they changed.
# Run by hand; CI does not.
#
#   scripts/screenshots.sh [--no-commit] [PROGRAM]
#
# --no-commit leaves the pictures uncommitted; PROGRAM takes the pictures of a program already
# built instead of building one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

commit=yes
if [ "${1:-}" = "--no-commit" ]; then
    commit=no
    shift
fi
program=${1:-}
if [ -z "$program" ]; then
    scripts/install-deps.sh
    cmake --preset release >/dev/null
    cmake --build --preset release -j"$(nproc)"
    program=build/release/src/app/kalverin
fi

command -v pdftoppm >/dev/null ||
    { echo "FAIL: pdftoppm is missing; scripts/install-deps.sh installs it" >&2; exit 1; }

artifacts=$root/build/screenshots
# shellcheck source=tests/e2e/x_session.sh
source tests/e2e/x_session.sh
# Again in the X server, with the program that was built.
arguments=("$program")
[ "$commit" = yes ] || arguments=(--no-commit "$program")
x_session_begin "$0" "${arguments[@]}"

mkdir -p "$work/program" "$work/current/Weapons" docs
cp "$program" "$work/program/kalverin"
cp -r data "$work/program/Data"

# The window's own picture, without the dates that would make every run a change.
shoot() {
    local id=$1 name=$2
    sleep 0.5
    import -window "$id" png:- | convert - -strip "$root/docs/$name.png" ||
        fail "no picture of window $id"
    echo "   docs/$name.png"
}

step "program"
x_run_program "$work/program/kalverin" "$work/current"

step "main window: a design in progress"
# The frame chooser sits under its caption at the top of the left column; Tab goes on from it
# to the class chooser and the options.
click_in_window 100 58
pick_from_list "Sniper Rifle"
install() {
    x_focus "$window"
    click_in_window 100 58
    xdotool key Tab
    pick_from_list "$1"
    # The filter, then the options it leaves; Return adds the one typed.
    xdotool key Tab
    xdotool type --delay 10 "$2"
    xdotool key Tab
    type_to_select "$2"
    xdotool key Return
    sleep 0.3
}
install "Barrel" "Polygonal Rifling"
install "Sights" "Variable Power Scope"
install "Stock" "Adjustable Cheek Rest"
# The Firearm Name box sits under its caption at the top of the right column; Tab goes on to
# the description.
click_in_window -100 58
xdotool type --delay 10 "Long Reach"
xdotool key Tab
xdotool type --delay 5 "A marksman's rifle for long shots in daylight: polygonal rifling, a variable power scope and a cheek rest."
# The rifling, the first of the installed options, one level up, its details beside: the list's
# access key, End and Home select it whatever the list had selected, and Tab goes on to "+".
xdotool key alt+u
xdotool key End Home
xdotool key Tab space
shoot "$window" main-window

step "stat card: File > Export Stat Card, its PDF as a picture"
# The File menu's access key, then the entry's; the file name box of the dialog has the focus
# and takes a full path.
xdotool key alt+f
wait_until "the File menu" windows_are 2
xdotool key e
dialog=$(x_window_titled "Export Stat Card")
x_focus "$dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type --delay 10 "$work/card.pdf"
xdotool key Return
# Written to its end: the file's last line.
card_written() { [ "$(tail -c 6 "$work/card.pdf" 2>/dev/null | tr -d '\n')" = "%%EOF" ]; }
wait_until "the stat card" card_written
wait_until "the dialog closing" windows_are 1
pdftoppm -png -r 80 -singlefile "$work/card.pdf" "$root/docs/stat-card" ||
    fail "no picture of the stat card"
echo "   docs/stat-card.png"
x_focus "$window"

step "frame editor: Manage Data > Frames, the Sniper Rifle chosen"
xdotool key alt+m
wait_until "the Manage Data menu" windows_are 2
xdotool key f
editor=$(x_window_titled "Change Forms")
x_focus "$editor"
pick_from_list "Sniper Rifle" 2
shoot "$editor" frame-editor
# Its File menu has no access key; Exit's shortcut closes it from the chooser.
xdotool key ctrl+x
wait_until "the frame editor closing" windows_are 1

step "modification editor: Manage Data > Modifications, a scope chosen"
x_focus "$window"
xdotool key alt+m
wait_until "the Manage Data menu" windows_are 2
xdotool key m
editor=$(x_window_titled "Modifications")
x_focus "$editor"
# The class chooser's access key (Option &Classes).
xdotool key alt+c
pick_from_list "Sights" 2
xdotool key Tab
type_to_select "Variable Power Scope"
shoot "$editor" modification-editor

if [ "$commit" = yes ]; then
    pictures=(docs/main-window.png docs/stat-card.png docs/frame-editor.png
              docs/modification-editor.png)
    git add "${pictures[@]}"
    if git diff --cached --quiet -- docs; then
        echo "The pictures have not changed."
    else
        git commit -m "Refresh the README pictures" -- "${pictures[@]}"
    fi
fi
