#!/usr/bin/env bash
# The background music under Wine in a prefix of its own: first with a sound server whose only
# output is a null sink (started here on a private socket, stopped at the end), then with no
# sound device at all.
set -u
build=${SUITE_BUILD_DIR:?}
source_dir=${SUITE_SOURCE_DIR:?}
prefix=$build/wine-prefix-music
pulse=$build/music-pulse
test_exe=$build/desktopcustomiser/tunewright_music_test.exe
run() { "$source_dir/scripts/wine-run" --prefix "$prefix" "$@"; }

rm -rf "$pulse"
mkdir -p "$pulse/run"
pulse_pid=
stop_pulse() {
  if [ -n "$pulse_pid" ]; then kill "$pulse_pid" 2>/dev/null; wait "$pulse_pid" 2>/dev/null; fi
  pulse_pid=
}
trap stop_pulse EXIT
HOME=$pulse XDG_RUNTIME_DIR=$pulse/run pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --system=false -F /dev/null --load="module-null-sink sink_name=suite" \
  --load="module-native-protocol-unix socket=$pulse/native auth-anonymous=1" >"$pulse/log" 2>&1 &
pulse_pid=$!
for _ in $(seq 50); do [ -S "$pulse/native" ] && break; sleep 0.1; done
[ -S "$pulse/native" ] || { echo "music_test: the sound server did not start" >&2; cat "$pulse/log" >&2; exit 1; }

PULSE_SERVER=unix:$pulse/native run --timeout 120 "$test_exe" --gtest_filter='*MusicWithSound*'
with_sound=$?
stop_pulse
PULSE_SERVER=unix:$pulse/none run --timeout 150 "$test_exe" --gtest_filter='-*MusicWithSound*'
without=$?
[ $with_sound -eq 0 ] && [ $without -eq 0 ]
