#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""成績グラフ's kinds of error and advice on a prepared drill log, then 問題数の自動調整 played.

The data folder holds 40 drills of 5 digits at 1 second, in the history and in the drill log as
the program's first log version writes it: 24 with two neighbouring digits swapped, 16 wholly
right, typed in groups of three and two. The window 成績グラフ, opened from the history table's
context menu, must read (through the accessibility tree, as a screen reader does) 24 wrong rows
with neighbour swaps the most common kind, and advice that names the swaps; then 自動調整 is
turned on by its access key, two wholly right drills are played by keyboard, and the next
スタート must take 問題数 from 5 to 6, as "設定.txt" and the notice over the logo say.

Usage: keyboard_play.sh BINARY ARTIFACT_DIR HELP_FILE stats_advice.py   (inside xvfb-run)
"""

import datetime
import os
import random
import sqlite3
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import drill_log  # noqa: E402
import keyboard_play as play  # noqa: E402
from keyboard_play import check, read, wait_for, xdotool  # noqa: E402

SWAPS, RIGHT = 24, 16
# Version 1 of the drill log, as the program creates it.
LOG_TABLES = """
CREATE TABLE drill (
    id INTEGER PRIMARY KEY, saved_at_utc_ms INTEGER NOT NULL, utc_offset_s INTEGER NOT NULL,
    line_number INTEGER NOT NULL, history_line BLOB NOT NULL, digit_count INTEGER NOT NULL,
    display_seconds INTEGER NOT NULL, shown TEXT NOT NULL, right_count INTEGER NOT NULL,
    wrong_count INTEGER NOT NULL, answer_ms INTEGER);
CREATE INDEX drill_line_number ON drill (line_number);
CREATE TABLE entry (
    drill_id INTEGER NOT NULL REFERENCES drill (id) ON DELETE CASCADE, slot INTEGER NOT NULL,
    answer TEXT NOT NULL, correct INTEGER NOT NULL, entry_ms INTEGER, refills INTEGER NOT NULL,
    PRIMARY KEY (drill_id, slot)) WITHOUT ROWID;
PRAGMA user_version = 1;
"""


def prepare(work):
    """The history and the drill log of the 40 drills, one a day from 2026/10/01."""
    rng = random.Random(7)
    db = sqlite3.connect(os.path.join(work, "詳細.sqlite"))
    db.executescript(LOG_TABLES)
    lines = b""
    start = datetime.datetime(2026, 10, 1, 9, 0, tzinfo=datetime.timezone.utc)
    for n in range(1, SWAPS + RIGHT + 1):
        shown = [str(d) for d in rng.sample(range(9), 5)]  # distinct: a swap changes both
        typed = list(shown)
        if n <= SWAPS:
            i = rng.randrange(4)
            typed[i], typed[i + 1] = typed[i + 1], typed[i]
        marks = "".join("○" if a == s else "×" for a, s in zip(typed, shown)) + "－" * 10
        ok = marks.count("○")
        moment = start + datetime.timedelta(days=n)
        line = play.history_line(moment.strftime("%Y/%m/%d"), moment.strftime("%H:%M:%S"), marks,
                                 ok, 5 - ok, f"{ok * 20}.0%", 1)
        lines += line
        times = [800, 1100, 1400, 2300, 2600]  # a pause after the third digit
        db.execute("INSERT INTO drill VALUES (?, ?, 0, ?, ?, 5, 1, ?, ?, ?, 3200)",
                   (n, int(moment.timestamp() * 1000), n, line[:-2], "".join(shown), ok, 5 - ok))
        for slot, (a, s, t) in enumerate(zip(typed, shown, times), start=1):
            db.execute("INSERT INTO entry VALUES (?, ?, ?, ?, ?, 0)", (n, slot, a, int(a == s), t))
    db.commit()
    db.close()
    play.seed(work, b"5,1,1\r\n", lines)


def labels(p, frame):
    return [n.name for n in p.descendants(frame) if n.getRoleName() == "label" and n.name]


def showing(node):
    return node.getState().contains(play.pyatspi.STATE_SHOWING)


def turn_to(p, stats, what, find):
    """Ctrl+Tab through the window's pages until find() sees the page wanted on screen."""
    for _ in range(12):
        found = find()
        if found:
            return found
        p.key("ctrl+Tab")
        time.sleep(0.3)
    raise play.Failure(f"no page with {what} in 成績グラフ")


def scenario_advice_and_adaptive(work):
    prepare(work)
    # A configuration folder of the run's own, where 自動調整 is off until turned on.
    os.environ["XDG_CONFIG_HOME"] = os.path.join(work, "config")
    p = play.Program(work, "stats-advice")
    try:
        table = next(n for n in p.descendants(p.main_frame()) if n.getRoleName() == "table")
        box = table.queryComponent().getExtents(play.pyatspi.DESKTOP_COORDS)
        xdotool("mousemove", box.x + box.width // 2, box.y + box.height // 6, "click", 1)
        time.sleep(0.3)
        p.key("Menu")
        time.sleep(0.5)
        p.key("g")
        stats = wait_for("the window 成績グラフ", lambda: p.dialog("成績グラフ"))
        window = wait_for("成績グラフ on screen", lambda: xdotool(
            "search", "--onlyvisible", "--name", "^成績グラフ$").split()[0])
        p.focus_window(window)
        time.sleep(0.5)

        def kinds():
            for node in p.descendants(stats):
                if node.getRoleName() == "label" and showing(node) and "間違い" in node.name \
                        and f"{SWAPS} 回" in node.name:
                    return node.name
            return None

        counts = turn_to(p, stats, "24 wrong rows", kinds)
        play.step("間違い方: " + counts)

        def advice():
            for node in p.descendants(stats):
                if node.getRoleName() == "label" and node.name.startswith("・") and showing(node):
                    return node.name
            return None

        text = turn_to(p, stats, "the advice", advice)
        check("入れ替え" in text, f"the advice does not name the swaps: {text!r}")
        play.step("アドバイス: " + text.replace("\n", " "))

        switch = turn_to(p, stats, "the switch 自動調整", lambda: next(
            (n for n in p.descendants(stats) if n.getRoleName() == "check box"
             and n.name.startswith("問題数の自動調整") and showing(n)), None))
        check(not switch.getState().contains(play.pyatspi.STATE_CHECKED), "自動調整 is on at first")
        p.key("alt+a")
        wait_for("自動調整 on", lambda: switch.getState().contains(play.pyatspi.STATE_CHECKED),
                 seconds=3)
        conf = os.path.join(os.environ["XDG_CONFIG_HOME"], "ketamori", "ketamori.conf")
        check(b"adaptiveDigitCount=true" in read(os.path.dirname(conf), "ketamori.conf"),
              "ketamori.conf does not say 自動調整 is on")
        p.key("Escape")
        time.sleep(0.3)
        p.focus_window()
        p.key("Escape")  # the table has the focus; スタート is reached by Tab
        for _ in range(12):
            if p.focused_is(p.button("スタート")):
                break
            p.key("Tab")
        for _ in range(2):
            drill_log.play_drill(p, 5, [True] * 5)

        def notice():
            for node in p.descendants(p.main_frame()):
                if node.name.startswith("自動調整：") and showing(node):
                    return node.name
            return None

        told = wait_for("the notice over the logo", notice, seconds=3)
        check("6" in told, f"the notice says {told!r}")
        check(read(work, "設定.txt") == b"5,1,1\r\n", "問題数 changed before スタート")
        p.shot("adaptive-notice")
        p.key("space")  # スタート has the focus after scoring
        wait_for("設定.txt with 6 digits", lambda: read(work, "設定.txt") == b"6,1,1\r\n",
                 seconds=5)
        return f"{counts}; told {told!r}; then {notice()!r}"
    finally:
        p.end()


def main():
    return play.run_scenarios((scenario_advice_and_adaptive,), "ketamori-advice-")


if __name__ == "__main__":
    sys.exit(main())
