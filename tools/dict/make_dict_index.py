#!/usr/bin/env python3
"""Writes data/dict/index.txt, the page index of the online dictionary.

One line per GBK hanzi: the character (two GBK bytes), "|", the number of
its page on the site, CR LF. The site numbers its character pages downward
in code-point order, wrapping round at the end, so that the two rows the
program has always carried stay as they were: 丫|1615 and 丬|1614. The file
lists the rows in that order, highest page first.

Run from the repository root:  python3 tools/dict/make_dict_index.py
"""
import os
import sys
import unicodedata

LOWEST_PAGE = 1604
HIGHEST_PAGE = 25725
FIXED = {"丫": 1615, "丬": 1614}


def gbk_hanzi():
    """Every character of the three GBK hanzi regions that decodes."""
    def positions():
        for lead in range(0xB0, 0xF8):          # GBK/2 (GB2312 hanzi)
            for trail in range(0xA1, 0xFF):
                yield lead, trail
        for lead in range(0x81, 0xA1):          # GBK/3
            for trail in range(0x40, 0xFF):
                if trail != 0x7F:
                    yield lead, trail
        for lead in range(0xAA, 0xFF):          # GBK/4
            for trail in range(0x40, 0xA1):
                if trail != 0x7F:
                    yield lead, trail

    seen = set()
    for lead, trail in positions():
        try:
            ch = bytes([lead, trail]).decode("gbk")
        except UnicodeDecodeError:
            continue
        if unicodedata.category(ch) == "Lo" and ch not in seen:
            seen.add(ch)
            yield ch


def build():
    chars = sorted(gbk_hanzi(), key=ord)
    # Rotate so that 丬 has exactly as many rows after it as its page is
    # above the lowest page; the count then runs down one page per row.
    anchor = chars.index("丬")
    after = FIXED["丬"] - LOWEST_PAGE
    start = (anchor + after + 1) % len(chars)
    ordered = chars[start:] + chars[:start]
    top = LOWEST_PAGE + len(ordered) - 1
    if top > HIGHEST_PAGE:
        sys.exit("too many characters for the page range")
    rows = [(ch, top - i) for i, ch in enumerate(ordered)]
    for ch, page in FIXED.items():
        if (ch, page) not in rows:
            sys.exit(f"row {ch}|{page} would be lost")
    return b"".join(ch.encode("gbk") + b"|" + str(page).encode("ascii") + b"\r\n" for ch, page in rows)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, "data", "dict", "index.txt")
    os.makedirs(os.path.dirname(out), exist_ok=True)
    data = build()
    with open(out, "wb") as f:
        f.write(data)
    rows = data.count(b"\r\n")
    print(f"{out}: {rows} rows, {len(data)} bytes")


if __name__ == "__main__":
    main()
