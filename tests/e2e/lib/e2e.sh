# Library for end-to-end test scripts: a private Wine session, bounded polls, programs started
# in the background and stopped by pid, pointer / tray / message box / registry helpers,
# assertions that print what was expected and what was seen, and a teardown that leaves nothing.
#
#   . "$(dirname "$0")/../lib/e2e.sh"
#   e2e_init "$@"                 # --bin DIR --tools DIR (CTest passes both)
#   e2e_step "start the service"
#   e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok300
#   tray_wait 10 || fatal "no tray icon"
#   expect_eq "hint" "On : ..." "$(tray_tooltips)"
#   e2e_finish                    # exit status 0 when every expectation held
#
# fail and fatal count in the shell that runs them: not inside $(...) or a pipeline.
# Every wait is a bounded poll: wait_until, wtool wait/gone, e2e_wait_exit. The EXIT trap stops
# every started program by its pid, ends the prefix's wineserver, fails the test if any process
# still holds the prefix, stops Xvfb and removes the work folder (kept with E2E_KEEP=1).
# shellcheck shell=bash source-path=SCRIPTDIR
# shellcheck disable=SC2034  # the E2E_ variables are for the scripts that source this file

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=../../../scripts/lib/common.sh
. "$E2E_LIB_DIR/../../../scripts/lib/common.sh"
# shellcheck source=../../../scripts/lib/wine-session.sh
. "$EDGEROAM_ROOT/scripts/lib/wine-session.sh"

E2E_BIN=          # the programs under test (build/<preset>/bin)
E2E_TOOLS=        # wtool.exe, keyrecv.exe, msgbox.exe ...
E2E_WORK=         # scratch folder of this run: logs, the Wine session
E2E_PIDS=()       # programs started by e2e_start and not yet reaped
E2E_STATUS=       # exit status of the last program e2e_wait_exit or e2e_stop reaped
E2E_FAILURES=0
E2E_START_MS=
E2E_TRAY_CLICKS=0

E2E_SETTINGS_KEY='HKCU\Software\KorvantisTM\Edgeroam2'
E2E_TRAY_WINDOW='#__winex11_standalone_tray'
E2E_TRAY_ICON='__winex11_tray_icon'

# ---------------------------------------------------------------------------------------------
# Time and polling

_e2e_now_ms() {
  local us=${EPOCHREALTIME//[!0-9]/}
  echo $((us / 1000))
}

# "1.5" -> 1500
_e2e_seconds_to_ms() {
  local whole=${1%%.*} fraction=
  [[ $1 == *.* ]] && fraction=${1#*.}
  fraction=${fraction}000
  echo $((10#${whole:-0} * 1000 + 10#${fraction:0:3}))
}

# wait_until TIMEOUT_S CMD...: runs CMD every 50 ms until it succeeds (then prints its stdout)
# or TIMEOUT_S seconds have passed (then says so on stderr, with CMD's last stderr, and fails).
wait_until() {
  local timeout=$1
  shift
  local deadline=$(($(_e2e_now_ms) + $(_e2e_seconds_to_ms "$timeout")))
  local err=$E2E_WORK/wait.$BASHPID.err out
  while :; do
    if out=$("$@" 2>"$err"); then
      [ -n "$out" ] && printf '%s\n' "$out"
      rm -f "$err"
      return 0
    fi
    if (($(_e2e_now_ms) >= deadline)); then
      printf 'timed out after %ss waiting for: %s\n' "$timeout" "$*" >&2
      [ -s "$err" ] && sed 's/^/  last error: /' "$err" >&2
      rm -f "$err"
      return 1
    fi
    sleep 0.05
  done
}

# ---------------------------------------------------------------------------------------------
# Reporting and assertions

e2e_step() {
  local elapsed=$(($(_e2e_now_ms) - E2E_START_MS))
  printf -- '-- [%d.%03ds] %s\n' $((elapsed / 1000)) $((elapsed % 1000)) "$*"
}

fail() {
  E2E_FAILURES=$((E2E_FAILURES + 1))
  printf 'FAIL %s\n' "$*"
}

# A failure after which the test cannot go on.
fatal() {
  fail "$@"
  exit 1
}

_e2e_ok() { printf 'ok   %s\n' "$*"; }

# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
  if [ "$2" == "$3" ]; then
    _e2e_ok "$1"
  else
    fail "$1"
    printf '       expected: %q\n       seen:     %q\n' "$2" "$3"
  fi
}

# expect_match WHAT REGEX ACTUAL (bash extended regular expression)
expect_match() {
  if [[ $3 =~ $2 ]]; then
    _e2e_ok "$1"
  else
    fail "$1"
    printf '       expected to match: %s\n       seen: %q\n' "$2" "$3"
  fi
}

# expect_status WHAT EXPECTED CMD...: runs CMD and compares its exit status.
expect_status() {
  local what=$1 expected=$2
  shift 2
  "$@"
  local status=$?
  expect_eq "$what (exit status of: $*)" "$expected" "$status"
}

# ---------------------------------------------------------------------------------------------
# Windows programs: started in the background, stopped by pid

# winpath /abs/unix/path -> Z:\abs\unix\path (Wine maps Z: to /)
winpath() {
  local path=$1
  printf 'Z:%s\n' "${path//\//\\}"
}

# e2e_start VAR EXE [ARGS...]: starts EXE under Wine in the background, its output in
# $E2E_WORK/VAR.log, and stores its pid (the Windows process itself) in VAR.
e2e_start() {
  local var=$1
  shift
  wine "$@" </dev/null >"$E2E_WORK/$var.log" 2>&1 &
  local pid=$!
  E2E_PIDS+=("$pid")
  printf -v "$var" '%s' "$pid"
  printf '     started %s (pid %s):%s\n' "$var" "$pid" "$(printf ' %q' "${1##*/}" "${@:2}")"
}

# e2e_run TIMEOUT_S EXE [ARGS...]: runs EXE under Wine in the foreground, bounded; its stdout
# is ours, and its exit status is returned (124 when it had to be stopped).
e2e_run() {
  local timeout=$1
  shift
  timeout --kill-after=5 "$timeout" wine "$@" </dev/null 2>>"$E2E_WORK/run.err"
}

# Running and not a zombie.
_e2e_alive() {
  local stat
  { stat=$(<"/proc/$1/stat"); } 2>/dev/null || return 1
  stat=${stat##*) }
  [ "${stat%% *}" != Z ]
}

_e2e_exited() { ! _e2e_alive "$1"; }

_e2e_forget() {
  local kept=() pid
  for pid in "${E2E_PIDS[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
  E2E_PIDS=("${kept[@]}")
}

# e2e_wait_exit PID TIMEOUT_S: waits for a started program to end; its exit status goes to
# E2E_STATUS. Fails (and leaves the program running) when it is still running at the timeout.
e2e_wait_exit() {
  local pid=$1 timeout=${2:-10}
  wait_until "$timeout" _e2e_exited "$pid" || return 1
  wait "$pid" 2>/dev/null
  E2E_STATUS=$?
  _e2e_forget "$pid"
}

# e2e_stop PID: ends a started program (TERM, then KILL) and reaps it.
e2e_stop() {
  local pid=$1
  if _e2e_alive "$pid"; then
    kill -TERM "$pid" 2>/dev/null
    if ! wait_until 5 _e2e_exited "$pid" 2>/dev/null; then
      kill -KILL "$pid" 2>/dev/null
      wait_until 5 _e2e_exited "$pid" 2>/dev/null || printf 'warning: pid %s does not end\n' "$pid" >&2
    fi
  fi
  wait "$pid" 2>/dev/null
  E2E_STATUS=$?
  _e2e_forget "$pid"
}

e2e_stop_all() {
  local i
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do e2e_stop "${E2E_PIDS[i]}"; done
}

# wait_for_log FILE REGEX [TIMEOUT_S]: waits for a line of FILE to match; prints the first one.
wait_for_log() {
  wait_until "${3:-5}" grep -m1 -E -- "$2" "$1"
}

# ---------------------------------------------------------------------------------------------
# The Win32 helper. Its stderr goes through a file: should Wine have to start a server or
# desktop process on the side, that process inherits stderr and would hold a caller's
# $(...) pipe open until it ends.

wtool() {
  local err=$E2E_WORK/wtool.$BASHPID.err status
  wine "$E2E_TOOLS/wtool.exe" "$@" </dev/null 2>"$err"
  status=$?
  [ -s "$err" ] && cat "$err" >&2
  rm -f "$err"
  return $status
}

keys() { wtool keys "$@"; }

# A negative check with a bound: no visible window WIN appears within SECONDS.
expect_no_window() {
  local what=$1 window=$2 seconds=$3
  if wtool wait "$window" "$(_e2e_seconds_to_ms "$seconds")" >/dev/null 2>&1; then
    fail "$what: window '$window' appeared"
  else
    _e2e_ok "$what"
  fi
}

# ---------------------------------------------------------------------------------------------
# Pointer (the X pointer through xdotool; Wine sees it at its next poll)

pointer_move() { xdotool mousemove "$1" "$2"; }

# prints "X Y"
pointer_pos() {
  local X Y SCREEN WINDOW
  eval "$(xdotool getmouselocation --shell)"
  echo "$X $Y"
}

# pointer_click X Y [BUTTON]: 1 left, 2 middle, 3 right
pointer_click() { xdotool mousemove "$1" "$2" click "${3:-1}"; }

# prints "W H" of the X screen
screen_size() { xdotool getdisplaygeometry; }

# prints "X Y" as Windows reports it (GetCursorPos)
cursor_pos() { wtool cursor; }

# cursor_is X Y: Windows reports the pointer at X Y (poll it: Windows sees a move at its next poll)
cursor_is() { [ "$(cursor_pos)" = "$1 $2" ]; }

# ---------------------------------------------------------------------------------------------
# Tray icon (winex11's standalone tray: one child window per icon)

# prints "left top right bottom" of the first icon, in screen coordinates
tray_rect() { wtool rect "$E2E_TRAY_WINDOW" "$E2E_TRAY_ICON"; }

tray_wait() { wait_until "${1:-10}" tray_rect >/dev/null; }

# No visible tray window: the last icon is gone.
tray_gone() { wtool gone "$E2E_TRAY_WINDOW" "$(_e2e_seconds_to_ms "${1:-5}")"; }

# tray_click [left|right|middle|double]: clicks the first icon. Successive clicks land 6 pixels
# apart, outside the double-click rectangle, so two single clicks never pair into a double click.
tray_click() {
  local kind=${1:-left} left top right bottom
  # Polled: right after a menu closes or a program starts, the tray can be briefly unreadable.
  read -r left top right bottom < <(wait_until 5 tray_rect) || { fail "no tray icon to click"; return 1; }
  local x=$(((left + right) / 2 + (E2E_TRAY_CLICKS % 2 == 0 ? -3 : 3))) y=$(((top + bottom) / 2))
  E2E_TRAY_CLICKS=$((E2E_TRAY_CLICKS + 1))
  case $kind in
    left) xdotool mousemove "$x" "$y" click 1 ;;
    right) xdotool mousemove "$x" "$y" click 3 ;;
    middle) xdotool mousemove "$x" "$y" click 2 ;;
    double) xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1 ;;
    *) fatal "tray_click: unknown click '$kind'" ;;
  esac
}

# the texts of every tooltip tool, one a line (the tray icons' hints among them)
tray_tooltips() { wtool tooltips | cut -f3; }

# tray_hint_is TEXT: a tooltip tool holds exactly TEXT (poll it with wait_until)
tray_hint_is() { tray_tooltips | grep -F -x -q -- "$1"; }

# A pop-up menu (class #32768) is open.
menu_wait() { wtool wait '#32768' "$(_e2e_seconds_to_ms "${1:-5}")" >/dev/null; }
menu_gone() { wtool gone '#32768' "$(_e2e_seconds_to_ms "${1:-5}")"; }

# ---------------------------------------------------------------------------------------------
# Message boxes, found by their exact caption

# the wtool name of the message box with this exact caption
msgbox_window() { printf '#32770:=%s' "$1"; }

msgbox_wait() { wtool wait "$(msgbox_window "$1")" "$(_e2e_seconds_to_ms "${2:-5}")" >/dev/null; }
msgbox_text() { wtool text "$(msgbox_window "$1")"; }
msgbox_gone() { wtool gone "$(msgbox_window "$1")" "$(_e2e_seconds_to_ms "${2:-5}")"; }

# msgbox_press CAPTION BUTTON_ID: clicks a button (1 OK, 2 Cancel, 6 Yes, 7 No) and waits for
# the box to go.
msgbox_press() {
  wtool click "$(msgbox_window "$1")" "$2" && msgbox_gone "$1"
}

msgbox_ok() { msgbox_press "$1" 1; }

# msgbox_expect CAPTION TEXT [TIMEOUT_S]: a box with this caption appears and shows this text;
# it is then closed with OK.
msgbox_expect() {
  local caption=$1 text=$2
  if ! msgbox_wait "$caption" "${3:-5}"; then
    fail "message box '$caption' did not appear"
    return 1
  fi
  expect_eq "text of message box '$caption'" "$text" "$(msgbox_text "$caption")"
  msgbox_ok "$caption" || fail "message box '$caption' did not close on OK"
}

# ---------------------------------------------------------------------------------------------
# Registry (raw types and bytes through RegQueryValueExA / RegSetValueExA)

# text_hex TEXT: the bytes of TEXT and its NUL, in hex ("200" -> 32303000)
text_hex() {
  local hex
  hex=$(printf '%s' "$1" | od -An -tx1 -v | tr -d ' \n')
  echo "${hex}00"
}

# reg_plant KEY VALUE TEXT: stores TEXT as REG_EXPAND_SZ, as the programs write settings
reg_plant() { wtool regset "$1" "$2" REG_EXPAND_SZ "$(text_hex "$3")"; }

# reg_plant_raw KEY VALUE TYPE HEX: any type, any bytes
reg_plant_raw() { wtool regset "$@"; }

# reg_read KEY VALUE: prints "TYPE HEX"; exit status 3 when the value or key is missing
reg_read() { wtool regquery "$1" "$2"; }

# reg_delete KEY [VALUE]
reg_delete() { wtool regdelete "$@"; }

# expect_reg_text KEY VALUE TEXT [TYPE]: the value holds TEXT and its NUL, of TYPE
# (default REG_EXPAND_SZ)
expect_reg_text() {
  expect_eq "registry $1 \"$2\"" "${4:-REG_EXPAND_SZ} $(text_hex "$3")" "$(reg_read "$1" "$2" 2>&1)"
}

expect_reg_missing() {
  reg_read "$1" "$2" >/dev/null 2>&1
  expect_eq "registry $1 \"$2\" is missing (status 3)" 3 $?
}

# ---------------------------------------------------------------------------------------------
# Set-up and teardown

e2e_init() {
  E2E_START_MS=$(_e2e_now_ms)
  E2E_BIN=${EDGEROAM_BIN_DIR:-}
  E2E_TOOLS=${EDGEROAM_E2E_TOOLS_DIR:-}
  while [ $# -gt 0 ]; do
    case $1 in
      --bin) E2E_BIN=$2; shift 2 ;;
      --tools) E2E_TOOLS=$2; shift 2 ;;
      *) die "e2e_init: unknown argument '$1' (--bin DIR --tools DIR)" ;;
    esac
  done
  [ -f "$E2E_TOOLS/wtool.exe" ] || die "no wtool.exe in '$E2E_TOOLS' (build the win64 preset; pass --tools)"
  E2E_WORK=$(mktemp -d /tmp/edgeroam-e2e.XXXXXX)
  trap e2e_teardown EXIT
  trap 'exit 143' TERM
  trap 'exit 130' INT
  trap 'exit 129' HUP
  wine_session_start "$E2E_WORK/session" || fatal "the Wine session did not start"
  e2e_step "Wine session ready: DISPLAY=$DISPLAY, $(screen_size | tr ' ' x)"
}

# Processes whose environment holds this run's WINEPREFIX.
_e2e_prefix_holders() {
  local environ pid var
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    [ "$pid" = "$$" ] || [ "$pid" = "$BASHPID" ] && continue
    {
      while IFS= read -r -d '' var; do
        if [ "$var" = "WINEPREFIX=$WINEPREFIX" ]; then
          echo "$pid"
          break
        fi
      done <"$environ"
    } 2>/dev/null
  done
}

_e2e_no_prefix_holders() { [ -z "$(_e2e_prefix_holders)" ]; }

# Ends the prefix's server (every Wine process of this run); lists and ends any process that
# still holds the prefix afterwards. Fails when there was one.
_e2e_end_wine() {
  [ -n "$E2E_WORK" ] && [ "${WINEPREFIX:-}" = "$E2E_WORK/session/prefix" ] || return 0
  timeout 20 wineserver -k 2>/dev/null
  timeout 20 wineserver -w 2>/dev/null
  # A process may still be on its way out for a moment after the server has gone.
  wait_until 5 _e2e_no_prefix_holders 2>/dev/null && return 0
  local pid holders=()
  mapfile -t holders < <(_e2e_prefix_holders)
  [ ${#holders[@]} -eq 0 ] && return 0
  printf 'FAIL processes still hold %s after wineserver -k:\n' "$WINEPREFIX"
  for pid in "${holders[@]}"; do
    printf '       %s %s\n' "$pid" "$(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    kill -KILL "$pid" 2>/dev/null
  done
  return 1
}

_e2e_dump_logs() {
  local log
  for log in "$E2E_WORK"/*.log "$E2E_WORK"/*.keys "$E2E_WORK"/*.events "$E2E_WORK"/run.err; do
    [ -s "$log" ] || continue
    printf -- '---- %s (last 40 lines)\n' "${log##*/}"
    tail -n 40 "$log"
  done
}

e2e_teardown() {
  local status=$?
  trap - EXIT TERM INT HUP
  e2e_stop_all
  _e2e_end_wine || status=1
  wine_session_stop
  [ "$E2E_FAILURES" -gt 0 ] && status=1
  [ "$status" -ne 0 ] && [ -n "$E2E_WORK" ] && _e2e_dump_logs
  local elapsed=$(($(_e2e_now_ms) - E2E_START_MS))
  if [ "$status" -eq 0 ]; then
    printf '== passed in %d.%03d s\n' $((elapsed / 1000)) $((elapsed % 1000))
  else
    printf '== FAILED (%d failed expectations, exit status %d) after %d.%03d s\n' \
      "$E2E_FAILURES" "$status" $((elapsed / 1000)) $((elapsed % 1000))
  fi
  if [ -n "$E2E_WORK" ]; then
    if [ "${E2E_KEEP:-0}" = 1 ]; then echo "== work folder kept: $E2E_WORK"; else rm -rf "$E2E_WORK"; fi
  fi
  exit "$status"
}

# Ends the test; the EXIT trap tears down and sets the exit status.
e2e_finish() { exit 0; }
