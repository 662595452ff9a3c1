#!/bin/sh
# Renders the dialogs under Xvfb into build/PRESET/screenshots/*.png: the
# configuration dialog in English, German and Russian, the info dialog in
# English and German, and the Test box after a test with eicarscan.exe; the
# 32-bit build where this kernel can run it, the 64-bit build otherwise.
# The programs are run from C:\Program Files\The Bat! of a prefix of their
# own, as a user installs them, so the dialog proposes the ostrelscan.exe
# beside the plug-in. config-en.png and test-box-en.png are the pictures in
# docs/.
set -eu
cd "$(dirname "$0")/.."

preset=$(scripts/build-windows.sh dialogdemo Ostrel ostrelscan eicarscan)

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

installed="$WINEPREFIX/drive_c/Program Files/The Bat!"
mkdir -p "$installed"
for file in dialogdemo.exe Ostrel.bav ostrelscan.exe eicarscan.exe; do
    cp "$root/build/$preset/bin/$file" "$installed/"
done
cp "$root"/lang/*.lng "$installed/"

Xvfb :77 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:77
sleep 1

# The largest window the demo shows (the dialog, not its tooltips) or,
# with a caption, the window of that caption: its X window id.
window_of() {
    if [ -n "$1" ]; then
        xwininfo -name "$1" 2>/dev/null | sed -n 's/^xwininfo: Window id: \(0x[0-9a-f]*\).*/\1/p'
    else
        xwininfo -root -tree | grep '("dialogdemo.exe"' |
            sed -n 's/^ *\(0x[0-9a-f]*\) .* \([0-9]*\)x\([0-9]*\)+.*/\2 \3 \1/p' |
            awk '$1 * $2 > 20000 { print $1 * $2, $3 }' | sort -n | tail -1 | cut -d' ' -f2
    fi
}

# shoot NAME WINDOW_CAPTION DIALOG [LANGUAGE_FILE]; an empty caption takes
# the demo's largest window. $locale, when set, is the Linux locale Wine
# takes the demo's code page from.
locale=""
shoot() {
    name=$1 caption=$2
    shift 2
    (cd "$installed" &&
        ${locale:+env LANG=$locale LC_ALL=$locale} "$WINELOADER" dialogdemo.exe "$1" 10 \
            ${2:+"C:\\Program Files\\The Bat!\\$2"} >/dev/null 2>&1) &
    demo=$!
    tries=0
    id=""
    until [ -n "$id" ] || [ $tries -ge 100 ]; do
        sleep 0.2
        id=$(window_of "$caption")
        tries=$((tries + 1))
    done
    [ -n "$id" ] || { echo "screenshots.sh: no window for $name" >&2; exit 1; }
    sleep 1
    xwd -id "$id" -silent | /usr/bin/convert xwd:- "$out/$name.png"
    echo "$out/$name.png"
    wait $demo
}

shoot config-en "Configuration of Ostrel" cfg
shoot test-box-en "Test of the scanner" test
shoot info-en "Info" info
shoot config-de "Konfiguration von Ostrel" cfg Deutsch.lng
shoot info-de "Info" info Deutsch.lng
locale=ru_RU.UTF-8
shoot config-ru "" cfg Russian.lng
