#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The drill log as a player finds it after two drills in the real program, on a real X server.

Two drills are played by keyboard with auto-save on, as keyboard_play.py plays them (whose
helpers it uses); then "詳細.sqlite" is read with the sqlite3 command-line tool, as a player
would read it: each drill's digits as the window showed them (read through the accessibility
tree), the digits typed, and entry times that fit the moments the keys were sent.

Usage: keyboard_play.sh BINARY ARTIFACT_DIR HELP_FILE drill_log.py   (inside xvfb-run)
"""

import json
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import keyboard_play as play  # noqa: E402
from keyboard_play import check, read, seed, wait_for  # noqa: E402

# How late the program may handle a key after xdotool has sent it, on a busy machine.
LATE_MS = 500


def sqlite(work, query):
    """The rows of a query on the drill log, as dictionaries (sqlite3 -json)."""
    out = subprocess.run(["sqlite3", "-json", os.path.join(work, "詳細.sqlite"), query],
                         check=True, capture_output=True, text=True).stdout
    return json.loads(out) if out.strip() else []


def covered(p):
    """Whether the cover lies over the digit row (it is lifted while the digits show)."""
    for node in p.descendants(p.main_frame()):
        if node.name == "問題のふた":
            return node.getState().contains(play.pyatspi.STATE_SHOWING)
    return False


def timed_keys(p, keys):
    """Presses each key as the player's hands do (play.Program.key), noting when each was
    sent: (before xdotool ran, after it returned), in ms on the test's monotonic clock."""
    moments = []
    for k in keys:
        before = time.monotonic()
        p.key(k)
        moments.append((1000 * before, 1000 * time.monotonic()))
    return moments


def play_drill(p, digits, right):
    """One drill by keyboard, the boxes right where `right` says; returns what the log should
    hold of it and the moments the test saw."""
    p.expect_focus(lambda: p.button("スタート"), "スタート")
    p.key("space")
    # The digit labels keep the last drill's digits under the cover: they are read while the
    # cover is lifted. It comes back as the boxes open: between the start of the last look that
    # found it lifted and the end of the first that found it back.
    wait_for("the cover", lambda: covered(p), seconds=3, step=0.02)
    lifted, shown, began = None, None, time.monotonic()
    while True:
        check(time.monotonic() - began < 10, "the cover did not lift and come back")
        look = 1000 * time.monotonic()
        if not covered(p):
            lifted = look
            if shown is None:
                shown = [p.digit(i) for i in range(1, digits + 1)]
        elif lifted is not None:
            opened_by = 1000 * time.monotonic()
            break
    check(all(len(d) == 1 and d in "012345678" for d in shown), f"digits shown: {shown}")
    play.wait_for_answer_entry(p)
    typed = [d if r else play.wrong(d) for d, r in zip(shown, right)]
    moments = timed_keys(p, typed)
    p.expect_focus(lambda: p.button("回答"), "回答 after the last box")
    moments += timed_keys(p, ["space"])
    p.expect_focus(lambda: p.button("スタート"), "スタート after scoring")
    # Scored, the digits are uncovered beside the boxes: the same as shown.
    after = [p.digit(i) for i in range(1, digits + 1)]
    check(after == shown, f"digits {shown} while shown, {after} after scoring")
    return {"shown": "".join(shown), "typed": typed, "lifted": lifted, "opened_by": opened_by,
            "moments": moments}


def check_times(drill, entries, answer_ms):
    """Each entry no earlier than its key was sent and no later than the key allows, counted
    from when the boxes can have opened at the latest and at the earliest; the boxes in the
    order typed; 回答 last."""
    times = [e["entry_ms"] for e in entries] + [answer_ms]
    check(all(isinstance(t, int) for t in times), f"times {times}")
    check(all(b > a for a, b in zip(times, times[1:])), f"times not increasing: {times}")
    for t, (before, after), what in zip(times, drill["moments"],
                                        [f"box {e['slot']}" for e in entries] + ["回答"]):
        earliest, latest = before - drill["opened_by"], after - drill["lifted"] + LATE_MS
        check(t > 0 and earliest - 1 <= t <= latest,
              f"{what} at {t} ms, its key sent {earliest:.0f} to {latest:.0f} ms after opening")
    for i in range(1, len(times)):
        # Between two entries no more time than from sending the one key to the next one's end.
        gap = drill["moments"][i][1] - drill["moments"][i - 1][0] + LATE_MS
        check(times[i] - times[i - 1] <= gap, f"{times[i] - times[i - 1]} ms after the entry "
              f"before, the keys {gap:.0f} ms apart at most: {times}")


def scenario_two_drills_logged(work):
    """Two drills of 5 digits saved by auto-save; the log holds each as shown and typed."""
    seed(work, b"5,1,1\r\n", play.SEEDED[0])
    p = play.Program(work, "drill-log")
    try:
        drills = [play_drill(p, 5, [True, False, True, False, True]),
                  play_drill(p, 5, [False, True, True, True, False])]
        wait_for("the two history lines", lambda: read(work, "履歴.txt").count(b"\r\n") == 3)
        wait_for("the two details",
                 lambda: len(sqlite(work, "SELECT id FROM drill")) == 2, seconds=5)
        play.step("two drills played")
    finally:
        p.end()

    lines = read(work, "履歴.txt").split(b"\r\n")
    rows = sqlite(work, "SELECT id, line_number, hex(history_line) AS line, digit_count,"
                        " display_seconds, shown, right_count, wrong_count, answer_ms"
                        " FROM drill ORDER BY id")
    said = []
    for number, (drill, row) in enumerate(zip(drills, rows), start=2):
        check(row["line_number"] == number, f"line number {row['line_number']}, not {number}")
        check(bytes.fromhex(row["line"]) == lines[number - 1], f"line {number}: {row['line']}")
        check((row["digit_count"], row["display_seconds"]) == (5, 1), f"drill {row}")
        check(row["shown"] == drill["shown"], f"shown {row['shown']}, window {drill['shown']}")
        entries = sqlite(work, "SELECT slot, answer, correct, entry_ms, refills FROM entry"
                               f" WHERE drill_id = {row['id']} ORDER BY slot")
        check([e["slot"] for e in entries] == [1, 2, 3, 4, 5], f"entries {entries}")
        check([e["answer"] for e in entries] == drill["typed"],
              f"answers {[e['answer'] for e in entries]}, typed {drill['typed']}")
        marks = [int(a == s) for a, s in zip(drill["typed"], drill["shown"])]
        check([e["correct"] for e in entries] == marks, f"correct {entries}, expected {marks}")
        check((row["right_count"], row["wrong_count"]) == (sum(marks), 5 - sum(marks)),
              f"counts {row}")
        check(all(e["refills"] == 0 for e in entries), f"refills {entries}")
        check_times(drill, entries, row["answer_ms"])
        said.append(f"{row['shown']} typed {''.join(drill['typed'])}, entries "
                    f"{[e['entry_ms'] for e in entries]} ms, 回答 {row['answer_ms']} ms")
    return "; ".join(said)


def main():
    if not shutil.which("sqlite3"):
        print("SKIP: sqlite3 is not installed")
        return 77
    return play.run_scenarios((scenario_two_drills_logged,), "ketamori-log-")


if __name__ == "__main__":
    sys.exit(main())
