#!/usr/bin/env bash
# options.exe under Wine: Cancel, Escape and the close box leave after edits, write nothing
# and end with 0; each time the one-copy key is free for the next start.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/options-e2e.sh"
e2e_init "$@"

leave_cancel() { wtool click "$OPT_WIN" '&Cancel'; }
leave_escape() { wtool fg "$OPT_WIN" && keys esc; }
# The close box of the title bar, clicked with the pointer (Wine draws the caption itself).
leave_close_box() {
  local left top right bottom
  read -r left top right bottom < <(wtool rect "$OPT_WIN") || return 1
  pointer_click $((right - 12)) $((top + 12))
}
leave_wm_close() { wtool close "$OPT_WIN"; }

opt_store 1 1 3 2 700
for leave in leave_cancel leave_escape leave_close_box leave_wm_close; do
  e2e_step "${leave#leave_} after edits"
  opt_start OPT /ok
  opt_set 0 0 5 -1 4000 || fail "$leave: set the controls"
  wtool updown "$OPT_WIN" '#msctls_updown32' down || fail "$leave: one step down"
  wait_until 5 eval '[ "$(opt_timeout_text)" = 3995 ]' >/dev/null || fail "$leave: the step did not show 3995"
  $leave || fail "$leave: could not leave"
  opt_expect_exit "$OPT" "$leave"
  expect_no_window "$leave: nothing is asked" '#32770' 0.1
  expect_stored "$leave: nothing written" 1 1 3 2 700
done

e2e_finish
