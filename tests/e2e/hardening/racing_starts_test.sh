#!/usr/bin/env bash
# Twenty copies started at the same moment (created suspended, then released together): of the
# service exactly one runs and every other one says so in its message and ends with 0 once the
# message is closed; of the options editor exactly one window opens and the others end silently
# with 0.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/hardening-lib.sh"
e2e_init "$@"

COPIES=20
LOSERS=$((COPIES - 1))
store_valid_settings  # every start loads its settings without a message

# race_start VAR EXE ARGS: starts COPIES copies of EXE together under `wtool race`.
race_start() {
  local var=$1 exe=$2
  shift 2
  e2e_start "$var" "$E2E_TOOLS/wtool.exe" race "$COPIES" "\"$(winpath "$exe")\" $*" 120000
}

# visible_windows WIN: how many visible top-level windows match WIN.
visible_windows() { wtool list "$1" | awk -F '\t' '$3 == 1' | wc -l; }
visible_windows_are() { [ "$(visible_windows "$1")" -eq "$2" ]; }

# The statuses of the copies that ended, other than 0 ("pid status" lines).
nonzero_exits() { awk '$1 == "exited" && $3 != 0 { print $2, $3 }' "$E2E_WORK/RACE.log"; }

# expect_losers_ended TIMEOUT_S: all copies but one have ended, each with 0.
expect_losers_ended() {
  wait_until "$1" race_exits_are "$E2E_WORK/RACE.log" "$LOSERS" ||
    fail "not $LOSERS copies ended: $(race_count "$E2E_WORK/RACE.log" exited)"
  expect_eq "copies that ended with another status than 0" "" "$(nonzero_exits)"
}

# expect_race_end WHAT: once the copy left running has ended, so has the race; every copy ended
# with 0.
expect_race_end() {
  if e2e_wait_exit "$RACE" 15; then
    expect_eq "$1: the race ended" 0 "$E2E_STATUS"
  else
    fail "$1: the copy left running did not end"
  fi
  expect_eq "$1: every copy ended, each with 0" "$COPIES 0" \
    "$(race_count "$E2E_WORK/RACE.log" exited) $(nonzero_exits | wc -l)"
}

# ---------------------------------------------------------------------------------------------
e2e_step "$COPIES copies of edgeroam2.exe /ok1000 at the same moment"
race_start RACE "$E2E_BIN/edgeroam2.exe" /ok1000
running_box=$(msgbox_window "$SVC_RUNNING_CAPTION")
wait_until 60 visible_windows_are "$running_box" "$LOSERS" ||
  fail "not $LOSERS 'already running' messages: $(visible_windows "$running_box")"
tray_wait 10 || fail "no tray icon"
expect_eq "no copy ended while its message was open" 0 "$(race_count "$E2E_WORK/RACE.log" exited)"

e2e_step "each message reads as it should; closing it ends its copy with 0"
texts=()
for ((i = LOSERS; i > 0; i--)); do
  texts+=("$(wtool text "$running_box")")
  wtool click "$running_box" 1 >/dev/null || { fail "click OK on message $i"; break; }
  wait_until 10 visible_windows_are "$running_box" $((i - 1)) ||
    { fail "message $i did not close"; break; }
done
expect_eq "every message's text" "$(printf "$SVC_RUNNING_TEXT%.0s\n" $(seq $LOSERS))" \
  "$(printf '%s\n' "${texts[@]}")"
expect_losers_ended 30
expect_eq "services running" 1 "$(wtool procs edgeroam2.exe | wc -l)"
expect_eq "tray icons" 1 "$(wtool children "$E2E_TRAY_WINDOW" | grep -c "$E2E_TRAY_ICON")"
expect_no_window "no other message" '#32770' 0.2

e2e_step "the one that runs works and ends with 0 from its menu"
tray_click left || fail "click the icon"
expect_tray_hint "its click switches it off" "$SVC_HINT_OFF"
choose_menu_item x
expect_race_end "Exit from the menu"
tray_gone 5 || fail "a tray icon is left"

# ---------------------------------------------------------------------------------------------
e2e_step "$COPIES copies of options.exe /ok at the same moment"
race_start RACE "$E2E_BIN/options.exe" /ok
expect_losers_ended 60
wtool wait "$OPT_WIN" 10000 >/dev/null || fail "no options window"
expect_eq "options windows" 1 "$(visible_windows "$OPT_WIN")"
expect_eq "editors running" 1 "$(wtool procs options.exe | wc -l)"
expect_no_window "the others ended silently" '#32770' 0.2
wtool click "$OPT_WIN" '&Cancel' || fail "click Cancel"
expect_race_end "Cancel"

e2e_finish
