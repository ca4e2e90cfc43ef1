# Shared by scripts/test-windows, scripts/screenshot-windows and ./package:
# the Windows cross build and the Wine prefix its programs run in.
# shellcheck shell=bash

# configure_windows_build DIR [cmake options...]
configure_windows_build() {
    local dir=$1
    shift
    # A cross build has no GoogleTest for its target: it is built from
    # Debian's googletest sources.
    cmake -S "$repo_root" -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$repo_root/cmake/mingw-w64.cmake" \
        -DCMAKE_BUILD_TYPE=Release \
        -DMIDTITLE_GUI=OFF \
        -DMIDTITLE_GTEST_SOURCE=/usr/src/googletest "$@" >/dev/null
}

# Debian's wine64 package puts the 64-bit loader outside PATH; the `wine`
# wrapper would also nag about the missing 32-bit half.
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
[ -x "$wine" ] || wine=$(command -v wine64 || command -v wine)
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

stop_wine() { "$wineserver" -k >/dev/null 2>&1 || true; }

# prepare_wine_prefix DIR: makes the prefix on first use and exports it.
# Works without a display, and leaves none set: whatever needs one runs
# under xvfb-run.
prepare_wine_prefix() {
    export WINEPREFIX=$1
    export WINEDEBUG=-all
    export WINEARCH=win64
    # No Mono or Gecko: their install prompts would wait for a person.
    export WINEDLLOVERRIDES="mscoree,mshtml="
    unset DISPLAY WAYLAND_DISPLAY
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "== Wine prefix (first run)"
        rm -rf "$WINEPREFIX"
        if ! "$wine" wineboot --init </dev/null >"$WINEPREFIX.log" 2>&1 || ! "$wineserver" -w; then
            cat "$WINEPREFIX.log" >&2
            echo "Creating the Wine prefix failed" >&2
            return 1
        fi
    fi
    # Wine has none of the Japanese Windows fonts: their names are made to
    # stand for the IPA fonts (fonts-ipafont-gothic), as fontconfig finds them.
    if ! grep -q '^"MS PGothic"="IPAPGothic"' "$WINEPREFIX/system.reg"; then
        local reg="$WINEPREFIX/drive_c/japanese-fonts.reg"
        printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
            '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]' \
            '"ＭＳ Ｐゴシック"="IPAPGothic"' '"MS PGothic"="IPAPGothic"' '"MS UI Gothic"="IPAPGothic"' \
            '"ＭＳ ゴシック"="IPAGothic"' '"MS Gothic"="IPAGothic"' |
            { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE; } >"$reg"
        "$wine" regedit /S 'C:\japanese-fonts.reg' </dev/null >/dev/null 2>&1
        "$wineserver" -w
        rm -f "$reg"
    fi
}
