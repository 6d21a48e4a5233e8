# Sourced by the scripts that run Windows programs: one Wine prefix for the project, Chinese code page,
# no Mono or Gecko prompts. Creates the prefix on first use.
#
# The programs are 32-bit. Some hosts refuse to execute i386 code at all (32-bit Wine then fails with
# "Exec format error"); there the tests are built for x86_64 and run under 64-bit Wine instead.
wine_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Prints i686 when 32-bit Wine can run here, x86_64 otherwise.
wine_test_arch() {
  if [ -n "${SORVIK_TEST_ARCH:-}" ]; then echo "$SORVIK_TEST_ARCH"; return; fi
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then echo i686; else echo x86_64; fi
}

SORVIK_TEST_ARCH=$(wine_test_arch)
export SORVIK_TEST_ARCH
if [ "$SORVIK_TEST_ARCH" = i686 ]; then
  export WINEARCH=win32 WINE_BIN=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
else
  export WINEARCH=win64 WINE_BIN=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
fi
export WINEPREFIX="${SORVIK_WINEPREFIX:-$wine_root/.wine-$SORVIK_TEST_ARCH}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

wine_cmd() { LC_ALL=zh_CN.UTF-8 "$@"; }

# The prefix's own settings as a registry file. Written in UTF-16 and imported with regedit, because Wine
# garbles non-ASCII command-line arguments on hosts without a matching locale (a "reg add" of 宋体 would
# store a mangled name, and GDI+ would then fall back to another face).
# - The Chinese UI face is mapped onto the installed CJK font; without it GDI+ draws no Chinese text.
# - Xvfb has no window manager: unmanaged windows are destroyed at once, where Wine otherwise waits two
#   seconds for a manager's answer each time a visible window goes.
wine_prefix_settings() {
  cat <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"宋体"="WenQuanYi Zen Hei"
"SimSun"="WenQuanYi Zen Hei"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
}

# Bumped whenever the prefix's settings change, so that existing prefixes get them too.
wine_prefix_ready="$WINEPREFIX/.sorvik-ready-3"

ensure_wine_prefix() {
  [ -f "$wine_prefix_ready" ] && return 0
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    [ -f "$wine_prefix_ready" ] && exit 0
    echo "wine: preparing prefix $WINEPREFIX" >&2
    wine_cmd "$WINE_BIN" wineboot -i >/dev/null 2>&1
    { printf '\xff\xfe'; wine_prefix_settings | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE; } \
      >"$WINEPREFIX/drive_c/sorvik-prefix.reg"
    wine_cmd "$WINE_BIN" regedit /S 'C:\sorvik-prefix.reg' >/dev/null 2>&1
    rm -f "$WINEPREFIX/drive_c/sorvik-prefix.reg"
    "$WINESERVER" -w
    touch "$wine_prefix_ready"
  ) 9>"$WINEPREFIX.lock"
}

# Starts the Wine session's background processes (services, desktop) with no inherited output, so that
# they do not hold a test's output pipe open until the whole run ends. Call after ensure_display.
warm_wine_session() {
  # Kept alive between test programs for a minute, so the background processes are started only once.
  "$WINESERVER" -p60 </dev/null >/dev/null 2>&1 || true
  wine_cmd "$WINE_BIN" cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Starts Xvfb on a free display when none is set; the caller stops it with stop_own_display.
own_xvfb_pid=""
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    own_xvfb_pid=$!
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    export DISPLAY=":$n"
    return 0
  done
  echo "wine: no free X display" >&2
  return 1
}

stop_own_display() {
  [ -n "$own_xvfb_pid" ] || return 0
  # The desktop process holds the display: end the Wine session first.
  "$WINESERVER" -k >/dev/null 2>&1 || true
  kill "$own_xvfb_pid" 2>/dev/null || true
  wait "$own_xvfb_pid" 2>/dev/null || true
  own_xvfb_pid=""
}
