# Helpers of the launcher's and the installer's end-to-end tests, on top of ../lib/e2e.sh
# and the service's helpers (choose_menu_item, the service's messages).
# shellcheck shell=bash

# shellcheck source=../service/service-lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/../service/service-lib.sh"

LAUNCHER_CAPTION='Edgeroam 2 : Korvantis(TM)'
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
RUN_ENTRY=Edgeroam2
SERVICE_WINDOW='#Edgeroam.Form:=Edgeroam2'
SETTING_NAMES=(OnStartUp RecogActive HoriRecog VertRecog RecogTimeout)

# Pids of the running pointer services of this run's prefix (the launcher starts them, so
# they are found by their command line, which Wine shows as the Windows one).
service_pids() {
  local dir pid cmdline
  for dir in /proc/[0-9]*; do
    pid=${dir#/proc/}
    { cmdline=$(tr '\0' ' ' <"$dir/cmdline"); } 2>/dev/null || continue
    [[ ${cmdline,,} == *'\edgeroam2.exe '* ]] || continue
    grep -qzx -- "WINEPREFIX=$WINEPREFIX" "$dir/environ" 2>/dev/null && _e2e_alive "$pid" && echo "$pid"
  done
}

# The command line of the one running service, trailing blanks cut.
service_cmdline() {
  local pids
  mapfile -t pids < <(service_pids)
  [ ${#pids[@]} -eq 1 ] || { echo "${#pids[@]} services run" >&2; return 1; }
  local cmdline
  cmdline=$(tr '\0' ' ' <"/proc/${pids[0]}/cmdline")
  echo "${cmdline%"${cmdline##*[! ]}"}"
}

no_service() { [ -z "$(service_pids)" ]; }

# launch [EXE]: runs the launcher, which must end with 0 once the service is started.
launch() {
  local exe=${1:-$E2E_BIN/Edgeroam2StartUp.exe}
  e2e_run 30 "$exe"
  expect_eq "the launcher's exit status" 0 $?
}

# launch_service [EXE]: launches and waits for the service's tray icon; no message box.
launch_service() {
  launch "$@"
  tray_wait 10 || fatal "no tray icon after the launch"
  wait_until 5 service_cmdline >/dev/null || fatal "no service process after the launch"
  expect_no_window "no message box after the launch" '#32770' 0.5
}

# stop_service: closes the service's main window; the process ends and the icon goes.
stop_service() {
  wtool close "$SERVICE_WINDOW" || fail "close the service's main window"
  wait_until 10 no_service || fail "the service did not end"
  tray_gone 5 || fail "a tray icon is left after the service ended"
}

# The Run entry's text, nothing when there is none. Read from reg.exe's export, which keeps
# every character (its console output and the ANSI functions do not).
run_entry() {
  local file=$E2E_WORK/run.reg
  rm -f "$file"
  e2e_run 10 reg export "$RUN_KEY" "$(winpath "$file")" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16LE -t UTF-8 "$file" | tr -d '\r' |
    sed -n "s/^\"$RUN_ENTRY\"=\"\(.*\)\"$/\1/p" | sed 's/\\\(["\\]\)/\1/g'
}

expect_settings() {
  local i texts=("$@")
  for i in "${!SETTING_NAMES[@]}"; do
    expect_reg_text "$E2E_SETTINGS_KEY" "${SETTING_NAMES[i]}" "${texts[i]}"
  done
}

# shake_horizontally: seven and more left-right strokes, each held for two of the service's
# 50 ms samples, in the middle of the screen, away from every edge.
shake_horizontally() {
  local i
  pointer_move 640 400
  sleep 0.15
  for i in 1 2 3 4 5 6 7 8; do
    pointer_move $((i % 2 ? 540 : 740)) 400
    sleep 0.1
  done
}

# Key messages (not READY/focus lines) that the receiver logged.
received_keys() { grep -E '^(SYS)?(KEY|CHAR)' "$1"; }
