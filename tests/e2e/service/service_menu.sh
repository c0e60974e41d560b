#!/usr/bin/env bash
# The tray menu's launches: Options starts options.exe from the service's own directory with
# the launch switch; a missing options.exe or help.chm shows nothing and the service runs on.
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/service-lib.sh"
e2e_init "$@"

# The service runs from a folder of its own, beside a stand-in options.exe that records how
# it was started.
app=$E2E_WORK/app
mkdir -p "$app"
cp "$E2E_BIN/edgeroam2.exe" "$app/" || fatal "copy the service"
cp "$E2E_TOOLS/options-standin.exe" "$app/options.exe" || fatal "copy the options stand-in"
report=$app/options-started.txt

# ---------------------------------------------------------------------------------------------
e2e_step "Options starts options.exe from the service's directory with /ok"
store_actions 2 4
e2e_start SVC "$app/edgeroam2.exe" /ok1000
tray_wait 10 || fatal "no tray icon appeared"
choose_menu_item o
wait_until 10 test -s "$report" >/dev/null || fail "options.exe was not started"
mapfile -t started < <(tr -d '\r' <"$report" 2>/dev/null)
expected_path=$(winpath "$app/options.exe")
expect_eq "the program started" "${expected_path,,}" "${started[0],,}"
expect_eq "its argument text" /ok "${started[1]:-<none>}"

e2e_step "a second choice starts it again (the service does not wait for it)"
rm -f "$report"
choose_menu_item o
wait_until 10 test -s "$report" >/dev/null || fail "options.exe was not started again"

# ---------------------------------------------------------------------------------------------
e2e_step "with options.exe and help.chm missing, Options and Help show nothing"
rm -f "$app/options.exe" "$report"
# Visible top-level windows, less the tray's tooltip (the pointer rests on the icon).
visible_windows() { wtool list | awk -F'\t' '$3 == 1 && $4 != "tooltips_class32" { print $4 "\t" $5 }' | sort; }
_windows_changed() { [ "$(visible_windows)" != "$1" ]; }
before=$(visible_windows)
for item in o h; do
  choose_menu_item "$item"
  if wait_until 1 _windows_changed "$before" 2>/dev/null; then
    fail "a window showed after menu item $item:"
    diff <(echo "$before") <(visible_windows) | sed 's/^/       /'
  else
    _e2e_ok "no window shows for 1 s after menu item $item"
  fi
done
[ -e "$report" ] && fail "something recorded a start"
if _e2e_alive "$SVC"; then _e2e_ok "the service runs on"; else fail "the service ended"; fi
read -r W H < <(screen_size)
expect_wrap 0 $((H / 2)) $((W - 2)) $((H / 2))

exit_service "$SVC"
e2e_finish
