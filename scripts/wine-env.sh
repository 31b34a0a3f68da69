# Sourced with the build folder as $1 (and optionally a prefix name as $2,
# default wine-prefix): sets the Wine environment of that build and defines
# ensure_prefix, which makes the prefix once, and start_wine_services.
#
# The locale, and with it the ANSI code page, is zh_CN.UTF-8 (936) unless
# SKIN_WINE_LOCALE names another generated one (en_US.UTF-8 gives 1252); each
# other locale runs in a prefix of its own, named after it.
_build=$(cd "$1" && pwd)
_locale=${SKIN_WINE_LOCALE:-zh_CN.UTF-8}
_prefix=${2:-wine-prefix}
[ "$_locale" = zh_CN.UTF-8 ] || _prefix="$_prefix-${_locale%%.*}"
export WINEPREFIX="$_build/$_prefix"
# Each prefix has a home (and so a Desktop) of its own.
export HOME="$WINEPREFIX-home"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=$_locale LC_ALL=$_locale
unset LANGUAGE

ensure_prefix() {
  [ -f "$WINEPREFIX/.ready" ] && return 0
  mkdir -p "$HOME/Desktop"
  # A lock, so that parallel first runs make the prefix once.
  exec 9>"$WINEPREFIX.lock"
  flock 9
  if [ ! -f "$WINEPREFIX/.ready" ]; then
    /usr/lib/wine/wine64 wineboot -i >/dev/null 2>&1 || true
    # The window's texts ask for 宋体; give Wine a CJK face in its place.
    local key='HKCU\Software\Wine\Fonts\Replacements'
    for face in 宋体 SimSun 新宋体 NSimSun 微软雅黑 "Microsoft YaHei"; do
      /usr/lib/wine/wine64 reg add "$key" /v "$face" /t REG_SZ /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    done
    /usr/lib/wine/wineserver -w
    touch "$WINEPREFIX/.ready"
  fi
  flock -u 9
}

# One persistent wineserver for the prefix, and Wine's background services
# started now, detached from our output: started by a test, they would inherit
# its pipes and keep ctest waiting for them.
start_wine_services() {
  /usr/lib/wine/wineserver -p 2>/dev/null || true  # already running for this prefix
  /usr/lib/wine/wine64 wineboot </dev/null >/dev/null 2>&1 || true
}

# Ends the wineservers of every prefix of the build folder.
stop_wine_services() {
  local p
  for p in "$_build"/wine-prefix*/; do
    [ -d "$p" ] && WINEPREFIX=${p%/} /usr/lib/wine/wineserver -k >/dev/null 2>&1 || true
  done
}
