#!/usr/bin/env python3
"""Writes the pieces of the score page under data/score/ as GBK, CR LF.

  interpretation.txt  the 81 number blocks: "【n】", a table, "【结束】"
  score_table.htm     the score row; the word 分数 is where the score goes
  note_table.htm      the closing note
  page_frame.htm      the page around them; 替换 is where the body goes

The interpretation phrases are this program's own wording (see data/NOTICE).
The grade after each text follows the program's luck table.

Run from the repository root:  python3 tools/score/make_score_data.py
"""
import os
import sys

# number: four four-character phrases
PHRASES = {
    1: "最吉之数，还本归元，能得繁荣，发达成功",
    2: "动摇不安，一荣一枯，一盛一衰，劳而无功",
    3: "阴阳交会，万物初成，名望渐显，事业可期",
    4: "根基不稳，进退两难，辛苦经营，难见成效",
    5: "五行调和，福禄双全，家业兴旺，长久安泰",
    6: "天德护佑，根基厚实，财源丰足，安稳兴隆",
    7: "刚毅果决，独当一面，排除万难，终成大器",
    8: "意志坚定，勤勉不懈，积少成多，自立有成",
    9: "才高运薄，孤立无援，事多反复，难得圆满",
    10: "空虚无着，徒费心力，前景暗淡，宜守勿进",
    11: "枯木逢春，稳步上升，家道复兴，富足可期",
    12: "力弱志大，根基浅薄，谋事多阻，难以为继",
    13: "才思敏捷，智谋出众，善于应变，名利兼收",
    14: "离散孤独，家缘淡薄，劳苦奔波，难有依靠",
    15: "福寿双全，德望兼备，上下和睦，财富自来",
    16: "厚德载物，众望所归，贵人相扶，事业兴隆",
    17: "刚强果敢，突破阻碍，权威自立，志向可成",
    18: "有志竟成，权柄在握，排难解纷，功名显达",
    19: "风云多变，障碍重重，虽有才智，成败无常",
    20: "破败之象，百事难成，进退失据，屡遭挫折",
    21: "明月当空，独立自强，声名远播，领袖群伦",
    22: "秋草逢霜，志气消沉，事多不遂，困顿难伸",
    23: "旭日东升，气势旺盛，权威渐隆，大业可图",
    24: "白手起家，财源广进，余庆惠及，家门昌盛",
    25: "资性聪敏，独具匠心，谨言慎行，必获成功",
    26: "波澜起伏，变化莫测，能经风雨，亦成英杰",
    27: "自负过强，易招非议，中年有成，晚景需防",
    28: "风波不息，离合无常，劳心劳力，难享安宁",
    29: "智谋深远，财力渐丰，能成大事，名利俱得",
    30: "吉凶参半，得失相随，把握时机，方可有成",
    31: "智勇兼备，意志坚强，统领众人，荣达富贵",
    32: "侥幸多福，贵人提携，顺势而为，财运亨通",
    33: "鸾凤相会，家门隆昌，才德出众，威名远扬",
    34: "祸乱相侵，家业难守，遇事多阻，宜慎行止",
    35: "温和平静，文艺通达，安分守己，福泽绵长",
    36: "波涛汹涌，侠义劳苦，浮沉不定，难得安稳",
    37: "忠诚守信，权威显达，遇事果断，终获成功",
    38: "意志薄弱，难担大任，专心技艺，可望有成",
    39: "富贵荣华，德泽四方，身居要位，一展宏图",
    40: "胆识过人，冒险投机，进退有度，方保无虞",
    41: "德高望重，才识兼优，名利双收，前程远大",
    42: "博而不精，事多难专，若能专一，亦可有成",
    43: "外表风光，内里空虚，理财有道，可免散失",
    44: "烦闷困苦，事与愿违，家运衰败，难以挽回",
    45: "顺风扬帆，智谋兼备，大业易成，声誉日隆",
    46: "载宝沉舟，辛苦徒劳，财物难聚，进取受阻",
    47: "花开结果，贵人相助，与人合作，共享福禄",
    48: "才德兼备，堪为师表，受人敬仰，名利永保",
    49: "吉凶难定，变化无常，得失反复，宜守其常",
    50: "一成一败，盛衰交替，小心谨慎，方保平安",
    51: "盛衰交加，先甜后苦，若能持守，可保晚成",
    52: "眼光独到，先机在握，理财得法，功成名就",
    53: "外华内苦，表里不一，前半顺遂，后半宜防",
    54: "多难多忧，辛劳无功，事常受阻，难有建树",
    55: "外观隆盛，内藏忧患，坚守正道，可转危安",
    56: "历经艰辛，力不从心，事多不成，损失难免",
    57: "寒雪青松，坚毅不屈，历经磨炼，终获吉祥",
    58: "先苦后甜，晚运亨通，坚忍不拔，可成大业",
    59: "寒蝉悲风，意志消沉，缺乏魄力，难成事业",
    60: "暗中摸索，方向不明，心神不定，事难有成",
    61: "名利双收，却恐骄矜，修身养性，方能长久",
    62: "根基虚弱，内外不和，事业受困，艰难度日",
    63: "万物化育，繁荣兴旺，富贵自来，子孙昌隆",
    64: "骨肉分离，孤独悲凉，心力交瘁，难得安宁",
    65: "富贵长寿，家运隆昌，事事如意，福禄绵长",
    66: "内外不和，信用难立，进退维谷，多生灾厄",
    67: "通达顺遂，独立有成，财源稳固，家道兴隆",
    68: "思虑周详，发明创造，勤勉务实，事业有成",
    69: "动荡不安，常陷困境，事多阻滞，难得成就",
    70: "家运衰微，寂寞无依，忧愁困苦，难有转机",
    71: "吉中藏忧，虽得安稳，需加勤勉，方能有成",
    72: "先甜后苦，表面荣华，内藏艰难，终难圆满",
    73: "志向坚定，循序渐进，守成有道，安享吉庆",
    74: "沉沦逆境，无所作为，坐吃山空，难有起色",
    75: "守则可安，进则多忧，量力而行，可保平稳",
    76: "离散破败，家业难兴，内外交困，难得安乐",
    77: "先苦后乐，家庭有福，中年多劳，晚境尚安",
    78: "早年有成，晚景渐衰，及时谋划，可免困顿",
    79: "精神不振，前途迷茫，缺乏主见，难以成事",
    80: "辛苦艰难，一生多劳，修身守正，可得安宁",
    81: "循环复始，回归本元，重获生机，繁荣昌盛",
}

GOOD = {1, 3, 5, 6, 7, 8, 11, 13, 15, 16, 17, 18, 21, 23, 24, 25, 29, 31, 32, 33, 35, 37, 39,
        41, 45, 47, 48, 52, 63, 65, 67, 68, 73, 81}
HALF = {26, 27, 30, 38, 40, 42, 43, 50, 51, 53, 55, 57, 58, 61, 71, 75, 77, 78, 80}

LEADER = "+首领运（智慧仁勇、立上位、能领导众人）"
WEALTH = "+富贵运（多钱财、富贵、白手可获巨财）"
ARTS = "+艺能运（富有艺术天才，对审美、艺术、演艺、体育有通达之能）"
FORTUNES = {
    3: [LEADER], 13: [ARTS], 14: [ARTS], 15: [WEALTH], 16: [LEADER, WEALTH], 18: [LEADER],
    21: [LEADER], 23: [LEADER], 24: [WEALTH], 26: [ARTS], 29: [LEADER, WEALTH], 31: [LEADER],
    32: [WEALTH], 33: [LEADER, ARTS], 35: [ARTS], 37: [LEADER], 38: [ARTS],
    39: [LEADER, WEALTH], 41: [LEADER, WEALTH], 45: [LEADER], 47: [LEADER, WEALTH],
    48: [LEADER, ARTS], 52: [WEALTH],
}

CRLF = "\r\n"


def grade(n):
    return "吉" if n in GOOD else "半吉" if n in HALF else "凶"


def block(n):
    text = PHRASES[n] + "。　　（" + grade(n) + "）"
    rows = [
        '<table width="98%" border="1" cellpadding="5" cellspacing="0" bgcolor="#F6F6F6" '
        'bordercolor="#C0C0C0" style="border-collapse:collapse">',
        "  <tr>",
        '    <td width="20%" height="30">主体名称：</td>',
        '    <td><span style="color:#0000FF;font-weight:bold;font-size:16px">显示公司名称（显示笔画数）</span></td>',
        "  </tr>",
        "  <tr>",
        '    <td height="30">解析结果：</td>',
        '    <td><font color="#FF0000">' + text + "</font></td>",
        "  </tr>",
    ]
    if n in FORTUNES:
        rows += [
            "  <tr>",
            '    <td height="30">寓含运势：</td>',
            '    <td><font color="#0000FF">' + "".join(f + "<br />" for f in FORTUNES[n]) + "</font></td>",
            "  </tr>",
        ]
    rows.append("</table>")
    return "【%d】" % n + CRLF + CRLF.join(rows) + CRLF + "【结束】"


def check():
    if sorted(PHRASES) != list(range(1, 82)):
        sys.exit("every number 1 to 81 needs its phrases")
    for n, p in PHRASES.items():
        parts = p.split("，")
        if len(parts) != 4 or any(len(x) != 4 for x in parts):
            sys.exit("number %d: four phrases of four characters" % n)
    counts = [sum(1 for n in PHRASES if grade(n) == g) for g in ("吉", "半吉", "凶")]
    if counts != [34, 19, 28]:
        sys.exit("grade counts %s" % counts)
    if len(FORTUNES) != 23:
        sys.exit("23 numbers carry fortunes")


SCORE_TABLE = CRLF.join([
    "<br>",
    '<table width="98%" height="47" border="1" cellpadding="5" cellspacing="0" bgcolor="#f6f6f6" '
    'bordercolor="#c0c0c0" style="border-collapse:collapse">',
    "  <tr>",
    '    <td align="right"><font color="#FF0000"><b>评分：<font size="6">分数</font>&nbsp;分'
    "&nbsp;&nbsp;&nbsp;</b></font></td>",
    "  </tr>",
    "</table>",
]) + CRLF

NOTE_TABLE = CRLF.join([
    "<p></p>",
    '<table width="98%" height="45" border="1" cellpadding="5" cellspacing="0" bgcolor="#f6f6f6" '
    'bordercolor="#c0c0c0" style="border-collapse:collapse">',
    "  <tr>",
    '    <td><font color="#C0C0C0">&nbsp;说明：公司名称测算法所用字的笔画以《康熙字典》为准,'
    "不能按简体字的笔画数计算。本方法测命理只供参考,切勿影响生活,公司的发展主要还在于后天的经营!</font></td>",
    "  </tr>",
    "</table>",
]) + CRLF

PAGE_FRAME = CRLF.join([
    "<html>", "",
    "<head>",
    '<meta http-equiv="Content-Type" content="text/html; charset=gb2312">',
    "<title>公司评分</title>",
    "</head>", "",
    "<body>",
    "替换",
    "</body>", "",
    "</html>",
]) + CRLF


def main():
    check()
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = os.path.join(root, "data", "score")
    os.makedirs(folder, exist_ok=True)
    files = {
        "interpretation.txt": "".join(block(n) for n in range(1, 82)) + CRLF,
        "score_table.htm": SCORE_TABLE,
        "note_table.htm": NOTE_TABLE,
        "page_frame.htm": PAGE_FRAME,
    }
    for name, text in files.items():
        data = text.encode("gbk")
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
        print("%s: %d bytes" % (name, len(data)))


if __name__ == "__main__":
    main()
