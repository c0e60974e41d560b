# Helpers of the options editor's end-to-end scripts (sourced after ../lib/e2e.sh):
# the stored settings, the window's controls read and set through wtool.
# shellcheck shell=bash

OPT_WIN='Edgeroam 2 : Options'
OPT_BOX_CAPTION='Edgeroam 2'
OPT_RANGE_TEXT='Timeout must be between 50 and 5000 m/secs'
OPT_SAVED_TEXT='New settings will take affect next time Edgeroam 2 is started.'
OPT_REFUSED_CAPTION='Edgeroam 2 component'
OPT_REFUSED_TEXT="Can not be run directly, please use 'Edgeroam2StartUp.exe'."
OPT_NAMES=(OnStartUp RecogActive HoriRecog VertRecog RecogTimeout)
OPT_STARTUP='Load on &Startup'
OPT_ACTIVE='Action on &Pattern Recognition'

# opt_store ONSTARTUP RECOGACTIVE HORIRECOG VERTRECOG RECOGTIMEOUT: the five texts, as stored.
opt_store() {
  local i values=("$@")
  for i in "${!OPT_NAMES[@]}"; do
    reg_plant "$E2E_SETTINGS_KEY" "${OPT_NAMES[i]}" "${values[i]}" || fatal "could not store ${OPT_NAMES[i]}"
  done
}

# expect_stored WHAT FIVE-TEXTS...: the registry holds exactly these texts as REG_EXPAND_SZ.
expect_stored() {
  local what=$1 i
  shift
  local values=("$@")
  for i in "${!OPT_NAMES[@]}"; do
    expect_eq "$what: ${OPT_NAMES[i]}" "REG_EXPAND_SZ $(text_hex "${values[i]}")" \
      "$(reg_read "$E2E_SETTINGS_KEY" "${OPT_NAMES[i]}" 2>&1)"
  done
}

# opt_start VAR [ARGS...]: starts options.exe and waits for its window.
opt_start() {
  local var=$1
  shift
  e2e_start "$var" "$E2E_BIN/options.exe" "$@"
  wtool wait "$OPT_WIN" 10000 >/dev/null || fatal "the window '$OPT_WIN' did not appear"
}

# The options window's Windows path of the program, for exact command lines (wtool run).
opt_exe_winpath() { winpath "$E2E_BIN/options.exe"; }

# opt_list_id N: the control id of the Nth combo box (1 horizontal, 2 vertical), from the
# window's controls in their z-order (the tab order).
opt_list_id() {
  wtool children "$OPT_WIN" | awk -F '\t' -v n="$1" 'tolower($4) == "combobox" && ++seen == n { print $2 }'
}

# prints the five settings as the window shows them, blank-separated
opt_shown() {
  local hori vert
  hori=$(opt_list_id 1) vert=$(opt_list_id 2)
  printf '%s %s %s %s %s\n' \
    "$(wtool check "$OPT_WIN" "$OPT_STARTUP")" "$(wtool check "$OPT_WIN" "$OPT_ACTIVE")" \
    "$(wtool cursel "$OPT_WIN" "$hori")" "$(wtool cursel "$OPT_WIN" "$vert")" \
    "$(wtool gettext "$OPT_WIN" '#Edit')"
}

# opt_set STARTUP ACTIVE HORI VERT TEXT: sets the controls as a user would (the window is told).
opt_set() {
  wtool check "$OPT_WIN" "$OPT_STARTUP" "$1" >/dev/null &&
    wtool check "$OPT_WIN" "$OPT_ACTIVE" "$2" >/dev/null &&
    wtool setcursel "$OPT_WIN" "$(opt_list_id 1)" "$3" &&
    wtool setcursel "$OPT_WIN" "$(opt_list_id 2)" "$4" &&
    wtool settext "$OPT_WIN" '#Edit' "$5"
}

opt_timeout_text() { wtool gettext "$OPT_WIN" '#Edit'; }

# opt_expect_exit PID WHAT: the program ends with status 0 and leaves no window.
opt_expect_exit() {
  if e2e_wait_exit "$1" 10; then
    expect_eq "$2: exit status" 0 "$E2E_STATUS"
  else
    fail "$2: the program did not end"
    e2e_stop "$1"
  fi
  expect_no_window "$2: no window is left" "$OPT_WIN" 0.1
}
