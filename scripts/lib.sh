# Shared by the project's scripts: paths, package set-up, the Wine prefix and the virtual display.
# Sourced, not run.

ORVANE_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Where builds, the Wine prefixes and logs go; a second checkout or a parallel run can point elsewhere.
ORVANE_BUILD=${ORVANE_BUILD:-$ORVANE_ROOT/build}
mkdir -p "$ORVANE_BUILD"

ORVANE_PACKAGES=(cmake ninja-build g++ python3 git
    mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix googletest
    wine wine64 fonts-wine xvfb x11-utils fonts-wqy-microhei imagemagick procps locales clang-format)
# Only scripts/fuzz.sh needs these: clang and its libFuzzer.
ORVANE_FUZZ_PACKAGES=(clang libclang-rt-14-dev)

# Installs whatever of the package set (and of the packages named) is missing; silent when nothing is.
orvane_setup_packages() {
    local missing=() p
    for p in "${ORVANE_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq >"$ORVANE_BUILD/apt.log" 2>&1 || { cat "$ORVANE_BUILD/apt.log"; return 1; }
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" \
        >>"$ORVANE_BUILD/apt.log" 2>&1 || { tail -n 30 "$ORVANE_BUILD/apt.log"; return 1; }
}

# Runs a command with its output in a log; shows the log only when the command fails.
orvane_quiet() {
    local log=$1; shift
    "$@" >"$log" 2>&1 || { tail -n 60 "$log"; echo "failed: $* (log: $log)"; return 1; }
}

# Configures (once) and builds one preset into $ORVANE_BUILD/<preset>.
orvane_build() {
    local preset=$1 dir="$ORVANE_BUILD/$1"
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        orvane_quiet "$ORVANE_BUILD/$preset-configure.log" \
            cmake --preset "$preset" -S "$ORVANE_ROOT" -B "$dir" || return 1
    fi
    orvane_quiet "$ORVANE_BUILD/$preset-build.log" cmake --build "$dir" || return 1
}

# Compiles the locales the code-page test runs Wine in into the build (used through LOCPATH, so
# nothing of the system changes): Wine takes both the process's code page and the charset of Unix
# file names and arguments from the locale, and a locale glibc does not know leaves it ASCII.
orvane_locales() {
    local dir="$ORVANE_BUILD/locales" locale
    for locale in en_US zh_CN; do
        [ -d "$dir/$locale.UTF-8" ] && continue
        mkdir -p "$dir"
        localedef -i "$locale" -f UTF-8 "$dir/$locale.UTF-8" >/dev/null 2>&1 ||
            [ -d "$dir/$locale.UTF-8" ] || { echo "could not compile the locale $locale.UTF-8"; return 1; }
    done
}

# The Wine environment: a prefix owned by the build, never the user's own ~/.wine.
orvane_wine_env() {
    export WINEPREFIX=${ORVANE_WINEPREFIX:-$ORVANE_BUILD/wine/prefix}
    export WINEARCH=win64
    export WINEDEBUG=${WINEDEBUG:--all}
    # No Mono or Gecko downloads: nothing here needs them and nothing can be downloaded.
    export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
}

# Creates the prefix once: CJK font replacements so the Chinese texts are legible, and a virtual
# desktop so windows get caption bars without a window manager.
orvane_wine_prefix() {
    orvane_wine_env
    # The marker names the settings' version: a prefix made by an older version is set up again.
    local marker="$WINEPREFIX/.orvane-ready-3"
    [ -f "$marker" ] && return 0
    echo "setting up the Wine prefix $WINEPREFIX (takes a while the first time)"
    mkdir -p "$(dirname "$WINEPREFIX")"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        orvane_quiet "$ORVANE_BUILD/wineboot.log" wineboot -i || return 1
    fi
    # Wine here does not find its own fonts folder: without Marlett the caption buttons show letters.
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    local reg="$ORVANE_BUILD/prefix-settings.reg"
    # regedit reads UTF-16 files: the face name 宋体 is not ASCII.
    iconv -f UTF-8 -t UTF-16LE <<'REG' | { printf '\xff\xfe'; cat; } >"$reg"
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Tahoma"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"宋体"="WenQuanYi Micro Hei"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"

; Arial has no CJK glyphs: link it to the CJK face, as Windows links it to SimSun (the detail
; pane's upright heading is drawn in Arial).
[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]
"Arial"=hex(7):77,00,71,00,79,00,2d,00,6d,00,69,00,63,00,72,00,6f,00,68,00,65,00,69,00,2e,00,74,00,\
  74,00,63,00,2c,00,57,00,65,00,6e,00,51,00,75,00,61,00,6e,00,59,00,69,00,20,00,4d,00,69,00,63,00,\
  72,00,6f,00,20,00,48,00,65,00,69,00,00,00,00,00

; A crashing program prints its backtrace and ends, instead of waiting behind Wine's crash dialog
; (a crashed test would otherwise hang until its time-out).
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1200x850"
REG
    orvane_quiet "$ORVANE_BUILD/wineboot.log" wine regedit /S "$reg" || return 1
    # The next process starts a fresh server: one whose desktop was made without a display would
    # refuse every window.
    wineserver -k 2>/dev/null || true
    touch "$marker"
}

# A copy of the build's prefix shown at another display scale, DPI dots per inch (96 is 100 %,
# 144 is 150 %): $ORVANE_BUILD/wine/prefix-DPI, made once. Wine reads the scale when its server
# starts. Sets ORVANE_WINEPREFIX to it.
orvane_scaled_prefix() {
    local dpi=$1 base
    base=$(unset ORVANE_WINEPREFIX; orvane_wine_env; echo "$WINEPREFIX")
    (unset ORVANE_WINEPREFIX; orvane_wine_prefix) || return 1
    export ORVANE_WINEPREFIX=$ORVANE_BUILD/wine/prefix-$dpi
    orvane_wine_env
    local marker="$WINEPREFIX/.orvane-dpi-$dpi"
    if [ ! -f "$marker" ]; then
        echo "setting up the Wine prefix $WINEPREFIX at $dpi DPI"
        rm -rf "$WINEPREFIX"
        # A copy is much quicker than a new prefix and keeps the fonts and the desktop.
        cp -a "$base" "$WINEPREFIX"
        orvane_quiet "$ORVANE_BUILD/wine-dpi-$dpi.log" wine reg add 'HKCU\Control Panel\Desktop' \
            /v LogPixels /t REG_DWORD /d "$dpi" /f || return 1
        wineserver -k 2>/dev/null || true
        wineserver -w
        touch "$marker"
    fi
    orvane_wine_prefix
}

# Starts the prefix's Wine server and its system processes (services.exe, ...) for the length of a
# run. Started here with their output going nowhere: started from inside a test, they would inherit
# the test's output pipe and keep ctest waiting for it until the time-out.
orvane_wine_start() {
    orvane_wine_env
    wineserver -p </dev/null >/dev/null 2>&1 || true  # already up: fine
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Makes sure a display exists: the given one if it answers, otherwise a fresh Xvfb.
orvane_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$ORVANE_BUILD/xvfb.log" 2>&1 &
        ORVANE_XVFB_PID=$!
        export DISPLAY=":$n"
        local i
        for i in $(seq 1 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$ORVANE_XVFB_PID" 2>/dev/null || true
        ORVANE_XVFB_PID=
    done
    echo "no virtual display could be started"
    return 1
}

orvane_stop_display() {
    if [ -n "${ORVANE_XVFB_PID:-}" ]; then
        kill "$ORVANE_XVFB_PID" 2>/dev/null || true
    fi
    ORVANE_XVFB_PID=
}

# Ends a run: the prefix's Wine server (and so its programs) and the display it started. Never
# fails, so an exit trap keeps the run's own exit status.
orvane_finish() {
    wineserver -k 2>/dev/null || true
    orvane_stop_display
}
