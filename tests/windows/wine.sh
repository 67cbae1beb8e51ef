#!/usr/bin/env bash
# Drives TiltChime.exe of the Windows build under Wine as a user would, in a virtual X
# display, with a fresh Wine prefix:
#   - it reaches Home within a minute (the time is printed);
#   - a tap on a Home slot calls PlaySound with that slot's file (Wine has no sound device
#     here: the call is seen on Wine's winmm trace channel, the only channel switched on),
#     and with motion on, the right arrow key shakes slot 2 (the sensor DLL's keyboard);
#   - Sounds, Settings, About and the sound picker are reached by taps, and each frame is
#     captured from the window;
#   - a sensitivity raised and the X button pressed: the value is in Wine's registry, and a
#     second start shows it (and a start while one runs leaves one window).
# Then the captured frames are compared pixel by pixel with the same screens drawn by our
# layer (the tour tool of a Linux build, 480 x 640 at 192 dpi, the DPI Wine is given),
# outside the boxes where text is drawn, since the two systems' fonts differ.
#   tests/windows/wine.sh <windows build folder> <linux build folder> [frames folder]
set -euo pipefail

windows=$(realpath "$1")
linux=$(realpath "$2")
frames=${3:-$windows/wine-frames}
wine=/usr/lib/wine/wine64
exe=$windows/TiltChime/TiltChime.exe
mkdir -p "$frames"
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEDEBUG=-all
cleanup() {
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  [ -n "${xvfb:-}" ] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "wine: FAILED: $*" >&2; exit 1; }

# A display of our own: the first free number from 170 on.
display=170
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$display"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# The prefix at 192 dpi, the DPI of the phone's screen that our layer draws by default.
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
"$(dirname "$wine")/wineserver" -w

window=""
find_window() { xdotool search --name '^TiltChime$' 2>/dev/null | head -n 1 || true; }
# A window that Wine is redrawing or re-mapping can refuse to be read for a moment
# ("Resource temporarily unavailable"): try again for up to 10 s.
shot() {
  local try
  for try in $(seq 50); do
    import -window "$window" "$frames/$1.png" 2>/dev/null && return 0
    sleep 0.2
  done
  fail "the window could not be captured for $1"
}
tap() {
  xdotool mousemove --window "$window" "$1" "$2" mousedown 1
  sleep 0.1
  xdotool mouseup 1
  sleep "${3:-0.8}"
}
# Share of equal pixels between two pictures, and where text may differ left out:
# prints "<equal %> <differing pixels> <bounding box of the differences>".
compare_outside_text() {
  local ours=$1 wines=$2 boxes=$3 draw="" box
  for box in $boxes; do draw+=" rectangle ${box//,/ }"; done
  convert -size 480x640 xc:white -fill black ${draw:+-draw "$draw"} "$work/mask.png"
  convert "$ours" "$work/mask.png" -compose multiply -composite "$work/a.png"
  convert "$wines" -crop 480x640+0+0 +repage "$work/mask.png" -compose multiply -composite "$work/b.png"
  local differing masked
  differing=$(compare -metric AE "$work/a.png" "$work/b.png" "$work/diff.png" 2>&1 >/dev/null || true)
  masked=$(convert "$work/mask.png" -format '%[fx:int((1-mean)*w*h+0.5)]' info:)
  local where
  where=$(convert "$work/a.png" "$work/b.png" -compose difference -composite -threshold 0 \
            -format '%@' info: 2>/dev/null || echo "-")
  awk -v d="$differing" -v m="$masked" -v w="$where" \
    'BEGIN { printf "%.1f %d %s\n", 100 * (307200 - m - d) / (307200 - m), d, (d == 0 ? "-" : w) }'
}

# The same screens drawn by our layer.
env -u DISPLAY "$linux/TiltChime/tour" "$work/tour" 480x640 192 >/dev/null
# Text boxes (left top right bottom, screen pixels) of each screen: the motion toggle and
# the tab names; the Sounds rows' names; the Settings captions and values; the About
# lines; the picker's rows; the names on the bottom bar's buttons.
tabs="0,596,480,636" buttons="30,566,450,606"
declare -A ours=([home]=04-home-motion-off [sounds]=07-sounds [settings]=09-settings
                 [about]=13-about [picker]=19-picker)
declare -A text=([home]="364,96,436,168 $tabs"
                 [sounds]="130,52,370,532 $tabs"
                 [settings]="0,60,240,440 320,102,400,302 $tabs"
                 [about]="0,75,480,195 0,235,480,315 0,492,480,532 $buttons"
                 [picker]="76,52,474,532 $buttons")
equal_share() { compare_outside_text "$work/tour/${ours[$1]}.png" "$frames/$1.png" "${text[$1]}" | cut -d' ' -f1; }

# First start: Home within a minute, Home being a frame that matches our Home.
start=$(date +%s%N)
WINEDEBUG=-all,trace+winmm "$wine" "$exe" >"$work/first.log" 2>&1 &
app=$!
for _ in $(seq 600); do
  window=$(find_window)
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no TiltChime window within a minute"
home=""
while [ $(( $(date +%s%N) - start )) -lt 60000000000 ]; do
  shot home
  if awk -v s="$(equal_share home)" 'BEGIN { exit !(s >= 90) }'; then
    home=$(( ($(date +%s%N) - start) / 1000000 )); break
  fi
  sleep 0.1
done
[ -n "$home" ] || fail "Home not reached within a minute"
echo "wine: Home after $home ms"
sleep 1
shot home

tap 240 150   # the top slot: slot 1
grep -a "PlaySound" "$work/first.log" | grep -aqi 'Bright Bell.wav' ||
  fail "the tap on slot 1 did not call PlaySound with its file"
echo "wine: slot 1 called PlaySound with Sounds\\Chimes\\Bright Bell.wav"

tap 404 132   # motion ON; the right arrow key shakes towards slot 2 (+X)
xdotool key Right
sleep 1
grep -a "PlaySound" "$work/first.log" | grep -aqi 'Snare.wav' ||
  fail "the right arrow key did not play slot 2 through HTCSensorSDK.dll's keyboard source"
echo "wine: the right arrow key shook slot 2 (Sounds\\Percussion\\Snare.wav)"

tap 240 586 1.2; shot sounds
tap 232 292 1.2; shot picker           # the third slot's row opens the picker
tap 130 586 1.2                        # CANCEL
tap 400 586 1.2; shot settings
tap 440 132; shot settings-raised      # X-axis sensitivity: one up
tap 402 26 1.2; shot about
tap 240 586 1.2                        # BACK
tap 454 26 0                           # the X button closes and saves
wait "$app" || fail "the program did not end with 0"
value=$("$wine" reg query 'HKCU\Software\Brambleway\TiltChime\Settings' /v SensitivityX 2>/dev/null | tr -d '\r' |
        awk '$1 == "SensitivityX" { print $3 }')
[ "$value" = "0x6" ] || fail "SensitivityX in the registry is '$value', not 0x6"
echo "wine: SensitivityX 6 in HKCU\\Software\\Brambleway\\TiltChime\\Settings"

# Second start: the value is shown; a third start raises it and ends.
"$wine" "$exe" >/dev/null 2>&1 &
app=$!
window=""
for _ in $(seq 600); do window=$(find_window); [ -n "$window" ] && break; sleep 0.1; done
[ -n "$window" ] || fail "no window at the second start"
sleep 5
"$wine" "$exe" >/dev/null 2>&1 || fail "a start while one runs did not end with 0"
[ "$(xdotool search --name '^TiltChime$' | wc -l)" = 1 ] || fail "a start while one runs opened a window"
tap 400 586 1.2; shot settings-second
[ "$(compare -metric AE "$frames/settings-raised.png" "$frames/settings-second.png" null: 2>&1 || true)" = 0 ] ||
  fail "the second start does not show the raised sensitivity"
echo "wine: the second start shows it"
tap 454 26 0
wait "$app" || fail "the program did not end with 0"


echo "screen    equal outside text   differing pixels   where (WxH+X+Y)"
worst=100
for screen in home sounds settings about picker; do
  read -r share differing where < <(compare_outside_text "$work/tour/${ours[$screen]}.png" \
                                      "$frames/$screen.png" "${text[$screen]}")
  cp "$work/diff.png" "$frames/$screen-diff.png"
  printf '%-9s %6s %%              %8s          %s\n' "$screen" "$share" "$differing" "$where"
  worst=$(awk -v a="$worst" -v b="$share" 'BEGIN { print (b < a ? b : a) }')
done
awk -v w="$worst" 'BEGIN { exit !(w >= 90) }' || fail "a screen is less than 90 % equal outside text"
echo "wine: PASSED"
