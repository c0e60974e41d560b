#!/usr/bin/env bash
# A restarting shell: the service's icon comes back with the image and hint it had (switched
# OFF), and its click and menu still work.
#   - "TaskbarCreated" while the shell still shows the icon: one icon, unchanged;
#   - a shell that has lost the icon (as a newly started one has), then "TaskbarCreated": the
#     icon is added again;
#   - the process that hosts the notification area ends: the service runs on and ends cleanly.
#     (Wine 8 starts no new host on a desktop whose first one has ended, so the return of the
#     icon is shown by the two cases above.)
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/hardening-lib.sh"
e2e_init "$@"
read -r W H < <(screen_size)
y=$((H / 2))

TRAY_OWNER_CLASS='Edgeroam.TrayIcon'  # the form layer's window that owns the service's icon
TRAY_ICON_ID=1

icon_count() { wtool children "$E2E_TRAY_WINDOW" 2>/dev/null | grep -c "$E2E_TRAY_ICON"; }
pixels_are() { [ "$(tray_icon_pixels)" = "$1" ]; }
pixels_differ_from() { [ "$(tray_icon_pixels)" != "$1" ]; }

# expect_icon WHAT HINT PIXELS: exactly one icon, with that hint and that image.
expect_icon() {
  wait_until 5 tray_rect >/dev/null || { fail "$1: no tray icon"; return 1; }
  expect_tray_hint "$1: the hint" "$2"
  if wait_until 3 pixels_are "$3"; then _e2e_ok "$1: the image"; else fail "$1: the image is not the one it had"; fi
  expect_eq "$1: one icon" 1 "$(icon_count)"
}

# expect_click_switches WHAT: a click on the icon switches the service on (ON image and hint),
# another one off again.
expect_click_switches() {
  tray_click left || return 1
  expect_icon "$1, clicked once" "$SVC_HINT_ON" "$on_pixels"
  tray_click left || return 1
  expect_icon "$1, clicked twice" "$SVC_HINT_OFF" "$off_pixels"
}

# The two images as the icon shows them once the service has switched: Wine paints a new image
# over the old one without clearing it first, so where the ON image is transparent the OFF
# image's arrows still show; the fresh ON icon differs from the switched one.
switch_and_capture() {
  local before
  before=$(tray_icon_pixels)
  tray_click left || fatal "click the icon"
  wait_until 3 pixels_differ_from "$before" >/dev/null || fatal "the image did not change"
  tray_icon_pixels
}

store_valid_settings
e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok1000
tray_wait 10 || fatal "no tray icon"
off_pixels=$(switch_and_capture)
on_pixels=$(switch_and_capture)
tray_click left || fatal "click the icon"
expect_icon "switched off" "$SVC_HINT_OFF" "$off_pixels"

# ---------------------------------------------------------------------------------------------
e2e_step "TaskbarCreated while the shell still shows the icon"
wtool broadcast TaskbarCreated || fail "broadcast TaskbarCreated"
expect_icon "after the broadcast" "$SVC_HINT_OFF" "$off_pixels"
expect_click_switches "after the broadcast"

e2e_step "a shell without the icon, then TaskbarCreated"
wtool traydelete "$TRAY_OWNER_CLASS" "$TRAY_ICON_ID" || fatal "make the shell forget the icon"
tray_gone 5 || fail "the icon did not go"
expect_no_window "the icon stays away until the shell announces itself" "$E2E_TRAY_WINDOW" 0.5
wtool broadcast TaskbarCreated || fail "broadcast TaskbarCreated"
expect_icon "added again" "$SVC_HINT_OFF" "$off_pixels"
expect_click_switches "added again"
choose_menu_item t
expect_icon "the menu's Turn item" "$SVC_HINT_ON" "$on_pixels"

e2e_step "the host of the notification area ends"
host=$(wtool list "$E2E_TRAY_WINDOW" | awk -F '\t' 'NR == 1 { print $2 }')
[ -n "$host" ] || fatal "no process hosts the tray"
wtool terminate "$host" || fatal "end the host, process $host"
tray_gone 5 || fail "the icon outlived its host"
wtool broadcast TaskbarCreated || fail "broadcast TaskbarCreated with no shell"
if _e2e_alive "$SVC"; then _e2e_ok "the service runs on"; else fail "the service ended with its shell"; fi
pointer_move 0 "$y"
if wait_until 2 pointer_at $((W - 2)) "$y" 2>/dev/null; then
  _e2e_ok "the pointer still wraps"
else
  fail "the pointer did not wrap: $(pointer_pos)"
fi
expect_no_window "no message" '#32770' 0.2
wtool close Edgeroam2 || fail "close the service"
expect_exit "$SVC" "the service without a shell"

e2e_finish
