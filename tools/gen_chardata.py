#!/usr/bin/env python3
"""Builds the character tables under data/chars/ from public data.

Sources (Debian packages):
  unicode-data  Unihan database and CJKRadicals.txt (Unicode licence)
  opencc        STCharacters dictionary (Apache-2.0)
plus the hand-kept facts in tools/chardata_facts.txt, written first so that
the lookups' first-occurrence rules let them win.

    tools/gen_chardata.py            write the tables
    tools/gen_chardata.py --check    compare with the checked-in tables
    tools/gen_chardata.py --report   also print how the derivation went

Standard library only; the output is byte-for-byte reproducible.
"""

import argparse
import bz2
import collections
import glob
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unicodedata
import zipfile

import checked_in

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FACTS = os.path.join(ROOT, "tools", "chardata_facts.txt")
OUT_DIR = os.path.join(ROOT, "data", "chars")

ELEMENTS = "金木水火土"
NAME_TEXT_ENTRIES = 1812
LAST_BLOCK = 30
GROUP_WIDTH = 24       # characters per derived group
GROUPS_PER_LINE = 3    # derived groups per line, joined by an ideographic space
CRLF = b"\r\n"

UNIHAN_FIELDS = {
    "kGB0", "kTotalStrokes", "kRSKangXi", "kRSUnicode", "kMandarin",
    "kHanyuPinyin", "kXHC1983", "kHanyuPinlu", "kFrequency",
    "kKorean", "kJapaneseOn", "kCantonese", "kTang",
}

# Kangxi radicals that decide the element before the reading does, as the
# naming references have them (禾 and 石 follow the reading there).
RADICAL_ELEMENTS = {
    85: "水", 15: "水", 173: "水",    # 水 冫 雨
    75: "木", 140: "木", 118: "木",   # 木 艸 竹
    167: "金",                        # 金
    86: "火", 72: "火",               # 火 日
    32: "土", 46: "土",               # 土 山
}

# The radicals and sound rule of the first tables, kept for --report's
# comparison.
FIRST_RADICAL_ELEMENTS = {
    85: "水", 15: "水", 173: "水", 75: "木", 140: "木", 115: "木", 167: "金",
    86: "火", 72: "火", 32: "土", 46: "土", 112: "土",
}

# The 214 Kangxi radicals by their own stroke count, in radical order. A
# radical counts in full as a component of a character (氵 as 水, 王 as 玉),
# and so does a character that is the radical itself (鼎 13, 骨 10): naming
# books count by the Kangxi dictionary, whose count for 廴 瓦 禸 骨 鬼 鼎 is
# one more than the modern one.
KANGXI_RADICALS = (
    (1, "一丨丶丿乙亅"),
    (2, "二亠人儿入八冂冖冫几凵刀力勹匕匚匸十卜卩厂厶又"),
    (3, "口囗土士夂夊夕大女子宀寸小尢尸屮山巛工己巾干幺广廴廾弋弓彐彡彳"),
    (4, "心戈戶手支攴文斗斤方无日曰月木欠止歹殳毋比毛氏气水火爪父爻爿片牙牛犬"),
    (5, "玄玉瓜瓦甘生用田疋疒癶白皮皿目矛矢石示禸禾穴立"),
    (6, "竹米糸缶网羊羽老而耒耳聿肉臣自至臼舌舛舟艮色艸虍虫血行衣襾"),
    (7, "見角言谷豆豕豸貝赤走足身車辛辰辵邑酉釆里"),
    (8, "金長門阜隶隹雨靑非"),
    (9, "面革韋韭音頁風飛食首香"),
    (10, "馬骨高髟鬥鬯鬲鬼"),
    (11, "魚鳥鹵鹿麥麻"),
    (12, "黃黍黑黹"),
    (13, "黽鼎鼓鼠"),
    (14, "鼻齊"),
    (15, "齒"),
    (16, "龍龜"),
    (17, "龠"),
)

# Naming books count the numerals by their value.
NUMERALS = {"一": 1, "二": 2, "三": 3, "四": 4, "五": 5,
            "六": 6, "七": 7, "八": 8, "九": 9, "十": 10}

# Second bytes that a byte-level reading of the texts would take for a
# separator; characters ending in them stay out of the separated texts.
SEPARATOR_TRAILS = b"{|}"


REFERENCE_REASONS = ("meaning", "radical", "reading")


class Fail(Exception):
    pass


def gbk(text):
    return text.encode("gbk")


def encodable(text):
    try:
        gbk(text)
        return True
    except UnicodeEncodeError:
        return False


def gbk_hanzi():
    """Every hanzi GBK assigns, in code order: GB2312 (B0A1..F7FE), then
    GBK/3 (8140..A0FE) and GBK/4 (AA40..FEA0)."""
    areas = ((range(0xB0, 0xF8), range(0xA1, 0xFF)), (range(0x81, 0xA1), range(0x40, 0xFF)),
             (range(0xAA, 0xFF), range(0x40, 0xA1)))
    out = []
    for leads, trails in areas:
        for lead in leads:
            for trail in trails:
                if trail == 0x7F:
                    continue
                try:
                    out.append(bytes([lead, trail]).decode("gbk"))
                except UnicodeDecodeError:
                    pass  # the five unassigned GB2312 codes, FE50..FEA0
    return out


# ---------------------------------------------------------------- sources

def load_unihan(unicode_dir):
    fields = collections.defaultdict(dict)

    def take(lines):
        for line in lines:
            if not line.startswith("U+"):
                continue
            cp, key, value = line.rstrip("\n").split("\t", 2)
            if key in UNIHAN_FIELDS:
                fields[key][chr(int(cp[2:], 16))] = value

    parts = sorted(glob.glob(os.path.join(unicode_dir, "Unihan_*.txt.bz2")))
    if parts:
        for part in parts:
            with bz2.open(part, "rt", encoding="utf-8") as f:
                take(f)
    else:
        archive = os.path.join(unicode_dir, "Unihan.zip")
        if not os.path.exists(archive):
            raise Fail("no Unihan data in %s (apt-get install unicode-data)" % unicode_dir)
        with zipfile.ZipFile(archive) as z:
            for name in sorted(z.namelist()):
                if name.endswith(".txt"):
                    take(z.read(name).decode("utf-8").splitlines(True))
    return fields


def load_radicals(unicode_dir):
    """Kangxi stroke count and character of each of the 214 radicals; the
    table above is checked against CJKRadicals.txt."""
    listed = {}
    with open(os.path.join(unicode_dir, "CJKRadicals.txt"), encoding="utf-8") as f:
        for line in f:
            line = line.split("#")[0].strip()
            if not line:
                continue
            number, _, unified = [x.strip() for x in line.split(";")]
            if "'" in number:
                continue  # the simplified forms; the full form is wanted
            listed[int(number)] = chr(int(unified, 16))
    strokes, characters = {}, {}
    for count, radicals in KANGXI_RADICALS:
        for ch in radicals:
            number = len(strokes) + 1
            if listed.get(number) != ch:
                raise Fail("radical %d is %s in CJKRadicals.txt, %s here" % (number, listed.get(number), ch))
            strokes[number], characters[number] = count, ch
    if len(strokes) != 214 or len(listed) != 214:
        raise Fail("the radical table lists %d radicals, CJKRadicals.txt %d" % (len(strokes), len(listed)))
    return strokes, characters


def load_opencc(opencc_dir):
    """Simplified character -> its traditional candidates, the usual first."""
    source = os.path.join(opencc_dir, "STCharacters.ocd2")
    plain = os.path.join(opencc_dir, "STCharacters.txt")
    with tempfile.TemporaryDirectory() as tmp:
        if os.path.exists(source):
            dumped = os.path.join(tmp, "st.txt")
            tool = shutil.which("opencc_dict")
            if not tool:
                raise Fail("opencc_dict not found (apt-get install opencc)")
            subprocess.run([tool, "-i", source, "-o", dumped, "-f", "ocd2", "-t", "text"],
                           check=True, stdout=subprocess.DEVNULL)
        elif os.path.exists(plain):
            dumped = plain
        else:
            raise Fail("no STCharacters in %s (apt-get install opencc)" % opencc_dir)
        mapping = {}
        with open(dumped, encoding="utf-8") as f:
            for line in f:
                key, _, values = line.rstrip("\n").partition("\t")
                if key and values:
                    mapping[key] = values.split()
    return mapping


def load_facts(path):
    facts = {
        "kangxi": {}, "element": {}, "name_first": [], "name": [], "name_last": None,
        "pair_first": [], "pair": [], "list": {}, "list_text_only": set(),
        "list_tail": [], "groups": collections.defaultdict(list), "closed": set(),
        "groups_only": set(), "absent": set(), "luck": {}, "traditional": {},
        "meaning": {}, "reference": {},
    }
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.split("#")[0].rstrip()
            if not line.strip():
                continue
            counts = re.findall(r'"([^"]*)"', line)
            words = re.sub(r'"[^"]*"', "", line).split()
            kind, args = words[0], words[1:]
            where = "%s:%d" % (os.path.basename(path), number)
            if kind == "kangxi":
                facts["kangxi"][args[0]] = int(args[1])
            elif kind == "element":
                facts["element"][args[0]] = args[1]
            elif kind in ("name-first", "name", "name-last"):
                entry = (args[0], int(args[1]))
                if kind == "name-last":
                    facts["name_last"] = entry
                else:
                    facts[kind.replace("-", "_")].append(entry)
            elif kind in ("pair-first", "pair"):
                facts[kind.replace("-", "_")].append((args[0], args[1], int(args[2])))
            elif kind == "list":
                facts["list"][args[0]] = counts
                if args[1:] == ["text-only"]:
                    facts["list_text_only"].add(args[0])
            elif kind == "list-tail":
                facts["list_tail"].append((args[0], counts[0]))
            elif kind == "group":
                facts["groups"][int(args[0])].append((args[1], args[2]))
            elif kind == "closed":
                facts["closed"].add(int(args[0]))
            elif kind == "groups-only":
                facts["groups_only"].update("".join(args))
            elif kind == "absent":
                facts["absent"].update("".join(args))
            elif kind == "traditional":
                facts["traditional"][args[0]] = args[1]
            elif kind == "meaning":
                for ch in "".join(args[1:]):
                    if ch in facts["meaning"]:
                        raise Fail("%s: %s has a meaning already" % (where, ch))
                    facts["meaning"][ch] = args[0]
            elif kind == "reference":
                if len(args) != 3 or len(args[0]) != 1 or args[1] not in ELEMENTS \
                        or args[2] not in REFERENCE_REASONS:
                    raise Fail("%s: a reference line is: reference C E REASON" % where)
                if args[0] in facts["reference"]:
                    raise Fail("%s: %s has a reference already" % (where, args[0]))
                facts["reference"][args[0]] = (args[1], args[2], raw.partition("#")[2].strip(), where)
            elif kind == "luck":
                for n in args[1:]:
                    facts["luck"][int(n)] = args[0]
            else:
                raise Fail("%s: unknown line %r" % (where, raw.strip()))
            for count in counts:
                if len(count) != 2:
                    raise Fail("%s: a list count takes exactly two bytes" % where)
    return facts


# ------------------------------------------------------------- derivation

def total_strokes(fields, ch):
    value = fields["kTotalStrokes"].get(ch)
    return int(value.split()[0]) if value else None


def radical_and_residual(fields, ch):
    value = fields["kRSKangXi"].get(ch) or fields["kRSUnicode"].get(ch)
    if not value:
        return None
    radical, residual = value.split()[0].replace("'", "").split(".")
    return int(radical), int(residual)


def toneless(reading):
    out = []
    for c in unicodedata.normalize("NFD", reading):
        if unicodedata.category(c) == "Mn" and c != "\u0308":
            continue
        out.append(c)
    text = unicodedata.normalize("NFC", "".join(out)).lower()
    return text.replace("ü", "v").replace("u\u0308", "v")


def readings(fields, ch):
    found = []
    for value in (fields["kMandarin"].get(ch, "").split()
                  + [re.sub(r"\(.*", "", x) for x in fields["kHanyuPinlu"].get(ch, "").split()]
                  + [x.split(":")[1] for x in fields["kXHC1983"].get(ch, "").split()]
                  + [r for x in fields["kHanyuPinyin"].get(ch, "").split()
                     for r in x.split(":")[1].split(",")]):
        plain = toneless(value)
        if plain and plain not in found:
            found.append(plain)
    return found


def reading_of(fields, radicals, ch):
    """The first reading of a character outside GB2312; a few that Unihan
    gives no Mandarin reading (Japanese units, some compatibility forms)
    take the reading of their radical."""
    found = readings(fields, ch)
    if found:
        return found[0]
    return readings(fields, radicals[1][radical_and_residual(fields, ch)[0]])[0]


def filing_key(reading):
    # GB2312 files ü after u with the same letters: lu, lü, luan, lüe, lun.
    return reading.replace("v", "u"), reading.count("v")


def filing_readings(fields, level1):
    """The reading each level-1 character is filed under: the choice of one
    reading per character that keeps the sequence in order, preferring the
    common reading where several would fit."""
    violation = 10 ** 6
    columns = []
    previous = None
    for ch in level1:
        column = {}
        for rank, reading in enumerate(readings(fields, ch)):
            cost = 0 if rank == 0 else 1
            if previous is None:
                column[reading] = (cost, None)
                continue
            best = None
            for earlier, (earlier_cost, _) in previous.items():
                step = earlier_cost + (0 if filing_key(earlier) <= filing_key(reading) else violation)
                if best is None or step < best[0]:
                    best = (step, earlier)
            column[reading] = (best[0] + cost, best[1])
        if not column:
            raise Fail("no reading for %s" % ch)
        columns.append(column)
        previous = column
    reading = min(columns[-1], key=lambda r: columns[-1][r][0])
    if columns[-1][reading][0] >= violation:
        raise Fail("level-1 readings cannot be put in filing order")
    chosen = [None] * len(level1)
    for i in range(len(level1) - 1, -1, -1):
        chosen[i] = reading
        reading = columns[i][reading][1]
    return dict(zip(level1, chosen))


def other_reading(fields, key, traditional, ch):
    """The first Korean, Japanese, Cantonese or Tang reading of the
    traditional form (of the character where the form has none)."""
    value = fields[key].get(traditional) or fields[key].get(ch)
    return value.split()[0].lstrip("*") if value else None


def old_velar(fields, t, ch):
    """j q from an old velar stop: Korean k, Japanese k g, Cantonese g k h."""
    korean = other_reading(fields, "kKorean", t, ch)
    if korean is not None:
        return korean.startswith("K")
    japanese = other_reading(fields, "kJapaneseOn", t, ch)
    if japanese is not None:
        return japanese[0] in "KG"
    return (other_reading(fields, "kCantonese", t, ch) or " ")[0] in "gkh"


def old_h(fields, t, ch):
    """x from the old h: Korean h or no initial, Japanese k g, Cantonese h j w k f."""
    korean = other_reading(fields, "kKorean", t, ch)
    if korean is not None:
        return korean[0] in "HAEIOUWY"
    japanese = other_reading(fields, "kJapaneseOn", t, ch)
    if japanese is not None:
        return japanese[0] in "KG"
    return (other_reading(fields, "kCantonese", t, ch) or " ")[0] in "hjwkf"


def old_retroflex_stop(fields, t, ch, initial):
    """zh ch from the old retroflex stops (知 彻 澄): Tang dj, else for zh a
    Japanese ch or t, for ch a Korean c that is not ch."""
    tang = other_reading(fields, "kTang", t, ch)
    if initial == "ch":
        korean = other_reading(fields, "kKorean", t, ch)
        if korean is not None:
            return korean.startswith("C") and not korean.startswith(("CH", "CC"))
    if tang is not None:
        return tang.startswith(("dj", "tj"))
    if initial == "zh":
        japanese = other_reading(fields, "kJapaneseOn", t, ch)
        return japanese is not None and japanese.startswith(("CH", "T"))
    return False


def old_velar_nasal(fields, t, ch):
    """y w from the old ng: Tang ng, else Japanese g."""
    tang = other_reading(fields, "kTang", t, ch)
    if tang is not None:
        return tang.startswith("ng")
    return (other_reading(fields, "kJapaneseOn", t, ch) or " ")[0] == "G"


def old_m(fields, t, ch):
    """w from the old m: Korean m, else Cantonese m."""
    korean = other_reading(fields, "kKorean", t, ch)
    if korean is not None:
        return korean.startswith("M")
    return (other_reading(fields, "kCantonese", t, ch) or " ")[0] == "m"


def element_by_sound(fields, t, ch, reading):
    """The element of the initial in the school of the naming references:
    lips 水 (b p m f), tongue 火 (d t n l), molars 木 (g k), throat h 水,
    teeth 金 (z c s zh ch sh r), open 土 (a vowel, y, w). Mandarin has
    merged old initials that the school keeps apart; the other readings
    tell them: j q from old velars are 木, x from the old h 水 (from old
    sibilants both 金); zh ch from the old retroflex stops are 火; y w
    from the old ng 木, w from the old m 水."""
    initial = reading[:2] if reading[:2] in ("zh", "ch", "sh") else reading[0]
    if initial in "bpmf":
        return "水"
    if initial in "dtnl":
        return "火"
    if initial in "gk":
        return "木"
    if initial == "h":
        return "水"
    if initial in "jq":
        return "木" if old_velar(fields, t, ch) else "金"
    if initial == "x":
        return "水" if old_h(fields, t, ch) else "金"
    if initial in ("zh", "ch"):
        return "火" if old_retroflex_stop(fields, t, ch, initial) else "金"
    if initial in ("sh", "r", "z", "c", "s"):
        return "金"
    if old_velar_nasal(fields, t, ch):
        return "木"
    if initial == "w" and old_m(fields, t, ch):
        return "水"
    return "土"


def element_by_rule(fields, t, ch, reading):
    """By the Kangxi radical of the traditional form, else by the sound."""
    rs = radical_and_residual(fields, t)
    if rs and rs[0] in RADICAL_ELEMENTS:
        return RADICAL_ELEMENTS[rs[0]]
    return element_by_sound(fields, t, ch, reading)


def element_by_first_rules(fields, t, reading):
    rs = radical_and_residual(fields, t)
    if rs and rs[0] in FIRST_RADICAL_ELEMENTS:
        return FIRST_RADICAL_ELEMENTS[rs[0]]
    if reading[:2] in ("zh", "ch", "sh") or reading[0] in "zcsrjqx":
        return "金"
    if reading[0] in "bpmf":
        return "水"
    if reading[0] in "dtnl":
        return "火"
    if reading[0] in "gkh":
        return "木"
    return "土"


def kangxi_by_rule(fields, radicals, traditional):
    strokes = total_strokes(fields, traditional)
    rs = radical_and_residual(fields, traditional)
    radical_strokes, radical_characters = radicals
    # A radical counts in its full form as a component (氵 as 水, 王 as 玉)
    # and as a character of its own (鼎 13); a variant filed under a radical
    # without further strokes keeps its own count (王 4).
    if rs and (rs[1] > 0 or radical_characters[rs[0]] == traditional):
        strokes = max(strokes or 0, radical_strokes[rs[0]] + rs[1])
    if not strokes:
        raise Fail("no stroke count for %s" % traditional)
    return strokes


def frequency(fields, ch):
    counts = re.findall(r"\((\d+)\)", fields["kHanyuPinlu"].get(ch, ""))
    return sum(int(x) for x in counts)


class Tables:
    def __init__(self, fields, radicals, opencc, facts):
        self.fields, self.facts, self.radicals = fields, facts, radicals
        self.gb = {}  # (row, column) -> character, rows and columns from 1
        for ch, value in fields["kGB0"].items():
            self.gb[(int(value[:2]), int(value[2:]))] = ch
        for (row, column), ch in self.gb.items():
            if bytes([row + 0xA0, column + 0xA0]).decode("gbk") != ch:
                raise Fail("kGB0 disagrees with GBK for %s" % ch)
        self.hanzi = [self.gb[(r, c)] for r in range(16, 88) for c in range(1, 95) if (r, c) in self.gb]
        self.level1 = [ch for ch in self.hanzi if gbk(ch)[0] <= 0xD7]
        self.opencc = opencc
        self.traditional = {ch: opencc[ch][0] if ch in opencc else ch for ch in self.hanzi}
        self.decide_traditional_forms()

        filed = filing_readings(fields, self.level1)
        self.pinyin = {}
        for ch in self.hanzi:
            self.pinyin[ch] = filed.get(ch) or toneless(fields["kMandarin"][ch].split()[0])
            if not re.fullmatch(r"[a-z]+", self.pinyin[ch]):
                raise Fail("odd reading %r for %s" % (self.pinyin[ch], ch))

        # Elements: the reference layer first, then the meaning lines, then
        # the radical and sound rules; the fixed facts win over all three.
        references = {ch: e for ch, (e, _, _, _) in facts["reference"].items()}
        self.kangxi, self.element, self.rule_element = {}, {}, {}
        for ch in self.hanzi:
            t = self.traditional[ch]
            self.kangxi[ch] = NUMERALS.get(ch) or kangxi_by_rule(fields, radicals, t)
            self.rule_element[ch] = element_by_rule(fields, t, ch, self.pinyin[ch])
            self.element[ch] = references.get(ch) or facts["meaning"].get(ch) or self.rule_element[ch]
        self.derived_kangxi = dict(self.kangxi)
        self.derived_element = {ch: facts["meaning"].get(ch) or self.rule_element[ch] for ch in self.hanzi}
        self.apply_facts()

        # Every other hanzi of GBK joins the stroke groups. A traditional form
        # of a GB2312 character takes that character's element, so that text
        # typed in either form reads alike; a character kept as its own
        # traditional form still brings OpenCC's form along. The rest are
        # judged as GB2312 characters are, on their own traditional form.
        self.others, self.simplified_of = {}, {}
        known = set(self.hanzi)
        for ch in self.hanzi:
            for t in (self.traditional[ch], self.opencc.get(ch, [ch])[0]):
                if t != ch and t not in known and t not in self.others and encodable(t):
                    self.others[t] = (kangxi_by_rule(fields, radicals, t), references.get(t) or self.element[ch])
                    self.simplified_of[t] = ch
                    self.rule_element[t] = self.rule_element[ch]
        for ch in gbk_hanzi():
            if ch in known or ch in self.others:
                continue
            t = self.opencc[ch][0] if ch in self.opencc else ch
            self.rule_element[ch] = element_by_rule(fields, t, ch, reading_of(fields, radicals, ch))
            self.others[ch] = (kangxi_by_rule(fields, radicals, t), references.get(ch) or self.rule_element[ch])
        outside = set(references) - known - set(self.others)
        if outside:
            raise Fail("references outside GBK: %s" % "".join(sorted(outside)))
        for ch in set(self.facts["kangxi"]) | set(self.facts["element"]):
            if ch not in known:
                k, e = self.others[ch]
                self.others[ch] = (self.facts["kangxi"].get(ch, k), self.facts["element"].get(ch, e))
        for ch, (e, _, note, where) in sorted(facts["reference"].items()):
            if self.final_element(ch) != e and not note:
                raise Fail("%s: %s yields to the fixed %s; say so in a note"
                           % (where, ch, self.final_element(ch)))

    def final_element(self, ch):
        return self.element[ch] if ch in self.element else self.others[ch][1]

    def decide_traditional_forms(self):
        """GB2312 characters that are standard traditional characters as well
        (于 beside 於) take the form the facts decide for names; every such
        character must have a decision."""
        decided = self.facts["traditional"]
        both = sorted(ch for ch in self.hanzi if ch in self.opencc
                      and self.opencc[ch][0] != ch and ch in self.opencc[ch])
        missing = [ch for ch in both if ch not in decided]
        if missing:
            raise Fail("no traditional decision for %s" % "".join(missing))
        for ch, t in sorted(decided.items()):
            if ch not in both or t not in self.opencc[ch]:
                raise Fail("traditional %s %s: not one of OpenCC's forms %s"
                           % (ch, t, " ".join(self.opencc.get(ch, []))))
            self.traditional[ch] = t

    def apply_facts(self):
        f = self.facts
        for ch, n in f["name_first"] + f["name"] + [f["name_last"]]:
            self.kangxi[ch] = n
        for ch, t, n in f["pair_first"] + f["pair"]:
            if self.traditional[ch] != t:
                raise Fail("facts pair %s %s, OpenCC gives %s" % (ch, t, self.traditional[ch]))
            self.kangxi[ch] = n
        for ch, counts in f["list"].items():
            if ch not in f["list_text_only"]:
                self.kangxi[ch] = int(counts[0])
        for block, groups in f["groups"].items():
            for element, chars in groups:
                for ch in chars:
                    self.kangxi[ch], self.element[ch] = block, element
        self.kangxi.update(f["kangxi"])
        self.element.update(f["element"])

    # The texts, as GBK bytes.

    def simplified_strokes(self):
        out = bytearray()
        for index in range(6768):
            ch = self.gb.get((index // 94 + 16, index % 94 + 1))
            out += struct.pack("<i", total_strokes(self.fields, ch) if ch else 0)
        return bytes(out)

    def placement(self):
        f = self.facts
        kept_out = f["absent"] | f["groups_only"]
        list_owned = {ch for ch in f["list"] if ch not in f["list_text_only"]}
        pair_owned = {ch for ch, _, _ in f["pair_first"] + f["pair"]}

        name = [ch for ch, _ in f["name_first"]]
        wanted = {ch for ch, _ in f["name"]}
        last = f["name_last"][0]
        order = {ch: i for i, ch in enumerate(self.hanzi)}
        by_use = sorted(
            (ch for ch in self.level1
             if ch not in kept_out and ch not in list_owned and ch not in pair_owned
             and ch not in name and ch != last and ch not in wanted),
            key=lambda ch: (-frequency(self.fields, ch), order[ch]))
        room = NAME_TEXT_ENTRIES - len(name) - len(wanted) - 1
        chosen = wanted | set(by_use[:room])
        name += [ch for ch in self.hanzi if ch in chosen] + [last]

        in_name = set(name)
        pairs = [ch for ch, _, _ in f["pair_first"]]
        for ch in self.hanzi:
            t = self.traditional[ch]
            if (t != ch and ch not in in_name and ch not in kept_out and ch not in list_owned
                    and ch not in pairs and gbk(t)[1] not in SEPARATOR_TRAILS):
                pairs.append(ch)
        in_pairs = set(pairs)
        listed = [ch for ch in self.hanzi
                  if ch in f["list"] or not (ch in in_name or ch in in_pairs or ch in kept_out)]
        return name, pairs, listed

    def name_text(self, name):
        return b"".join(gbk("√%s|%d|" % (ch, self.kangxi[ch])) for ch in name)

    def pair_text(self, pairs):
        return b"".join(gbk("√%s|%s|%d|" % (ch, self.traditional[ch], self.kangxi[ch])) for ch in pairs)

    def stroke_list(self, listed):
        entries = []
        level2_from = None
        for ch in listed:
            counts = self.facts["list"].get(ch) or ["%2d" % self.kangxi[ch]]
            if level2_from is None and gbk(ch)[0] > 0xD7:
                level2_from = len(entries)
            entries += [gbk(ch) + count.encode("ascii") for count in counts]
        entries += [gbk(ch) + count.encode("ascii") for ch, count in self.facts["list_tail"]]
        entries += [gbk(ch) + ("%2d" % self.others[ch][0]).encode("ascii") for ch in self.list_others]
        if any(len(e) != 4 for e in entries):
            raise Fail("a stroke list entry is not four bytes")
        return b" ".join(entries[:level2_from]) + CRLF + b" ".join(entries[level2_from:])

    def blocks(self):
        """block -> [(element, characters)] in text order.

        Block 1 holds its fact group alone, and no block lies beyond 30: a
        character whose count has no block of its own stands in the nearest
        open one. A character whose second byte is "{" stands at the end of
        its block, so that no other character follows it there: a reading
        that took that byte for a block header would misread the rest of
        the block. Characters outside GB2312 of either kind also go to the
        end of the stroke list, which tells their count (the GB2312 ones
        have theirs in the other texts)."""
        f = self.facts
        in_fact_groups = {ch for groups in f["groups"].values() for _, chars in groups for ch in chars}
        members, closing = collections.defaultdict(list), collections.defaultdict(list)
        self.list_others = []
        candidates = [(ch, self.kangxi[ch], self.element[ch]) for ch in self.hanzi
                      if ch not in f["absent"] and ch not in in_fact_groups]
        candidates += [(t, k, e) for t, (k, e) in sorted(self.others.items(), key=lambda x: gbk(x[0]))]
        for ch, strokes, element in candidates:
            block = min(strokes, LAST_BLOCK)
            while block in f["closed"]:
                block += 1
            brace = gbk(ch)[1] == ord("{")
            (closing if brace else members)[(block, element)].append(ch)
            if ch in self.others and (brace or block != strokes):
                self.list_others.append(ch)
        blocks = {}
        for block in range(1, LAST_BLOCK + 1):
            groups = list(f["groups"].get(block, []))
            for part in (members, closing):
                for element in ELEMENTS:
                    chars = part.get((block, element), [])
                    for start in range(0, len(chars), GROUP_WIDTH):
                        groups.append((element, "".join(chars[start:start + GROUP_WIDTH])))
            blocks[block] = groups
        return blocks

    def group_text(self, blocks, labelled):
        lines = []
        for block in range(1, LAST_BLOCK + 1):
            lines.append("{%d}" % block)
            fact_groups = len(self.facts["groups"].get(block, []))
            groups = ["%s：%s" % ("“%s”" % e if labelled else "", chars) for e, chars in blocks[block]]
            lines += groups[:fact_groups]
            derived = groups[fact_groups:]
            for start in range(0, len(derived), GROUPS_PER_LINE):
                lines.append("　".join(derived[start:start + GROUPS_PER_LINE]))
        return gbk("\r\n".join(lines) + "\r\n")

    def luck_text(self):
        grades = self.facts["luck"]
        if sorted(grades) != list(range(1, 82)):
            raise Fail("the luck facts must grade 1..81 once each")
        return gbk("".join("|%d|%s" % (n, grades[n]) for n in range(1, 82)) + "|")

    def pinyin_text(self):
        return b"".join(gbk(ch) + b" " + self.pinyin[ch].encode("ascii") + b"\n" for ch in self.hanzi)

    def traditional_text(self):
        rows = []
        for key, values in self.opencc.items():
            value = self.facts["traditional"].get(key, values[0])
            try:
                k, v = gbk(key), gbk(value)
            except UnicodeEncodeError:
                continue
            if len(k) == 2 and len(v) == 2 and k != v:
                rows.append(k + v)
        return b"".join(row + b"\n" for row in sorted(rows))

    def build(self):
        blocks = self.blocks()
        name, pairs, listed = self.placement()
        self.layout = (name, pairs, listed, blocks)
        return {
            "simplified_strokes.bin": self.simplified_strokes(),
            "name_strokes.txt": self.name_text(name),
            "traditional_pair_strokes.txt": self.pair_text(pairs),
            "kangxi_stroke_list.txt": self.stroke_list(listed),
            "stroke_groups.txt": self.group_text(blocks, False),
            "five_elements.txt": self.group_text(blocks, True),
            "luck.txt": self.luck_text(),
            "pinyin.txt": self.pinyin_text(),
            "traditional.txt": self.traditional_text(),
        }


# -------------------------------------------------------------- self-test

class Scan:
    """A text searched as the program searches it: matches start only at
    character boundaries (a byte of 0x80 or more and the next go together)."""

    def __init__(self, text):
        self.text, self.first, self.starts = text, {}, set()
        self.label_ahead, self.block_ahead = {}, {}
        last_label = {e: -1 for e in ELEMENTS}
        labels = {gbk(e): e for e in ELEMENTS}
        block, i = 0, 0
        while i < len(text):
            self.starts.add(i)
            if text[i] >= 0x80:
                c = text[i:i + 2]
                if c not in self.first:
                    self.first[c] = i
                    nearest = max((p, e) for e, p in last_label.items())
                    self.label_ahead[c] = nearest[1] if nearest[0] >= 0 else "未"
                    self.block_ahead[c] = block
                if c in labels:
                    last_label[labels[c]] = i
                i += 2
            else:
                if text[i:i + 1] == b"{":
                    block = number(text[i + 1:])
                i += 1

    def find(self, needle, start=0):
        i = self.text.find(needle, start)
        while i >= 0 and i not in self.starts:
            i = self.text.find(needle, i + 1)
        return i

    def field_at(self, p):
        return number(self.text[p:self.find(b"|", p)])


def number(text):
    m = re.match(rb" *(\d+)", text)
    return int(m.group(1)) if m else 0


def verify(tables, files):
    """Reads every character back the way the program does."""
    name_t, pair_t = Scan(files["name_strokes.txt"]), Scan(files["traditional_pair_strokes.txt"])
    list_t, group_t = Scan(files["kangxi_stroke_list.txt"]), Scan(files["stroke_groups.txt"])
    element_t = Scan(files["five_elements.txt"])
    check = gbk("√")
    problems = []

    def kangxi(c):
        if c in name_t.first:
            return name_t.field_at(name_t.find(check + c + b"|") + 5)
        if c in pair_t.first:
            p = pair_t.find(check + c + b"|")
            if p >= 0:
                return pair_t.field_at(pair_t.find(b"|", p + 5) + 1)
            return pair_t.field_at(pair_t.find(b"|" + c + b"|") + 4)
        if c in list_t.first:
            p = list_t.first[c]
            return number(list_t.text[p + 2:p + 4])
        return group_t.block_ahead.get(c, 0)

    def element(c):
        if c.decode("gbk") in ELEMENTS:
            return c.decode("gbk")
        return element_t.label_ahead.get(c, "未")

    absent = tables.facts["absent"]
    for ch in tables.hanzi:
        want_k = 0 if ch in absent else tables.kangxi[ch]
        want_e = "未" if ch in absent else tables.element[ch]
        got_k, got_e = kangxi(gbk(ch)), element(gbk(ch))
        if got_k != want_k or got_e != want_e:
            problems.append("%s: kangxi %s (want %s), element %s (want %s)" % (ch, got_k, want_k, got_e, want_e))
    for t, (k, e) in tables.others.items():
        if kangxi(gbk(t)) != k or element(gbk(t)) != e:
            problems.append("%s: kangxi %s (want %s), element %s (want %s)"
                            % (t, kangxi(gbk(t)), k, element(gbk(t)), e))
    if problems:
        raise Fail("tables read back wrongly:\n  " + "\n  ".join(problems[:20]))


def report(tables, files):
    fixed = {}
    f = tables.facts
    for ch, n in f["name_first"] + f["name"] + [f["name_last"]]:
        fixed[ch] = n
    for ch, _, n in f["pair_first"] + f["pair"]:
        fixed[ch] = n
    for ch, counts in f["list"].items():
        fixed[ch] = int(counts[0])
    for block, groups in f["groups"].items():
        for _, chars in groups:
            for ch in chars:
                fixed[ch] = block
    fixed.update(f["kangxi"])
    fixed["鑫"] = 24
    derived = dict(tables.derived_kangxi)
    derived["骉"] = kangxi_by_rule(tables.fields, tables.radicals, "驫")
    misses = [(ch, n, derived[ch]) for ch, n in fixed.items() if derived[ch] != n]
    print("Kangxi counts fixed by facts: %d, derived alike: %d, differing: %s"
          % (len(fixed), len(fixed) - len(misses), misses))
    labelled = {ch: e for groups in f["groups"].values() for e, chars in groups for ch in chars}
    labelled.update(f["element"])
    misses = [(ch, e, tables.derived_element[ch]) for ch, e in labelled.items() if tables.derived_element[ch] != e]
    print("Elements fixed by facts: %d, derived alike: %d, differing: %s"
          % (len(labelled), len(labelled) - len(misses), misses))
    references = {ch: e for ch, (e, _, _, _) in f["reference"].items()}
    first = {}  # the first rules, without the meaning lines
    for ch in tables.hanzi:
        first[ch] = element_by_first_rules(tables.fields, tables.traditional[ch], tables.pinyin[ch])
    for ch in tables.others:
        first[ch] = first[tables.simplified_of[ch]] if ch in tables.simplified_of else \
            element_by_first_rules(tables.fields, tables.opencc[ch][0] if ch in tables.opencc else ch,
                                   reading_of(tables.fields, tables.radicals, ch))
    meant = lambda table: {ch: f["meaning"].get(tables.simplified_of.get(ch, ch)) or e for ch, e in table.items()}
    first_meant = meant(first)
    print("Reference layer: %d characters (%d outside GB2312). The rules agree with it on"
          % (len(references), len(set(references) - set(tables.hanzi))))
    for label, alone in (("the first rules", first), ("the rules now", tables.rule_element)):
        counts = [sum(table[ch] == e for ch, e in references.items()) for table in (alone, meant(alone))]
        print("  %-16s %4d (%.1f %%) alone, %4d (%.1f %%) with the meaning lines"
              % (label, counts[0], 100.0 * counts[0] / max(1, len(references)),
                 counts[1], 100.0 * counts[1] / max(1, len(references))))
    yielding = [ch for ch, e in references.items() if tables.final_element(ch) != e]
    print("References yielding to a fixed value: %s" % " ".join(yielding))
    print("Element shares, before (the first rules, no references) and after:")
    for label, chars in (("GB2312", tables.hanzi), ("all of GBK", list(tables.hanzi) + list(tables.others))):
        chars = [ch for ch in chars if ch not in f["absent"]]
        before = collections.Counter(first_meant[ch] for ch in chars)
        after = collections.Counter(tables.final_element(ch) for ch in chars)
        print("  %-10s %s" % (label, "  ".join("%s %4.1f→%4.1f %%" % (e, 100.0 * before[e] / len(chars),
                                                                     100.0 * after[e] / len(chars))
                                               for e in ELEMENTS)))
    name, pairs, listed, blocks = tables.layout
    print("name text %d entries, pair text %d, stroke list %d (%d outside GB2312 at its end), "
          "stroke groups %d characters (%d outside GB2312)"
          % (len(name), len(pairs), len(listed), len(tables.list_others),
             sum(len(c) for g in blocks.values() for _, c in g), len(tables.others)))
    for name_, data in sorted(files.items()):
        print("  %-30s %7d bytes" % (name_, len(data)))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    checked_in.add_check_option(parser)
    parser.add_argument("--report", action="store_true", help="print how the derivation went")
    parser.add_argument("--unicode-dir", default="/usr/share/unicode")
    parser.add_argument("--opencc-dir", default="/usr/share/opencc")
    parser.add_argument("--out", default=OUT_DIR)
    args = parser.parse_args()
    try:
        fields = load_unihan(args.unicode_dir)
        tables = Tables(fields, load_radicals(args.unicode_dir),
                        load_opencc(args.opencc_dir), load_facts(FACTS))
        files = tables.build()
        verify(tables, files)
    except (Fail, OSError, subprocess.CalledProcessError) as e:
        print("gen_chardata: %s" % e, file=sys.stderr)
        return 2
    if args.report:
        report(tables, files)
    return checked_in.write_or_check("gen_chardata", files, args.out, args.check)


if __name__ == "__main__":
    sys.exit(main())
