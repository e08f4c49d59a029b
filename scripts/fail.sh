# Sourced by the scripts: a script that stops on a failing step says in one
# line which step failed and what the user can do, instead of ending with a
# bare exit status.

# on_failure_say NAME HINT: from now on, a failing command that stops the
# script prints "NAME: failed at: COMMAND (exit status N); HINT".
on_failure_say() {
  TAVI_FAILURE_NAME=$1
  TAVI_FAILURE_HINT=$2
  set -o errtrace
  trap 'tavi_report_failure $? "$BASH_COMMAND"' ERR
}

tavi_report_failure() {
  # Only the outermost shell reports, once, when the failure stops it.
  [ "${TAVI_FAILURE_REPORTED:-0}" = 1 ] && return
  TAVI_FAILURE_REPORTED=1
  echo "$TAVI_FAILURE_NAME: failed at: $2 (exit status $1); $TAVI_FAILURE_HINT" >&2
}
