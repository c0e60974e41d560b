#!/usr/bin/env bash
# Start-up of the service: nothing stored yet, one copy only, the launch switch required, and
# every way out with exit status 0.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/service-lib.sh"
e2e_init "$@"
read -r W H < <(screen_size)
y=$((H / 2))

# ---------------------------------------------------------------------------------------------
e2e_step "with no settings stored the conversion error is reported and the service runs on"
expect_reg_missing "$E2E_SETTINGS_KEY" HoriRecog
e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok1000
# The error comes while the main window is created, before the title is set: the box carries
# the program's name.
msgbox_expect edgeroam2 "'' is not a valid integer value" 10
tray_wait 10 || fatal "no tray icon after the reported error"
expect_hint "$SVC_HINT_START"
expect_wrap 0 "$y" $((W - 2)) "$y"
expect_no_window "one message only" '#32770' 0.5

# ---------------------------------------------------------------------------------------------
e2e_step "a second copy, with or without the switch, says that one is running and ends"
store_actions 2 4  # from here on every start loads its settings without a message
for args in /ok1000 ""; do
  # shellcheck disable=SC2086  # no argument at all for the empty case
  expect_refused_start "$SVC_RUNNING_CAPTION" "$SVC_RUNNING_TEXT" $args
done
if _e2e_alive "$SVC"; then _e2e_ok "the first copy keeps running"; else fail "the first copy ended"; fi
expect_wrap $((W - 1)) "$y" 1 "$y"

e2e_step "a second copy lets go of the mutex before its message waits for the user"
e2e_start SECOND "$E2E_BIN/edgeroam2.exe" /ok1000
msgbox_wait "$SVC_RUNNING_CAPTION" 10 || fatal "the second copy's message did not show"
exit_service "$SVC"
e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok1000
tray_wait 10 || fail "no new start while the second copy's message is open"
msgbox_ok "$SVC_RUNNING_CAPTION" || fail "the second copy's message did not close"
e2e_wait_exit "$SECOND" 10 || fatal "the second copy did not end"
expect_eq "exit status of the second copy" 0 "$E2E_STATUS"
exit_service "$SVC"

# ---------------------------------------------------------------------------------------------
e2e_step "a start without the launch switch is refused"
for args in "" /o ok300 -ok300; do
  # shellcheck disable=SC2086
  expect_refused_start "$SVC_REFUSED_CAPTION" "$SVC_REFUSED_TEXT" $args
done
expect_no_window "no tray icon after the refusals" "$E2E_TRAY_WINDOW" 0.2

e2e_step "a refused start holds the mutex while its message is open"
e2e_start NOSWITCH "$E2E_BIN/edgeroam2.exe"
msgbox_wait "$SVC_REFUSED_CAPTION" 10 || fatal "the refusal did not show"
expect_refused_start "$SVC_RUNNING_CAPTION" "$SVC_RUNNING_TEXT" /ok1000
msgbox_ok "$SVC_REFUSED_CAPTION" || fail "the refusal did not close"
e2e_wait_exit "$NOSWITCH" 10 || fatal "the refused start did not end"
expect_eq "exit status of the refused start" 0 "$E2E_STATUS"

# ---------------------------------------------------------------------------------------------
e2e_step "the switch in capitals starts the service; it runs until Exit"
e2e_start SVC "$E2E_BIN/edgeroam2.exe" /OK250
tray_wait 10 || fatal "no tray icon for /OK250"
expect_no_window "no message for /OK250" '#32770' 0.5
expect_wrap "$((W / 2))" 0 "$((W / 2))" $((H - 2))
exit_service "$SVC"

e2e_finish
