#!/usr/bin/env bash
# Drives the real program in a real X window, as a user would: picks a frame and installs an
# option with the keyboard and the mouse, saves the design through File > Save As, and checks
# that the weapon file holds the statistics the data files call for. A screenshot of the screen
# is kept beside the log. Every wait has a time limit, and the X server and the program are
# stopped on every way out.
#
#   e2e_test.sh PROGRAM ARTIFACTS DATA  runs a copy of PROGRAM with a copy of DATA as its Data
#                                       folder, from a temporary program folder
#   e2e_test.sh PROGRAM ARTIFACTS       runs PROGRAM where it is installed, on its own Data
#
# Needs Xvfb, xdotool and ImageMagick (scripts/install-deps.sh installs them).
set -euo pipefail
# Readers in the pipelines here read their input to the end: one that stopped early would fail
# its writer, and with it the whole pipeline.

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 PROGRAM ARTIFACTS [DATA]" >&2
    exit 2
fi
program=$1
artifacts=$2
data=${3:-}

# The watchdog stops the whole run well below the test runner's limit.
run_limit=150
# shellcheck source=tests/e2e/x_session.sh
source "$(dirname "$0")/x_session.sh"
x_session_begin
rm -f "$artifacts/main_window.png" "$artifacts/saved.wpn"

# Splits a data-file line into its items, without their quotes: a comma ends an item unless it
# stands between quotes. Shared by the two readers below.
split_items='
function split_items(line, out,    n, i, c, quoted, current) {
    n = 0; current = ""; quoted = 0
    for (i = 1; i <= length(line); i++) {
        c = substr(line, i, 1)
        if (c == "\"") { quoted = !quoted }
        else if (c == "," && !quoted) { out[++n] = current; current = "" }
        else { current = current c }
    }
    out[++n] = current
    return n
}'

# The items of one line, one per output line.
items_of() {
    tr -d '\r' | awk "$split_items"'{ n = split_items($0, it); for (i = 1; i <= n; i++) print it[i] }'
}

# Item `n` of the line of `file` whose item `key_item` is `key`.
item() {
    local file=$1 key_item=$2 key=$3 n=$4
    tr -d '\r' <"$file" | awk -v k="$key_item" -v key="$key" -v n="$n" "$split_items"'
        !found { split_items($0, it); if (it[k] == key) { print it[n]; found = 1 } }'
}

same_number() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 == b + 0) }'; }

expect_number() {
    local what=$1 got=$2 want=$3
    same_number "$got" "$want" || fail "$what is $got in the weapon file; the data give $want"
    echo "   $what = $got"
}

# --- The program folder and the current folder -------------------------------------------------
if [ -n "$data" ]; then
    step "program folder: a copy of $(basename "$program") with the bundled data"
    mkdir -p "$work/program"
    cp "$program" "$work/program/kalverin"
    cp -r "$data" "$work/program/Data"
    run=$work/program/kalverin
    data_dir=$work/program/Data
else
    step "program: $program, where it is installed"
    run=$program
    # The program's folder is where the program really is, links followed.
    data_dir=$(dirname "$(readlink -f "$(command -v "$program")")")/Data
fi
[ -f "$data_dir/Frames.txt" ] || fail "no Data folder at $data_dir"
mkdir -p "$work/current/Weapons"

frame="Sniper Rifle"
class="Barrel"
option="Extended Barrel"
firearm="Long Reach"
saved="$work/current/Weapons/long-reach"

# What the rules make of the frame with the option at level 1.
frame_power=$(item "$data_dir/Frames.txt" 1 "$frame" 2)
frame_conceal=$(item "$data_dir/Frames.txt" 1 "$frame" 5)
frame_dpv=$(item "$data_dir/Frames.txt" 1 "$frame" 13)
frame_mounts=" $(item "$data_dir/Frames.txt" 1 "$frame" 9) $(item "$data_dir/Frames.txt" 1 "$frame" 10) $(item "$data_dir/Frames.txt" 1 "$frame" 11) "
option_power=$(item "$data_dir/Modifications.txt" 2 "$option" 3)
option_conceal=$(item "$data_dir/Modifications.txt" 2 "$option" 5)
option_dpv=$(item "$data_dir/Modifications.txt" 2 "$option" 10)
option_mount=$(item "$data_dir/Modifications.txt" 2 "$option" 11)
option_markup=$(item "$data_dir/Modifications.txt" 2 "$option" 16)
[ -n "$frame_dpv" ] || fail "Frames.txt has no \"$frame\""
[ -n "$option_dpv" ] || fail "Modifications.txt has no \"$option\""
want_power=$(awk -v a="$frame_power" -v b="$option_power" 'BEGIN { print a + b }')
want_conceal=$(awk -v a="$frame_conceal" -v b="$option_conceal" 'BEGIN { print a + b }')
want_dpv=$(awk -v a="$frame_dpv" -v b="$option_dpv" 'BEGIN { print a + b }')
want_markup=$(awk -v b="$option_markup" 'BEGIN { print 5 + b }')
want_price=$(awk -v d="$want_dpv" -v m="$want_markup" 'BEGIN { print d * m }')
# A mount is free when the frame offers it and the option does not take it.
mount_state() {
    [[ "$frame_mounts" == *" $1 "* ]] && [ "$option_mount" != "$1" ] && echo 1 || echo 0
}

# --- The X server and the program --------------------------------------------------------------
step "X server"
x_start
step "program"
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

step "File > Save As (Ctrl+A) to $saved"
# Boxes the user types into keep Ctrl+A for selecting; Shift+Tab goes back to the Final Price
# box, from which it goes to the menu.
xdotool key shift+Tab
sleep 0.3
xdotool key ctrl+a
dialog=$(x_window_titled "Save Weapon As")
x_focus "$dialog"
sleep 0.5
# The file name box has the focus and takes a full path.
xdotool key ctrl+a
xdotool type --delay 10 "$saved"
xdotool key Return
wait_until "the weapon file" test -s "$saved.wpn"
# The message box "The weapon is saved." carries the program's title too.
titled_windows_are() {
    [ "$(xdotool search --onlyvisible --name '^Kalverin$' 2>/dev/null | wc -l)" -eq "$1" ]
}
wait_until "the message after saving" titled_windows_are 2
message=$(xdotool search --onlyvisible --name "^Kalverin$" | grep -vx "$window" | sed -n 1p) ||
    fail "no message after saving"
x_focus "$message"
xdotool key Return
wait_until "the message closing" windows_are 1
x_focus "$window"

step "screenshot"
timeout "$step_limit" import -window root "$artifacts/main_window.png" ||
    fail "no screenshot of the screen"
echo "   $artifacts/main_window.png"

step "File > Exit by its access keys"
xdotool key alt+f
wait_until "the File menu" windows_are 2
xdotool key x
timeout "$step_limit" tail --pid="$app_pid" -f /dev/null || fail "the program did not end on Exit"
wait "$app_pid" || fail "the program ended with status $?"
app_pid=""

step "the weapon file"
cp "$saved.wpn" "$artifacts/saved.wpn"
mapfile -t lines < <(tr -d '\r' <"$saved.wpn")
[ "${#lines[@]}" -eq 5 ] || fail "the weapon file has ${#lines[@]} lines, not 5"
mapfile -t first < <(printf '%s\n' "${lines[0]}" | items_of)
mapfile -t second < <(printf '%s\n' "${lines[1]}" | items_of)
mapfile -t installed < <(printf '%s\n' "${lines[3]}" | items_of)
[ "${first[0]}" = "$firearm" ] || fail "the firearm name is \"${first[0]}\", not \"$firearm\""
[ "${first[1]}" = "$frame" ] || fail "the frame is \"${first[1]}\", not \"$frame\""
expect_number "Power" "${first[2]}" "$want_power"
expect_number "Concealability" "${first[5]}" "$want_conceal"
expect_number "DPV" "${first[11]}" "$want_dpv"
expect_number "Final Price" "${first[12]}" "$want_price"
expect_number "Mark-Up" "${second[0]}" "$want_markup"
mounts="${second[1]},${second[2]},${second[3]},${second[4]}"
want_mounts="$(mount_state Barrel),$(mount_state Top),$(mount_state Large),$(mount_state Small)"
[ "$mounts" = "$want_mounts" ] || fail "the free mounts are $mounts, not $want_mounts"
echo "   mounts = $mounts"
expect_number "option count" "${lines[2]}" 1
[ "${installed[0]}" = "$option" ] || fail "the option is \"${installed[0]}\", not \"$option\""
expect_number "its level" "${installed[1]}" 1

echo "PASS"
