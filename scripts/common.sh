# Sourced by the set-up, run, test and package scripts: progress lines and the
# few things that need root.

# One line per step, with the time, so that a person sees where the time goes.
step() { printf '[%s] %s\n' "$(date +%H:%M:%S)" "$*"; }

# Runs a command with its output in a log; shows the log's end when it fails.
quietly() {
  local log=$1; shift
  "$@" >"$log" 2>&1 || { tail -n 40 "$log" >&2; echo "failed: $* (whole log: $log)" >&2; return 1; }
}

# Runs a shell command line as root: directly as root, else through sudo;
# without sudo it stops and prints the line for root to run.
as_root() {
  if [ "$(id -u)" = 0 ]; then
    sh -c "$1"
  elif command -v sudo >/dev/null; then
    sudo sh -c "$1"
  else
    echo "This step needs root, and sudo is missing. Run this as root, then this script again:" >&2
    echo "  $1" >&2
    exit 1
  fi
}

# A build folder left by another user (an earlier root run, or a user's tree
# used by root) cannot be written to, and Wine refuses a prefix that is not
# its user's: give the folder to the user running now.
claim_tree() {
  local dir=$1 me
  me=$(id -u)
  [ -d "$dir" ] && [ -n "$(find "$dir" ! -user "$me" -print -quit)" ] || return 0
  step "taking over $dir, made by another user"
  as_root "chown -R $me:$(id -g) '$(cd "$dir" && pwd)'"
}
