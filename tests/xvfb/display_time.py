# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""How long the real program shows the digits, as the screen shows it.

Runs its own X server with its framebuffer in a file (Xvfb -fbdir), starts the program with a
display time of 0, 1 and 3 seconds, presses Start and reads the digit row from the framebuffer in
a tight loop: the time from the cover lifting to the cover coming back is the time the player sees
the digits. With T >= 1 it must be T to T + 0.5 s, with 0 about one display tick (0.3 to 0.5 s),
each within 0.1 s for the machine.

Usage: display_time.py BINARY ARTIFACT_DIR   (exits 77 where Xvfb or xdotool is missing)
"""

import mmap
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

SKIP = 77
SLACK = 0.1  # what a loaded machine may add or take, in seconds
SECONDS = [0, 1, 3]

# Positions in pixels within the window (15 twips to a pixel). The cover over the digit row lies
# at (21, 159), 584 by 67 pixels; a line through its middle shows only the cover's white ground
# and grey hatching while it is up.
ROW_Y = 159 + 33
ROW_X = range(24, 24 + 570)
COVER_COLOURS = {(255, 255, 255), (192, 192, 192)}


class Framebuffer:
    """The X server's screen as the XWD image it keeps in a file."""

    def __init__(self, path):
        self.file = open(path, "rb")
        self.map = mmap.mmap(self.file.fileno(), 0, access=mmap.ACCESS_READ)
        fields = struct.unpack(">25I", self.map[:100])
        if fields[0] > 4096:  # the header was written little-endian
            fields = struct.unpack("<25I", self.map[:100])
        header_size, bits_per_pixel, bytes_per_line, ncolors = (
            fields[0], fields[11], fields[12], fields[19])
        if bits_per_pixel != 32:
            raise RuntimeError(f"framebuffer has {bits_per_pixel} bits per pixel")
        self.width = fields[4]
        self.bytes_per_line = bytes_per_line
        self.pixels = header_size + 12 * ncolors

    def row(self, x0, x1, y):
        start = self.pixels + y * self.bytes_per_line + 4 * x0
        data = self.map[start:start + 4 * (x1 - x0)]
        # Pixels are stored blue, green, red, unused.
        return [(data[i + 2], data[i + 1], data[i]) for i in range(0, len(data), 4)]


def start_server(fbdir):
    read_fd, write_fd = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
         "-fbdir", fbdir], pass_fds=[write_fd], stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        number = pipe.readline().strip()
    if not number:
        raise RuntimeError("Xvfb did not start")
    return server, ":" + number


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=30).stdout


def find_window(env, app):
    deadline = time.monotonic() + 20
    while time.monotonic() < deadline:
        if app.poll() is not None:
            raise RuntimeError("the program ended at start-up")
        found = xdotool(env, "search", "--onlyvisible", "--name", "ケタモリ！").split()
        if found:
            return found[0]
        time.sleep(0.1)
    raise RuntimeError("the window did not appear")


def window_origin(env, window):
    values = dict(line.split("=", 1)
                  for line in xdotool(env, "getwindowgeometry", "--shell", window).split())
    return int(values["X"]), int(values["Y"])


def digits_shown(fb, origin):
    x, y = origin
    return any(p not in COVER_COLOURS for p in fb.row(x + ROW_X.start, x + ROW_X.stop, y + ROW_Y))


def wait_for(fb, origin, shown, seconds):
    """Time at which the digit row first reads as shown (or covered), or None."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if digits_shown(fb, origin) == shown:
            return time.monotonic()
        time.sleep(0.002)
    return None


def measure(binary, env, fb, jikan, artifacts):
    work = tempfile.mkdtemp()
    try:
        with open(os.path.join(work, "設定.txt"), "wb") as f:
            f.write(f"5,{jikan},0\r\n".encode())
        open(os.path.join(work, "履歴.txt"), "wb").close()
        with open(os.path.join(work, "app.log"), "wb") as log:
            app = subprocess.Popen([binary], cwd=work, env=env, stdout=log, stderr=log)
        try:
            window = find_window(env, app)
            origin = window_origin(env, window)
            time.sleep(0.5)
            if digits_shown(fb, origin):
                raise RuntimeError("the digit row is not covered on the first screen")
            # cmdStart lies at (290, 10), 56 by 61 pixels.
            xdotool(env, "mousemove", "--window", window, "318", "40", "click", "1")
            shown = wait_for(fb, origin, True, 6)
            if shown is None:
                raise RuntimeError(f"{jikan} s: the digits never showed")
            covered = wait_for(fb, origin, False, jikan + 3)
            if covered is None:
                raise RuntimeError(f"{jikan} s: the digits were never covered again")
            return covered - shown
        finally:
            app.terminate()
            app.wait(timeout=10)
            if artifacts:
                shutil.copy(os.path.join(work, "app.log"),
                            os.path.join(artifacts, f"display-time-{jikan}.log"))
    finally:
        shutil.rmtree(work, ignore_errors=True)


def main():
    binary, artifacts = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    for tool in ("Xvfb", "xdotool"):
        if shutil.which(tool) is None:
            print(f"SKIP: {tool} is not installed")
            return SKIP
    os.makedirs(artifacts, exist_ok=True)
    fbdir = tempfile.mkdtemp()
    server, display = start_server(fbdir)
    try:
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb")
        env.pop("QT_IM_MODULE", None)
        fb = Framebuffer(os.path.join(fbdir, "Xvfb_screen0"))
        failed = False
        for jikan in SECONDS:
            low, high = (0.3, 0.5) if jikan == 0 else (jikan, jikan + 0.5)
            try:
                seconds = measure(binary, env, fb, jikan, artifacts)
            except RuntimeError as error:
                print(f"FAIL: {error}")
                failed = True
                continue
            ok = low - SLACK <= seconds <= high + SLACK
            print(f"{'PASS' if ok else 'FAIL'}: 表示秒数 {jikan}: digits shown {seconds:.3f} s "
                  f"(wanted {low:.1f} to {high:.1f} s)")
            failed |= not ok
        return 1 if failed else 0
    finally:
        server.terminate()
        server.wait(timeout=10)
        shutil.rmtree(fbdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
