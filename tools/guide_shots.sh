#!/usr/bin/env bash
# Pictures for the user guide (docs/guide/*.png), made from the program itself.
#
# Runs an already-built program under Xvfb, drives it through its accessibility
# interface (AT-SPI over D-Bus: buttons and check boxes are found by their captions,
# windows by their titles, so no screen coordinates are assumed), grabs the screen with
# ImageMagick and crops each window by the extents it reports. Builds nothing.
#
# Needs: xvfb-run, dbus-run-session, at-spi2-core, python3-dbus (for /usr/bin/python3),
# imagemagick.
#
# Usage: tools/guide_shots.sh [program [seconds-of-run]]
#   program          default build/app/yurana
#   seconds-of-run   how long the default run goes before the graph is taken (default 21,
#                    just past the default end time of 20 s, so the whole trace shows)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/app/yurana}")
run_seconds=${2:-21}
out=$root/docs/guide

if [ ! -x "$program" ]; then
    echo "guide_shots: no program at $program; build it first (cmake --build build)" >&2
    exit 1
fi
for tool in xvfb-run dbus-run-session import convert; do
    command -v "$tool" >/dev/null || { echo "guide_shots: $tool is missing" >&2; exit 1; }
done
/usr/bin/python3 -c 'import dbus' 2>/dev/null ||
    { echo "guide_shots: python3-dbus is missing" >&2; exit 1; }

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 - "$program" "$out" "$run_seconds" <<'PY'
import os
import subprocess
import sys
import tempfile
import time

import dbus

program, out, run_seconds = sys.argv[1], sys.argv[2], float(sys.argv[3])
work = tempfile.mkdtemp(prefix='yurana-shots-')
sys.path.insert(0, os.path.join(os.path.dirname(out), '..', 'tools'))
from atspi import *  # noqa: E402,F403
import atspi  # noqa: E402


def grab():
    path = os.path.join(work, 'screen.png')
    subprocess.run(['import', '-window', 'root', path], check=True)
    return path


def save(screen, ref, file, width=None):
    """Crops the window `ref` out of `screen` into docs/guide/`file`, small."""
    if ref is None:
        print(f'guide_shots: window for {file} not found, kept the old picture', file=sys.stderr)
        return
    x, y, w, h = extents(ref)
    args = ['convert', screen, '-crop', f'{w}x{h}+{x}+{y}', '+repage']
    if width and w > width:
        args += ['-resize', f'{width}x']
    args += ['-strip', '+dither', '-colors', '256', '-define', 'png:compression-level=9',
             os.path.join(out, file)]
    subprocess.run(args, check=True)
    print(f'guide_shots: {file} ({w}x{h})')


# The program starts the accessibility bus; connect once it is there.
proc = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    time.sleep(2)
    atspi.connect()
    app = wait_for(app_node)
    if app is None:
        sys.exit('guide_shots: the program did not appear on the accessibility bus')
    frame = wait_for(lambda: find(app, 'frame', 'ユラナ', prefix=True))
    time.sleep(2)

    # The panel at rest, with its design defaults.
    save(grab(), find(app, 'frame', '初期設定'), 'panel.png')

    # The default run with every curve: the picture early on, the graph at the end.
    for box in ['壁のアニメーション', 'グラフの描写(全変位)', 'グラフの描写(余関数)',
                'グラフの描写(特殊解)', 'グラフの描写(余関数+特殊解)', 'グラフの描写(壁の変位)']:
        press(app, box, 'check box')
    press(app, '開始')
    time.sleep(1.1)
    press(app, '一時停止')
    time.sleep(0.5)
    save(grab(), find(app, 'frame', 'アニメーション'), 'animation.png')
    press(app, '一時停止')
    time.sleep(max(0.0, run_seconds - 1.1))
    press(app, '一時停止')
    time.sleep(0.5)
    screen = grab()
    save(screen, frame, 'overview.png', width=800)
    save(screen, find(app, 'frame', 'グラフ表示ウインドウ'), 'graph.png')

    # The About window, opened by the about command and closed by its OK.
    if press(app, 'about'):
        about = wait_for(lambda: find(app, 'dialog', 'ﾊﾞｰｼﾞｮﾝ情報')
                         or find(app, 'frame', 'ﾊﾞｰｼﾞｮﾝ情報'), 10)
        time.sleep(0.5)
        save(grab(), about, 'about.png')
        if about is not None:
            press(about, 'OK')
finally:
    proc.terminate()
    proc.wait(timeout=10)
PY
du -ch "$out"/*.png | tail -1
