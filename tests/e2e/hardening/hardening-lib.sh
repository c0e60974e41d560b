# Helpers of the hardening scripts (sourced after ../lib/e2e.sh), on top of the service's and
# the options editor's helpers: the stored settings, leaving the programs, the tray icon's hint
# and pixels.
# shellcheck shell=bash source-path=SCRIPTDIR
# shellcheck disable=SC2034  # the texts are for the scripts that source this file
# shellcheck source=../service/service-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../service/service-lib.sh"
# shellcheck source=../options/options-e2e.sh
. "$(dirname "${BASH_SOURCE[0]}")/../options/options-e2e.sh"

# The platform's error report carries the program's name as its caption.
HARD_SVC_CAPTION='edgeroam2'
HARD_OPT_CAPTION='options'
# A usable text for each of OPT_NAMES: Copy across, Back up and down, 200 ms.
HARD_VALID=(0 1 2 4 200)

store_valid_settings() { opt_store "${HARD_VALID[@]}"; }

# store_valid_setting NAME: the usable text of one setting.
store_valid_setting() {
  local i
  for i in "${!OPT_NAMES[@]}"; do
    [ "${OPT_NAMES[i]}" = "$1" ] && { reg_plant "$E2E_SETTINGS_KEY" "$1" "${HARD_VALID[i]}" || fatal "store $1"; }
  done
  return 0
}

# Every stored setting as "NAME<tab>TYPE HEX": the bytes to compare.
settings_snapshot() { wtool regdump "$E2E_SETTINGS_KEY"; }

# expect_exit PID WHAT: the program ends within 10 s with status 0.
expect_exit() {
  if e2e_wait_exit "$1" 10; then
    expect_eq "$2: exit status" 0 "$E2E_STATUS"
  else
    fail "$2: the program did not end"
    e2e_stop "$1"
  fi
}

# expect_tray_hint WHAT TEXT: the tray icon's hint comes to read TEXT within 3 s.
expect_tray_hint() {
  if wait_until 3 tray_hint_is "$2" 2>/dev/null; then
    _e2e_ok "$1"
  else
    expect_eq "$1" "$2" "$(tray_tooltips)"
  fi
}

# pointer_at X Y: the X pointer is at (X, Y) (poll it with wait_until).
pointer_at() { [ "$(pointer_pos)" = "$1 $2" ]; }

# The RGB bytes of the first tray icon's window, as one checksum: the image it shows.
tray_icon_pixels() {
  local left top right bottom
  read -r left top right bottom < <(tray_rect) || return 1
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" rgb:- | md5sum | cut -d' ' -f1
}

# Lines of a running `wtool race` log: "started PID" and "exited PID STATUS".
race_count() { grep -c "^$2 " "$1"; }
race_exits_are() { [ "$(race_count "$1" exited)" -eq "$2" ]; }
