# Sourced by the set-up, run, test and package scripts (and by wine-env.sh):
# progress lines, failures that say what went wrong, and the few things that
# need root. Every line these scripts print has one form: "[hh:mm:ss] text".

# One line per step, with the time, so that a person sees where the time goes.
step() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*"; }

# The same form on standard error, one line per line of the message.
say_error() {
  local line
  while IFS= read -r line; do step "$line"; done <<<"$*" >&2
}

# Stops the script with a message that says what failed and what to do.
fail() {
  say_error "$@"
  exit 1
}

# Every line of standard input, time-stamped (a log's end, a tool's report).
stamp() {
  local line
  while IFS= read -r line || [ -n "$line" ]; do step "$line"; done
}

# For the scripts a person starts: a command that fails where no check of
# ours caught it still names itself, its exit code and its line, instead of
# set -e ending the script without a word.
report_failures() {
  set -E
  trap '_rc=$?; say_error "$(basename "$0"): stopped: \"$BASH_COMMAND\" failed with exit code $_rc (${BASH_SOURCE[0]##*/} line $LINENO)"' ERR
}

# Runs a command with its output in a log; when it fails, shows the log's end
# and stops the script.
quietly() {
  local log=$1; shift
  mkdir -p "$(dirname "$log")"
  "$@" >"$log" 2>&1 && return 0
  local rc=$?
  tail -n 40 "$log" | sed 's/^/  | /' | stamp >&2
  fail "failed (exit code $rc): $* (whole log: $log)"
}

# Stops with the exact line for root to run, then this script again.
need_root() {
  local why=$1 line=$2
  fail "This step needs root, and $why. Run this as root, then this script again:
  $line"
}

# as_root log line: runs a shell command line as root, with its output in the
# log: directly as root, else through sudo when sudo may be used. sudo is asked
# without a prompt first; only a terminal, which can answer one, is offered a
# password prompt. Where sudo is missing or refuses, it stops with the line.
as_root() {
  local log=$1 line=$2 me
  if [ "$(id -u)" = 0 ]; then
    quietly "$log" sh -c "$line"
    return
  fi
  me=$(id -un)
  command -v sudo >/dev/null || need_root "sudo is missing" "$line"
  if ! sudo -n true 2>/dev/null; then
    [ -t 0 ] || need_root "sudo does not let $me in without a password, and there is no terminal to ask for one" "$line"
    step "sudo: asking whether $me may use sudo (it may ask for $me's password)"
    mkdir -p "$(dirname "$log")"
    # The prompt goes to the terminal; sudo's refusal, if any, is ours to print.
    # (A user without any rights is refused at once, without a prompt.)
    sudo -v 2>"$log.sudo" ||
      need_root "sudo refused $me ($(tr '\n' ' ' <"$log.sudo" | sed 's/[. ]*$//'))" "$line"
  fi
  quietly "$log" sudo sh -c "$line"
}

# A build folder left by another user (an earlier root run, or a user's tree
# used by root) cannot be written to, and Wine refuses a prefix that is not
# its user's: give the folder to the user running now.
claim_tree() {
  local dir=$1 me
  me=$(id -u)
  [ -d "$dir" ] && [ -n "$(find "$dir" ! -user "$me" -print -quit)" ] || return 0
  step "taking over $dir, made by another user ($(stat -c %U "$dir"))"
  as_root "${TMPDIR:-/tmp}/godmode-claim-$me.log" "chown -R $me:$(id -g) '$(cd "$dir" && pwd)'"
}
