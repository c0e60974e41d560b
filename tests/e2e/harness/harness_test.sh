#!/usr/bin/env bash
# The e2e harness against its own helper programs: keys into a receiver window, message boxes
# found by caption and answered, a tray icon clicked and its menu driven, another process's
# dialog controls, the clipboard, the pointer seen by X and by Windows alike, registry bytes.
# shellcheck disable=SC2317,SC2119  # functions called through variables; helpers' optional arguments
set -u -o pipefail
# shellcheck source-path=SCRIPTDIR source=../lib/e2e.sh
. "$(dirname "$0")/../lib/e2e.sh"
e2e_init "$@"

# ---------------------------------------------------------------------------------------------
e2e_step "keys reach the foreground window with their virtual key, scan code and extended bit"
e2e_start KEYRECV "$E2E_TOOLS/keyrecv.exe" "Harness key receiver" "$(winpath "$E2E_WORK/KEYRECV.keys")"
wait_for_log "$E2E_WORK/KEYRECV.keys" '^READY .*foreground=1' 10 >/dev/null ||
  fatal "the key receiver did not report READY with the foreground"
expect_match "the receiver is the foreground window" $'\tEdgeroamKeyReceiver\tHarness key receiver$' \
  "$(wtool foreground)"

# keys given to wtool | the key lines the receiver logs, in order (regexes, ';' between lines)
key_cases=(
  "a|KEYDOWN vk=0x41 scan=30 ext=0 repeat=1 ctrl=0 shift=0 alt=0;CHAR code=0x61 ;KEYUP vk=0x41 scan=30 ext=0"
  "+shift 0x41 -shift|KEYDOWN vk=0x10 ;KEYDOWN vk=0x41 .* shift=1;CHAR code=0x41 .* shift=1;KEYUP vk=0x41;KEYUP vk=0x10"
  "+ctrl:69:ext +c:69:ext -c:69:ext -ctrl:69:ext|KEYDOWN vk=0x11 scan=69 ext=1 ;KEYDOWN vk=0x43 scan=69 ext=1 .*ctrl=1;CHAR code=0x03 ;KEYUP vk=0x43 scan=69 ext=1;KEYUP vk=0x11 scan=69 ext=1"
  "+alt left -alt|SYSKEYDOWN vk=0x12 ;SYSKEYDOWN vk=0x25 .*alt=1;SYSKEYUP vk=0x25 ;KEYUP vk=0x12 "
  "down:0x50:ext enter|KEYDOWN vk=0x28 scan=80 ext=1;KEYUP vk=0x28 scan=80 ext=1;KEYDOWN vk=0x0d ;CHAR code=0x0d ;KEYUP vk=0x0d "
)
keylog=$E2E_WORK/KEYRECV.keys
# the receiver's key lines after the first SKIP of them
key_lines_after() { grep -E '^(SYS)?(KEY|CHAR)' "$keylog" | tail -n +$(($1 + 1)); }
key_arrived() { key_lines_after "$1" | grep -q -E -- "$2"; }
for case in "${key_cases[@]}"; do
  tokens=${case%%|*}
  IFS=';' read -r -a expected <<<"${case#*|}"
  before=$(key_lines_after 0 | wc -l)
  # shellcheck disable=SC2086  # the tokens are words
  keys $tokens || fail "wtool keys $tokens"
  last=${expected[${#expected[@]} - 1]}
  wait_until 5 key_arrived "$before" "$last" || fail "keys '$tokens': the last expected line '$last' never arrived"
  mapfile -t seen < <(key_lines_after "$before")
  expect_eq "keys '$tokens': number of key messages" "${#expected[@]}" "${#seen[@]}"
  for i in "${!expected[@]}"; do
    expect_match "keys '$tokens': message $((i + 1))" "${expected[i]}" "${seen[i]:-<none>}"
  done
done

wtool close "Harness key receiver" || fail "close the key receiver"
e2e_wait_exit "$KEYRECV" 5 || fail "the key receiver did not end on WM_CLOSE"
expect_eq "the key receiver's exit status" 0 "$E2E_STATUS"

# ---------------------------------------------------------------------------------------------
e2e_step "message boxes: found by caption, text read, answered; the answer is the exit status"
text=$'Can not be run directly, please use \'Edgeroam2StartUp.exe\'.\nSecond line: 50 % "quoted"'
answer_ok() { msgbox_ok "$1"; }
answer_no() { msgbox_press "$1" 7; }
answer_close() { wtool close "$(msgbox_window "$1")"; }
answer_cancel_command() { wtool cmd "$(msgbox_window "$1")" 2; }
answer_escape() { wtool fg "$(msgbox_window "$1")" && keys esc; }
answer_y() { wtool fg "$(msgbox_window "$1")" && keys y; }
# flags | how the test answers | the box's return value
box_cases=(
  "0|answer_ok|1"
  "4|answer_no|7"
  "1|answer_close|2"
  "1|answer_cancel_command|2"
  "3|answer_escape|2"
  "3|answer_y|6"
)
for case in "${box_cases[@]}"; do
  IFS='|' read -r flags answer status <<<"$case"
  caption="Harness box: $answer"
  e2e_start BOX "$E2E_TOOLS/msgbox.exe" "$text" "$caption" "$flags"
  msgbox_wait "$caption" 10 || fatal "message box '$caption' did not appear"
  expect_eq "$caption: its text" "$text" "$(msgbox_text "$caption")"
  expect_match "$caption: listed as a visible dialog of its process" \
    "^0x[0-9a-f]+"$'\t'"[0-9]+"$'\t1\t#32770\t'"$caption\$" "$(wtool list "$(msgbox_window "$caption")")"
  $answer "$caption" || fail "$caption: answering failed"
  if e2e_wait_exit "$BOX" 5; then
    expect_eq "$caption: the box's result" "$status" "$E2E_STATUS"
  else
    fail "$caption: msgbox.exe did not end"
    e2e_stop "$BOX"
  fi
done
expect_no_window "no message box is left" '#32770' 0.2

# ---------------------------------------------------------------------------------------------
e2e_step "the tray: the icon found and clicked, its hint read, its menu driven by keys"
events=$E2E_WORK/TRAY.events
e2e_start TRAY "$E2E_TOOLS/trayprobe.exe" "Harness tray" "$(winpath "$events")"
wait_for_log "$events" '^READY' 10 >/dev/null || fatal "the tray probe did not start"
tray_wait 10 || fatal "no tray icon appeared"
read -r left top right bottom < <(tray_rect)
expect_eq "the icon's size" "20x20" "$((right - left))x$((bottom - top))"
wait_until 2 tray_hint_is "Harness tray" || true
expect_eq "the hint before any click" "Harness tray" "$(tray_tooltips)"
for clicks in 1 2 3; do
  tray_click left
  wait_for_log "$events" "^CLICKS $clicks\$" 5 >/dev/null || fail "left click $clicks did not arrive"
  wait_until 2 tray_hint_is "Harness tray $clicks" || true
  expect_eq "the hint after $clicks clicks" "Harness tray $clicks" "$(tray_tooltips)"
done
expect_eq "single clicks never pair into a double click" 0 "$(grep -c DBLCLK "$events")"
tray_click double
wait_for_log "$events" '^CLICKS 5$' 5 >/dev/null || fail "a double click gives two releases"
expect_eq "a double click is one" 1 "$(grep -c '^TRAY LBUTTONDBLCLK$' "$events")"

tray_click right
menu_wait || fail "the pop-up menu did not open"
keys down enter
wait_for_log "$events" '^COMMAND 1$' 5 >/dev/null || fail "Down, Enter did not choose the first item"
wait_for_log "$events" '^CLICKS 6$' 5 >/dev/null || fail "the first item did not count"
menu_gone || fail "the menu stayed open"
tray_click right
menu_wait || fail "the pop-up menu did not open again"
keys x
wait_for_log "$events" '^COMMAND 2$' 5 >/dev/null || fail "the mnemonic x did not choose Exit"
e2e_wait_exit "$TRAY" 5 || fail "the tray probe did not end on Exit"
expect_eq "the tray probe's exit status" 0 "$E2E_STATUS"
tray_gone || fail "the tray icon outlived its program"

# ---------------------------------------------------------------------------------------------
e2e_step "dialog controls of another process: edit, check box, list, up-down, button"
form_title="Harness form"
events=$E2E_WORK/FORM.events
e2e_start FORM "$E2E_TOOLS/formprobe.exe" "$form_title" "$(winpath "$events")"
wait_for_log "$events" '^READY' 10 >/dev/null || fatal "the form probe did not start"
wtool wait "$form_title" 5000 >/dev/null || fatal "the form probe's window did not show"

wtool settext "$form_title" 101 42 || fail "settext"
wait_for_log "$events" '^EN_CHANGE id=101 text=42$' >/dev/null || fail "setting the text notifies the parent"
expect_eq "the edit box's text" 42 "$(wtool gettext "$form_title" 101)"

expect_eq "the check box starts clear" 0 "$(wtool check "$form_title" 102)"
expect_eq "checking it" 1 "$(wtool check "$form_title" 102 1)"
wait_for_log "$events" '^BN_CLICKED id=102 check=1$' >/dev/null || fail "checking clicks the box (inside its group box)"
expect_eq "checking it again changes nothing" 1 "$(wtool check "$form_title" 102 1)"
expect_eq "clearing it" 0 "$(wtool check "$form_title" 102 0)"
clicks_logged() { [ "$(grep -c '^BN_CLICKED id=102' "$events")" = "$1" ]; }
wait_until 5 clicks_logged 2 || true
expect_eq "the box was clicked twice in all" 2 "$(grep -c '^BN_CLICKED id=102' "$events")"

expect_eq "the list starts with no selection" -1 "$(wtool cursel "$form_title" 103)"
wtool setcursel "$form_title" 103 2 || fail "setcursel"
wait_for_log "$events" '^CBN_SELCHANGE id=103 sel=2$' >/dev/null || fail "selecting notifies the parent"
expect_eq "the selected index" 2 "$(wtool cursel "$form_title" 103)"
expect_eq "the selected item's text" Copy "$(wtool gettext "$form_title" 103)"
expect_status "an item the list lacks" 1 wtool setcursel "$form_title" 103 9 2>/dev/null

for arrow in up down; do
  wtool updown "$form_title" 104 "$arrow" || fail "updown $arrow"
done
wait_for_log "$events" '^DELTAPOS id=104 delta=-1$' >/dev/null || fail "the down arrow steps by -1"
expect_eq "one step per click" "DELTAPOS id=104 delta=1,DELTAPOS id=104 delta=-1" \
  "$(grep '^DELTAPOS' "$events" | paste -sd,)"

wtool settext "$form_title" 101 box || fail "settext box"
wtool updown "$form_title" 104 up || fail "updown up with a box"
msgbox_wait "Harness step" 5 || fail "the step's message box did not appear"
msgbox_ok "Harness step" || fail "the step's message box did not close"
expect_no_window "a posted click whose step shows a box steps once" "$(msgbox_window "Harness step")" 1
expect_eq "steps in all" 3 "$(grep -c '^DELTAPOS' "$events")"

read -r left top right bottom < <(wtool rect "$form_title" 104)
pointer_click $(((left + right) / 2)) $((top + 4))
msgbox_wait "Harness step" 5 || fail "a real click: the step's message box did not appear"
msgbox_ok "Harness step" || fail "a real click: the step's message box did not close"
expect_no_window "a real click whose step shows a box steps once" "$(msgbox_window "Harness step")" 1
expect_eq "a real click on the top arrow steps up" "DELTAPOS id=104 delta=1" "$(grep '^DELTAPOS' "$events" | tail -n 1)"
expect_eq "steps in all, after a real click" 4 "$(grep -c '^DELTAPOS' "$events")"

expect_match "a control found by its text" $'\t1\t1\tButton\t&Ok$' "$(wtool children "$form_title" | grep -F '&Ok')"
wtool click "$form_title" '&Ok' || fail "click by text"
wait_for_log "$events" '^BN_CLICKED id=1$' >/dev/null || fail "the button was not clicked"
expect_status "a control the window lacks" 3 wtool click "$form_title" 999 2>/dev/null
expect_status "a window that does not exist" 3 wtool click "No such window" 1 2>/dev/null

wtool close "$form_title" || fail "close the form"
e2e_wait_exit "$FORM" 5 || fail "the form probe did not end on WM_CLOSE"
expect_eq "the form probe's exit status" 0 "$E2E_STATUS"

# ---------------------------------------------------------------------------------------------
e2e_step "the clipboard, and a program run with an exact command line"
for clip in "Harness clip" $'two\nlines'; do
  wtool setclip "$clip" || fail "setclip"
  expect_eq "the clipboard holds what was put there" "$clip" "$(wtool clip)"
done
expect_status "wtool run passes the exit status" 7 wtool run 'cmd.exe /c exit 7'

# ---------------------------------------------------------------------------------------------
e2e_step "the pointer: xdotool moves it, Windows reads the same position"
read -r width height < <(screen_size)
for position in "100 200" "0 0" "$((width - 1)) $((height - 1))" "$((width / 2)) $((height / 2))"; do
  # shellcheck disable=SC2086  # "X Y"
  pointer_move $position
  expect_eq "X pointer at $position" "$position" "$(pointer_pos)"
  # shellcheck disable=SC2086
  wait_until 2 cursor_is $position || true
  expect_eq "GetCursorPos at $position" "$position" "$(cursor_pos)"
done

# ---------------------------------------------------------------------------------------------
e2e_step "the registry: raw data of any type and size planted and read back byte for byte"
key='HKCU\Software\EdgeroamHarness\Raw'
long=$(printf 'x%.0s' {1..100})
# type | data in hex
reg_cases=(
  "REG_EXPAND_SZ|3100"
  "REG_EXPAND_SZ|3530303000"
  "REG_SZ|2d3100"
  "REG_EXPAND_SZ|31"
  "REG_EXPAND_SZ|$(text_hex "$long")"
  "REG_BINARY|"
  "REG_DWORD|2a000000"
  "REG_MULTI_SZ|6100620000"
  "REG_QWORD|0100000000000080"
)
for case in "${reg_cases[@]}"; do
  IFS='|' read -r type hex <<<"$case"
  reg_plant_raw "$key" Value "$type" "$hex" || fail "plant $type $hex"
  expect_eq "read back $type ${hex:0:24}" "$type $hex" "$(reg_read "$key" Value)"
done

reg_plant "$E2E_SETTINGS_KEY" Label '%USERPROFILE%\x y' || fail "plant a setting text"
expect_reg_text "$E2E_SETTINGS_KEY" Label '%USERPROFILE%\x y'
expect_eq "reg.exe sees the same value, unexpanded" 'REG_EXPAND_SZ    %USERPROFILE%\x y' \
  "$(e2e_run 10 reg query "$E2E_SETTINGS_KEY" /v Label | tr -d '\r' | sed -n 's/^ *Label *//p')"

reg_delete "$E2E_SETTINGS_KEY" Label || fail "delete a value"
expect_reg_missing "$E2E_SETTINGS_KEY" Label
reg_delete 'HKCU\Software\EdgeroamHarness' || fail "delete a key tree"
expect_reg_missing "$key" Value
expect_status "a missing key cannot be deleted" 3 reg_delete 'HKCU\Software\EdgeroamHarness' 2>/dev/null
expect_status "a bad type is a usage error" 2 reg_plant_raw "$key" Value REG_WHATEVER 00 2>/dev/null
expect_status "odd hex is a usage error" 2 reg_plant_raw "$key" Value REG_BINARY 123 2>/dev/null

e2e_finish
