#!/usr/bin/env bash
# A test script run by teardown_test.sh, ending in one of three ways:
#   expectations  one expectation holds, one does not
#   leftover      a process that holds the prefix is left behind, unknown to the library
#   hang          a wait that would outlast the test's time limit
# It prints "xvfb PID", "work DIR" and "stray PID" for the caller to check on.
set -u -o pipefail
# shellcheck source-path=SCRIPTDIR source=../lib/e2e.sh
. "$(dirname "$0")/../lib/e2e.sh"
scenario=$1
shift
e2e_init "$@"
echo "xvfb $WINE_SESSION_XVFB_PID"
echo "work $E2E_WORK"
e2e_start BOX "$E2E_TOOLS/msgbox.exe" "fixture" "Teardown fixture" 0
msgbox_wait "Teardown fixture" 10 || fatal "the fixture's message box did not appear"
echo "box $BOX"

case $scenario in
  expectations)
    expect_eq "a value that matches" same same
    expect_eq "a value that does not" expected seen
    ;;
  leftover)
    WINEPREFIX=$WINEPREFIX sleep 300 &
    echo "stray $!"
    ;;
  hang)
    wait_until 300 false
    ;;
esac
e2e_finish
