#!/bin/sh
# Renders both dialogs under Xvfb, with the built-in English texts and with
# lang/Deutsch.lng, into build/PRESET/screenshots/*.png: the 32-bit build
# where this kernel can run it, the 64-bit build otherwise.
set -eu
cd "$(dirname "$0")/.."

preset=$(scripts/build-windows.sh dialogdemo Ostrel)

root=$PWD
out=$root/build/$preset/screenshots
mkdir -p "$out"
export WINEPREFIX="$root/build/$preset/screenshot-prefix"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=$preset
if [ "$preset" = win64 ]; then
    export WINELOADER=/usr/lib/wine/wine64
else
    export WINELOADER=/usr/lib/wine/wine
fi
wine() {
    "$WINELOADER" "$@"
}
if [ ! -f "$WINEPREFIX/.ostrel-ready" ]; then
    wine wineboot -i >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d x11 /f >/dev/null 2>&1
    # Without a window manager Wine draws the frames itself, at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # Wine's own fonts (MS Sans Serif, Marlett for the caption buttons) are
    # not found in this package's data folder; the prefix gets a copy.
    cp /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/"
    wineserver -w
    touch "$WINEPREFIX/.ostrel-ready"
fi

Xvfb :77 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:77
sleep 1

# Wine's prefix maps drive Z: to the Linux root.
german=$(printf 'Z:%s' "$root/lang/Deutsch.lng" | tr / '\\')

# shoot NAME CAPTION DIALOG [LANGUAGE_FILE]
shoot() {
    name=$1 caption=$2
    shift 2
    (cd "$root/build/$preset/bin" && wine dialogdemo.exe "$1" 8 ${2:+"$2"} >/dev/null 2>&1) &
    demo=$!
    tries=0
    until xwininfo -name "$caption" >/dev/null 2>&1 || [ $tries -ge 100 ]; do
        sleep 0.2
        tries=$((tries + 1))
    done
    sleep 1
    xwd -name "$caption" -silent | /usr/bin/convert xwd:- "$out/$name.png"
    echo "$out/$name.png"
    wait $demo
}

shoot config-en "Configuration of Ostrel" cfg
shoot info-en "Info" info
shoot config-de "Konfiguration von Ostrel" cfg "$german"
shoot info-de "Info" info "$german"
