#!/usr/bin/env bash
# The library's teardown: whichever way a test ends, every process it started is stopped,
# the prefix's server and Xvfb are gone and the work folder is removed; a process that still
# holds the prefix is named and fails the test; a failed expectation shows what was expected
# and what was seen, and fails the test.
set -u -o pipefail
# shellcheck source-path=SCRIPTDIR source=../lib/e2e.sh
. "$(dirname "$0")/../lib/e2e.sh"
E2E_START_MS=$(_e2e_now_ms)
E2E_WORK=$(mktemp -d /tmp/edgeroam-e2e-outer.XXXXXX)
trap 'rm -rf "$E2E_WORK"' EXIT
fixture=$(dirname "$0")/teardown_fixture.sh

field() { sed -n "s/^$1 //p" "$E2E_WORK/out" | head -n1; }
gone() { ! _e2e_alive "$1"; }

# scenario | how long it may run | its exit status | a line its output must hold (regex)
cases=(
  "expectations|100|1|^FAIL a value that does not$"
  "leftover|100|1|^FAIL processes still hold .* after wineserver -k:$"
  "hang|12|124|^== FAILED \\(0 failed expectations, exit status 143\\)"
)
for case in "${cases[@]}"; do
  IFS='|' read -r scenario limit status line <<<"$case"
  e2e_step "a test that ends with: $scenario"
  failures_before=$E2E_FAILURES
  timeout --kill-after=10 "$limit" bash "$fixture" "$scenario" "$@" >"$E2E_WORK/out" 2>&1
  expect_eq "$scenario: exit status" "$status" "$?"
  expect_match "$scenario: the output says so" "$line" "$(grep -E -- "$line" "$E2E_WORK/out")"
  if [ "$scenario" = leftover ]; then
    expect_match "leftover: named with its pid" "^ +$(field stray) sleep 300" "$(grep -E '^ +[0-9]+ sleep' "$E2E_WORK/out")"
  fi
  for name in xvfb box stray; do
    pid=$(field "$name")
    [ -n "$pid" ] || continue
    wait_until 5 gone "$pid" || true
    expect_eq "$scenario: the $name process (pid $pid) is gone" yes "$(gone "$pid" && echo yes)"
  done
  work=$(field work)
  expect_eq "$scenario: no process holds its prefix (its wineserver neither)" "" \
    "$(WINEPREFIX=$work/session/prefix _e2e_prefix_holders)"
  expect_eq "$scenario: the work folder is removed" no "$([ -n "$work" ] && [ -e "$work" ] && echo yes || echo no)"
  [ "$E2E_FAILURES" -gt "$failures_before" ] && sed 's/^/     | /' "$E2E_WORK/out"
done

[ "$E2E_FAILURES" -eq 0 ] && echo "== passed" || echo "== FAILED ($E2E_FAILURES failed expectations)"
[ "$E2E_FAILURES" -eq 0 ]
