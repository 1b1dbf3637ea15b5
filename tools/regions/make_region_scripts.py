#!/usr/bin/env python3
"""Builds data/regions/province.sql and data/regions/city.sql (GBK, CR LF)
from the hand-written UTF-8 list regions.txt next to this script.

The picker parses these scripts by plain text operations, so the layout
matters: one insert statement a line, every province block opened by a
"--" comment line, the city script starting with an empty line and ending
with a lone "--".

Usage: make_region_scripts.py [output-folder]   (default: data/regions)
"""
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
DEFAULT_OUT = HERE.parent.parent / "data" / "regions"

# The number of rows each province's city list must have; the picker's users
# are used to these lists, so a change here is a deliberate decision.
EXPECTED_CITY_COUNTS = {
    "江苏省": 13, "浙江省": 11, "广东省": 21, "河北省": 11, "山西省": 11,
    "辽宁省": 14, "吉林省": 9, "黑龙江省": 13, "安徽省": 17, "福建省": 9,
    "江西省": 11, "山东省": 17, "河南省": 18, "湖北省": 17, "湖南省": 14,
    "甘肃省": 14, "四川省": 21, "贵州省": 9, "海南省": 18, "云南省": 16,
    "青海省": 8, "陕西省": 10, "台湾省": 23, "广西壮族自治区": 14,
    "西藏自治区": 7, "宁夏回族自治区": 5, "新疆维吾尔自治区": 22,
    "内蒙古自治区": 12, "澳门特别行政区": 1, "香港特别行政区": 1,
}
MUNICIPALITIES = ["北京市", "天津市", "上海市", "重庆市"]
FIRST_CITY_NUMBER = 5


def parse(path):
    provinces = []  # (number, name)
    blocks = []     # (number, name, description, [cities])
    for raw in path.read_text(encoding="utf-8").splitlines():
        line = raw.strip()
        if not line or line.startswith("#"):
            continue
        if line.startswith("P "):
            _, number, name = line.split(maxsplit=2)
            provinces.append((int(number), name))
        elif line.startswith("B "):
            parts = line.split(maxsplit=3)
            description = parts[3] if len(parts) > 3 else ""
            blocks.append((int(parts[1]), parts[2], description, []))
        else:
            if not blocks:
                sys.exit(f"city before any block: {line}")
            blocks[-1][3].append(line)
    return provinces, blocks


def check(provinces, blocks):
    names = [n for _, n in provinces]
    if len(provinces) != 34 or len(set(names)) != 34:
        sys.exit("the province list must hold 34 distinct names")
    number_of = dict((n, num) for num, n in provinces)
    block_names = [b[1] for b in blocks]
    if sorted(block_names) != sorted(n for n in names if n not in MUNICIPALITIES):
        sys.exit("every province except the municipalities needs exactly one block")
    for number, name, description, cities in blocks:
        if number_of[name] != number:
            sys.exit(f"block number {number} does not match province {name}")
        if len(cities) != EXPECTED_CITY_COUNTS[name]:
            sys.exit(f"{name}: {len(cities)} cities, expected {EXPECTED_CITY_COUNTS[name]}")
        for text in [description] + cities:
            # The picker cuts blocks at "--", keeps lines holding "insert"
            # and takes names between quotes.
            if "--" in text or "insert" in text or "'" in text:
                sys.exit(f"text would confuse the picker: {text}")
    # The picker finds a province's block by the first occurrence of its
    # name, so no name may show up anywhere before its own block header.
    seen = ""
    for number, name, description, cities in blocks:
        if name in seen:
            sys.exit(f"{name} occurs before its own block")
        seen += f"--{number}{name}{description}" + "".join(cities)
    for m in MUNICIPALITIES:
        if m in seen:
            sys.exit(f"municipality {m} must not occur in the city script")


def build(provinces, blocks):
    province_lines = [f"insert into r_province values({num},'{name}');" for num, name in provinces]
    province_text = "".join(line + "\r\n" for line in province_lines)
    city_lines = [""]
    city_number = FIRST_CITY_NUMBER
    for number, name, description, cities in blocks:
        header = f"--{number}{name}"
        if description:
            header += description + ";"
        city_lines.append(header)
        for city in cities:
            city_lines.append(f"insert into r_city values({city_number},'{city}',{number});")
            city_number += 1
    city_lines.append("--")
    city_text = "\r\n".join(city_lines)
    return province_text.encode("gbk"), city_text.encode("gbk")


def main():
    out = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT_OUT
    provinces, blocks = parse(HERE / "regions.txt")
    check(provinces, blocks)
    province_bytes, city_bytes = build(provinces, blocks)
    out.mkdir(parents=True, exist_ok=True)
    (out / "province.sql").write_bytes(province_bytes)
    (out / "city.sql").write_bytes(city_bytes)
    total = sum(len(b[3]) for b in blocks)
    print(f"province.sql {len(province_bytes)} bytes, city.sql {len(city_bytes)} bytes, {total} cities")


if __name__ == "__main__":
    main()
