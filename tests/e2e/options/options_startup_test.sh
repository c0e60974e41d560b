#!/usr/bin/env bash
# options.exe under Wine: only the exact switch opens the window, a second copy ends silently,
# a stored timeout out of range is reported before the window appears, and one click on an
# up-down arrow that fails the range check shows exactly one message.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/options-e2e.sh"
e2e_init "$@"

exe=$(opt_exe_winpath)

# ---------------------------------------------------------------------------------------------
e2e_step "first start with nothing stored: the conversion error, then the window as laid out"
reg_delete "$E2E_SETTINGS_KEY" 2>/dev/null
e2e_start OPT "$E2E_BIN/options.exe" /ok
# The platform's error report carries the program's name as its caption.
msgbox_expect options "'' is not a valid integer value" 10
wtool wait "$OPT_WIN" 10000 >/dev/null || fatal "the window did not open after the error"
expect_eq "the controls keep their first state" "0 0 -1 -1 200" "$(opt_shown)"
wtool click "$OPT_WIN" '&Ok' || fail "click OK"
msgbox_expect "$OPT_BOX_CAPTION" "$OPT_SAVED_TEXT" 10
opt_expect_exit "$OPT" "OK after the failed load"
expect_stored "OK stores what the window showed" 0 0 -1 -1 200

opt_store 0 1 2 3 200

# ---------------------------------------------------------------------------------------------
# The argument text after the program name, exactly (wtool run passes the command line as is).
refused_args=("/OK" "/ok " "" "/ok1" "/o" "ok" '"/ok"' "/ok /ok")
for args in "${refused_args[@]}"; do
  e2e_step "argument text '$args' is refused"
  e2e_start RUN "$E2E_TOOLS/wtool.exe" run "\"$exe\" $args" 20000
  msgbox_expect "$OPT_REFUSED_CAPTION" "$OPT_REFUSED_TEXT" 10
  if e2e_wait_exit "$RUN" 10; then
    expect_eq "'$args': exit status" 0 "$E2E_STATUS"
  else
    fail "'$args': the program did not end"
    e2e_stop "$RUN"
  fi
  expect_no_window "'$args': no options window" "$OPT_WIN" 0.1
done

e2e_step "the switch after several blanks is accepted"
e2e_start RUN "$E2E_TOOLS/wtool.exe" run "\"$exe\"    /ok" 60000
wtool wait "$OPT_WIN" 10000 >/dev/null || fail "the window did not open"
expect_eq "it shows the stored settings" "0 1 2 3 200" "$(opt_shown)"

# ---------------------------------------------------------------------------------------------
e2e_step "a second copy ends silently with 0, with or without the switch; the first stays"
for args in "/ok" "" "/OK"; do
  e2e_start SECOND "$E2E_BIN/options.exe" $args
  if e2e_wait_exit "$SECOND" 10; then
    expect_eq "second copy '$args': exit status" 0 "$E2E_STATUS"
  else
    fail "second copy '$args' did not end"
    e2e_stop "$SECOND"
  fi
done
expect_no_window "the second copies showed no message" '#32770' 0.2
expect_eq "one options window" 1 "$(wtool list "$OPT_WIN" | awk -F '\t' '$3 == 1' | wc -l)"
wtool close "$OPT_WIN" || fail "close the first copy"
if e2e_wait_exit "$RUN" 10; then
  expect_eq "the first copy ends with 0 after WM_CLOSE" 0 "$E2E_STATUS"
else
  fail "the first copy did not end"
  e2e_stop "$RUN"
fi

# ---------------------------------------------------------------------------------------------
e2e_step "a stored timeout of 30 is reported before the window appears"
reg_plant "$E2E_SETTINGS_KEY" RecogTimeout 30 || fatal "store the timeout"
e2e_start OPT "$E2E_BIN/options.exe" /ok
msgbox_wait "$OPT_BOX_CAPTION" 10 || fatal "no range message"
expect_eq "its text" "$OPT_RANGE_TEXT" "$(msgbox_text "$OPT_BOX_CAPTION")"
expect_no_window "the window is not shown yet" "$OPT_WIN" 0.3
msgbox_ok "$OPT_BOX_CAPTION" || fail "close the range message"
wtool wait "$OPT_WIN" 10000 >/dev/null || fatal "the window did not appear after the message"
expect_eq "the box shows the clamped value" 50 "$(opt_timeout_text)"
expect_stored "loading writes nothing" 0 1 2 3 30

# ---------------------------------------------------------------------------------------------
# A real pointer click on the arrow: the handler's message box opens while the button is down.
arrow_click() {
  local left top right bottom
  read -r left top right bottom < <(wtool rect "$OPT_WIN" '#msctls_updown32') || return 1
  local x=$(((left + right) / 2))
  if [ "$1" = up ]; then pointer_click "$x" $((top + 3)); else pointer_click "$x" $((bottom - 4)); fi
}

e2e_step "one click on the down arrow at 50: exactly one range message"
arrow_click down || fail "click the down arrow"
msgbox_expect "$OPT_BOX_CAPTION" "$OPT_RANGE_TEXT" 10
expect_no_window "no second message after the first is closed" "$(msgbox_window "$OPT_BOX_CAPTION")" 1.5
expect_eq "the box still shows 50" 50 "$(opt_timeout_text)"

e2e_step "one click on the up arrow: 55, no message"
arrow_click up || fail "click the up arrow"
wait_until 5 eval '[ "$(opt_timeout_text)" = 55 ]' >/dev/null || fail "the box does not show 55"
expect_no_window "no message" "$(msgbox_window "$OPT_BOX_CAPTION")" 0.5
wtool click "$OPT_WIN" '&Cancel' || fail "click Cancel"
opt_expect_exit "$OPT" "Cancel"
expect_stored "Cancel wrote nothing" 0 1 2 3 30

e2e_finish
