#!/usr/bin/env bash
# Builds vkdesk and the logger simulator, starts the simulator on a
# pseudo-terminal, maps COM 1 to it (comports.ini next to the program) and
# starts vkdesk; under Xvfb when there is no display.
# Arguments go to the simulator, e.g. ./run.sh --records 200 --model 0
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
vk_install_deps run
vk_build --target vkdesk vklogger-sim

program=build/src/vkdesk
log=$(mktemp)
build/sim/vklogger-sim "$@" >"$log" 2>&1 &
sim=$!
trap 'kill $sim 2>/dev/null || true; rm -f "$log"' EXIT

pty=""
for _ in $(seq 100); do
    pty=$(sed -n 's/^vklogger-sim: pty //p' "$log" | head -n 1)
    [ -n "$pty" ] && break
    kill -0 $sim 2>/dev/null || break
    sleep 0.1
done
if [ -z "$pty" ]; then
    echo "The logger simulator did not start:" >&2
    cat "$log" >&2
    exit 1
fi
printf '%s\r\n' "$pty" >"$(dirname "$program")/comports.ini"
echo "Logger simulator on $pty (COM 1)"

if [ -z "${DISPLAY:-}" ]; then
    echo "No display: starting vkdesk under Xvfb (xvfb-run)."
    xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
else
    "$program"
fi
