#!/usr/bin/env python3
"""Drives a started TERMIX through the X server: waits for the splash window (title
"TERMIX"), clicks its centre twice with real input events (XTest), then waits until a
viewable top-level window exists for every title prefix given. Exit code 0 when all were
seen, 1 otherwise. Needs only libX11 and libXtst."""
import argparse
import ctypes
import ctypes.util
import os
import sys
import time

x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
xtst = ctypes.CDLL(ctypes.util.find_library("Xtst") or "libXtst.so.6")

Window = ctypes.c_ulong
Atom = ctypes.c_ulong


class XWindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                ("height", ctypes.c_int), ("border_width", ctypes.c_int), ("depth", ctypes.c_int),
                ("visual", ctypes.c_void_p), ("root", Window), ("class_", ctypes.c_int),
                ("bit_gravity", ctypes.c_int), ("win_gravity", ctypes.c_int),
                ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int),
                ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


IS_VIEWABLE = 2
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = Window
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XInternAtom.restype = Atom
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XQueryTree.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(Window), ctypes.POINTER(Window),
                           ctypes.POINTER(ctypes.POINTER(Window)), ctypes.POINTER(ctypes.c_uint)]
x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, Window, ctypes.POINTER(XWindowAttributes)]
x11.XGetWindowProperty.argtypes = [
    ctypes.c_void_p, Window, Atom, ctypes.c_long, ctypes.c_long, ctypes.c_int, Atom,
    ctypes.POINTER(Atom), ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
    ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int,
                                      ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


# A window may go away between listing and asking about it; the default handler would end
# the script on that BadWindow error, this one lets the request fail quietly.
ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
ignore_errors = ErrorHandler(lambda display, event: 0)
x11.XSetErrorHandler.argtypes = [ErrorHandler]
x11.XSetErrorHandler.restype = ctypes.c_void_p


class Display:
    def __init__(self):
        x11.XSetErrorHandler(ignore_errors)
        self.handle = x11.XOpenDisplay(None)
        if not self.handle:
            raise SystemExit("cannot open the X display " + os.environ.get("DISPLAY", ""))
        self.root = x11.XDefaultRootWindow(self.handle)
        self.net_wm_name = x11.XInternAtom(self.handle, b"_NET_WM_NAME", 0)
        self.utf8 = x11.XInternAtom(self.handle, b"UTF8_STRING", 0)

    def title(self, window):
        kind, fmt = Atom(), ctypes.c_int()
        count, after, data = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.c_void_p()
        if x11.XGetWindowProperty(self.handle, window, self.net_wm_name, 0, 1024, 0, self.utf8,
                                  ctypes.byref(kind), ctypes.byref(fmt), ctypes.byref(count),
                                  ctypes.byref(after), ctypes.byref(data)) != 0 or not data:
            return ""
        text = ctypes.string_at(data, count.value).decode("utf-8", "replace")
        x11.XFree(data)
        return text

    def viewable_windows(self):
        """(title, x, y, width, height) of every viewable child of the root window."""
        root, parent = Window(), Window()
        children, count = ctypes.POINTER(Window)(), ctypes.c_uint()
        x11.XSync(self.handle, 0)
        if not x11.XQueryTree(self.handle, self.root, ctypes.byref(root), ctypes.byref(parent),
                              ctypes.byref(children), ctypes.byref(count)):
            return []
        found = []
        for i in range(count.value):
            attributes = XWindowAttributes()
            if x11.XGetWindowAttributes(self.handle, children[i], ctypes.byref(attributes)) and \
                    attributes.map_state == IS_VIEWABLE:
                found.append((self.title(children[i]), attributes.x, attributes.y,
                              attributes.width, attributes.height))
        if children:
            x11.XFree(children)
        return found

    def click(self, x, y):
        xtst.XTestFakeMotionEvent(self.handle, -1, x, y, 0)
        x11.XFlush(self.handle)
        time.sleep(0.1)
        xtst.XTestFakeButtonEvent(self.handle, 1, 1, 0)
        xtst.XTestFakeButtonEvent(self.handle, 1, 0, 0)
        x11.XFlush(self.handle)


def alive(pid):
    try:
        os.kill(pid, 0)
        return True
    except OSError:
        return False


def wait_for(condition, seconds, pid):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        result = condition()
        if result:
            return result
        if pid and not alive(pid):
            return None
        time.sleep(0.1)
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--pid", type=int, default=0, help="the program; give up when it ends")
    parser.add_argument("--timeout", type=float, default=60)
    parser.add_argument("titles", nargs="+", help="title prefixes of the windows to wait for")
    args = parser.parse_args()
    display = Display()

    def splash():
        return next((w for w in display.viewable_windows() if w[0] == "TERMIX"), None)

    for click in (1, 2):
        window = wait_for(splash, args.timeout, args.pid)
        if not window:
            print("no splash window before click %d; windows: %s" % (click, display.viewable_windows()))
            return 1
        _, x, y, width, height = window
        display.click(x + width // 2, y + height // 2)
        if click == 1:
            # The tutorial picture replaces the logo and the window is centred anew.
            wait_for(lambda: (splash() or window)[1:] != window[1:], 5, args.pid)

    def all_shown():
        titles = [w[0] for w in display.viewable_windows()]
        return all(any(t.startswith(prefix) for t in titles) for prefix in args.titles) and \
            not splash()

    if not wait_for(all_shown, args.timeout, args.pid):
        print("windows seen: %s" % [w[0] for w in display.viewable_windows()])
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
