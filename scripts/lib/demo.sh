# The narrated demonstration of scripts/run on a private Xvfb display: the real programs,
# driven through the end-to-end harness, with a line for everything observed.
#   . scripts/lib/demo.sh; demo_run BUILD_DIR
# shellcheck shell=bash

. "$EDGEROAM_ROOT/tests/e2e/lib/e2e.sh"
. "$EDGEROAM_ROOT/tests/e2e/launcher/launcher-lib.sh"

DEMO_OPTIONS_WINDOW='Edgeroam 2 : Options'

say() { printf '   %s\n' "$*"; }

# The pointer position once it has left "X Y"; prints "X Y MS" with the time it took.
_demo_watch_pointer() {
  local from=$1 limit_ms=$2 start now pos
  start=$(_e2e_now_ms)
  while :; do
    pos=$(pointer_pos)
    now=$(_e2e_now_ms)
    if [ "$pos" != "$from" ]; then
      echo "$pos $((now - start))"
      return 0
    fi
    ((now - start >= limit_ms)) && return 1
    sleep 0.005
  done
}

# One edge: put the pointer on it and report where the service sends it, and how fast.
_demo_wrap() {
  local name=$1 x=$2 y=$3 seen
  pointer_move "$x" "$y"
  if seen=$(_demo_watch_pointer "$x $y" 2000); then
    set -- $seen
    say "$name edge: pointer put at ($x, $y) -> moved to ($1, $2) after $3 ms"
  else
    fail "$name edge: the pointer stayed at ($x, $y)"
  fi
}

_demo_hint() { wait_until 3 eval "tray_tooltips | grep -Fx -- '$1'" 2>/dev/null; }

demo_edge_wrap() {
  e2e_step "Edge wrap: the pointer touches each edge of the ${1}x${2} screen"
  local w=$1 h=$2
  _demo_wrap left 0 $((h / 2))
  _demo_wrap right $((w - 1)) $((h / 2))
  _demo_wrap top $((w / 2)) 0
  _demo_wrap bottom $((w / 2)) $((h - 1))
}

demo_gesture() {
  e2e_step "Gesture: a quick left-right shake over a window that logs its keys (Copy chosen for it)"
  local log=$E2E_WORK/keys.log
  e2e_start KEYRECV "$E2E_TOOLS/keyrecv.exe" "Demo key receiver" "$(winpath "$log")"
  wait_for_log "$log" '^READY .*foreground=1' 10 >/dev/null || { fail "the key receiver did not start"; return; }
  say "window 'Demo key receiver' has the keyboard focus"
  shake_horizontally
  say "shook the pointer: 8 strokes between x=540 and x=740, 100 ms each"
  if wait_until 3 grep -q '^KEYUP vk=0x11' "$log"; then
    say "the window received:"
    grep -E '^(KEY|CHAR)' "$log" | sed 's/^/     /'
    say "that is Ctrl down, C down, C up, Ctrl up: the Copy shortcut"
  else
    fail "no shortcut arrived"
  fi
  wtool close "Demo key receiver" >/dev/null 2>&1
  e2e_wait_exit "$KEYRECV" 5 >/dev/null 2>&1 || e2e_stop "$KEYRECV"
}

demo_tray_switch() {
  e2e_step "Tray switch: a click on the icon turns the service off, another turns it on"
  local y=$(($2 / 2)) seen
  say "tray hint: $(tray_tooltips)"
  tray_click left
  seen=$(_demo_hint "$SVC_HINT_OFF") && say "clicked: hint now '$seen'" ||
    fail "the hint did not change to OFF"
  pointer_move 0 "$y"
  if seen=$(_demo_watch_pointer "0 $y" 600); then
    fail "switched off, the pointer still wrapped to ${seen% *}"
  else
    say "switched off: the pointer stays at the left edge (0, $y) for 600 ms"
  fi
  tray_click left
  seen=$(_demo_hint "$SVC_HINT_ON") && say "clicked again: hint now '$seen'" ||
    fail "the hint did not change to ON"
  _demo_wrap "switched on, left" 0 "$y"
}

demo_options() {
  e2e_step "Options: the tray menu opens the options window"
  local shot=$1 rect left top right bottom
  choose_menu_item o || return
  wtool wait "$DEMO_OPTIONS_WINDOW" 10000 >/dev/null || { fail "no options window"; return; }
  sleep 0.3  # let the window paint before the picture is taken
  rect=$(wtool rect "$DEMO_OPTIONS_WINDOW") && read -r left top right bottom <<<"$rect"
  if import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shot" 2>/dev/null; then
    say "window '$DEMO_OPTIONS_WINDOW' at ($left, $top), $((right - left))x$((bottom - top)): saved as ${shot#"$EDGEROAM_ROOT"/}"
  else
    fail "the picture of the options window could not be taken"
  fi
  say "Load on Startup: $(wtool check "$DEMO_OPTIONS_WINDOW" 'Load on &Startup' 2>&1)," \
    "Action on Pattern Recognition: $(wtool check "$DEMO_OPTIONS_WINDOW" 'Action on &Pattern Recognition' 2>&1)," \
    "timeout: $(wtool gettext "$DEMO_OPTIONS_WINDOW" Edit 2>&1)"
  wtool click "$DEMO_OPTIONS_WINDOW" '&Cancel' >/dev/null || fail "Cancel"
  wtool gone "$DEMO_OPTIONS_WINDOW" 5000 >/dev/null && say "Cancel closed it; nothing was stored" ||
    fail "the options window stayed open"
}

demo_exit() {
  e2e_step "Exit from the tray menu"
  choose_menu_item x || return
  if wait_until 10 no_service >/dev/null && tray_gone 5; then
    say "the service ended and its tray icon is gone"
  else
    fail "the service did not end cleanly"
  fi
}

demo_run() {
  local build=$1 w h
  e2e_init --bin "$build/bin" --tools "$build/e2e-tools"
  read -r w h < <(screen_size)
  e2e_step "Edgeroam2StartUp.exe on a fresh registry; Copy chosen for the horizontal gesture"
  reg_plant "$E2E_SETTINGS_KEY" HoriRecog 2 >/dev/null || fatal "store HoriRecog"
  e2e_run 30 "$E2E_BIN/Edgeroam2StartUp.exe" || fatal "the launcher failed"
  tray_wait 10 || fatal "no tray icon"
  say "the launcher ended with status 0; tray icon up, hint '$(tray_tooltips)'"
  local name line
  for name in OnStartUp RecogActive HoriRecog VertRecog RecogTimeout; do
    line=$(e2e_run 10 reg query "$E2E_SETTINGS_KEY" /v "$name" | tr -d '\r' | sed -n "s/^ *$name *//p")
    say "setting $name = \"${line##* }\" (${line%% *})$([ "$name" = HoriRecog ] && echo ', stored before: kept')"
  done
  demo_edge_wrap "$w" "$h"
  demo_gesture
  demo_tray_switch "$w" "$h"
  demo_options "$build/options-window.png"
  demo_exit
  e2e_finish
}
