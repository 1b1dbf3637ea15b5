#!/usr/bin/env python3
"""Turns the readable lists beside this script into data/generation/.

  two_char_pool.txt, long_name_pool.txt  characters (UTF-8, "#" comments,
                                         blanks and line breaks ignored)
  smart_words.txt                        two-character words, blank-separated
  settings.ini                           the run settings

Each is written as GBK with the entries back to back. The script refuses a
repeated entry or a character outside GB2312, a word of taboo_words.txt (the
words no name may hold, read by the data test) listed twice or shorter than
two hanzi, a character of the pools or the words without a "reference" element
line in tools/chardata_facts.txt, and cross-checks every word's
traditional form: the program converts a name character by character
(data/chars/traditional.txt), so a word whose phrase conversion by OpenCC
(s2t, with STPhrases) reads otherwise would be shown and counted wrongly.

    tools/generation/make_generation_data.py          write the files
    tools/generation/make_generation_data.py --check  exit 1 when stale

Standard library only; the cross-check needs the opencc command and is
skipped, with a note, without it.
"""

import argparse
import os
import shutil
import subprocess
import sys

# The helpers the generators share live one folder up.
sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import checked_in  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
OUT = os.path.join(ROOT, "data", "generation")
TRADITIONAL = os.path.join(ROOT, "data", "chars", "traditional.txt")
FACTS = os.path.join(ROOT, "tools", "chardata_facts.txt")


class Fail(Exception):
    pass


def entries(name, width):
    text = []
    with open(os.path.join(HERE, name), encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                text.append("".join(line.split()))
    text = "".join(text)
    units = [text[i:i + width] for i in range(0, len(text), width)]
    if len(text) % width:
        raise Fail("%s: %d characters, not a whole number of %d-character entries"
                   % (name, len(text), width))
    seen, repeated = set(), []
    for u in units:
        if u in seen:
            repeated.append(u)
        seen.add(u)
        for ch in u:
            b = ch.encode("gbk", errors="replace")
            if len(b) != 2 or not (0xB0 <= b[0] <= 0xF7 and 0xA1 <= b[1] <= 0xFE):
                raise Fail("%s: %s is no GB2312 hanzi" % (name, ch))
    if repeated:
        raise Fail("%s: repeated entries: %s" % (name, " ".join(repeated)))
    return units


def check_avoided_words():
    seen, wrong = set(), []
    with open(os.path.join(HERE, "taboo_words.txt"), encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or line.startswith("["):
                continue
            for w in line.split():
                if w in seen or len(w) < 2 or not all("\u4e00" <= ch <= "\u9fff" for ch in w):
                    wrong.append(w)
                seen.add(w)
    if wrong:
        raise Fail("taboo_words.txt: repeated or malformed entries: " + " ".join(wrong))


def by_character(word, table):
    return "".join(table.get(ch, ch) for ch in word)


def cross_check(words):
    tool = shutil.which("opencc")
    if not tool:
        print("make_generation_data: opencc not found, traditional forms not cross-checked",
              file=sys.stderr)
        return
    table = {}
    with open(TRADITIONAL, "rb") as f:
        for row in f.read().split(b"\n"):
            if len(row) == 4:
                table[row[:2].decode("gbk")] = row[2:].decode("gbk")
    out = subprocess.run([tool, "-c", "s2t.json"], input="\n".join(words) + "\n",
                         capture_output=True, text=True, check=True).stdout.split("\n")
    differ = ["%s %s/%s" % (w, by_character(w, table), p)
              for w, p in zip(words, out) if by_character(w, table) != p]
    if differ:
        raise Fail("smart_words.txt: the character-by-character traditional form differs "
                   "from the phrase conversion: " + ", ".join(differ))


def check_reference_elements(units):
    """Every character a name can be made of needs the element naming
    references give it, not one only guessed by the radical or sound rules."""
    listed = set()
    with open(FACTS, encoding="utf-8") as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 3 and parts[0] == "reference":
                listed.add(parts[1])
    missing = sorted({ch for u in units for ch in u} - listed)
    if missing:
        raise Fail("no reference element in tools/chardata_facts.txt for: " + " ".join(missing))


def build():
    words = entries("smart_words.txt", 2)
    cross_check(words)
    check_avoided_words()
    two_char_pool = entries("two_char_pool.txt", 1)
    long_name_pool = entries("long_name_pool.txt", 1)
    check_reference_elements(words + two_char_pool + long_name_pool)
    with open(os.path.join(HERE, "settings.ini"), encoding="utf-8") as f:
        settings = f.read().rstrip("\n")
    return {
        "two_char_pool.txt": "".join(two_char_pool).encode("gbk"),
        "long_name_pool.txt": "".join(long_name_pool).encode("gbk"),
        "smart_words.txt": "".join(words).encode("gbk"),
        "settings.ini": settings.encode("gbk"),
    }


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    checked_in.add_check_option(parser, "files")
    args = parser.parse_args()
    try:
        files = build()
    except (Fail, OSError, subprocess.CalledProcessError) as e:
        print("make_generation_data: %s" % e, file=sys.stderr)
        return 2
    return checked_in.write_or_check("make_generation_data", files, OUT, args.check, "files")


if __name__ == "__main__":
    sys.exit(main())
