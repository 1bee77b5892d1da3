"""Driving the running program through its accessibility interface (AT-SPI over D-Bus):
buttons and check boxes are found by their captions, windows by their titles."""

import time

import dbus

ACC = 'org.a11y.atspi.Accessible'
PROPS = 'org.freedesktop.DBus.Properties'
ROOT = ('org.a11y.atspi.Registry', '/org/a11y/atspi/accessible/root')


bus = None


def connect():
    global bus
    bus = a11y_bus()


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



def press(app, caption, kind='push button'):
    ref = find(app, kind, caption)
    if ref is None:
        print(f'atspi: no {kind} "{caption}"')
        return False
    act(ref)
    return True
