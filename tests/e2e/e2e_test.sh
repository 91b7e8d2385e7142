#!/usr/bin/env bash
# The real program in an X window, driven by keyboard and mouse: a design saved through the menus
# as the bundled data call for; reopened, killed, restored and saved as the same bytes; ended by
# SIGTERM with the design kept; on an install with a read-only Data, an editor's save lands in the
# user's own folder. Every wait has a limit; nothing outlives the run.
# Usage: e2e_test.sh PROGRAM ARTIFACTS DATA (xvfb-run, xdotool and ImageMagick needed).
set -euo pipefail

[ $# -eq 3 ] || { echo "usage: $0 PROGRAM ARTIFACTS DATA" >&2; exit 2; }
program=$1 artifacts=$2 data=$3

# shellcheck source=tests/e2e/x_session.sh
source "$(dirname "$0")/x_session.sh"
x_session_begin "$0" "$@"
rm -f "$artifacts/main_window.png" "$artifacts/saved.wpn"

# FOLDER/kalverin, a copy of the program, with the bundled data beside it.
copy_program() {
    mkdir -p "$1"
    cp "$program" "$1/kalverin"
    cp -r "$data" "$1/Data"
}
frame="Sniper Rifle" class="Barrel" option="Extended Barrel" firearm="Long Reach"
saved="$work/current/Weapons/long-reach"
# What the rules make of the bundled frame with the option at level 1, as a saved file.
expected=$(dirname "$0")/long-reach.wpn

step "program: a copy of $(basename "$program") with the bundled data"
copy_program "$work/program"
mkdir -p "$work/current/Weapons"
run=$work/program/kalverin
x_run_program "$run" "$work/current"

step "frame: a click into the frame chooser, then \"$frame\" from its list"
# The chooser sits under its caption at the top of the left column.
click_in_window 100 58
pick_from_list "$frame"

step "class: Tab to the class chooser, then \"$class\" from its list"
xdotool key Tab
pick_from_list "$class"

step "option: Tab to the filter, type \"$option\", Tab to the options, Return on it"
xdotool key Tab
xdotool type --delay 20 "$option"
xdotool key Tab
type_to_select "$option"
xdotool key Return

step "name: a click into the Firearm Name box, then typing"
# The box sits under its caption at the top of the right column.
click_in_window -100 58
sleep 0.2
xdotool type --delay 20 "$firearm"

# The message box "The weapon is saved." carries the program's title too.
titled_windows_are() {
    [ "$(xdotool search --onlyvisible --name '^Kalverin$' 2>/dev/null | wc -l)" -eq "$1" ]
}

# OK on the message titled Kalverin, which leaves N windows shown.
ok_message() {
    wait_until "the message" titled_windows_are 2
    message=$(xdotool search --onlyvisible --name "^Kalverin$" | grep -vx "$window" | sed -n 1p) ||
        fail "no message"
    x_focus "$message"
    xdotool key Return
    wait_until "the message closing" windows_are "$1"
}

# File > Save As (Ctrl+A) to PATH, then OK on the message that says it is saved.
save_as() {
    xdotool key ctrl+a
    dialog=$(x_window_titled "Save Weapon As")
    x_focus "$dialog"
    sleep 0.5
    # The file name box has the focus and takes a full path.
    xdotool key ctrl+a
    xdotool type --delay 10 "$1"
    xdotool key Return
    wait_until "the weapon file" test -s "$1.wpn"
    ok_message 1
    x_focus "$window"
}

step "File > Save As (Ctrl+A) to $saved"
# Boxes the user types into keep Ctrl+A for selecting; Shift+Tab goes back to the Final Price
# box, from which it goes to the menu.
xdotool key shift+Tab
sleep 0.3
save_as "$saved"

step "screenshot: $artifacts/main_window.png"
timeout "$step_limit" import -window root "$artifacts/main_window.png" ||
    fail "no screenshot of the screen"

# The menu of the access key alt+KEY opened, then its entry of the access key ENTRY taken.
menu() {
    xdotool key "alt+$1"
    wait_until "the menu of alt+$1" windows_are 2
    [ -z "${2:-}" ] || xdotool key "$2"
}

exit_by_access_keys() {
    step "File > Exit by its access keys"
    menu f x
    timeout "$step_limit" tail --pid="$app_pid" -f /dev/null || fail "the program did not end on Exit"
    wait "$app_pid" || fail "the program ended with status $?"
    app_pid=""
}
exit_by_access_keys

step "the weapon file"
cp "$saved.wpn" "$artifacts/saved.wpn"
cmp "$saved.wpn" "$expected" || fail "the weapon file is not $expected: see $artifacts/saved.wpn"

step "kalverin Weapons/$(basename "$saved").wpn, an \"x\" typed into the name, then SIGKILL"
x_run_program "$run" "$work/current" "Weapons/$(basename "$saved").wpn"
recovery="$work/home/.local/state/kalverin/recovery"
click_in_window -100 58
xdotool key End type x
wait_until "the design in progress kept" compgen -G "$recovery/*.design" >/dev/null
kill -KILL "$app_pid"
wait "$app_pid" || true

step "kalverin again: Restore, the \"x\" taken back, Save As again"
x_run_program "$run" "$work/current"
wait_until "the question to restore" titled_windows_are 2
# The question is the smaller of the two windows titled Kalverin.
mapfile -t titled < <(for w in $(xdotool search --onlyvisible --name '^Kalverin$'); do
    eval "$(xdotool getwindowgeometry --shell "$w")"
    echo "$((WIDTH * HEIGHT)) $w"
done | sort -n | cut -d' ' -f2)
window=${titled[1]}
x_focus "${titled[0]}"
xdotool key Return
wait_until "the question closing" windows_are 1
x_focus "$window"
click_in_window -100 58
xdotool key End BackSpace shift+Tab
sleep 0.3
save_as "$work/current/Weapons/again"
cmp "$saved.wpn" "$work/current/Weapons/again.wpn" ||
    fail "the design restored after SIGKILL saved as other bytes"

step "a \"y\" typed, then SIGTERM: the design is kept before the program ends"
click_in_window -100 58
xdotool key End type y
# Once the File menu shows, the program has taken the "y" before it.
menu f
kill -TERM "$app_pid"
wait "$app_pid" && status=0 || status=$?
app_pid=""
[ "$status" -eq 143 ] || fail "the program ended with status $status on SIGTERM"
grep -q "Long Reachy" "$recovery"/*.design || fail "no design in progress kept on SIGTERM"

step "an install: the Data beside the program read-only; Frames > Sniper Rifle's Power 9, saved"
# The design the last run kept is not offered again.
rm -rf "$recovery"
copy_program "$work/install"
install=("$work/install/kalverin")
if [ "$(id -u)" = 0 ]; then
    # Root writes anywhere; a read-only mount of its own is what stops it.
    install=(/usr/bin/unshare -m sh -c 'mount --bind -o ro "$0" "$0" && exec "$0/../kalverin"'
        "$work/install/Data")
else
    chmod -R a-w "$work/install/Data"
fi
x_run_program "${install[0]}" "$work/current" "${install[@]:1}"
menu m f
editor=$(x_window_titled "Change Forms")
x_focus "$editor"
pick_from_list "$frame" 2
xdotool key alt+p ctrl+a type 9
xdotool key ctrl+s
ok_message 2
x_focus "$editor"
xdotool key ctrl+x
wait_until "the editor closing" windows_are 1
own="$work/home/.local/share/kalverin/Data"
[ "$(ls "$own")" = "$(ls "$data")" ] || fail "the user's folder does not hold the whole set"
diff -r "$data" "$work/install/Data" || fail "the Data folder of the install was changed"

step "Manage Data > Reload Data, then the Sniper Rifle saved as a weapon: its Power is 9"
x_focus "$window"
menu m r
click_in_window 100 58
pick_from_list "$frame"
save_as "$work/current/Weapons/own"
grep -q "^\"\",\"$frame\",9," "$work/current/Weapons/own.wpn" ||
    fail "Reload Data did not read the user's folder: $(head -1 "$work/current/Weapons/own.wpn")"
exit_by_access_keys
chmod -R u+w "$work/install/Data"

echo "PASS"
