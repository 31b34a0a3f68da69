# Sourced with the build folder as $1 (and optionally a prefix name as $2,
# default wine-prefix): sets the Wine environment of that build and defines
# ensure_prefix, which makes the prefix once, and start_wine_services.
#
# The locale, and with it the ANSI code page, is zh_CN.UTF-8 (936) unless
# SKIN_WINE_LOCALE names another generated one (en_US.UTF-8 gives 1252); each
# other locale runs in a prefix of its own, named after it.
#
# The display is 96 dpi unless SKIN_WINE_DPI names another (144, 192): Wine
# reads its DPI from the prefix's registry, so each DPI has a prefix of its own
# too (wine-prefix-144dpi, wine-prefix-en_US-192dpi).
_build=$(cd "$1" && pwd)
_locale=${SKIN_WINE_LOCALE:-zh_CN.UTF-8}
_dpi=${SKIN_WINE_DPI:-96}
case "$_dpi" in *[!0-9]* | '') echo "wine-env: SKIN_WINE_DPI must be a number, not '$_dpi'" >&2; return 1 ;; esac
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
  echo "wine-env: Wine's $1 not found; scripts/setup.sh installs it" >&2
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

ensure_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  echo "wine: making the prefix $WINEPREFIX (once)"
  mkdir -p "$HOME/Desktop"
  # A lock, so that parallel first runs make the prefix once.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    "$WINE64" wineboot -i >/dev/null 2>&1 || true
    # The window's texts ask for 宋体; give Wine a CJK face in its place.
    local key='HKCU\Software\Wine\Fonts\Replacements'
    for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 "Microsoft YaHei"; do
      "$WINE64" reg add "$key" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    if [ "$_dpi" != 96 ]; then
      local dpikey
      for dpikey in 'HKCU\Control Panel\Desktop' \
                    'HKLM\System\CurrentControlSet\Hardware Profiles\Current\Software\Fonts'; do
        "$WINE64" reg add "$dpikey" /v LogPixels /t REG_DWORD /d "$_dpi" /f >/dev/null 2>&1
      done
    fi
    "$WINESERVER" -w
    touch "$WINEPREFIX/.ready"
  fi
  flock -u 9
}

# One persistent wineserver for the prefix, and Wine's background services
# started now, detached from our output: started by a test, they would inherit
# its pipes and keep ctest waiting for them.
start_wine_services() {
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 || true  # already running for this prefix
  "$WINE64" wineboot </dev/null >/dev/null 2>&1 || true
}

# Ends the wineservers of every prefix of the build folder.
stop_wine_services() {
  local p
  for p in "$_build"/wine-prefix*/; do
    [ -d "$p" ] && WINEPREFIX=${p%/} "$WINESERVER" -k >/dev/null 2>&1 || true
  done
}
