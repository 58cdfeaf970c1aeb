#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts the two licence lines at the top of every file of the repository that can hold them:

    SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
    SPDX-License-Identifier: GPL-3.0-or-later

in the comment syntax of the file (CC0-1.0 for the AppStream metadata, whose licence is its
own). A first line that must stay first (#!, <!DOCTYPE, <?xml, /* XPM */) stays first. Files
that have the lines are left alone, so it can be run again whenever new files arrive.

Usage: scripts/add-licence-header.py [--check]
  --check  changes nothing; lists the files that lack the lines, or that no rule below covers,
           and exits 1 if there is any (the CTest test licence_headers runs this).
"""
import fnmatch
import os
import subprocess
import sys

COPYRIGHT = "SPDX-FileCopyrightText: 2026 The ケタモリ！ developers"
LICENCE = "SPDX-License-Identifier: {}"
PROGRAM_LICENCE = "GPL-3.0-or-later"

# Files whose bytes are what matters, or that have no comment syntax, keep no header. The
# licence of each of them is stated in packaging/debian/copyright.
EXEMPT = [
    ("LICENSE", "the licence text itself"),
    ("packaging/debian/copyright", "states every file's licence; its format has no comments"),
    ("packaging/debian/changelog", "its format has no comments"),
    ("fuzz/corpus/*", "fuzz inputs: their bytes are the test"),
    ("tests/chm/*", "the help reader's test files: the tests compare their bytes"),
]

# (pattern, comment style, licence); the first pattern that matches a path decides.
RULES = [
    ("packaging/*.metainfo.xml", "xml", "CC0-1.0"),
    ("*.cpp", "slashes", None),
    ("*.h", "slashes", None),
    ("*.xpm", "block", None),
    ("*.css", "block", None),
    ("*.html", "xml", None),
    ("*.hhc", "xml", None),
    ("*.xml", "xml", None),
    ("*.md", "xml", None),
    ("*.hhp", "semicolon", None),
    ("*.[1-9]", "roff", None),
    ("CMakeLists.txt", "hash", None),
    ("*.cmake", "hash", None),
    ("*.sh", "hash", None),
    ("*.sh.in", "hash", None),
    ("*.py", "hash", None),
    ("*.desktop", "hash", None),
    ("*.supp", "hash", None),
    ("packaging/debian/lintian-overrides", "hash", None),
    ("scripts/packages/*.txt", "hash", None),
    (".ci/run", "hash", None),
    (".clang-format", "hash", None),
    (".gitattributes", "hash", None),
    (".gitignore", "hash", None),
]

STYLES = {
    "slashes": "// {}",
    "hash": "# {}",
    "semicolon": "; {}",
    "roff": '.\\" {}',
    "block": "/* {} */",
    "xml": "<!-- {} -->",
}

# First lines that must stay where they are.
KEEP_FIRST = ("#!", "<!DOCTYPE", "<!doctype", "<?xml", "/* XPM */")


def repository_root():
    return os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def tracked_files(root):
    """The repository's files: those git tracks, or, outside a git checkout, every file but
    the build folders'."""
    try:
        out = subprocess.run(["git", "-C", root, "ls-files", "-z"], check=True,
                             capture_output=True).stdout
        return [p for p in out.decode().split("\0") if p]
    except (OSError, subprocess.CalledProcessError):
        files = []
        for folder, dirs, names in os.walk(root):
            dirs[:] = [d for d in dirs if d != ".git" and not d.startswith("build")]
            files += [os.path.relpath(os.path.join(folder, n), root) for n in names]
        return files


def exempt(path):
    return any(fnmatch.fnmatch(path, pattern) for pattern, _ in EXEMPT)


def rule(path):
    name = os.path.basename(path)
    for pattern, style, licence in RULES:
        if fnmatch.fnmatch(path if "/" in pattern else name, pattern):
            return style, licence or PROGRAM_LICENCE
    return None


def header_lines(style, licence):
    return [STYLES[style].format(COPYRIGHT), STYLES[style].format(LICENCE.format(licence))]


def has_header(text, licence):
    head = "\n".join(text.splitlines()[:6])
    return COPYRIGHT in head and LICENCE.format(licence) in head


def with_header(text, style, licence):
    newline = "\r\n" if "\r\n" in text.split("\n", 1)[0] + "\n" else "\n"
    lines = text.splitlines(keepends=True)
    keep = 1 if lines and lines[0].startswith(KEEP_FIRST) else 0
    if keep and not lines[0].endswith(("\n", "\r")):
        lines[0] += newline
    header = [line + newline for line in header_lines(style, licence)]
    return "".join(lines[:keep] + header + lines[keep:])


def main(argv):
    check = argv[1:] == ["--check"]
    if argv[1:] and not check:
        print(__doc__, file=sys.stderr)
        return 2
    root = repository_root()
    missing, unknown, added = [], [], []
    for path in sorted(tracked_files(root)):
        full = os.path.join(root, path)
        if exempt(path) or not os.path.isfile(full):
            continue
        with open(full, "rb") as f:
            data = f.read()
        if b"\0" in data[:8192]:
            continue  # pictures, compiled help files: no place for text
        found = rule(path)
        if found is None:
            unknown.append(path)
            continue
        style, licence = found
        text = data.decode("utf-8")
        if has_header(text, licence):
            continue
        if check:
            missing.append(path)
            continue
        with open(full, "wb") as f:
            f.write(with_header(text, style, licence).encode("utf-8"))
        added.append(path)
    for path in added:
        print("added:", path)
    for path in missing:
        print("no licence lines:", path)
    for path in unknown:
        print("no rule for this kind of file (add one to scripts/add-licence-header.py):", path)
    return 1 if missing or unknown else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
