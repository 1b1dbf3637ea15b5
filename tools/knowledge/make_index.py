#!/usr/bin/env python3
"""Writes data/knowledge/index.txt (GBK, every line ended by CR LF) from
articles.txt beside this script (UTF-8, one "title|file" a line)."""
import pathlib
import re

here = pathlib.Path(__file__).resolve().parent
lines = [l for l in (here / "articles.txt").read_text(encoding="utf-8").splitlines() if l]
for line in lines:
    title, file = line.split("|")
    assert title and re.fullmatch(r"[A-Za-z0-9_-]+\.htm", file), line
out = here.parent.parent / "data" / "knowledge" / "index.txt"
out.write_bytes("".join(l + "\r\n" for l in lines).encode("gbk"))
