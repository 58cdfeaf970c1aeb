#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program's life beside other copies of itself and under the system's signals, on a
real X server: a second start on one data folder, a copy killed with SIGKILL, a Save beyond the
file-size limit (ulimit -f), and logging out (SIGTERM, SIGHUP). Played and read back as
keyboard_play.py does, whose helpers it uses.

Usage: two_copies.py BINARY ARTIFACT_DIR HELP_FILE   (inside xvfb-run and dbus-run-session)
"""

import os
import resource
import shutil
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import keyboard_play as play  # noqa: E402
from keyboard_play import check, read, seed, wait_for  # noqa: E402

DATA_FILES = ["履歴.txt", "設定.txt"]


class Copy(play.Program):
    """One run of the program in a data folder, with its own runtime folder (where its lock
    lies) and perhaps a file-size limit; its window is found by its process, since two copies
    show the same title."""

    def __init__(self, work, name, runtime, file_size_limit=None):
        self.work, self.name = work, name
        self.log = open(os.path.join(os.path.dirname(work), name + ".log"), "wb")
        self.process = start(work, runtime, self.log, file_size_limit)
        try:
            self._meet()
        except BaseException:
            self.end()
            raise

    def _find_window(self):
        check(self.process.poll() is None, f"{self.name}: the program ended at start-up")
        found = windows_of(self.process.pid)
        return found[0] if found else None


def start(work, runtime, log, file_size_limit=None):
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=runtime)

    def limit():
        if file_size_limit is not None:
            hard = resource.getrlimit(resource.RLIMIT_FSIZE)[1]
            resource.setrlimit(resource.RLIMIT_FSIZE, (file_size_limit, hard))

    return subprocess.Popen([play.BINARY], cwd=work, env=env, stdout=log,
                            stderr=subprocess.STDOUT, preexec_fn=limit)


def windows_of(pid):
    # --all: the window of that process and with that name, not either.
    return subprocess.run(["xdotool", "search", "--all", "--onlyvisible", "--pid", str(pid),
                           "--name", f"^{play.TITLE}$"], capture_output=True,
                          text=True).stdout.split()


def all_windows():
    return subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{play.TITLE}$"],
                          capture_output=True, text=True).stdout.split()


def stacking():
    """The top-level windows from the bottom of the stack to the top, as decimal ids."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], check=True, capture_output=True,
                          text=True).stdout
    ids = [str(int(line.split()[0], 16)) for line in tree.splitlines()
           if line.strip().startswith("0x")]
    return ids[::-1]  # xwininfo lists the top of the stack first


def focused_window():
    return xdotool_text("getwindowfocus", "-f")


def xdotool_text(*args):
    return subprocess.run(["xdotool", *args], capture_output=True, text=True).stdout.strip()


def table_rows(p):
    table = [n for n in p.descendants(p.main_frame()) if n.getRoleName() == "table"][0]
    cells = table.queryTable()
    return [[cells.getAccessibleAt(r, c).name for c in range(cells.nColumns)]
            for r in range(cells.nRows)]


def in_step(p, work):
    """The table shows exactly the file's records, numbered from 1."""
    lines = read(work, "履歴.txt").decode("cp932").splitlines()
    rows = table_rows(p)
    check(len(rows) == len(lines), f"{len(rows)} rows for {len(lines)} lines")
    for number, (row, line) in enumerate(zip(rows, lines), start=1):
        marks = line.split(",")[2].strip('"')
        check(row[0] == str(number) and row[3] == marks, f"row {row} for line {line!r}")
    return len(rows)


def drill_with_auto_save(p, digits):
    """A whole drill by keyboard, all answers right, scored (and saved: auto-save is on)."""
    shown = play.start_drill_by_keyboard(p, digits)
    play.wait_for_answer_entry(p)
    p.type("".join(shown))
    p.expect_focus(lambda: p.button("回答"), "回答")
    p.key("space")


def folders(base, *names):
    made = []
    for name in names:
        os.makedirs(os.path.join(base, name), mode=0o700)
        made.append(os.path.join(base, name))
    return made


def scenario_second_start(base):
    """Two copies on one folder: one window, the first raised and given the focus, the second
    ends with 0; a copy on another folder runs beside it. Save and Clear in the one window keep
    file and table in step."""
    runtime, work, other = folders(base, "runtime", "data", "other")
    seed(work, b"3,0,1\r\n", play.SEEDED[0])
    seed(other, b"3,0,1\r\n", b"".join(play.SEEDED))
    first = Copy(work, "first", runtime)
    beside = None
    try:
        beside = Copy(other, "beside", runtime)  # on top of the first, and focused
        check(len(all_windows()) == 2, f"windows: {all_windows()}")
        stack = stacking()
        check(stack.index(beside.window) > stack.index(first.window), "beside is not on top")

        with open(os.path.join(base, "second.log"), "wb") as log:
            second = start(work, runtime, log)
            status = second.wait(timeout=20)
        check(status == 0, f"the second start ended with {status}")
        check(sorted(all_windows()) == sorted([first.window, beside.window]),
              f"windows after the second start: {all_windows()}")
        wait_for("the first window on top",
                 lambda: stacking().index(first.window) > stacking().index(beside.window),
                 seconds=5)
        wait_for("the first window focused", lambda: focused_window() == first.window, seconds=5)
        first.shot("second-start-raised", whole_screen=True)
        play.step("the second start handed over")

        drill_with_auto_save(first, 3)
        first.expect_focus(lambda: first.button("スタート"), "スタート after scoring")
        wait_for("the saved line", lambda: read(work, "履歴.txt").count(b"\r\n") == 2, seconds=3)
        check(in_step(first, work) == 2, "two rows after Save")
        first.key("Tab", "Tab", "Tab")
        first.expect_focus(lambda: first.button("クリア"), "クリア")
        first.key("space")
        wait_for("the confirmation", lambda: first.dialog("クリア確認"), seconds=5)
        first.key("Return")
        wait_for("the report", lambda: first.dialog("クリア終了"), seconds=5)
        first.key("Return")
        wait_for("the report to close", lambda: first.dialog("クリア終了") is None, seconds=5)
        check(read(work, "履歴.txt") == b"" and in_step(first, work) == 0, "rows after Clear")
        check(in_step(beside, other) == 2, "the copy beside changed")
        play.step("Save and Clear in the one window")
        return "second start ended with 0, first window raised and focused, in step"
    finally:
        first.end()
        if beside:
            beside.end()


def scenario_killed_copy(base):
    """A copy killed with SIGKILL leaves its locks behind, which block no later start: the one in
    the data folder names a process that is gone, and the next copy takes it over. The data
    folder holds nothing but its files and that lock."""
    runtime, work = folders(base, "runtime", "data")
    seed(work, b"3,0,1\r\n", play.SEEDED[0])
    killed = Copy(work, "killed", runtime)
    killed.process.send_signal(signal.SIGKILL)
    killed.end()
    check(killed.process.returncode == -signal.SIGKILL, "not killed")
    ours = sorted(name.rsplit(".", 1)[1] for name in os.listdir(runtime)
                  if name.startswith("ketamori-"))
    check(ours == ["lock", "socket"], f"left behind: {os.listdir(runtime)}")
    check(".ketamori.lock" in os.listdir(work), f"data folder: {os.listdir(work)}")
    next_copy = Copy(work, "next", runtime)
    try:
        check(all_windows() == [next_copy.window], f"windows: {all_windows()}")
        lock = read(work, ".ketamori.lock")
        check(f"pid={next_copy.process.pid}\n".encode() in lock, f"lock: {lock!r}")
        check(sorted(os.listdir(work)) == sorted(DATA_FILES + [".ketamori.lock"]),
              f"data folder: {os.listdir(work)}")
        return "the next start after SIGKILL opened its window and took the lock over"
    finally:
        next_copy.end()


def scenario_file_size_limit(base):
    """A Save that would take the history past the file-size limit: the program is not killed
    by SIGXFSZ, says why, and keeps file and table in step."""
    runtime, work = folders(base, "runtime", "data")
    history = b"".join(play.SEEDED)
    seed(work, b"3,0,1\r\n", history)
    p = Copy(work, "limited", runtime, file_size_limit=len(history) + 30)
    try:
        drill_with_auto_save(p, 3)
        box = wait_for("the failed save's message", lambda: p.dialog("保存エラー"), seconds=5)
        said = " ".join(n.name for n in p.descendants(box) if n.getRoleName() == "label")
        check("ファイルが大きすぎます" in said, f"message: {said!r}")
        p.shot("file-size-limit", whole_screen=True)
        p.key("Return")
        wait_for("the message to close", lambda: p.dialog("保存エラー") is None, seconds=5)
        check(p.alive(), "the program ended")
        check(read(work, "履歴.txt") == history, "the history changed")
        check(in_step(p, work) == 2, "rows after the failed save")
        return "refused Save told in Japanese, history untouched, program running"
    finally:
        p.end()


def scenario_logout(base):
    """SIGTERM (logging out) and SIGHUP end the program as its close box does: exit status 0,
    the files as they were, the lock gone. With the confirmation of クリア open, nothing is
    cleared."""
    said = []
    for number, during in ((signal.SIGTERM, None), (signal.SIGHUP, None),
                           (signal.SIGTERM, "クリア確認")):
        name = signal.Signals(number).name + (f" during {during}" if during else "")
        runtime, work = folders(base, f"runtime-{len(said)}", f"data-{len(said)}")
        seed(work, b"3,0,1\r\n", play.SEEDED[0])
        p = Copy(work, f"signal-{len(said)}", runtime)
        try:
            if during:
                p.key("Tab", "Tab", "Tab")
                p.expect_focus(lambda: p.button("クリア"), "クリア")
                p.key("space")
                wait_for("the confirmation", lambda: p.dialog(during), seconds=5)
            p.process.send_signal(number)
            wait_for(f"the end after {name}", lambda: not p.alive(), seconds=5)
            check(p.process.returncode == 0, f"{name}: exit status {p.process.returncode}")
            ours = [entry for entry in os.listdir(runtime) if entry.startswith("ketamori-")]
            check(ours == [], f"{name}: left behind: {ours}")
            check(sorted(os.listdir(work)) == DATA_FILES, f"data folder: {os.listdir(work)}")
            check(read(work, "履歴.txt") == play.SEEDED[0], f"{name}: the history changed")
            said.append(name)
        finally:
            p.end()
    return ", ".join(said) + " ended the program with 0"


def main():
    if not shutil.which("xwininfo"):
        print("SKIP: xwininfo is not installed")
        return 77
    return play.run_scenarios((scenario_second_start, scenario_killed_copy,
                               scenario_file_size_limit, scenario_logout), "ketamori-copies-")


if __name__ == "__main__":
    sys.exit(main())
