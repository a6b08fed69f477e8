#!/usr/bin/env python3
"""Packs the release zip: slotwell.exe and readme.txt, in that order, with one
fixed time and fixed attributes, so the same inputs give the same bytes.

readme.txt is made from README.md's player sections, Japanese first, in the
code page and line ends that Notepad on a Japanese Windows expects.

Usage: dist.py README.md CAPTION VERSION EPOCH EXE ZIP"""
import re
import sys
import time
import unicodedata
import zipfile

# Headings of README.md that make readme.txt, in this order.
SECTIONS = ["使い方（日本語）", "Using Slotwell (English)"]


def width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def section(markdown, title):
    """The lines under "## title", up to the next heading of that level."""
    lines = markdown.splitlines()
    try:
        start = lines.index("## " + title) + 1
    except ValueError:
        sys.exit(f"dist.py: README.md has no section '## {title}'")
    end = next((i for i in range(start, len(lines)) if lines[i].startswith("## ")), len(lines))
    return lines[start:end]


def plain(line):
    # Code spans read as their text; a player's editor shows no Markdown.
    return re.sub(r"`([^`]*)`", r"\1", line)


def readme_text(markdown, caption, version):
    title = f"{caption} {version}"
    out = [title, "=" * width(title)]
    for name in SECTIONS:
        body = [plain(l).rstrip() for l in section(markdown, name)]
        while body and not body[0]:
            body.pop(0)
        while body and not body[-1]:
            body.pop()
        out += ["", "", name, "-" * width(name), ""] + body
    # Strict: a character that Shift-JIS lacks stops the build, not the reader.
    return ("\r\n".join(out) + "\r\n").encode("cp932")


def write_zip(path, entries, epoch):
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # zip times start in 1980
    with zipfile.ZipFile(path, "w") as z:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 0        # MS-DOS: attributes as Windows reads them
            info.external_attr = 0x20     # FILE_ATTRIBUTE_ARCHIVE, as Windows' own zipper sets
            info.compress_type = zipfile.ZIP_DEFLATED
            z.writestr(info, data, compresslevel=9)


def main():
    readme_md, caption, version, epoch, exe, out = sys.argv[1:]
    with open(readme_md, encoding="utf-8") as f:
        readme = readme_text(f.read(), caption, version)
    with open(exe, "rb") as f:
        program = f.read()
    write_zip(out, [("slotwell.exe", program), ("readme.txt", readme)], int(epoch))


if __name__ == "__main__":
    main()
