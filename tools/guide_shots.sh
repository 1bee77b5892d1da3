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
ACC = 'org.a11y.atspi.Accessible'
PROPS = 'org.freedesktop.DBus.Properties'
ROOT = ('org.a11y.atspi.Registry', '/org/a11y/atspi/accessible/root')
work = tempfile.mkdtemp(prefix='yurana-shots-')


def a11y_bus():
    session = dbus.SessionBus()
    launcher = session.get_object('org.a11y.Bus', '/org/a11y/bus')
    return dbus.bus.BusConnection(str(launcher.GetAddress(dbus_interface='org.a11y.Bus')))


def proxy(ref):
    return bus.get_object(ref[0], ref[1], introspect=False)


def name(ref):
    return str(proxy(ref).Get(ACC, 'Name', dbus_interface=PROPS))


def role(ref):
    return str(proxy(ref).GetRoleName(dbus_interface=ACC))


def children(ref):
    return [(str(b), str(p)) for b, p in proxy(ref).GetChildren(dbus_interface=ACC)]


def find(start, want_role, want_name, prefix=False):
    """First node below `start` with this role and name (or name prefix), or None."""
    stack = [start]
    while stack:
        ref = stack.pop(0)
        try:
            n, r = name(ref), role(ref)
            if r == want_role and (n.startswith(want_name) if prefix else n == want_name):
                return ref
            stack.extend(children(ref))
        except dbus.DBusException:
            continue
    return None


def wait_for(what, seconds=15):
    end = time.time() + seconds
    while time.time() < end:
        found = what()
        if found:
            return found
        time.sleep(0.3)
    return None


def app_node():
    try:
        for ref in children(ROOT):
            if name(ref) == 'yurana':
                return ref
    except dbus.DBusException:
        pass  # the registry is still starting
    return None


def act(ref):
    proxy(ref).DoAction(dbus.Int32(0), dbus_interface='org.a11y.atspi.Action')


def extents(ref):
    x, y, w, h = proxy(ref).GetExtents(dbus.UInt32(0), dbus_interface='org.a11y.atspi.Component')
    return int(x), int(y), int(w), int(h)


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


def press(app, caption, kind='push button'):
    ref = find(app, kind, caption)
    if ref is None:
        print(f'guide_shots: no {kind} "{caption}"', file=sys.stderr)
        return False
    act(ref)
    return True


# The program starts the accessibility bus; connect once it is there.
proc = subprocess.Popen([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    time.sleep(2)
    bus = a11y_bus()
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
