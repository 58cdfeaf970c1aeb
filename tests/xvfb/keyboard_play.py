#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program played as a player would, on a real X server.

Keys (and the one click the player makes to re-enter an answer) go in through xdotool; what the
program shows comes back through its accessibility tree (AT-SPI, as a screen reader reads it) and
through screenshots. Every scenario runs in a temporary working folder with seeded files.

Usage: keyboard_play.py BINARY ARTIFACT_DIR HELP_FILE   (inside xvfb-run and dbus-run-session)
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

BINARY, ARTIFACTS = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
HELP_FILE = os.path.abspath(sys.argv[3])
TITLE = "ケタモリ！"

# Positions in the window's client area, in pixels (15 twips to a pixel). Frame1 lies at (6, 87).
FRAME1 = (6, 87)
BOX_TOP = FRAME1[1] + 2115 // 15
SLOT_TOP = FRAME1[1] + 1080 // 15


def box_left(i):
    return FRAME1[0] + (225 + 585 * (i - 1)) // 15


GREEN, MAGENTA = (0, 255, 0), (255, 0, 255)


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def xdotool(*args):
    return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                          text=True).stdout


def wait_for(what, probe, seconds=10.0, step=0.05):
    """Polls probe() until it returns something true; fails with `what` after `seconds`."""
    end = time.monotonic() + seconds
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(step)


def cp932_line(text):
    return text.encode("cp932") + b"\r\n"


def history_line(date, clock, marks, ok, ng, rate, seconds):
    return cp932_line(f'"{date}","{clock}","{marks}",{ok},{ng},"{rate}","{seconds}秒"')


SEEDED = [history_line("2026/01/02", "03:04:05", "○×○" + "－" * 12, 2, 1, "66.7%", 5),
          history_line("2026/01/02", "03:05:00", "○" * 15, 15, 0, "100.0%", 0)]


class Program:
    """One run of the real binary in a working folder, found on screen and in the tree."""

    def __init__(self, work, name):
        self.work = work
        self.name = name
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.log = open(os.path.join(work, name + ".log"), "wb")
        self.process = subprocess.Popen([BINARY], cwd=work, env=env, stdout=self.log,
                                        stderr=subprocess.STDOUT)
        try:
            self._meet()
        except BaseException:
            self.end()
            raise

    def _meet(self):
        self.window = wait_for("the window", self._find_window)
        geometry = dict(line.split("=") for line in
                        xdotool("getwindowgeometry", "--shell", self.window).split())
        self.x, self.y = int(geometry["X"]), int(geometry["Y"])
        self.width, self.height = int(geometry["WIDTH"]), int(geometry["HEIGHT"])
        self.app = wait_for("the accessibility tree", self._find_app)
        wait_for("the window in the tree", lambda: self.main_frame())
        self.focus_window()

    def _find_window(self):
        check(self.process.poll() is None, f"{self.name}: the program ended at start-up")
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{TITLE}$"],
                               capture_output=True, text=True).stdout.split()
        return found[0] if found else None

    def _find_app(self):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            try:
                if app is not None and app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                pass
        return None

    # The tree.
    def frames(self):
        return [self.app.getChildAtIndex(i) for i in range(self.app.childCount)]

    def main_frame(self):
        for frame in self.frames():
            if frame is not None and frame.name == TITLE:
                return frame
        return None

    def dialog(self, title):
        for frame in self.frames():
            if frame is not None and frame.name == title:
                return frame
        return None

    @staticmethod
    def descendants(node):
        found = []
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is None:
                continue
            found.append(child)
            found.extend(Program.descendants(child))
        return found

    def at(self, role, left, top):
        """The control of a role whose top-left corner lies at a client position (a hidden one
        has no place and is not found)."""
        for node in self.descendants(self.main_frame()):
            if node.getRoleName() != role:
                continue
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            if (box.x - self.x, box.y - self.y) == (left, top):
                return node
        raise Failure(f"no {role} at {left},{top}")

    def answer_box(self, i):
        return self.at("text", box_left(i), BOX_TOP)

    def answer(self, i):
        text = self.answer_box(i).queryText()
        return text.getText(0, text.characterCount)

    def digit(self, i):
        """The digit slot i shows: its name is its caption and the value after "：" ("問題 1：7"),
        or the caption alone while it is empty."""
        name = self.at("label", box_left(i), SLOT_TOP).name
        return name.split("：", 1)[1] if "：" in name else ""

    def result_label(self, caption):
        """A result label by its caption, the part of its name before "："."""
        for node in self.descendants(self.main_frame()):
            if node.getRoleName() == "label" and node.name.split("：", 1)[0] == caption:
                return node
        raise Failure(f"no label {caption}")

    @staticmethod
    def focused_is(node):
        return node.getState().contains(pyatspi.STATE_FOCUSED)

    def expect_focus(self, find, what):
        """Waits for the focus to reach a control (the tree hears of focus moves a little late)."""
        def arrived():
            try:
                return self.focused_is(find())
            except Failure:
                return False

        wait_for(what + " to take the focus", arrived, seconds=3)

    def button(self, caption):
        for node in self.descendants(self.main_frame()):
            if node.getRoleName() == "push button" and node.name == caption:
                return node
        raise Failure(f"no button {caption}")

    # The player's hands.
    def focus_window(self, window=None):
        xdotool("windowfocus", "--sync", window or self.window)

    def key(self, *keys):
        for k in keys:
            xdotool("key", "--delay", 40, k)
            time.sleep(0.05)

    def type(self, text):
        for c in text:
            self.key(c)

    def click(self, left, top):
        xdotool("mousemove", self.x + left, self.y + top, "click", 1)
        time.sleep(0.1)

    # The player's eyes.
    def shot(self, name, whole_screen=False):
        """A screenshot of the window, or of the whole screen to show a message box too."""
        path = os.path.join(ARTIFACTS, name + ".png")
        subprocess.run(["import", "-window", "root" if whole_screen else self.window, path],
                       check=True)
        raw = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                             capture_output=True).stdout
        return Screenshot(raw, self.width)

    def alive(self):
        return self.process.poll() is None

    def end(self):
        if self.alive():
            self.process.kill()
        self.process.wait()
        self.log.close()


class Screenshot:
    def __init__(self, raw, width):
        self.raw, self.width = raw, width

    def pixel(self, x, y):
        at = 3 * (y * self.width + x)
        return tuple(self.raw[at:at + 3])

    def share(self, colour, left, top, width, height):
        pixels = [self.pixel(x, y) for x in range(left, left + width)
                  for y in range(top, top + height)]
        return sum(p == colour for p in pixels) / len(pixels)

    def box_colour(self, i):
        """The colour of answer box i: its ground, in a band under the digit."""
        for colour in (GREEN, MAGENTA):
            if self.share(colour, box_left(i) + 4, BOX_TOP + 58, 30, 4) > 0.9:
                return colour
        return None


class Announcements:
    """Names that the program announces as changed, as a screen reader hears them: the
    accessibility bus's name-change events, kept while listening."""

    EVENT = "object:property-change:accessible-name"

    def __init__(self):
        self.heard = []
        pyatspi.Registry.registerEventListener(self._hear, self.EVENT)

    def _hear(self, event):
        try:
            self.heard.append(event.source.name)
        except Exception:
            pass

    def pump(self):
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)

    def wait_for(self, name, seconds=5.0):
        def heard():
            self.pump()
            return name in self.heard
        wait_for(f"the announcement {name!r} (heard {self.heard})", heard, seconds=seconds)

    def close(self):
        pyatspi.Registry.deregisterEventListener(self._hear, self.EVENT)


_step_began = [time.monotonic()]


def step(done):
    """Says how long the part of a scenario just done took."""
    now = time.monotonic()
    print(f"  {done}: {now - _step_began[0]:.1f} s")
    _step_began[0] = now


def read(work, name):
    with open(os.path.join(work, name), "rb") as f:
        return f.read()


def seed(work, settings, history=b""):
    with open(os.path.join(work, "設定.txt"), "wb") as f:
        f.write(settings)
    with open(os.path.join(work, "履歴.txt"), "wb") as f:
        f.write(history)


def start_drill_by_keyboard(p, digits):
    """Space on the focused スタート, then waits for the digits and for the answer boxes."""
    p.expect_focus(lambda: p.button("スタート"), "スタート")
    p.key("space")
    wait_for("the digits", lambda: p.digit(1) != "", seconds=6)
    shown = [p.digit(i) for i in range(1, digits + 1)]
    check(all(re.fullmatch("[0-8]", d) for d in shown), f"digits shown: {shown}")
    return shown


def wait_for_answer_entry(p):
    def first_box_focused():
        try:
            return p.focused_is(p.answer_box(1))
        except Failure:
            return False  # still hidden

    wait_for("the answer boxes", first_box_focused, seconds=40)


def wrong(digit):
    return str((int(digit) + 1) % 9)


def scenario_drill_by_keyboard(work):
    """A whole drill with auto-save on, by keyboard alone: the new history line agrees with
    itself and with the colours of the boxes on the screen."""
    seed(work, b"5,1,1\r\n", b"".join(SEEDED))
    p = Program(work, "drill")
    try:
        digits = start_drill_by_keyboard(p, 5)
        p.shot("drill-on-show")
        wait_for_answer_entry(p)
        # Right, wrong, right, wrong, right: each character moves the focus on by itself.
        answers = [d if i % 2 == 0 else wrong(d) for i, d in enumerate(digits)]
        p.type("".join(answers))
        p.expect_focus(lambda: p.button("回答"), "回答 after box 5")
        ears = Announcements()
        try:
            time.sleep(0.3)  # the program hears that someone listens
            p.key("space")
            wait_for("the new history line", lambda: read(work, "履歴.txt").count(b"\r\n") == 3)
            # A screen reader hears the results as they are shown.
            for name in ("正解の数：3", "まちがいの数：2", "正解率：60.0%"):
                ears.wait_for(name)
        finally:
            ears.close()
        check(p.result_label("正解の数").name == "正解の数：3", "正解の数 as read")
        time.sleep(0.3)
        screen = p.shot("drill-scored")

        history = read(work, "履歴.txt")
        check(history.startswith(b"".join(SEEDED)), "the seeded lines changed")
        line = history[len(b"".join(SEEDED)):].decode("cp932")
        m = re.fullmatch(r'"(\d{4}/\d\d/\d\d)","(\d\d:\d\d:\d\d)","([○×－]{15})",(\d+),(\d+),'
                         r'"(\d+\.\d%)","(\d+)秒"\r\n', line)
        check(m, f"new history line {line!r}")
        marks, ok, ng, rate, seconds = m.group(3), int(m.group(4)), int(m.group(5)), \
            m.group(6), int(m.group(7))
        check(marks == "○×○×○" + "－" * 10, f"marks {marks}")
        check((ok, ng) == (marks.count("○"), marks.count("×")), f"counts {ok},{ng} for {marks}")
        check(rate == f"{100 * ok / 5:.1f}%", f"rate {rate} for {ok} of 5")
        check(seconds == 1, f"seconds {seconds}")
        colours = [screen.box_colour(i) for i in range(1, 6)]
        expected = [GREEN if mark == "○" else MAGENTA for mark in marks[:5]]
        check(colours == expected, f"box colours {colours}, marks {marks}")
        check(screen.box_colour(6) is None, "box 6 is coloured with 5 digits")
        p.expect_focus(lambda: p.button("スタート"), "スタート after scoring")
        return "drill by keyboard: marks %s, %d right, %d wrong, %s" % (marks, ok, ng, rate)
    finally:
        p.end()


def scenario_settings_reentry_restart_clear(work):
    """Digit count and display time chosen with the arrow keys; an answer re-entered after a
    click; a restart showing the saved rows; Clear through its boxes by keyboard."""
    seed(work, b"5,1,1\r\n", SEEDED[0])
    p = Program(work, "settings")
    try:
        # Shift+Tab from スタート: the table, the switch, then 問題数 and 表示秒数.
        p.key("shift+Tab", "shift+Tab", "shift+Tab")
        p.key("Down")
        wait_for("6,1,1", lambda: read(work, "設定.txt") == b"6,1,1\r\n", seconds=3)
        p.key("shift+Tab", "Up")
        wait_for("6,0,1", lambda: read(work, "設定.txt") == b"6,0,1\r\n", seconds=3)
        p.key("Down", "Down")
        wait_for("6,2,1", lambda: read(work, "設定.txt") == b"6,2,1\r\n", seconds=3)
        step("settings by arrow keys")
        # Back to スタート: 問題数, the switch, the table, then round to the first button.
        p.key("Tab", "Tab", "Tab", "Tab")

        digits = start_drill_by_keyboard(p, 6)
        check(len(digits) == 6, "six digits")
        wait_for_answer_entry(p)
        p.type("".join(digits))
        p.expect_focus(lambda: p.button("回答"), "回答 after box 6")
        # Re-enter box 3 after a click: it empties and keeps the focus; the character typed goes
        # there and the boxes after it, which hold their answers, take the next characters in
        # place of what they hold.
        p.click(box_left(3) + 19, BOX_TOP + 32)
        wait_for("box 3 emptied", lambda: p.answer(3) == "", seconds=3)
        p.expect_focus(lambda: p.answer_box(3), "box 3 after its click")
        p.type(digits[2])
        p.expect_focus(lambda: p.answer_box(4), "box 4")
        p.type(wrong(digits[3]))
        check(p.answer(4) == wrong(digits[3]), f"box 4 holds {p.answer(4)!r}")
        p.type(digits[4] + digits[5])
        answers = [p.answer(i) for i in range(1, 7)]
        expected = digits[:3] + [wrong(digits[3])] + digits[4:]
        check(answers == expected, f"answers {answers}, expected {expected}")
        p.key("space")
        wait_for("the second line", lambda: read(work, "履歴.txt").count(b"\r\n") == 2)
        line = read(work, "履歴.txt")[len(SEEDED[0]):].decode("cp932")
        check('"○○○×○○' + "－" * 9 + '",5,1,"83.3%","2秒"' in line, f"line {line!r}")
        step("re-entry after a click")
        p.key("Tab", "Tab", "Tab", "Tab", "Tab")  # to 終了
        p.key("space")
        wait_for("the end", lambda: not p.alive(), seconds=3)
    finally:
        p.end()

    history = read(work, "履歴.txt")
    p = Program(work, "restart")
    try:
        table = [n for n in p.descendants(p.main_frame()) if n.getRoleName() == "table"][0]
        cells = table.queryTable()
        rows = [[cells.getAccessibleAt(r, c).name for c in range(cells.nColumns)]
                for r in range(cells.nRows)]
        check(len(rows) == 2, f"{len(rows)} rows after the restart")
        check(rows[0][:4] == ["1", "26/01/02", "03:04:05", "○×○" + "－" * 12], f"row 1 {rows[0]}")
        check(rows[1][0] == "2" and rows[1][3:] == ["○○○×○○" + "－" * 9, "5", "1", "83.3%",
                                                     "2秒"], f"row 2 {rows[1]}")
        p.shot("restart")
        step("restart shows the saved rows")

        # Clear by keyboard: Escape keeps the history, Return empties it.
        p.key("Tab", "Tab", "Tab")  # スタート, 回答, 保存, クリア
        p.expect_focus(lambda: p.button("クリア"), "クリア")
        p.key("space")
        box = wait_for("the confirmation", lambda: p.dialog("クリア確認"), seconds=5)
        buttons = sorted(n.name for n in p.descendants(box) if n.getRoleName() == "push button")
        check(buttons == sorted(["OK", "キャンセル"]), f"confirmation buttons {buttons}")
        p.shot("clear-confirmation", whole_screen=True)
        p.key("Escape")
        wait_for("the confirmation to close", lambda: p.dialog("クリア確認") is None, seconds=5)
        check(read(work, "履歴.txt") == history, "Escape changed the history")
        check(p.dialog("クリア終了") is None, "a report after Escape")
        p.focus_window()
        p.expect_focus(lambda: p.button("クリア"), "クリア after Escape")
        p.key("space")
        wait_for("the confirmation again", lambda: p.dialog("クリア確認"), seconds=5)
        p.key("Return")
        wait_for("the report", lambda: p.dialog("クリア終了"), seconds=5)
        check(read(work, "履歴.txt") == b"", "Return did not empty the history")
        p.key("Return")
        wait_for("the report to close", lambda: p.dialog("クリア終了") is None, seconds=5)
        check(cells.nRows == 0 or table.queryTable().nRows == 0, "rows left in the table")
        check(p.alive(), "the program ended")
        step("Clear by keyboard")
        return "settings by arrow keys, re-entry after a click, restart, Clear by keyboard"
    finally:
        p.end()


def scenario_save_and_help_by_keyboard(work):
    """Auto-save off: a drill scored, an answer box emptied by a click, and the result saved
    with 保存 as it was scored; then help opened with ヘルプ and both windows closed with 終了,
    all but the click by keyboard."""
    seed(work, b"3,0,0\r\n", SEEDED[0])
    shutil.copyfile(HELP_FILE, os.path.join(work, "zqHelp.chm"))
    p = Program(work, "save-help")
    try:
        digits = start_drill_by_keyboard(p, 3)
        wait_for_answer_entry(p)
        p.type("".join(digits))
        p.expect_focus(lambda: p.button("回答"), "回答 after box 3")
        p.key("space")
        p.expect_focus(lambda: p.button("スタート"), "スタート after scoring")
        check(read(work, "履歴.txt") == SEEDED[0], "saved without auto-save")
        # A click on box 2 after scoring empties it; 保存 still records the result as scored.
        p.click(box_left(2) + 19, BOX_TOP + 32)
        wait_for("box 2 emptied", lambda: p.answer(2) == "", seconds=3)
        for _ in range(25):
            if p.focused_is(p.button("保存")):
                break
            p.key("Tab")
        p.expect_focus(lambda: p.button("保存"), "保存")
        p.key("space")
        wait_for("the saved line", lambda: read(work, "履歴.txt").count(b"\r\n") == 2, seconds=3)
        line = read(work, "履歴.txt")[len(SEEDED[0]):].decode("cp932")
        check('"○○○' + "－" * 12 + '",3,0,"100.0%","0秒"' in line, f"line {line!r}")
        step("Save by keyboard")

        p.key("Tab", "Tab")
        p.expect_focus(lambda: p.button("ヘルプ"), "ヘルプ")
        p.key("space")
        wait_for("the help window", lambda: p.dialog("ケタモリ！ ヘルプ"), seconds=5)
        p.focus_window()
        p.expect_focus(lambda: p.button("ヘルプ"), "ヘルプ, back in the main window")
        p.key("Tab")
        p.expect_focus(lambda: p.button("終了"), "終了")
        p.key("space")
        wait_for("the end", lambda: not p.alive(), seconds=3)
        check(p.process.returncode == 0, f"exit status {p.process.returncode}")
        step("Help and 終了 by keyboard")
        return "Save, Help and 終了 by keyboard"
    finally:
        p.end()


def scenario_exit_during_display(work):
    """終了 while the digits are on show: the process ends at once, the files as they were."""
    seed(work, b"3,30,1\r\n", SEEDED[1])
    p = Program(work, "exit")
    try:
        start_drill_by_keyboard(p, 3)
        p.click(8475 // 15 + 28, 150 // 15 + 30)
        started = time.monotonic()
        wait_for("the end", lambda: not p.alive(), seconds=2, step=0.01)
        took = time.monotonic() - started
        check(p.process.returncode == 0, f"exit status {p.process.returncode}")
        check(read(work, "設定.txt") == b"3,30,1\r\n", "the settings changed")
        check(read(work, "履歴.txt") == SEEDED[1], "the history changed")
        return f"exit during the display: ended {took:.2f} s after the click"
    finally:
        p.end()


def run_scenarios(scenarios, prefix):
    """Runs each scenario in a fresh temporary folder, printing PASS or FAIL (with the
    program's logs) for each and the count at the end; returns the exit status."""
    os.makedirs(ARTIFACTS, exist_ok=True)
    # Starts the accessibility bus before the program looks for it.
    pyatspi.Registry.getDesktop(0)
    failed = 0
    began = time.monotonic()
    for scenario in scenarios:
        work = tempfile.mkdtemp(prefix=prefix)
        t0 = time.monotonic()
        _step_began[0] = t0
        try:
            said = scenario(work)
            print(f"PASS {scenario.__name__} ({time.monotonic() - t0:.1f} s): {said}")
        except Exception as failure:  # a failed check, or the tree or a tool giving out
            failed += 1
            print(f"FAIL {scenario.__name__}: {failure!r}", file=sys.stderr)
            for log in os.listdir(work):
                if log.endswith(".log"):
                    print(f"--- {log}\n" + open(os.path.join(work, log), errors="replace").read(),
                          file=sys.stderr)
        finally:
            shutil.rmtree(work, ignore_errors=True)
    print(f"{len(scenarios) - failed} passed, {failed} failed in {time.monotonic() - began:.1f} s")
    return 1 if failed else 0


def main():
    return run_scenarios((scenario_drill_by_keyboard, scenario_settings_reentry_restart_clear,
                          scenario_save_and_help_by_keyboard, scenario_exit_during_display),
                         "ketamori-play-")


if __name__ == "__main__":
    sys.exit(main())
