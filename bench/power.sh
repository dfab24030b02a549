#!/usr/bin/env bash
# What the power savers save: frame rate and CPU use of the full-screen saver (`/s`, the desktop's
# size, no sound) uncapped, at MaxFps=30, at MaxFps=5, at RenderScale=50, at RenderScale=50 with
# FewerPasses=1 uncapped and at MaxFps=30 (each from the settings file), and of
# hack mode (`-root`, its default delay) at -render-scale 100 and 50 beside XScreenSaver's atlantis
# at its default delay: each alone on a 1920x1080 Xvfb, drawn by Mesa's llvmpipe, one after the
# other in one run. The frame rate comes from Mesa's HUD (frames a second, dumped once a second);
# CPU use is the process's user + system time over the wall time (CPU seconds a second), and that
# over the frame rate (CPU milliseconds a frame).
#   bench/power.sh build/release/quillaby [seconds, default 20]
set -euo pipefail
program=$(readlink -f "$1")
seconds=${2:-20}
atlantis=/usr/libexec/xscreensaver/atlantis
[[ -x $atlantis ]] || { echo "needs $atlantis (Debian's xscreensaver-gl-extra)" >&2; exit 1; }
source "$(dirname "$0")/../tests/e2e/lib/common.sh"
e2e_init
start_xvfb 1920x1080x24
ticks=$(getconf CLK_TCK)
conf="$XDG_CONFIG_HOME/Harnwick Software/Quillaby.conf"
mkdir -p "$(dirname "$conf")"

source "$(dirname "$0")/lib/measure.sh"

saver() { # name, settings-file lines
  printf 'DesktopOnly=1\nSound=0\n%s' "$2" >"$conf"
  measure "$1" "$E2E_TMP/quillaby.scr" /s
}

echo "1920x1080 Xvfb, llvmpipe, ${seconds} s each; load average: $(cut -d' ' -f1-3 /proc/loadavg)"
ln -s "$program" "$E2E_TMP/quillaby.scr"
saver "saver" ""
saver "saver MaxFps=30" $'MaxFps=30\n'
saver "saver MaxFps=5" $'MaxFps=5\n' # a cap below what even a loaded machine draws
saver "saver Scale=50" $'RenderScale=50\n'
# Where the cap of 30 binds: frames cheap enough to come faster than 30 a second uncapped.
saver "saver 50+fewer" $'RenderScale=50\nFewerPasses=1\n'
saver "saver 50+fewer 30" $'RenderScale=50\nFewerPasses=1\nMaxFps=30\n'
cc -shared -fPIC -o "$E2E_TMP/standin.so" "$(dirname "$0")/../tests/e2e/lib/dpms-standin.c" -ldl
export DPMS_STANDIN_STATE=$E2E_TMP/dpms DPMS_STANDIN_LOG=$E2E_TMP/dpms.log
echo "off 1 600 600 600" >"$DPMS_STANDIN_STATE"
printf 'DesktopOnly=1\nSound=0\n' >"$conf"
measure "saver monitor off" env LD_PRELOAD="$E2E_TMP/standin.so" "$E2E_TMP/quillaby.scr" /s
measure "hack" "$program" -root
measure "hack scale 50" "$program" -root -render-scale 50
measure "atlantis" "$atlantis" -root
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
