# Sourced with the build folder as $1 (and optionally a prefix name as $2,
# default wine-prefix): sets the Wine environment of that build and defines
# ensure_prefix, which makes the prefix once.
_build=$(cd "$1" && pwd)
export WINEPREFIX="$_build/${2:-wine-prefix}"
# Each prefix has a home (and so a Desktop) of its own.
export HOME="$WINEPREFIX-home"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
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
