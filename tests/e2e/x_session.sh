# shellcheck shell=bash
# The real program in an X server of its own, for the real-window test and the README pictures.
# The sourcing script sets `artifacts` (for failure.png and program.log), may set `step_limit` and
# `run_limit` (seconds for a step and for the whole run), then calls `x_session_begin "$0" "$@"`.

artifacts=${artifacts:?the sourcing script sets artifacts}
: "${step_limit:=15}" "${run_limit:=150}"
work="" app_pid="" window=""

x_session_cleanup() {
    local status=$?
    trap - EXIT INT TERM
    if [ -n "$app_pid" ] && kill -0 "$app_pid" 2>/dev/null; then
        kill "$app_pid" 2>/dev/null
        # A program that does not stop when asked is stopped for good.
        timeout 5 tail --pid="$app_pid" -f /dev/null || kill -9 "$app_pid" 2>/dev/null
    fi
    [ -f "$work/program.log" ] && cp "$work/program.log" "$artifacts/program.log"
    rm -rf "$work"
    exit "$status"
}

# Runs the script again (its path and arguments given) in an X server of xvfb-run's, within the
# time limit; there, makes the temporary folder `work` and stops the program on every way out.
x_session_begin() {
    if [ -z "${KALVERIN_X_SESSION:-}" ]; then
        local tool
        for tool in xvfb-run xauth xdotool import convert; do
            command -v "$tool" >/dev/null ||
                { echo "FAIL: $tool is missing; scripts/install-deps.sh installs it" >&2; exit 1; }
        done
        KALVERIN_X_SESSION=1 exec xvfb-run -a timeout "$run_limit" bash "$@"
    fi
    echo "   DISPLAY=$DISPLAY"
    mkdir -p "$artifacts"
    rm -f "$artifacts/failure.png" "$artifacts/program.log"
    work=$(mktemp -d "${TMPDIR:-/tmp}/kalverin-x.XXXXXX")
    trap x_session_cleanup EXIT
    trap 'exit 130' INT
    trap 'echo "FAIL: stopped after ${run_limit} s" >&2; exit 124' TERM
}

step() { echo "-- $SECONDS s: $*"; }

fail() {
    echo "FAIL: $*" >&2
    # What the screen showed when it went wrong.
    [ -n "${DISPLAY:-}" ] && timeout 10 import -window root "$artifacts/failure.png" 2>/dev/null
    exit 1
}

# Waits until the command succeeds, trying every tenth of a second: wait_until WHAT COMMAND...
wait_until() {
    local what=$1 tries=$((step_limit * 10))
    shift
    until "$@"; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || fail "$what: nothing after ${step_limit} s"
        [ -z "$app_pid" ] || kill -0 "$app_pid" 2>/dev/null || fail "$what: the program has ended"
        sleep 0.1
    done
}

# Starts PROGRAM in CURRENT with the ARGUMENTS and a clean environment (the display and nothing
# of the desktop the script runs from), and puts its main window's id in `window`.
x_run_program() {
    local program=$1 current=$2
    shift 2
    mkdir -p "$work/home"
    # A sanitizer build's settings go through too, less the strict string checks, which take the
    # X keyboard library's strndup of a counted string for an overflow.
    local sanitizers=()
    [ -z "${ASAN_OPTIONS:-}" ] || sanitizers+=("ASAN_OPTIONS=$ASAN_OPTIONS:strict_string_checks=0")
    [ -z "${LSAN_OPTIONS:-}" ] || sanitizers+=("LSAN_OPTIONS=$LSAN_OPTIONS")
    [ -z "${UBSAN_OPTIONS:-}" ] || sanitizers+=("UBSAN_OPTIONS=$UBSAN_OPTIONS")
    (cd "$current" && exec env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 \
        "${sanitizers[@]}" DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" QT_QPA_PLATFORM=xcb \
        "$program" "$@" >"$work/program.log" 2>&1) &
    app_pid=$!
    window=$(x_window_titled Kalverin)
    echo "   window $window"
    x_focus "$window"
}

# Without a window manager nobody hands the focus on; the script does.
x_focus() {
    timeout "$step_limit" xdotool windowfocus --sync "$1" || fail "window $1 takes no focus"
}

# The window titled exactly TITLE, once it is shown.
x_window_titled() {
    timeout "$step_limit" xdotool search --sync --onlyvisible --name "^$1\$" | sed -n 1p ||
        fail "no window titled \"$1\" after ${step_limit} s"
}

# Clicks in the main window at X, Y; a negative X counts from the right edge.
click_in_window() {
    local x=$1 y=$2
    if [ "$x" -lt 0 ]; then
        local WIDTH
        eval "$(xdotool getwindowgeometry --shell "$window" | grep '^WIDTH=')"
        x=$((WIDTH + x))
    fi
    xdotool mousemove --window "$window" "$x" "$y" click 1
}

# Whether the program shows N windows (its menus and drop-down lists count).
windows_are() {
    [ "$(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null | wc -l)" -eq "$1" ]
}

# Picks ENTRY from the list of the chooser that has the focus: F4 opens the list, typing
# finds the entry, Return picks it. SHOWN is the number of windows shown before.
pick_from_list() {
    local entry=$1 shown=${2:-1}
    xdotool key F4
    wait_until "the list of the chooser" windows_are $((shown + 1))
    xdotool type --delay 40 "$entry"
    xdotool key Return
    wait_until "the list closing" windows_are "$shown"
}

# Selects ENTRY in the list box that has the focus by typing its name.
type_to_select() {
    sleep 0.3
    xdotool type --delay 40 "$1"
    sleep 0.3
}
