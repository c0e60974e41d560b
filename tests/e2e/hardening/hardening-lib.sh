# Helpers of the hardening scripts (sourced after ../lib/e2e.sh): the programs' texts, the
# stored settings, leaving the programs, and the tray icon's pixels.
# shellcheck shell=bash

HARD_SVC_CAPTION='edgeroam2'  # the platform's error report carries the program's name
HARD_OPT_CAPTION='options'
HARD_RUNNING_CAPTION='Edgeroam 2 : Korvantis(TM)'
HARD_RUNNING_TEXT='Edgeroam 2 is already running.'
HARD_HINT_ON='ON : Edgeroam 2 : Korvantis(TM)'
HARD_HINT_OFF='OFF : Edgeroam 2 : Korvantis(TM)'
HARD_OPT_WIN='Edgeroam 2 : Options'
HARD_RANGE_CAPTION='Edgeroam 2'
HARD_RANGE_TEXT='Timeout must be between 50 and 5000 m/secs'
HARD_SETTINGS=(OnStartUp RecogActive HoriRecog VertRecog RecogTimeout)
HARD_VALID=(0 1 2 4 200)  # Copy across, Back up and down, 200 ms

# Stores the usable text of one setting, or of all five.
store_valid_setting() {
  local i
  for i in "${!HARD_SETTINGS[@]}"; do
    [ "${HARD_SETTINGS[i]}" = "$1" ] || continue
    reg_plant "$E2E_SETTINGS_KEY" "$1" "${HARD_VALID[i]}" || fatal "store $1"
  done
}

store_valid_settings() {
  local name
  for name in "${HARD_SETTINGS[@]}"; do store_valid_setting "$name"; done
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

# tray_menu_choose KEY: a right click on the icon opens its menu; the item's access key chooses.
tray_menu_choose() {
  tray_click right || return 1
  menu_wait || { fail "the tray menu did not open"; return 1; }
  keys "$1" || { fail "press $1 in the tray menu"; return 1; }
  menu_gone || fail "the tray menu stayed open after $1"
}

# expect_hint WHAT TEXT: the tray icon's hint comes to read TEXT within 3 s.
expect_hint() {
  local seen
  if wait_until 3 tray_hint_is "$2" 2>/dev/null; then
    _e2e_ok "$1"
  else
    seen=$(tray_tooltips)
    expect_eq "$1" "$2" "$seen"
  fi
}

# The RGB bytes of the first tray icon's window, as one checksum: the image it shows.
tray_icon_pixels() {
  local left top right bottom
  read -r left top right bottom < <(tray_rect) || return 1
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" rgb:- | md5sum | cut -d' ' -f1
}

# Lines of a running `wtool race` log: "started PID" and "exited PID STATUS".
race_count() { grep -c "^$2 " "$1"; }
race_exits_are() { [ "$(race_count "$1" exited)" -eq "$2" ]; }
