#!/usr/bin/env python3
"""Wrap latency of a running pointer service on an X display: the pointer is put on the left
edge, and the time until the service has moved it away is measured by polling the X server.
Prints one latency in milliseconds per trial, one a line.

    wrap-latency.py TRIALS [TIMEOUT_MS]      (DISPLAY names the display)

Each trial starts from the middle of the screen at a random moment, so that the edge is touched
at a random point of the service's tick period. A trial in which the pointer does not move
within TIMEOUT_MS (default 2000) ends the run with status 1.
"""

import ctypes
import ctypes.util
import random
import sys
import time


class Pointer:
    def __init__(self):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x11.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                          ctypes.c_uint, ctypes.c_uint, ctypes.c_int, ctypes.c_int]
        self.x11.XQueryPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_void_p] * 7
        self.x11.XFlush.argtypes = [ctypes.c_void_p]
        self.x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        self.display = self.x11.XOpenDisplay(None)
        if not self.display:
            sys.exit("wrap-latency: cannot open the X display")
        self.root = self.x11.XDefaultRootWindow(self.display)
        self.width = self.x11.XDisplayWidth(self.display, 0)
        self.height = self.x11.XDisplayHeight(self.display, 0)

    def move(self, x, y):
        self.x11.XWarpPointer(self.display, 0, self.root, 0, 0, 0, 0, x, y)
        self.x11.XFlush(self.display)

    def position(self):
        root, child = ctypes.c_ulong(), ctypes.c_ulong()
        x, y, wx, wy = ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
        mask = ctypes.c_uint()
        self.x11.XQueryPointer(self.display, self.root, ctypes.byref(root), ctypes.byref(child), ctypes.byref(x),
                               ctypes.byref(y), ctypes.byref(wx), ctypes.byref(wy), ctypes.byref(mask))
        return x.value, y.value


def trial(pointer, y, timeout_s):
    pointer.move(pointer.width // 2, y)
    time.sleep(0.1 + random.random() * 0.1)  # a random phase against the service's tick
    start = time.perf_counter()
    pointer.move(0, y)
    while pointer.position()[0] == 0:
        if time.perf_counter() - start > timeout_s:
            return None
        time.sleep(0.0005)  # leave the CPU to the service between polls
    return (time.perf_counter() - start) * 1000.0


def main():
    trials = int(sys.argv[1])
    timeout_s = (int(sys.argv[2]) if len(sys.argv) > 2 else 2000) / 1000.0
    pointer = Pointer()
    for n in range(trials):
        y = pointer.height // 4 + (n * 17) % (pointer.height // 2)
        latency = trial(pointer, y, timeout_s)
        if latency is None:
            sys.exit(f"wrap-latency: trial {n + 1}: the pointer stayed on the edge for {timeout_s:.1f} s")
        print(f"{latency:.1f}", flush=True)


if __name__ == "__main__":
    main()
