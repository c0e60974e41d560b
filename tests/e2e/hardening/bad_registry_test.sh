#!/usr/bin/env bash
# Stored data that no program of ours writes, end to end: another type, empty, 79, 80 and 4096
# bytes, no terminating NUL. The service (for HoriRecog and VertRecog) and the options editor
# (for each of its five settings) start, report the conversion error where one follows, and
# carry on; nothing crashes; the editor's Cancel leaves every stored byte as it was.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/hardening-lib.sh"
e2e_init "$@"

# A text of N characters: zeros, then 200 ("0…0200"); the hex of its bytes.
padded() { printf '%0*d' "$1" 200; }
padded_hex() { padded "$1" | od -An -tx1 -v | tr -d ' \n'; }

# The cases: what is stored (type, bytes) and what the programs must read from it (text, and
# the number that text converts to, or - for none).
CASE_NAME=() CASE_TYPE=() CASE_HEX=() CASE_TEXT=() CASE_NUMBER=()
add_case() { CASE_NAME+=("$1") CASE_TYPE+=("$2") CASE_HEX+=("$3") CASE_TEXT+=("$4") CASE_NUMBER+=("$5"); }
add_case "a DWORD 2"                   REG_DWORD     02000000                 $'\x02'       -
add_case "a DWORD holding a digit"     REG_DWORD     32000000                 2             2
add_case "binary bytes without NUL"    REG_BINARY    3230                     ""            -
add_case "a multi-string"              REG_MULTI_SZ  3230300000               200           200
add_case "empty data"                  REG_EXPAND_SZ ""                       ""            -
add_case "79 bytes"                    REG_EXPAND_SZ "$(padded_hex 78)00"     "$(padded 78)" 200
add_case "80 bytes"                    REG_EXPAND_SZ "$(padded_hex 79)00"     "$(padded 79)" 200
add_case "4096 bytes"                  REG_EXPAND_SZ "$(padded_hex 4095)00"   ""            -
add_case "text without NUL"            REG_EXPAND_SZ 323030                   ""            -
add_case "80 bytes of text, no NUL"    REG_SZ        "$(padded_hex 80)"       ""            -

# The message box a program shows while loading TEXT (converting to NUMBER) into SETTING, as
# "CAPTION|TEXT", or nothing.
conversion_box() { printf '%s|%s' "$1" "'$2' is not a valid integer value"; }

editor_box() {
  local setting=$1 text=$2 number=$3
  if [ "$number" = - ]; then
    conversion_box "$HARD_OPT_CAPTION" "$text"
  elif [ "$setting" = RecogTimeout ] && { [ "$number" -lt 50 ] || [ "$number" -gt 5000 ]; }; then
    printf '%s|%s' "$OPT_BOX_CAPTION" "$OPT_RANGE_TEXT"
  fi
}

# The service keeps an action code's text in three bytes with its NUL: a longer text is refused.
service_box() {
  local setting=$1 text=$2 number=$3
  if [ "${#text}" -gt 2 ]; then
    printf '%s|%s' "$HARD_SVC_CAPTION" "'$text' is not a valid action code for $setting"
  elif [ "$number" = - ]; then
    conversion_box "$HARD_SVC_CAPTION" "$text"
  fi
}

# expect_box WHAT "CAPTION|TEXT": that box appears and is closed with OK; or, for "", none does
# (checked by the caller once the program is up).
expect_box() {
  [ -n "$2" ] || return 0
  msgbox_expect "${2%%|*}" "${2#*|}" 10 || fail "$1: no message box"
}

# Every other setting holds its usable text.
plant_case() {
  reg_plant_raw "$E2E_SETTINGS_KEY" "$1" "${CASE_TYPE[$2]}" "${CASE_HEX[$2]}" || fatal "store case $2 in $1"
}

# ---------------------------------------------------------------------------------------------
run_service_case() {
  local setting=$1 i=$2 what="service, $1 holding ${CASE_NAME[$2]}"
  plant_case "$setting" "$i"
  e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok1000
  expect_box "$what" "$(service_box "$setting" "${CASE_TEXT[i]}" "${CASE_NUMBER[i]}")"
  tray_wait 10 || fail "$what: no tray icon"
  expect_no_window "$what: no other message" '#32770' 0.2
  if _e2e_alive "$SVC"; then _e2e_ok "$what: runs on"; else fail "$what: the service ended"; fi
  wtool close Edgeroam2 || fail "$what: close the service"
  expect_exit "$SVC" "$what"
  tray_gone 5 || fail "$what: the tray icon stayed"
}

run_editor_case() {
  local setting=$1 i=$2 what="editor, $1 holding ${CASE_NAME[$2]}"
  plant_case "$setting" "$i"
  local before
  before=$(settings_snapshot)
  e2e_start OPT "$E2E_BIN/options.exe" /ok
  expect_box "$what" "$(editor_box "$setting" "${CASE_TEXT[i]}" "${CASE_NUMBER[i]}")"
  wtool wait "$OPT_WIN" 10000 >/dev/null || fail "$what: the window did not open"
  expect_no_window "$what: no other message" '#32770' 0.2
  wtool click "$OPT_WIN" '&Cancel' || fail "$what: click Cancel"
  expect_exit "$OPT" "$what"
  expect_eq "$what: Cancel left every stored byte" "$before" "$(settings_snapshot)"
}

store_valid_settings
for setting in HoriRecog VertRecog; do
  e2e_step "the service with $setting holding data we never write"
  for i in "${!CASE_NAME[@]}"; do run_service_case "$setting" "$i"; done
  store_valid_setting "$setting"
done

for setting in "${OPT_NAMES[@]}"; do
  e2e_step "the options editor with $setting holding data we never write"
  for i in "${!CASE_NAME[@]}"; do run_editor_case "$setting" "$i"; done
  store_valid_setting "$setting"
done

e2e_finish
