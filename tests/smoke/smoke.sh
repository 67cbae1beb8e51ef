#!/usr/bin/env bash
# The real program in a real window: TiltChime under Xvfb, driven with xdotool as a user
# would, with SDL's disk audio driver standing in for the sound card.
#
#   tests/smoke/smoke.sh [build folder]      (default build/release)
#
# First start from the initial registry, a tap on each Home slot and a keyboard shake
# with motion ON must each write sound; every tab and the About page must look as the tour
# (the same program in virtual time) draws them, compared at probe points; a second
# start must leave at once and raise the first; the X button must save the settings,
# and a new start must show them again; the same program under weston (Wayland, nested in
# the X server) must show its Home page and sound a tapped slot. Every wait polls a
# condition with a time limit.
set -euo pipefail

if [ -z "${SMOKE_IN_XVFB:-}" ]; then
  SMOKE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" "$0" "$@"
fi

build=$(cd "${1:-build/release}" && pwd)
program=$build/TiltChime/TiltChime
work=$(mktemp -d /tmp/tiltchime-smoke-XXXXXX)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "smoke: FAILED: $*" >&2
  [ -n "${window:-}" ] && timeout 10 import -window "$window" "$work/failed.png" 2>/dev/null &&
    cp "$work/failed.png" /tmp/tiltchime-smoke-failed.png && echo "smoke: screen in /tmp/tiltchime-smoke-failed.png" >&2
  tail -n 5 "$work"/out-*.txt >&2 || true
  exit 1
}
step() { echo "smoke: $(printf '%3d' "$SECONDS") s  $*"; }

# Polls a command every 50 ms until it succeeds, for at most $1 seconds.
wait_for() {
  local limit=$1 what=$2
  shift 2
  local deadline=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || fail "$what (after ${limit} s)"
    sleep 0.05
  done
}

# The same program in virtual time draws every page into PNG files: the references.
"$build/TiltChime/tour" "$work/tour" 480x640 192 >/dev/null
ref=$work/tour

export WINCE_REGISTRY=$work/registry.reg XDG_DATA_HOME=$work/data WINCE_SENSOR=keyboard \
  WINCE_ZOOM=1 WINCE_HEADLESS=0 WINCE_INSTANCE_SCOPE=smoke-$$ SDL_AUDIODRIVER=disk
unset WINCE_FULLSCREEN WINCE_SCREEN WINCE_DPI

# Points where the pages differ: bars, tabs, the middle of the page area.
probes=(26,402 26,454 586,80 586,240 586,400 610,240 132,240 132,404 292,80 292,240 292,400
  452,240 132,120 200,300 300,100 410,295 132,440 460,200)
probe_format=""
for p in "${probes[@]}"; do probe_format+="%[hex:p{${p#*,},${p%,*}}] "; done
probe() { convert "$1" -format "$probe_format" info:; }

declare -A expected
for page in 04-home-motion-off 05-home-motion-on 07-sounds 09-settings 11-home 13-about \
  15-home-after-about; do
  expected[$page]=$(probe "$ref/$page.png")
done

shot() { timeout 10 import -window "$window" "$1" 2>/dev/null; }
looks_like() {  # the window shows the reference page at every probe point
  shot "$work/now.png" && [ "$(probe "$work/now.png")" = "${expected[$1]}" ]
}
same_as() { shot "$work/now.png" && [ "$(compare -metric AE "$work/now.png" "$1" null: 2>&1)" = 0 ]; }

tap() {  # a tap at a device pixel
  xdotool mousemove --window "$window" "$1" "$2" mousedown 1
  sleep 0.05
  xdotool mouseup 1
}

audio_size() { stat -c %s "$SDL_DISKAUDIOFILE" 2>/dev/null || echo 0; }
quiet() {  # the sound card has stopped or writes silence: nothing is playing
  local before
  before=$(audio_size)
  sleep 0.2
  [ "$(audio_size)" = "$before" ] || [ "$(tail -c 4096 "$SDL_DISKAUDIOFILE" | tr -d '\0' | wc -c)" = 0 ]
}
sound_after() {  # more than 2000 non-zero bytes of sound after byte $1
  [ "$(tail -c +"$(($1 + 1))" "$SDL_DISKAUDIOFILE" 2>/dev/null | tr -d '\0' | wc -c)" -gt 2000 ]
}

start() {  # starts the program; sets pid and window
  export SDL_DISKAUDIOFILE=$work/audio-$1.raw
  "$program" >"$work/out-$1.txt" 2>&1 &
  pid=$!
  pids+=("$pid")
  window=""
  wait_for 10 "the window of start $1" find_window "$pid"
}
find_window() { window=$(xdotool search --all --onlyvisible --pid "$1" --name '^TiltChime$' 2>/dev/null | head -1) && [ -n "$window" ]; }
exited() { ! kill -0 "$1" 2>/dev/null; }

step "first start, no registry file"
start 1
first=$window
first_pid=$pid
xdotool windowfocus "$window"
wait_for 10 "the Home page with the five initial sounds" looks_like 04-home-motion-off

step "a tap on each slot plays its sound"
slots=(240,132 400,292 240,452 80,292 240,292)  # 1 up, 2 right, 3 down, 4 left, 5 middle
for n in 0 1 2 3 4; do
  wait_for 10 "the end of the sound before slot $((n + 1))" quiet
  mark=$(audio_size)
  tap "${slots[n]%,*}" "${slots[n]#*,}"
  wait_for 10 "sound from the tap on slot $((n + 1))" sound_after "$mark"
done

step "motion ON, the Up arrow shakes towards slot 1, three times"
tap 404 132
wait_for 10 "motion ON" looks_like 05-home-motion-on
wait_for 10 "the keyboard focus" test "$(xdotool getwindowfocus)" = "$window"
wait_for 10 "the end of the sound of the tap" quiet
mark=$(audio_size)
# Three shakes a hand apart: the detectors read the sensor every 50 ms of real time, and
# a program kept off the CPU for the 300 ms of one shake (a machine under heavy load)
# judges nothing of it.
xdotool key --delay 400 Up Up Up
wait_for 10 "sound from the shakes" sound_after "$mark"

step "every tab and the About page"
tap 240 586; wait_for 10 "the Sounds page" looks_like 07-sounds
tap 400 586; wait_for 10 "the Settings page" looks_like 09-settings
tap 80 586;  wait_for 10 "the Home page" looks_like 11-home
tap 402 26;  wait_for 10 "the About page" looks_like 13-about
tap 240 610; wait_for 10 "Home after About" looks_like 15-home-after-about

step "a second start leaves at once and raises the first"
# Another program of another instance scope covers the first window.
WINCE_INSTANCE_SCOPE=smoke-cover-$$ start cover
cover=$window
cover_pid=$pid
# Started up, it raises itself no more.
wait_for 10 "the covering program's Home page" looks_like 04-home-motion-off
# xwininfo lists the windows from the top of the stack down.
on_top() { xwininfo -root -children | grep -oE '0x[0-9a-f]+ "TiltChime"' | head -1 | grep -q "$(printf '0x%x ' "$1")"; }
wait_for 10 "the covering window on top" on_top "$cover"
window=$first
pid=$first_pid
"$program" >"$work/out-second.txt" 2>&1 &
second=$!
pids+=("$second")
wait_for 10 "the second start to leave" exited "$second"
wait "$second" || fail "the second start failed"
wait_for 10 "the first window raised" on_top "$first"
kill "$cover_pid"
# Without a window manager nobody hands the raised window the keyboard focus: do as one
# would. Active again, the program is full screen again.
xdotool windowfocus "$first"
wait_for 10 "the first window active and full screen" looks_like 15-home-after-about

step "settings changed, saved by the X button"
tap 400 586; wait_for 10 "the Settings page" looks_like 09-settings
tap 440 132  # sensitivity X up to 6
tap 295 410  # animations off
changed() { shot "$work/now.png" && [ "$(probe "$work/now.png")" != "${expected[09-settings]}" ] &&
  sleep 0.2 && cp "$work/now.png" "$work/settings.png" && same_as "$work/settings.png"; }
wait_for 10 "the changed settings on screen" changed
tap 454 26  # each saved value is flushed to disk: a busy disk takes its time
wait_for 30 "the program to close" exited "$pid"
wait "$pid" || fail "the program ended with status $?"
grep -q '"SensitivityX"=dword:00000006' "$WINCE_REGISTRY" || fail "SensitivityX not saved"
grep -q '"AnimationsOn"=dword:00000000' "$WINCE_REGISTRY" || fail "AnimationsOn not saved"
grep -q '"SoundSlot5Name"="Five.wav"' "$WINCE_REGISTRY" || fail "the slots not saved"

step "a new start shows them again"
start 2
wait_for 10 "the Home page" looks_like 11-home
tap 400 586
wait_for 10 "the saved settings on the Settings page" same_as "$work/settings.png"
tap 454 26
wait_for 30 "the program to close" exited "$pid"

step "under Wayland: weston nested in the X server, a slot tapped through its window"
# Weston's kiosk shell shows the program full screen on a 480 x 640 output, so device
# pixels are the pixels of weston's own X11 window; xdotool's input there reaches the
# program as Wayland input.
export XDG_RUNTIME_DIR=$work/runtime SDL_DISKAUDIOFILE=$work/audio-wayland.raw
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=tiltchime-smoke-$$
weston --backend=x11-backend.so --shell=kiosk-shell.so --socket="$socket" --width=480 --height=640 \
  --idle-time=0 >"$work/out-weston.txt" 2>&1 &
pids+=("$!")
weston_window() {
  window=$(xwininfo -root -children | grep -oE '0x[0-9a-f]+ "Weston Compositor' | head -1 | cut -d' ' -f1) &&
    [ -n "$window" ]
}
wait_for 10 "weston's socket and window" eval 'test -S "$XDG_RUNTIME_DIR/$socket" && weston_window'
WAYLAND_DISPLAY=$socket SDL_VIDEODRIVER=wayland "$program" >"$work/out-wayland.txt" 2>&1 &
pid=$!
pids+=("$pid")
xdotool mousemove --window "$window" 479 639  # weston's pointer, away from every probe
wait_for 10 "the Home page under Wayland" looks_like 11-home
wait_for 10 "the end of any sound" quiet
mark=$(audio_size)
tap 240 132
wait_for 10 "sound from the tap on slot 1 under Wayland" sound_after "$mark"
tap 454 26
wait_for 30 "the program under Wayland to close" exited "$pid"
wait "$pid" || fail "the program under Wayland ended with status $?"

step "passed"
