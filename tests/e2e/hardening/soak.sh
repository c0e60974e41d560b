#!/usr/bin/env bash
# Soak: the service runs for ten minutes under Wine while the pointer keeps moving and wrapping
# at the right and the bottom edge. Its memory and object counts are printed at the start, after
# a minute of warming up, and at the end; from the warm figures to the end they must stay flat.
# The moves never turn back, so they make no gesture: no key may reach the window that has the
# focus (a key receiver that logs every key).
# Not part of the default test run: `scripts/test soak`, or alone:
#   bash tests/e2e/hardening/soak.sh --bin build/win64/bin --tools build/win64/e2e-tools
# EDGEROAM_SOAK_SECONDS sets the length (default 600), EDGEROAM_SOAK_WARM_SECONDS the warm-up (60).
set -u -o pipefail
. "$(dirname "$0")/../lib/e2e.sh"
. "$(dirname "$0")/hardening-lib.sh"
e2e_init "$@"

SOAK_SECONDS=${EDGEROAM_SOAK_SECONDS:-600}
WARM_SECONDS=${EDGEROAM_SOAK_WARM_SECONDS:-60}
# Growth from the warm figures to the end that still counts as flat.
RSS_SLACK_KIB=1024
HANDLE_SLACK=2
read -r W H < <(screen_size)

# The figures of the running service, NAME=VALUE each: cpu (ms used since its start) and rss
# (KiB) of the Wine process, and what wtool procinfo reads on the Windows side.
service_figures() {
  local rss cpu
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$SVC/status")
  cpu=$(awk -v hz="$(getconf CLK_TCK)" '{ print int(($14 + $15) * 1000 / hz) }' "/proc/$SVC/stat")
  printf 'cpu=%s rss=%s %s\n' "$cpu" "$rss" "$(wtool procinfo edgeroam2.exe)"
}

# figure NAME FIGURES: one value out of a service_figures line.
figure() { tr ' ' '\n' <<<"$2" | sed -n "s/^$1=//p"; }

print_figures() {
  local f=$2
  printf '%-6s RSS %6s KiB | Windows: private %s, working set %s, handles %s, GDI %s, USER %s | listed handles %s, windows %s\n' \
    "$1" "$(figure rss "$f")" "$(figure private "$f")" "$(figure workingset "$f")" "$(figure handles "$f")" \
    "$(figure gdi "$f")" "$(figure user "$f")" "$(figure listedhandles "$f")" "$(figure windows "$f")"
}

# expect_flat NAME SLACK WARM END: a figure grew by at most SLACK; n/a figures are reported only.
expect_flat() {
  local name=$1 slack=$2 warm end
  warm=$(figure "$name" "$3") end=$(figure "$name" "$4")
  if [ "$warm" = n/a ] || [ "$end" = n/a ]; then
    printf 'note %s: not kept by this system (Wine stubs the call)\n' "$name"
  elif [ $((end - warm)) -le "$slack" ]; then
    _e2e_ok "$name stays flat: $warm -> $end"
  else
    fail "$name grew from $warm to $end (more than $slack)"
  fi
}

# ---------------------------------------------------------------------------------------------
# The pointer's path: steps of 40 px right and 9 px down, each held for 60 ms (longer than the
# service's 50 ms tick, so that each is seen), with a wrap at every edge it reaches. Every move
# and every wrap goes right or down: never back, so never a gesture.
WRAPS=0
MISSED_WRAPS=0
px=100
py=100

# wrap_at X Y TO_X TO_Y: the pointer put on an edge at (X, Y) is moved to (TO_X, TO_Y).
wrap_at() {
  pointer_move "$1" "$2"
  if wait_until 1 pointer_at "$3" "$4" 2>/dev/null; then
    WRAPS=$((WRAPS + 1))
  else
    MISSED_WRAPS=$((MISSED_WRAPS + 1))
    printf 'missed wrap at (%s, %s): the pointer is at %s\n' "$1" "$2" "$(pointer_pos)"
  fi
}

# One step; on an edge (a corner counts for both) the pointer must come back one pixel inside
# the opposite edge.
step_pointer() {
  px=$((px + 40)) py=$((py + 9))
  local to_x=$px to_y=$py
  ((px >= W - 1)) && px=$((W - 1)) to_x=1
  ((py >= H - 1)) && py=$((H - 1)) to_y=1
  if [ "$to_x $to_y" != "$px $py" ]; then
    wrap_at "$px" "$py" "$to_x" "$to_y"
    px=$to_x py=$to_y
  else
    pointer_move "$px" "$py"
    sleep 0.06  # the hand's pace, not a wait for a result
  fi
}

# move_for SECONDS
move_for() {
  local until=$(($(_e2e_now_ms) + $1 * 1000))
  while (($(_e2e_now_ms) < until)); do step_pointer; done
}

# ---------------------------------------------------------------------------------------------
e2e_step "the service and a window that logs every key it gets"
store_valid_settings  # Copy across, Back up and down: any gesture would send keys
e2e_start KEYS "$E2E_TOOLS/keyrecv.exe" "Soak keys" "$(winpath "$E2E_WORK/soak.keys")"
wait_for_log "$E2E_WORK/soak.keys" '^READY' 10 >/dev/null || fatal "the key receiver did not start"
e2e_start SVC "$E2E_BIN/edgeroam2.exe" /ok1000
tray_wait 10 || fatal "no tray icon"
wtool fg "Soak keys" || fatal "the key receiver did not take the focus"
key_lines=$(wc -l <"$E2E_WORK/soak.keys")
start=$(service_figures)
print_figures start "$start"

e2e_step "warming up: ${WARM_SECONDS} s of moves"
move_for "$WARM_SECONDS"
warm=$(service_figures)
print_figures warm "$warm"

e2e_step "soaking: $((SOAK_SECONDS - WARM_SECONDS)) s of moves"
move_for $((SOAK_SECONDS - WARM_SECONDS))
end=$(service_figures)
print_figures end "$end"

e2e_step "the figures stayed flat, every wrap happened, no key was sent"
cpu_ms=$(($(figure cpu "$end") - $(figure cpu "$start")))
printf 'CPU time of the service: %s ms in %s s (%s ms a minute); wraps: %s\n' "$cpu_ms" "$SOAK_SECONDS" \
  $((cpu_ms * 60 / SOAK_SECONDS)) "$WRAPS"
expect_flat rss "$RSS_SLACK_KIB" "$warm" "$end"
expect_flat private $((RSS_SLACK_KIB * 1024)) "$warm" "$end"
expect_flat handles "$HANDLE_SLACK" "$warm" "$end"
expect_flat listedhandles "$HANDLE_SLACK" "$warm" "$end"
expect_flat gdi 0 "$warm" "$end"
expect_flat user 0 "$warm" "$end"
expect_flat windows 0 "$warm" "$end"
expect_eq "wraps missed" 0 "$MISSED_WRAPS"
expect_eq "key messages during the soak" "" "$(tail -n +$((key_lines + 1)) "$E2E_WORK/soak.keys" | grep -E 'KEY|CHAR')"

# The receiver was listening all along: a key sent now arrives.
keys a || fail "send a key"
wait_for_log "$E2E_WORK/soak.keys" 'KEYDOWN vk=0x41' 5 >/dev/null || fail "the key receiver no longer gets keys"

wtool close Edgeroam2 || fail "close the service"
expect_exit "$SVC" "the service after the soak"
e2e_finish
