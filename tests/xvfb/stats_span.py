#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""成績グラフ's span estimate on a prepared history, as a player with a screen reader meets it.

The real program runs in a temporary folder on a history whose estimate is known: 4 digits
wholly right 15 times in 20 and 6 digits 5 times in 20, at 5 seconds, give a span of exactly
5.0 digits, and 4 digits (fitted 75 %) as the count to practise next. The window is opened from
the history table's context menu; the span's text is read from the accessibility tree; the
suggestion's button is pressed by its access key; then "設定.txt" must hold the new digit count.
Screenshots of the new pages are kept. Set STATS_SPAN_KEEP=1 to leave the program running.

Usage: keyboard_play.sh BINARY ARTIFACT_DIR HELP_FILE stats_span.py   (inside xvfb-run)
"""

import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from keyboard_play import ARTIFACTS, BINARY, Failure, wait_for, xdotool  # noqa: E402


def key(*keys):
    for k in keys:
        xdotool("key", "--delay", 40, k)
        time.sleep(0.1)


def history():
    lines = b""
    start = datetime.date(2024, 1, 1)
    for i in range(40):
        digits = 4 if i < 20 else 6
        whole = i < 15 if i < 20 else i < 25
        marks = ("○" if whole else "×") + "○" * (digits - 1) + "－" * (15 - digits)
        ok = digits if whole else digits - 1
        tenths = (ok * 1000 + digits // 2) // digits
        date = (start + datetime.timedelta(days=i)).strftime("%Y/%m/%d")
        line = (f'"{date}","09:00:00","{marks}",{ok},{digits - ok},'
                f'"{tenths // 10}.{tenths % 10}%","5秒"')
        lines += line.encode("cp932") + b"\r\n"
    return lines


def descendants(node):
    found = []
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            found.append(child)
            found.extend(descendants(child))
    return found


def main():
    work = tempfile.mkdtemp(prefix="stats-span-")
    os.makedirs(ARTIFACTS, exist_ok=True)
    with open(os.path.join(work, "設定.txt"), "wb") as f:
        f.write(b"7,5,1\r\n")
    with open(os.path.join(work, "履歴.txt"), "wb") as f:
        f.write(history())
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    log_path = os.path.join(work, "program.log")
    # Two xvfb-run -a starting at once can pick the same display; the loser's server comes up a
    # moment later. A program that found no display at all is started again, a few times.
    for attempt in range(3):
        log = open(log_path, "wb")
        process = subprocess.Popen([BINARY], cwd=work, env=env, stdout=log,
                                   stderr=subprocess.STDOUT)
        try:
            process.wait(timeout=1.5)
        except subprocess.TimeoutExpired:
            break
        log.close()
        if b"could not connect to display" not in open(log_path, "rb").read():
            break
        time.sleep(1)
    try:
        def find_app():
            if process.poll() is not None:
                raise Failure("the program ended at start-up")
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                try:
                    if app is not None and app.get_process_id() == process.pid:
                        return app
                except Exception:
                    pass
            return None

        def frame(title):
            for i in range(app.childCount):
                child = app.getChildAtIndex(i)
                if child is not None and child.name == title:
                    return child
            return None

        app = wait_for("the program in the accessibility tree", find_app, seconds=20)
        main_frame = wait_for("the main window", lambda: frame("ケタモリ！"))
        table = next(n for n in descendants(main_frame) if n.getRoleName() == "table")
        box = table.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        # A cell of the table's top row, then the context menu from the keyboard.
        xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 6, "click", 1)
        time.sleep(0.3)
        key("Menu")
        time.sleep(0.5)
        key("g")
        stats = wait_for("the window 成績グラフ", lambda: frame("成績グラフ"))
        window = wait_for("成績グラフ on screen", lambda: xdotool(
            "search", "--onlyvisible", "--name", "^成績グラフ$").split()[0])
        xdotool("windowfocus", "--sync", window)
        time.sleep(0.5)

        # Rate, positions, summary, then the span.
        key("ctrl+Tab", "ctrl+Tab", "ctrl+Tab")

        def span_text():
            for node in descendants(stats):
                if node.getRoleName() == "label" and node.name.startswith("推定スパン："):
                    return node.name
            return None

        text = wait_for("the span's text", span_text, seconds=5)
        print("read:", text)
        if not text.startswith("推定スパン：5.0 桁（95% 区間 "):
            raise Failure("the span reads " + text)
        buttons = [n.name for n in descendants(stats) if n.getRoleName() == "push button"]
        if "問題数を 4 桁にする(P)" not in buttons:  # the access key's & is not read out
            raise Failure(f"no suggestion button among {buttons}")
        subprocess.run(["import", "-window", window, os.path.join(ARTIFACTS, "stats-span.png")],
                       check=True)
        for name in ("stats-trend", "stats-calendar", "stats-bests"):
            key("ctrl+Tab")
            time.sleep(0.5)
            subprocess.run(["import", "-window", window, os.path.join(ARTIFACTS, name + ".png")],
                           check=True)
        # On round the ten tabs, past 間違い方, 迷う数字 and アドバイス, back to the span.
        key(*["ctrl+Tab"] * 7)

        # The button, by its access key.
        key("alt+p")
        settings = os.path.join(work, "設定.txt")
        wait_for("設定.txt rewritten", lambda: open(settings, "rb").read() == b"4,5,1\r\n",
                 seconds=5)
        if os.environ.get("STATS_SPAN_KEEP"):
            input("running; press Return to end")
        print("PASS")
        return 0
    except Failure as failure:
        print("FAIL:", failure, file=sys.stderr)
        if not log.closed:
            log.flush()
        print(open(log_path, errors="replace").read(), file=sys.stderr)
        return 1
    finally:
        if process.poll() is None:
            process.kill()
        process.wait()
        log.close()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
