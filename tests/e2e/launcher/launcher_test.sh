#!/usr/bin/env bash
# The launcher Edgeroam2StartUp.exe with the real pointer service: first-run settings, the
# service's command line, one running copy, the Run entry, and what the user stored kept.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/launcher-lib.sh"
e2e_init "$@"
E2E_BIN=$(cd "$E2E_BIN" && pwd)

LAUNCHER_WIN=$(winpath "$E2E_BIN/Edgeroam2StartUp.exe")
SERVICE_WIN=$(winpath "$E2E_BIN/edgeroam2.exe")

# ---------------------------------------------------------------------------------------------
e2e_step "first launch on an empty registry: five settings seeded, the service runs quietly"
for name in "${SETTING_NAMES[@]}"; do expect_reg_missing "$E2E_SETTINGS_KEY" "$name"; done
launch_service
expect_settings 0 1 0 0 1000
expect_eq "the service's command line" "$SERVICE_WIN /ok1000" "$(service_cmdline)"
expect_hint "$SVC_HINT_START"
expect_eq "no Run entry while OnStartUp is 0" "" "$(run_entry)"

# ---------------------------------------------------------------------------------------------
e2e_step "a second launch: the service says it already runs; the first copy runs on"
launch
msgbox_expect "$SVC_RUNNING_CAPTION" "$SVC_RUNNING_TEXT" 10
wait_until 10 eval '[ "$(service_pids | wc -l)" -eq 1 ]' >/dev/null || fail "the second copy did not end"
expect_eq "one service, started by the first launch" "$SERVICE_WIN /ok1000" "$(service_cmdline)"
tray_rect >/dev/null || fail "the first copy's tray icon is gone"

e2e_step "Exit from the tray menu ends the service"
choose_menu_item x
wait_until 10 no_service >/dev/null || fail "the service did not end on Exit"
tray_gone 5 || fail "a tray icon is left after Exit"

# ---------------------------------------------------------------------------------------------
e2e_step "recognition on: a horizontal shake sends the stored shortcut (Copy)"
reg_plant "$E2E_SETTINGS_KEY" HoriRecog 2 || fatal "store HoriRecog"
launch_service
e2e_start KEYRECV "$E2E_TOOLS/keyrecv.exe" "Launcher key receiver" "$(winpath "$E2E_WORK/on.keys")"
wait_for_log "$E2E_WORK/on.keys" '^READY .*foreground=1' 10 >/dev/null || fatal "the key receiver is not ready"
shake_horizontally
wait_until 3 grep -q -E '^KEYDOWN vk=0x43 .*ctrl=1' "$E2E_WORK/on.keys" ||
  fail "the shake did not send Ctrl+C"
wtool close "Launcher key receiver" && e2e_wait_exit "$KEYRECV" 5 || fail "close the key receiver"
stop_service

e2e_step "RecogActive 0: the service gets /ok0 and the same shake sends nothing"
reg_plant "$E2E_SETTINGS_KEY" RecogActive 0 || fatal "store RecogActive"
launch_service
expect_eq "the service's command line" "$SERVICE_WIN /ok0" "$(service_cmdline)"
e2e_start KEYRECV "$E2E_TOOLS/keyrecv.exe" "Launcher key receiver" "$(winpath "$E2E_WORK/off.keys")"
wait_for_log "$E2E_WORK/off.keys" '^READY .*foreground=1' 10 >/dev/null || fatal "the key receiver is not ready"
shake_horizontally
if wait_until 1.5 received_keys "$E2E_WORK/off.keys" >/dev/null 2>&1; then
  fail "keys arrived although recognition is off: $(received_keys "$E2E_WORK/off.keys" | head -3)"
else
  _e2e_ok "no key arrived within 1.5 s of the shake"
fi
wtool close "Launcher key receiver" && e2e_wait_exit "$KEYRECV" 5 || fail "close the key receiver"
pointer_move 0 400
wait_until 2 eval '[ "$(pointer_pos)" != "0 400" ]' >/dev/null || fail "the edge wrap does not work with /ok0"
stop_service
expect_settings 0 0 2 0 1000

# ---------------------------------------------------------------------------------------------
e2e_step "OnStartUp 1 adds the Run entry; 0 removes it again"
reg_plant "$E2E_SETTINGS_KEY" OnStartUp 1 || fatal "store OnStartUp"
launch_service
expect_eq "Run entry" "\"$LAUNCHER_WIN\"" "$(run_entry)"
stop_service
launch_service
expect_eq "Run entry after a second launch" "\"$LAUNCHER_WIN\"" "$(run_entry)"
stop_service
reg_plant "$E2E_SETTINGS_KEY" OnStartUp 0 || fatal "store OnStartUp"
launch_service
expect_eq "Run entry with OnStartUp 0" "" "$(run_entry)"
stop_service

e2e_step "a folder whose name lies outside the ANSI code page: the service starts, the Run entry is exact"
unicode="$E2E_WORK/Программы ✓"
mkdir -p "$unicode" && cp "$E2E_BIN/Edgeroam2StartUp.exe" "$E2E_BIN/edgeroam2.exe" "$unicode/"
reg_plant "$E2E_SETTINGS_KEY" OnStartUp 1 || fatal "store OnStartUp"
launch_service "$unicode/Edgeroam2StartUp.exe"
expect_eq "the service's command line" "$(winpath "$unicode/edgeroam2.exe") /ok0" "$(service_cmdline)"
expect_eq "Run entry" "\"$(winpath "$unicode/Edgeroam2StartUp.exe")\"" "$(run_entry)"
stop_service
reg_plant "$E2E_SETTINGS_KEY" OnStartUp 0 || fatal "store OnStartUp"

# ---------------------------------------------------------------------------------------------
e2e_step "what the user stored stays byte for byte; only the missing value is added"
reg_delete "$E2E_SETTINGS_KEY" || fatal "clear the settings"
# value | type | data in hex (the launcher cannot use the empty timeout nor the DWORD)
stored=(
  "OnStartUp|REG_EXPAND_SZ|$(text_hex 0)"
  "HoriRecog|REG_SZ|$(text_hex 3)"
  "VertRecog|REG_EXPAND_SZ|$(text_hex 5)"
  "RecogTimeout|REG_EXPAND_SZ|$(text_hex '')"
)
for entry in "${stored[@]}"; do
  IFS='|' read -r name type hex <<<"$entry"
  reg_plant_raw "$E2E_SETTINGS_KEY" "$name" "$type" "$hex" || fatal "store $name"
done
launch_service
for entry in "${stored[@]}"; do
  IFS='|' read -r name type hex <<<"$entry"
  expect_eq "registry \"$name\" kept" "$type $hex" "$(reg_read "$E2E_SETTINGS_KEY" "$name")"
done
expect_reg_text "$E2E_SETTINGS_KEY" RecogActive 1
expect_eq "an empty timeout starts the service with the default" "$SERVICE_WIN /ok1000" "$(service_cmdline)"
stop_service

reg_plant_raw "$E2E_SETTINGS_KEY" RecogTimeout REG_DWORD 2c010000 || fatal "store a DWORD timeout"
reg_plant "$E2E_SETTINGS_KEY" RecogActive 'yes' || fatal "store RecogActive"
launch_service
expect_eq "a DWORD timeout is kept" "REG_DWORD 2c010000" "$(reg_read "$E2E_SETTINGS_KEY" RecogTimeout)"
expect_reg_text "$E2E_SETTINGS_KEY" RecogActive yes
expect_eq "unreadable texts start the service with the defaults" "$SERVICE_WIN /ok1000" "$(service_cmdline)"
stop_service

# ---------------------------------------------------------------------------------------------
e2e_step "no service beside the launcher: the user is told, and the exit status says so"
lonely=$E2E_WORK/lonely
mkdir -p "$lonely" && cp "$E2E_BIN/Edgeroam2StartUp.exe" "$lonely/"
e2e_start LONELY "$lonely/Edgeroam2StartUp.exe"
msgbox_expect "$LAUNCHER_CAPTION" "Edgeroam 2 could not be started:
$(winpath "$lonely/edgeroam2.exe")" 10
e2e_wait_exit "$LONELY" 10 || fail "the launcher did not end"
expect_eq "exit status without a service" 1 "$E2E_STATUS"
expect_eq "no service runs" "" "$(service_pids)"

e2e_finish
