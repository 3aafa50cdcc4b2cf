#!/usr/bin/env bash
# Takes a screenshot of the program under a real X display (Xvfb):
#   tools/screenshot.sh BUILD_DIR SCENE OUT.png     (scenes: main, mainmax, form9, form9max)
set -euo pipefail
build=${1:?build dir}; scene=${2:-main}; out=${3:-shot.png}
n=${KELVO_DISPLAY:-97}
while [ -e /tmp/.X$n-lock ]; do n=$((n + 1)); done
display=:$n
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done
DISPLAY=$display QT_QPA_PLATFORM=xcb "$build/bin/kelvo_shots" "$scene" &
app=$!
sleep "${KELVO_SHOT_DELAY:-3}"
DISPLAY=$display import -window root "$out"
kill $app 2>/dev/null || true
wait $app 2>/dev/null || true
echo "$out"
