#!/usr/bin/env bash
# Prints the manual's pictures of labels as a shop uses them with the real
# tanahuda-print, and cuts them out of the 300 dpi page (pdftoppm):
#   docs/manual/images/printed-incl-base.png  税込＋本体, unit prices, an origin
#   docs/manual/images/printed-sale.png       a sale: regular price struck, period
#   docs/manual/images/printed-codes.png      a QR code, and an in-store code given
#   scripts/manual-labels.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target tanahuda-print
tool="$build/src/app/tanahuda-print"
images=docs/manual/images
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# An empty home: the default print pattern, whatever this machine keeps.
export HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen

cat >"$work/incl-base.csv" <<'LIST'
JAN,メーカー,品名,規格,売価,税率,内容量,基準量,通常価格,期間,産地
4901234567894,山田食品,豚こま切れ,国産,498,8,350g,,,,鹿児島県産
4901234000018,清水化学,台所用洗剤,詰替,298,10,400ml,,,,
LIST
cat >"$work/sale.csv" <<'LIST'
JAN,メーカー,品名,規格,売価,税率,内容量,基準量,通常価格,期間,産地
4901234567894,川口農園,温州みかん,Ｍサイズ,398,8,1kg,100g,498,12/10まで,静岡県産
4901234000025,北の牧場,牛乳,成分無調整,198,8,1000ml,,238,本日限り,北海道産
LIST
cat >"$work/codes.csv" <<'LIST'
JAN,メーカー,品名,規格,売価,税率
4901234567894,山田食品,有機緑茶,100g,648,8
,,手作りおはぎ,2個入,280,8
LIST

# Labels 1 and 2 (the first row of the standard stock) of a list's first page.
picture() {
  local list=$1 name=$2
  shift 2
  "$tool" --products "$work/$list" --price-mode incl-base "$@" -o "$work/$name.pdf" >/dev/null
  # 300 dpi: the row from 10 mm to 196 mm across, 6 mm to 64 mm down.
  pdftoppm -png -r 300 -singlefile -x 118 -y 71 -W 2197 -H 685 "$work/$name.pdf" "$work/$name"
  cp "$work/$name.png" "$images/$name.png"
}
picture incl-base.csv printed-incl-base
picture sale.csv printed-sale
picture codes.csv printed-codes --qr-pattern 'https://example.jp/item/{JAN}' \
  --instore-from 200000000001
