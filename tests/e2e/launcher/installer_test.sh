#!/usr/bin/env bash
# The installer Edgeroam2Setup.exe: a silent per-user install, the product started from the
# installed folder, its help file opened from the tray menu, and a silent uninstall that
# leaves no file, no settings and no Run entry behind.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/launcher-lib.sh"
e2e_init "$@"
E2E_BIN=$(cd "$E2E_BIN" && pwd)
SETUP=$(cd "$E2E_BIN/.." && pwd)/Edgeroam2Setup.exe
[ -f "$SETUP" ] || fatal "no installer at $SETUP (build the win64 preset)"

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Edgeroam2'
INSTALLED_FILES=(Edgeroam2StartUp.exe edgeroam2.exe options.exe help.chm Uninstall.exe)

# uninstall_value NAME: one value of the Add/Remove Programs entry, as reg.exe prints it.
uninstall_value() {
  e2e_run 10 reg query "$UNINSTALL_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    sed -n "s/^ *$1 *REG_[A-Z_]* *//p"
}

# The Start-menu shortcut, as a path in the prefix.
shortcut() {
  find "$WINEPREFIX/drive_c/users" -path '*/Start Menu/Programs/Edgeroam 2.lnk' 2>/dev/null
}

# ---------------------------------------------------------------------------------------------
e2e_step "silent install for the current user"
expect_status "the installer's exit status" 0 e2e_run 60 "$SETUP" /S
location=$(uninstall_value InstallLocation)
expect_match "installed below the user's local application data" \
  '^C:\\users\\[^\\]+\\AppData\\Local\\Programs\\Edgeroam 2$' "$location"
folder=$(e2e_run 10 winepath.exe -u "$location" | tr -d '\r')
[ -d "$folder" ] || fatal "no installed folder at '$folder'"
for file in "${INSTALLED_FILES[@]}"; do
  [ -s "$folder/$file" ] && _e2e_ok "installed $file" || fail "$file is not installed"
done
for file in Edgeroam2StartUp.exe edgeroam2.exe options.exe help.chm; do
  cmp -s "$E2E_BIN/$file" "$folder/$file" || fail "the installed $file differs from the built one"
done
[ -n "$(shortcut)" ] && _e2e_ok "Start-menu shortcut" || fail "no Start-menu shortcut"
# value | expected (a regular expression)
entry_cases=(
  "DisplayName|^Edgeroam 2$"
  "Publisher|^Korvantis\(TM\)$"
  "DisplayVersion|^2\.0\.0\.0$"
  "UninstallString|^\"C:\\\\users\\\\.*\\\\Edgeroam 2\\\\Uninstall\.exe\"$"
  "QuietUninstallString|^\"C:\\\\users\\\\.*\\\\Edgeroam 2\\\\Uninstall\.exe\" /S$"
)
for case in "${entry_cases[@]}"; do
  expect_match "Add/Remove Programs: ${case%%|*}" "${case#*|}" "$(uninstall_value "${case%%|*}")"
done
expect_reg_missing "$E2E_SETTINGS_KEY" OnStartUp

# ---------------------------------------------------------------------------------------------
e2e_step "launch from the installed folder, with Load on Startup stored"
reg_plant "$E2E_SETTINGS_KEY" OnStartUp 1 || fatal "store OnStartUp"
launch_service "$folder/Edgeroam2StartUp.exe"
expect_eq "the service runs from the installed folder" "$location\\edgeroam2.exe /ok1000" "$(service_cmdline)"
expect_eq "Run entry" "\"$location\\Edgeroam2StartUp.exe\"" "$(run_entry)"
expect_reg_text "$E2E_SETTINGS_KEY" RecogTimeout 1000

# ---------------------------------------------------------------------------------------------
e2e_step "Help / About in the tray menu opens the installed help file"
# Down three times: the homepage, Options, Help / About (h is also the homepage's access key).
tray_click right && menu_wait || fatal "the tray menu did not open"
keys down down down enter || fail "choose Help / About"
menu_gone || fail "the tray menu stayed open"
wtool wait 'Edgeroam 2 Help' 15000 >/dev/null && _e2e_ok "the help window 'Edgeroam 2 Help' is up" ||
  fail "no help window appeared"
help_process() {
  local line
  line=$(ps -eo args | tr -d '\r' | grep -F -i 'hh.exe' | grep -F 'help.chm' | head -1)
  [ -n "$line" ] && echo "$line"
}
expect_eq "the help viewer's command line" "C:\\windows\\hh.exe $location\\help.chm" \
  "$(wait_until 5 help_process 2>/dev/null)"
wtool close 'Edgeroam 2 Help' || fail "close the help window"
wtool gone 'Edgeroam 2 Help' 5000 >/dev/null || fail "the help window did not close"

# ---------------------------------------------------------------------------------------------
e2e_step "silent uninstall while the service runs: it is closed, and nothing is left"
expect_status "the uninstaller's exit status" 0 e2e_run 60 "$folder/Uninstall.exe" /S
# The uninstaller runs on as a copy of itself in the temporary folder.
folder_gone() { [ ! -e "$folder" ]; }
key_gone() { ! e2e_run 10 reg query "$1" >/dev/null 2>&1; }
expect_status "the installed folder is gone" 0 wait_until 20 folder_gone
expect_status "the service has ended" 0 wait_until 10 no_service
expect_status "no tray icon is left" 0 tray_gone 5
expect_eq "no Start-menu shortcut" "" "$(shortcut)"
expect_status "no settings key" 0 key_gone "$E2E_SETTINGS_KEY"
expect_status "no maker key" 0 key_gone 'HKCU\Software\KorvantisTM'
expect_eq "no Run entry" "" "$(run_entry)"
expect_status "no Add/Remove Programs entry" 0 key_gone "$UNINSTALL_KEY"

e2e_finish
