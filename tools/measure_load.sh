#!/usr/bin/env bash
# Measures the running program under Xvfb: the time from launch to the first frame on
# screen, and the CPU it uses (share of one core) in each state: stopped at rest,
# animating, paused, with the About window open, full screen, and animating with the
# chart windows open (when the program has them), then with the time-history window
# alone beside none; then, stopped with tmax = 50000,
# the CPU time of 30 resizes of the frame with the chart windows closed and open.
# Builds nothing. Every phase runs the same number of seconds after a settling second,
# so runs compare.
#
# Needs: xvfb-run, dbus-run-session, at-spi2-core, python3-dbus, imagemagick, xdotool.
# Usage: tools/measure_load.sh [--every-tick] [program [seconds-per-phase [screenshot.png]]]
#   With a screenshot path, the screen is grabbed a few seconds into the run.
#   --every-tick ticks all five curves and the wall animation before the first phase and
#   sets the end time to 100000 s, so every phase runs mid-run with the most drawing.
set -euo pipefail

every=0
if [[ ${1:-} == --every-tick ]]; then
    every=1
    shift
fi
root=$(cd "$(dirname "$0")/.." && pwd)
program=$(realpath "${1:-$root/build/app/yurana}")
phase=${2:-10}
shot=${3:-}
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

xvfb-run -a -s "-screen 0 1280x1024x24" \
    dbus-run-session -- /usr/bin/python3 - "$program" "$phase" "$root/tools" "$shot" "$every" <<'PY'
import os
import subprocess
import sys
import time

program, phase, tools, shot = sys.argv[1], float(sys.argv[2]), sys.argv[3], sys.argv[4]
every = sys.argv[5] == '1'
sys.path.insert(0, tools)
import atspi  # noqa: E402


def pixel(x, y):
    out = subprocess.run(['import', '-window', 'root', '-crop', f'1x1+{x}+{y}', 'txt:-'],
                         capture_output=True, text=True).stdout
    return out.splitlines()[-1].split()[-1] if out else ''


def cpu_seconds(pid):
    with open(f'/proc/{pid}/stat') as f:
        fields = f.read().rsplit(')', 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')


def share(pid, seconds):
    c0, t0 = cpu_seconds(pid), time.time()
    time.sleep(seconds)
    return 100.0 * (cpu_seconds(pid) - c0) / (time.time() - t0)


# The first frame: the animation window's picture (top left of the frame) leaves black.
before = pixel(150, 150)
start = time.time()
proc = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    first = None
    while time.time() - start < 10:
        p = pixel(150, 150)
        if p and p != before and p not in ('#000000', 'black', 'srgb(0,0,0)'):
            first = time.time() - start
            break
        time.sleep(0.02)
    print(f'first frame on screen after {first:.2f} s' if first else 'no frame seen in 10 s')

    time.sleep(1)
    atspi.connect()
    app = atspi.wait_for(lambda: next((r for r in atspi.children(atspi.ROOT)
                                       if atspi.name(r) == 'yurana'), None))
    def measure(label):
        time.sleep(1)
        print(f'{label + ":":<22}{share(proc.pid, phase):5.1f} % of one core', flush=True)

    boxes = ['グラフの描写(全変位)', 'グラフの描写(余関数)', 'グラフの描写(特殊解)']
    if every:
        boxes += ['グラフの描写(余関数+特殊解)', 'グラフの描写(壁の変位)', '壁のアニメーション']
        for box in boxes:
            atspi.press(app, box, 'check box')
        tmax = atspi.find(app, 'text', '終了時間(s)')
        atspi.proxy(tmax).SetTextContents('100000', dbus_interface='org.a11y.atspi.EditableText')
    measure('stopped at rest')
    if not every:
        for box in boxes:
            atspi.press(app, box, 'check box')
    atspi.press(app, '開始')
    measure('animating')
    if shot:
        subprocess.run(['import', '-window', 'root', shot], check=True)
    atspi.press(app, '一時停止')
    measure('paused')
    atspi.press(app, '一時停止')
    atspi.press(app, 'about')
    measure('about window open')
    atspi.press(app, 'OK')
    time.sleep(1)
    atspi.press(app, '開始')
    atspi.press(app, 'FullScreen')
    measure('full screen')
    subprocess.run(['xdotool', 'mousemove', '300', '300', 'click', '1'], check=False)
    time.sleep(1)
    # Back in the window, running: restart at tmin before each of the two phases, so the
    # time stays inside the run's window and the analysis markers move.
    def restart():
        atspi.press(app, '停止')
        time.sleep(0.5)
        atspi.press(app, '開始')

    restart()
    measure('animating again')
    views = ['周波数応答(R)', '位相平面(P)', 'エネルギー(E)', '時刻歴(T)', '力のベクトル図(F)']
    if all(atspi.press(app, view, 'menu item') for view in views):
        restart()
        measure('animating, every chart window open')
    if shot:
        subprocess.run(['import', '-window', 'root', shot.replace('.png', '-analysis.png')],
                       check=True)
    # The time-history window alone, beside the same run with no window open.
    if all(atspi.press(app, view, 'menu item') for view in views):  # closes them
        restart()
        measure('animating, no analysis window')
        if atspi.press(app, '時刻歴(T)', 'menu item'):
            restart()
            measure('animating, time history open')
            atspi.press(app, '時刻歴(T)', 'menu item')
        all(atspi.press(app, view, 'menu item') for view in views)  # as the resizes expect

    # Stopped, a long run: 30 resizes of the frame, each given time to be laid out.
    def resizes(label):
        frame = subprocess.run(['xdotool', 'search', '--name', '^ユラナ$'],
                               capture_output=True, text=True).stdout.split()
        time.sleep(1)
        c0 = cpu_seconds(proc.pid)
        for i in range(30):
            width = 1100 + (60 if i % 2 == 0 else 0)
            for wid in frame:
                subprocess.run(['xdotool', 'windowsize', wid, str(width), '820'], check=False)
            time.sleep(0.1)
        time.sleep(0.5)
        print(f'{label + ":":<38}{cpu_seconds(proc.pid) - c0:6.3f} s of CPU', flush=True)

    atspi.press(app, '停止')
    tmax = atspi.find(app, 'text', '終了時間(s)')
    atspi.proxy(tmax).SetTextContents('50000', dbus_interface='org.a11y.atspi.EditableText')
    atspi.press(app, '計算')
    if all(atspi.press(app, view, 'menu item') for view in views):  # closes them
        resizes('30 resizes, chart windows closed')
        if all(atspi.press(app, view, 'menu item') for view in views):
            resizes('30 resizes, every chart window open')
finally:
    proc.terminate()
    proc.wait(timeout=10)
PY
