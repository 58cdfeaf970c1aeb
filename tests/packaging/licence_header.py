#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Where scripts/add-licence-header.py puts the two lines, and that a second run changes
nothing."""
import pathlib
import runpy
import sys
import types
import unittest

script = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "add-licence-header.py"
lh = types.SimpleNamespace(**runpy.run_path(str(script)))

COPY = "SPDX-FileCopyrightText: 2026 The ケタモリ！ developers"
GPL = "SPDX-License-Identifier: GPL-3.0-or-later"


class LicenceHeader(unittest.TestCase):
    def added(self, path, text):
        style, licence = lh.rule(path)
        once = lh.with_header(text, style, licence)
        self.assertTrue(lh.has_header(once, licence))
        return once

    def test_places(self):
        cases = [
            ("app/main.cpp", "#include <x>\n", f"// {COPY}\n// {GPL}\n#include <x>\n"),
            ("scripts/a.sh", "#!/bin/sh\necho\n", f"#!/bin/sh\n# {COPY}\n# {GPL}\necho\n"),
            ("help/pages/a.html", "<!DOCTYPE HTML>\n<html>\n",
             f"<!DOCTYPE HTML>\n<!-- {COPY} -->\n<!-- {GPL} -->\n<html>\n"),
            ("resources/pictures/a.xpm", "/* XPM */\nstatic\n",
             f"/* XPM */\n/* {COPY} */\n/* {GPL} */\nstatic\n"),
            ("packaging/a.metainfo.xml", '<?xml version="1.0"?>\n<component/>\n',
             f'<?xml version="1.0"?>\n<!-- {COPY} -->\n'
             "<!-- SPDX-License-Identifier: CC0-1.0 -->\n<component/>\n"),
            ("help/pages/a.hhp", "[OPTIONS]\r\nA=1\r\n", f"; {COPY}\r\n; {GPL}\r\n[OPTIONS]\r\nA=1\r\n"),
            ("scripts/b.sh", "#!/bin/sh", f"#!/bin/sh\n# {COPY}\n# {GPL}\n"),
        ]
        for path, text, expected in cases:
            with self.subTest(path=path):
                self.assertEqual(self.added(path, text), expected)

    def test_second_run_finds_the_lines(self):
        once = self.added("app/a.h", "#pragma once\n")
        self.assertTrue(lh.has_header(once, lh.PROGRAM_LICENCE))
        self.assertFalse(lh.has_header("#pragma once\n", lh.PROGRAM_LICENCE))
        # The metadata's lines name its own licence, not the program's.
        self.assertFalse(lh.has_header(once, "CC0-1.0"))

    def test_kinds(self):
        self.assertIsNone(lh.rule("docs/notes.txt"))
        self.assertTrue(lh.exempt("fuzz/corpus/settings/default"))
        self.assertTrue(lh.exempt("tests/chm/sjis.html"))
        self.assertFalse(lh.exempt("tests/tst_drill.cpp"))


if __name__ == "__main__":
    sys.exit(unittest.main())
