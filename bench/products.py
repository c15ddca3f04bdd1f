"""Writes a product list of N valid products (EAN-13 and EAN-8 codes with
their check digits, Japanese texts) to stdout, with a header row.

    python3 bench/products.py N
"""
import sys

n = int(sys.argv[1])


def check(data):
    digits = data.rjust(12, "0")
    s = sum(int(d) * (1 if i % 2 == 0 else 3) for i, d in enumerate(digits))
    return str((10 - s % 10) % 10)


print("JANコード,メーカー,品名,規格,ロット,売価")
for i in range(n):
    if i % 5 == 4:
        data = "49%05d" % (i % 100000)
    else:
        data = "4%011d" % (i * 7919 % 10**11)
    code = data + check(data)
    print(f"{code},メーカー{i % 97},商品 {i},{100 + i % 900}g,L{i % 13},\"{(i % 50 + 1) * 100:,}\"")
