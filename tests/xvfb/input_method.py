# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""A drill typed with a Japanese input method on, as a Japanese player types it.

fcitx5 runs with Mozc as its only input method, so Mozc is on (in hiragana mode) in every
window. First a key typed into the history table shows that Mozc composes in this session and
leaves its text pending; then スタート is clicked, the digits shown are typed into the answer
boxes and scored. Each key must land in its box as the half-width digit, one per box, the focus
moving on as it does without an input method, and the line in "履歴.txt" must mark every answer
right.

Usage: input_method.py BINARY ARTIFACT_DIR HELP_FILE
       (as an ordinary user, inside dbus-run-session and xvfb-run; see input_method.sh)
"""

import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import keyboard_play as play  # noqa: E402  (reads the same arguments)
from keyboard_play import Failure, Program, check, wait_for  # noqa: E402

PROFILE = """[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=mozc
Layout=

[GroupOrder]
0=Default
"""
DIGITS = 5


def start_input_method(work):
    config = os.path.join(os.environ["HOME"], ".config", "fcitx5")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "profile"), "w") as f:
        f.write(PROFILE)
    log = open(os.path.join(play.ARTIFACTS, "fcitx5.log"), "wb")
    daemon = subprocess.Popen(
        ["fcitx5", "--disable=wayland,kimpanel,notificationitem,classicui"],
        stdout=log, stderr=subprocess.STDOUT)

    def on_the_bus():
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner",
             "string:org.fcitx.Fcitx5"], capture_output=True, text=True).stdout
        return "boolean true" in reply

    wait_for("fcitx5 on the session bus", on_the_bus, seconds=20)
    os.environ["QT_IM_MODULE"] = "fcitx"
    os.environ["XMODIFIERS"] = "@im=fcitx"
    return daemon


def mozc_running():
    return subprocess.run(["pgrep", "-u", str(os.getuid()), "-x", "mozc_server"],
                          capture_output=True).returncode == 0


def scenario(work):
    play.seed(work, b"5,3,1\r\n")
    p = Program(work, "ime")
    try:
        # Mozc composes here: a key in the history table (which takes an input method) starts
        # Mozc's server and stays pending as Mozc's text.
        p.click(300, 380)
        p.key("1")
        wait_for("Mozc to take the key", mozc_running, seconds=20)
        p.shot("ime-pending")

        p.click(318, 40)  # スタート
        wait_for("the digits", lambda: p.digit(1) != "", seconds=6)
        shown = [p.digit(i) for i in range(1, DIGITS + 1)]
        play.wait_for_answer_entry(p)
        for i, digit in enumerate(shown, start=1):
            p.type(digit)
            if i < DIGITS:
                p.expect_focus(lambda i=i: p.answer_box(i + 1), f"answer box {i + 1}")
        p.expect_focus(lambda: p.button("回答"), "回答")
        answers = [p.answer(i) for i in range(1, DIGITS + 1)]
        p.shot("ime-typed")
        check(answers == shown, f"typed {shown}, the boxes hold {answers}")
        p.key("space")
        wait_for("the history line", lambda: play.read(work, "履歴.txt"), seconds=5)
        p.shot("ime-scored")
        line = play.read(work, "履歴.txt").decode("cp932")
        marks = "○" * DIGITS + "－" * (15 - DIGITS)
        check(f'"{marks}",{DIGITS},0,"100.0%","3秒"' in line, f"history line {line!r}")
        return f"digits {''.join(shown)} typed with Mozc on, all right"
    finally:
        p.end()


def main():
    os.makedirs(play.ARTIFACTS, exist_ok=True)
    work = tempfile.mkdtemp(prefix="ketamori-ime-")
    daemon = start_input_method(work)
    try:
        play.pyatspi.Registry.getDesktop(0)  # starts the accessibility bus
        said = scenario(work)
        print(f"PASS: {said}")
        return 0
    except (Failure, subprocess.CalledProcessError) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        log = os.path.join(work, "ime.log")
        if os.path.exists(log):
            print(open(log, errors="replace").read(), file=sys.stderr)
        return 1
    finally:
        daemon.terminate()
        daemon.wait(timeout=10)
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
