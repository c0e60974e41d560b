# Helpers of the service's end-to-end tests, on top of ../lib/e2e.sh.
# shellcheck shell=bash

SVC_HINT_START='On : Edgeroam 2 : Korvantis(TM)'
SVC_HINT_ON='ON : Edgeroam 2 : Korvantis(TM)'
SVC_HINT_OFF='OFF : Edgeroam 2 : Korvantis(TM)'
SVC_RUNNING_CAPTION='Edgeroam 2 : Korvantis(TM)'
SVC_RUNNING_TEXT='Edgeroam 2 is already running.'
SVC_REFUSED_CAPTION='Edgeroam 2 component'
SVC_REFUSED_TEXT="Can not be run directly, please use 'Edgeroam2StartUp.exe'."

# The settings the service reads: the horizontal and the vertical action code.
store_actions() {
  reg_plant "$E2E_SETTINGS_KEY" HoriRecog "$1" || fatal "store HoriRecog"
  reg_plant "$E2E_SETTINGS_KEY" VertRecog "$2" || fatal "store VertRecog"
}

# The X pointer's position once it differs from "X Y"; fails while it stays there.
_pointer_left() {
  local now
  now=$(pointer_pos)
  [ "$now" != "$1" ] && echo "$now"
}

# expect_wrap X Y TO_X TO_Y: the pointer put at (X, Y) is moved to (TO_X, TO_Y).
expect_wrap() {
  pointer_move "$1" "$2"
  local seen
  seen=$(wait_until 2 _pointer_left "$1 $2" 2>/dev/null) || seen="$1 $2 (not moved)"
  expect_eq "pointer at ($1, $2) wraps" "$3 $4" "$seen"
}

# expect_no_wrap X Y SECONDS: the pointer put at (X, Y) stays there for SECONDS.
expect_no_wrap() {
  pointer_move "$1" "$2"
  local seen
  if seen=$(wait_until "$3" _pointer_left "$1 $2" 2>/dev/null); then
    fail "pointer at ($1, $2) stays for $3 s: it moved to ($seen)"
  else
    _e2e_ok "pointer at ($1, $2) stays for $3 s"
  fi
}

# The tray icon's hint reads TEXT (the only tooltip in the session).
expect_hint() {
  local seen
  seen=$(wait_until 3 eval "tray_tooltips | grep -Fx -- '$1'" 2>/dev/null) || seen=$(tray_tooltips)
  expect_eq "tray hint" "$1" "$seen"
}

# choose_menu_item KEY: opens the tray menu with a right click and presses the item's access key.
choose_menu_item() {
  tray_click right || return 1
  menu_wait || { fail "the tray menu did not open"; return 1; }
  keys "$1" || { fail "press $1 in the tray menu"; return 1; }
  menu_gone || fail "the tray menu stayed open after $1"
}

# exit_service PID: Exit from the tray menu; the program ends with status 0 and leaves no icon.
exit_service() {
  choose_menu_item x || return 1
  if ! e2e_wait_exit "$1" 10; then
    fail "the service did not end on Exit; windows:"
    wtool list | grep -v -e 'WineDde' -e 'IME' | sed 's/^/       /'
    return 1
  fi
  expect_eq "exit status after Exit" 0 "$E2E_STATUS"
  if tray_gone 5; then _e2e_ok "no tray icon is left"; else fail "a tray icon is left after Exit"; fi
}

# expect_refused_start CAPTION TEXT [ARGS...]: a start that shows one message and ends with 0.
expect_refused_start() {
  local caption=$1 text=$2
  shift 2
  e2e_start REFUSED "$E2E_BIN/edgeroam2.exe" "$@"
  msgbox_expect "$caption" "$text" 10
  if e2e_wait_exit "$REFUSED" 10; then
    expect_eq "exit status of the start with '$*'" 0 "$E2E_STATUS"
  else
    fail "the start with '$*' did not end"
    e2e_stop "$REFUSED"
  fi
}
