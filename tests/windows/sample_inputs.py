"""Writes the inputs of the Windows run: a label file of a full sheet in code
page 932 (EAN-13 and EAN-8 codes, characters of the NEC and IBM rows, a
half-width katakana name) and a product list of three sheets in UTF-8.

    python3 sample_inputs.py FOLDER
"""
import os
import sys

folder = sys.argv[1]

LABELS = [
    ("4901234567894", "山田食品", "特選しょうゆ", "1L", "L1", "298"),
    ("49012347", "茶園本舗", "煎茶", "100g", "L2", "580"),
    ("4912345678904", "㈱海苔の里", "焼きのり①", "10枚", "Lot,3", "1,980"),
    ("4909876543214", "髙橋商店", "白だし", "500ml", "L4", "348"),
    ("4987654321094", "北の農園", "ｼﾞｬｶﾞｲﾓ", "1袋", "L5", "198"),
    ("4901234567894", "乳業", "牛乳～低脂肪", "1L", "L6", "238"),
    ("", "", "", "", "", ""),
    ("4902102072618", "ⅠⅡ製菓", "∵チョコ", "12個", "L8", "128"),
    ("", "", "", "", "", ""),
    ("45678905", "末尾", "ラスト", "1", "L10", "10"),
]

PATTERN = '''"印字位置調整","0","0",0,0,0,0,0,0,0
"縁取り","カラーで縁取りする",0,0,0,0,0,0,0,0
"jan","ＭＳ 明朝",12,#FALSE#,#FALSE#,0,"表示しない",0,0,0
"BARCODE",0,0,0,0,0,0,0,0,0
"メーカー","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"品名","ＭＳ ゴシック",18,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"規格","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"ロット","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"売価","ＭＳ 明朝",48,#FALSE#,#FALSE#,255,"表示しない",0,0,0
"円","ＭＳ 明朝",24,#FALSE#,#FALSE#,255,"表示しない",0,0,0'''.split("\n")


def write(name, lines, encoding):
    data = "".join(line + "\r\n" for line in lines).encode(encoding)
    # 髙 has two codes; Windows writes the IBM row's (FB FC), Python's codec
    # the NEC row's (EE E0). The file is as Windows and the program write it.
    data = data.replace(b"\xee\xe0", b"\xfb\xfc")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


records = ['" %d",%s' % (n, ",".join('"%s"' % field for field in label))
           for n, label in enumerate(LABELS, start=1)]
write("labels.csv", ['"棚札"'] + records + PATTERN, "cp932")
write("data.txt", PATTERN, "cp932")
products = ["JANコード,メーカー,品名,規格,ロット,売価"]
products += ["%s,乳業,商品%02d,100g,L%d,%d" % (LABELS[n % 3][0], n, n, 100 + n) for n in range(1, 26)]
write("products.csv", products, "utf-8")
