# Sourced with the build folder as $1 (and optionally a prefix name as $2,
# default wine-prefix): sets the Wine environment of that build and defines
# ensure_prefix, which makes the prefix once, and start_wine_services.
#
# The locale, and with it the ANSI code page, is zh_CN.UTF-8 (936) unless
# SKIN_WINE_LOCALE names another generated one (en_US.UTF-8 gives 1252); each
# other locale runs in a prefix of its own, named after it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
#
# The display is 96 dpi unless SKIN_WINE_DPI names another (144, 192): Wine
# reads its DPI from the prefix's registry, so each DPI has a prefix of its own
# too (wine-prefix-144dpi, wine-prefix-en_US-192dpi).
_build=$(cd "$1" && pwd)
_locale=${SKIN_WINE_LOCALE:-zh_CN.UTF-8}
_dpi=${SKIN_WINE_DPI:-96}
case "$_dpi" in *[!0-9]* | '') fail "wine-env: SKIN_WINE_DPI must be a number, not '$_dpi'" ;; esac
_prefix=${2:-wine-prefix}
[ "$_locale" = zh_CN.UTF-8 ] || _prefix="$_prefix-${_locale%%.*}"
[ "$_dpi" = 96 ] || _prefix="$_prefix-${_dpi}dpi"

# Wine's 64-bit loader and its server, looked up where Debian installs them
# (Debian 12: /usr/lib/wine/wine64; the wine on the path is the 32-bit loader).
_wine_tool() {
  local name path
  for name in "$@"; do
    for path in /usr/lib/wine/"$name" /usr/lib/x86_64-linux-gnu/wine/"$name" \
                $(dpkg -L wine64 wine libwine 2>/dev/null | grep "^/usr/lib/.*/$name\$" || true); do
      [ -f "$path" ] && [ -x "$path" ] && { echo "$path"; return 0; }
    done
  done
  say_error "wine: Wine's $1 not found; scripts/setup.sh installs it"
  return 1
}
WINE64=${WINE64:-$(_wine_tool wine64 wine)}
WINESERVER=${WINESERVER:-$(_wine_tool wineserver wineserver64)}
export WINE64 WINESERVER

# X clients look for the X authority in $HOME unless XAUTHORITY names it: name
# the real one before HOME is first replaced (nested scripts inherit it).
if [ -z "${SKIN_REAL_HOME:-}" ]; then
  export SKIN_REAL_HOME=$HOME
  [ -n "${XAUTHORITY:-}" ] || [ ! -f "$HOME/.Xauthority" ] || export XAUTHORITY=$HOME/.Xauthority
fi
export WINEPREFIX="$_build/$_prefix"
# Each prefix has a home (and so a Desktop) of its own.
export HOME="$WINEPREFIX-home"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=$_locale LC_ALL=$_locale
unset LANGUAGE

# Runs a Wine command with its output added to the log. Wine refuses a prefix,
# and a server folder under /tmp, that another user owns ("... is not owned
# by you"), which happens when root runs a tree that a user ran before (or the
# other way round): that stops the script with the folder and what to do.
# Otherwise the command's exit code is returned.
wine_logged() {
  local log=$1; shift
  local start path owner rel who
  start=$(($(stat -c %s "$log" 2>/dev/null || echo 0) + 1))
  "$@" >>"$log" 2>&1 && return 0
  local rc=$?
  path=$(tail -c "+$start" "$log" |
         sed -n "s/^[a-z0-9]*: '\{0,1\}\([^']*\)'\{0,1\} is not owned by you.*/\1/p" | tail -n 1)
  [ -n "$path" ] || return "$rc"
  owner=$(stat -c %U "$path" 2>/dev/null || echo "another user")
  case $path in
    /tmp/*)
      rel=${path#/tmp/} who="as $owner or root"
      [ "$owner" != root ] || who="as root"
      fail "wine: Wine refuses $path, the Wine server folder of $WINEPREFIX:
  it belongs to $owner, whose Wine ran this prefix before. That user's Wine server must end
  (it ends with that user's run of these scripts) and the folder go, $who:
  rm -rf /tmp/${rel%%/*}
  Then run this script again." ;;
    *)
      fail "wine: Wine refuses $path: it belongs to $owner. Give the build folder to $(id -un)
  (as root: chown -R $(id -un): '$_build') or remove $path, then run this script again." ;;
  esac
}

ensure_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  local log=$WINEPREFIX.log
  step "wine: making the prefix $WINEPREFIX (once; log: $log)"
  mkdir -p "$HOME/Desktop"
  # A lock, so that parallel first runs make the prefix once.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    wine_logged "$log" "$WINE64" wineboot -i || true  # judged by what it leaves
    # The window's texts ask for 宋体; give Wine a CJK face in its place.
    local key='HKCU\Software\Wine\Fonts\Replacements'
    for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 "Microsoft YaHei"; do
      wine_logged "$log" "$WINE64" reg add "$key" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f ||
        fail "wine: could not set the font replacement for $face in $WINEPREFIX (log: $log)"
    done
    if [ "$_dpi" != 96 ]; then
      local dpikey
      for dpikey in 'HKCU\Control Panel\Desktop' \
                    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        wine_logged "$log" "$WINE64" reg add "$dpikey" /v LogPixels /t REG_DWORD /d "$_dpi" /f ||
          fail "wine: could not set $_dpi dpi in $WINEPREFIX (log: $log)"
      done
    fi
    wine_logged "$log" "$WINESERVER" -w || fail "wine: the prefix's Wine server did not end (log: $log)"
    # The server writes the registry as it ends.
    [ -f "$WINEPREFIX/system.reg" ] || fail "wine: wineboot made no prefix in $WINEPREFIX (log: $log)"
    touch "$WINEPREFIX/.ready"
  fi
  flock -u 9
}

# One persistent wineserver for the prefix, and Wine's background services
# started now, detached from our output: started by a test, they would inherit
# its pipes and keep ctest waiting for them.
start_wine_services() {
  wine_logged "$WINEPREFIX.log" "$WINESERVER" -p </dev/null || true  # already running for this prefix
  wine_logged "$WINEPREFIX.log" "$WINE64" wineboot </dev/null || true
}

# Ends the wineservers of every prefix of the build folder.
stop_wine_services() {
  local p
  for p in "$_build"/wine-prefix*/; do
    [ -d "$p" ] && WINEPREFIX=${p%/} "$WINESERVER" -k >/dev/null 2>&1 || true
  done
}
