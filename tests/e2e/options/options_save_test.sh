#!/usr/bin/env bash
# options.exe under Wine: the window shows the stored settings in the laid-out controls,
# OK (button or Enter) saves all five as REG_EXPAND_SZ after the notice and ends with 0,
# and OK with a timeout out of range only corrects the box.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/options-e2e.sh"
e2e_init "$@"

SHOT_DIR=${E2E_BIN%/bin}/screenshots

# ---------------------------------------------------------------------------------------------
e2e_step "the window opens centred on the desktop and shows the stored settings"
opt_store 1 0 2 4 300
opt_start OPT /ok
expect_eq "the controls show the stored settings" "1 0 2 4 300" "$(opt_shown)"

read -r sw sh < <(screen_size)
read -r left top right bottom < <(wtool rect "$OPT_WIN")
expect_eq "outer size" "257x339" "$((right - left))x$((bottom - top))"
expect_eq "centred on the desktop" "$(((sw - 257) / 2)) $(((sh - 339) / 2))" "$left $top"

# Each control's rectangle relative to its parent's client area. Children of the window are
# measured from GroupBox1, which sits at 8,8 of the client area.
rect_of() { wtool rect "$OPT_WIN" "$1"; }
read -r g1x g1y _ _ < <(rect_of General)
read -r g2x g2y _ _ < <(rect_of 'Pattern Recognition')
# control | parent (form, g1 or g2) | left top width height
layout=(
  "General|form|8 8 233 81"
  "Pattern Recognition|form|8 96 233 161"
  "&Ok|form|8 272 73 25"
  "&Cancel|form|96 272 73 25"
  "$OPT_STARTUP|g1|16 24 201 17"
  "$OPT_ACTIVE|g1|16 48 201 17"
  "Timeout (m/secs):|g2|13 130 85 13"
  "Back and Forth &Vertical Motion:|g2|8 72 149 13"
  "Back and Forth &Horizontal Motion:|g2|8 21 161 13"
  "#Edit|g2|104 128 41 21"
  "#msctls_updown32|g2|145 128 13 21"
  "$(opt_list_id 1)|g2|128 42 97 -"
  "$(opt_list_id 2)|g2|128 92 97 -"
)
for row in "${layout[@]}"; do
  IFS='|' read -r control parent expected <<<"$row"
  read -r ex ey ew eh <<<"$expected"
  case $parent in
    form) ox=$((g1x - 8)) oy=$((g1y - 8)) ;;
    g1) ox=$g1x oy=$g1y ;;
    g2) ox=$g2x oy=$g2y ;;
  esac
  read -r l t r b < <(rect_of "$control") || { fail "no control '$control'"; continue; }
  # A drop-down list's height follows its item height, not the layout.
  [ "$eh" = - ] && eh=$((b - t))
  expect_eq "layout of '$control'" "$ex $ey $ew $eh" "$((l - ox)) $((t - oy)) $((r - l)) $((b - t))"
done

e2e_step "a screenshot of the window"
mkdir -p "$SHOT_DIR"
shot=$SHOT_DIR/options-window.png
if import -window root "$E2E_WORK/screen.png" &&
  convert "$E2E_WORK/screen.png" -crop "$((right - left))x$((bottom - top))+$left+$top" +repage "$shot"; then
  expect_eq "screenshot size" "257x339" "$(identify -format '%wx%h' "$shot")"
  echo "     screenshot: $shot"
else
  fail "could not take the screenshot"
fi

# ---------------------------------------------------------------------------------------------
e2e_step "OK saves what the user set, after the notice, and ends with 0"
opt_set 0 1 1 5 4321 || fail "set the controls"
expect_eq "the controls show the new settings" "0 1 1 5 4321" "$(opt_shown)"
expect_stored "nothing is written before OK" 1 0 2 4 300
wtool click "$OPT_WIN" '&Ok' || fail "click OK"
msgbox_expect "$OPT_BOX_CAPTION" "$OPT_SAVED_TEXT" 10
opt_expect_exit "$OPT" "OK"
expect_stored "after OK" 0 1 1 5 4321

# ---------------------------------------------------------------------------------------------
e2e_step "the next start shows the saved settings; Enter presses OK"
opt_start OPT /ok
expect_eq "the saved settings come back" "0 1 1 5 4321" "$(opt_shown)"
wtool setcursel "$OPT_WIN" "$(opt_list_id 2)" 0 || fail "choose Disabled"
wtool updown "$OPT_WIN" '#msctls_updown32' up || fail "one step up"
wait_until 5 eval '[ "$(opt_timeout_text)" = 4326 ]' >/dev/null || fail "the up arrow did not step to 4326"
wtool fg "$OPT_WIN" && keys enter || fail "press Enter"
msgbox_expect "$OPT_BOX_CAPTION" "$OPT_SAVED_TEXT" 10
opt_expect_exit "$OPT" "Enter"
expect_stored "after Enter" 0 1 1 0 4326

# ---------------------------------------------------------------------------------------------
e2e_step "OK with a timeout out of range: the message, the clamped value, nothing written"
opt_start OPT /ok
# typed as a user deletes the text from its end: the empty box keeps the last number, 4
for text in 432 43 4 ''; do wtool settext "$OPT_WIN" '#Edit' "$text" || fail "type '$text'"; done
wtool click "$OPT_WIN" '&Ok' || fail "click OK"
msgbox_expect "$OPT_BOX_CAPTION" "$OPT_RANGE_TEXT" 10
wait_until 5 eval '[ "$(opt_timeout_text)" = 50 ]' >/dev/null || fail "the box does not show 50"
expect_eq "the box shows the clamped value" 50 "$(opt_timeout_text)"
expect_stored "nothing was written" 0 1 1 0 4326
wtool wait "$OPT_WIN" 100 >/dev/null || fail "the window is no longer open"
expect_no_window "no second message" "$(msgbox_window "$OPT_BOX_CAPTION")" 0.5

e2e_step "a second OK saves the clamped value"
wtool click "$OPT_WIN" '&Ok' || fail "click OK again"
msgbox_expect "$OPT_BOX_CAPTION" "$OPT_SAVED_TEXT" 10
opt_expect_exit "$OPT" "second OK"
expect_stored "after the second OK" 0 1 1 0 50

e2e_finish
