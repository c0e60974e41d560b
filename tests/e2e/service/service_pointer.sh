#!/usr/bin/env bash
# The running service: tray icon, pointer wrap at the four edges, gestures that send their
# shortcuts to the focused window, the on/off switch, Exit and a new start.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/service-lib.sh"
e2e_init "$@"
read -r W H < <(screen_size)

# ---------------------------------------------------------------------------------------------
e2e_step "started with /ok1000 and stored settings (Copy across, Back up and down): the tray icon"
store_actions 2 4
e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok1000
tray_wait 10 || fatal "no tray icon appeared"
expect_hint "$SVC_HINT_START"
expect_no_window "no message at start" '#32770' 0.5
read -r left _ right _ < <(wtool rect '#Edgeroam.Form') || fail "no main window"
expect_eq "the main window is moved to x = -500" -500 "${left:-}"
expect_eq "the main window lies left of the screen" yes "$([ "${right:-1}" -le 0 ] && echo yes)"

# ---------------------------------------------------------------------------------------------
e2e_step "the pointer wraps at each edge to one pixel inside the opposite one"
y=$((H / 2)) x=$((W / 2))
expect_wrap 0 "$y" $((W - 2)) "$y"
expect_wrap $((W - 1)) "$y" 1 "$y"
expect_wrap "$x" 0 "$x" $((H - 2))
expect_wrap "$x" $((H - 1)) "$x" 1

# ---------------------------------------------------------------------------------------------
e2e_step "a shake over the focused window sends the configured shortcut to it"
keylog=$E2E_WORK/KEYRECV.keys
e2e_start KEYRECV "$E2E_TOOLS/keyrecv.exe" "Shake target" "$(winpath "$keylog")"
wait_for_log "$keylog" '^READY .*foreground=1' 10 >/dev/null || fatal "the key receiver did not take the foreground"
read -r left top right bottom < <(wtool rect "Shake target") || fatal "no rectangle of the key receiver"
cx=$(((left + right) / 2)) cy=$(((top + bottom) / 2))

key_lines() { grep -E '^(SYS)?(KEY|CHAR)' "$keylog"; }

# shake AXIS: seven alternating strokes, each position held 110 ms. The approach comes along the
# other axis and rests a while, so the first stroke starts a fresh run.
shake() {
  local moves=() i
  if [ "$1" = horizontal ]; then
    moves=(mousemove "$cx" $((cy - 40)) sleep 0.6 mousemove "$cx" "$cy" sleep 0.11)
    for i in 1 2 3 4 5 6 7; do moves+=(mousemove $((cx + (i % 2 ? 60 : -60))) "$cy" sleep 0.11); done
  else
    moves=(mousemove $((cx - 40)) "$cy" sleep 0.6 mousemove "$cx" "$cy" sleep 0.11)
    for i in 1 2 3 4 5 6 7; do moves+=(mousemove "$cx" $((cy + (i % 2 ? -40 : 40))) sleep 0.11); done
  fi
  xdotool "${moves[@]}"
}

# axis | the key messages the receiver must log, in order (regexes, ';' between them)
shake_cases=(
  "horizontal|^KEYDOWN vk=0x11 scan=69 ext=1 ;^KEYDOWN vk=0x43 scan=69 ext=1 .*ctrl=1;^CHAR code=0x03 ;^KEYUP vk=0x43 scan=69 ext=1 ;^KEYUP vk=0x11 scan=69 ext=1 "
  "vertical|^SYSKEYDOWN vk=0x12 scan=69 ext=1 ;^SYSKEYDOWN vk=0x25 scan=69 ext=1 .*alt=1;^SYSKEYUP vk=0x25 scan=69 ext=1 ;^KEYUP vk=0x12 scan=69 ext=1 "
)
for case in "${shake_cases[@]}"; do
  axis=${case%%|*}
  IFS=';' read -r -a expected <<<"${case#*|}"
  before=$(key_lines | wc -l)
  shake "$axis"
  last=${expected[${#expected[@]} - 1]}
  wait_until 3 eval "key_lines | tail -n +$((before + 1)) | grep -q -E -- '$last'" >/dev/null ||
    fail "$axis shake: the shortcut's last key message never arrived"
  mapfile -t seen < <(key_lines | tail -n +$((before + 1)))
  expect_eq "$axis shake: number of key messages" "${#expected[@]}" "${#seen[@]}"
  for i in "${!expected[@]}"; do
    expect_match "$axis shake: key message $((i + 1))" "${expected[i]}" "${seen[i]:-<none>}"
  done
done
wtool close "Shake target" || fail "close the key receiver"
e2e_wait_exit "$KEYRECV" 5 || fail "the key receiver did not end"

# ---------------------------------------------------------------------------------------------
e2e_step "a click on the icon switches the service off, another one on again"
tray_click left
expect_hint "$SVC_HINT_OFF"
expect_no_wrap 0 "$y" 0.6
expect_no_wrap "$x" $((H - 1)) 0.6
tray_click left
expect_hint "$SVC_HINT_ON"
expect_wrap 0 "$y" $((W - 2)) "$y"

e2e_step "the menu's Turn item is the same switch"
choose_menu_item t
expect_hint "$SVC_HINT_OFF"
expect_no_wrap $((W - 1)) "$y" 0.6

# ---------------------------------------------------------------------------------------------
e2e_step "Exit while switched off ends the service with status 0 and removes its icon"
exit_service "$SVC"

e2e_step "a new start runs normally"
e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok1000
tray_wait 10 || fatal "no tray icon after the new start"
expect_hint "$SVC_HINT_START"
expect_wrap 0 "$y" $((W - 2)) "$y"
exit_service "$SVC"

e2e_finish
