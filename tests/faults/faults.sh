#!/usr/bin/env bash
# Drives the built tanahuda-print through faults and bad input as a user
# would meet them: a full disk, a job killed or interrupted, special files and
# the inputs themselves named as output, special files named as lists, a
# stray quote and mixed encodings in a list, a UTF-16 list cut short, a cell
# never closed, 100,000 rows, a damaged label file or print
# pattern, a preferred pattern that cannot be read. After each,
# the old output must be byte for byte as it was (or the new one complete),
# no temporary file may stay, and the exit status and message must say what
# happened. Prints a table of the fault classes: tried / survived / data lost.
#
#   bash tests/faults/faults.sh BUILD_DIR
set -uo pipefail
cd "$(dirname "$0")/../.."
build=$(realpath "${1:-build}")
tool="$build/src/app/tanahuda-print"
[ -x "$tool" ] || { echo "faults: no $tool" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d /tmp/tanahuda-faults-XXXXXX)
mounted=""
cleanup() {
  [ -n "$mounted" ] && umount "$mounted" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

declare -A tried survived lost
classes=()
failures=0
# record CLASS OK LOST DESCRIPTION
record() {
  local class=$1 ok=$2 lostData=$3 what=$4
  if [ -z "${tried[$class]+x}" ]; then
    classes+=("$class"); tried[$class]=0; survived[$class]=0; lost[$class]=0
  fi
  tried[$class]=$((tried[$class] + 1))
  if [ "$ok" = 1 ]; then
    survived[$class]=$((survived[$class] + 1))
  else
    failures=$((failures + 1))
    echo "FAULT NOT SURVIVED [$class]: $what" >&2
  fi
  [ "$lostData" = 1 ] && lost[$class]=$((lost[$class] + 1))
}

sha() { sha256sum "$1" 2>/dev/null | cut -d' ' -f1; }
# The temporary files the writer leaves in a folder (none when all is well).
temps() { find "$1" -maxdepth 1 -name '.tanahuda-*' | wc -l; }
pages() { pdfinfo "$1" 2>/dev/null | awk '/^Pages:/ {print $2}'; }
oneLine() { [ "$(wc -l <"$1")" -ge 1 ] && grep -q '^tanahuda-print: ' "$1"; }
# The message names the file the user asked for and the reason: names FILE REASON.
names() { grep -qF -- "$1" "$work/err" && grep -qF -- "$2" "$work/err"; }

# ---- inputs ----------------------------------------------------------------
python3 - "$work" <<'PY'
import sys, os
work = sys.argv[1]
def products(name, rows, encoding='utf-8', special=None):
    with open(os.path.join(work, name), 'wb') as f:
        for i in range(1, rows + 1):
            line = '4901234567894,乳業,P%05d,100g,L1,198\r\n' % i
            if special and i in special:
                line = special[i](i)
            f.write(line.encode(encoding) if isinstance(line, str) else line)
products('list20k.csv', 20000)
products('small.csv', 12)
products('stray.csv', 20000, special={3: lambda i: '4901234567894,"乳業,P%05d,100g,L1,198\r\n' % i})
products('mixed.csv', 30, special={7: lambda i: ('4901234567894,乳業,P%05d,100g,L1,198\r\n' % i).encode('cp932')})
block = '''"印字位置調整","0","0",0,0,0,0,0,0,0
"縁取り","カラーで縁取りする",0,0,0,0,0,0,0,0
"jan","ＭＳ 明朝",12,#FALSE#,#FALSE#,0,"表示しない",0,0,0
"BARCODE",0,0,0,0,0,0,0,0,0
"メーカー","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"品名","ＭＳ 明朝",18,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"規格","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"ロット","ＭＳ 明朝",10,#FALSE#,#FALSE#,0,"表示しない","アンダーライン有",0,0
"売価","ＭＳ 明朝",48,#FALSE#,#FALSE#,255,"表示しない",0,0,0
"円","ＭＳ 明朝",24,#FALSE#,#FALSE#,255,"表示しない",0,0,0'''.split('\n')
records = ['" %d","4901234567894","乳業","牛乳%d","1L","L%d","198"' % (n, n, n) for n in range(1, 11)]
lines = ['"棚札"'] + records + block
def write(name, lines):
    with open(os.path.join(work, name), 'wb') as f:
        f.write(''.join(l + '\r\n' for l in lines).encode('cp932'))
write('labels.csv', lines)
write('data.txt', block)
damaged = list(lines)
damaged[3] += ',"extra"'
write('damaged.csv', damaged)
# A maker of hundreds of thousands of characters, within the file size cap.
for n in (300000, 600000, 1000000):
    write('long%d.csv' % n, ['"棚札"', '" 1","4901234567894","%s","牛乳1","1L","L1","198"' % ('M' * n)] + block)
# Rows a batch prints, but not as they read: a maker clipped at the label's
# edge (line 2), a character no font draws (line 3).
products('checked.csv', 4, special={2: lambda i: '4901234567894,%s,P%05d,100g,L1,198\r\n' % ('M' * 300, i),
                                    3: lambda i: '4901234567894,乳業,\ue000P%05d,100g,L1,198\r\n' % i})
# A Shift-JIS row whose bytes look like UTF-8 to a lenient reader (E0 84 81 is an overlong form).
products('sjis.csv', 5, special={4: lambda i: ('4901234567894,乳業,焙（筍）,100g,L1,198\r\n').encode('cp932')})
# A price line the reader cannot take (no such price mode), and the maker's
# colour -1 (white text were it taken).
write('priceline.csv', lines + ['"拡張","価格表示",9,0'])
colour = list(lines)
colour[15] = colour[15].replace('#FALSE#,#FALSE#,0,', '#FALSE#,#FALSE#,-1,')
write('colour.csv', colour)
PY
"$tool" "$work/labels.csv" -o "$work/one.pdf" || { echo "faults: the tool cannot print" >&2; exit 1; }

# ---- a full disk -------------------------------------------------------------
small="$work/small"
mkdir -p "$small"
if mount -t tmpfs -o size=1m tmpfs "$small" 2>/dev/null; then
  mounted="$small"
  cp "$work/one.pdf" "$small/old.pdf"
  before=$(sha "$small/old.pdf")
  "$tool" --products "$work/list20k.csv" -o "$small/old.pdf" 2>"$work/err"
  rc=$?
  ok=0; [ $rc = 1 ] && [ "$(sha "$small/old.pdf")" = "$before" ] && [ "$(temps "$small")" = 0 ] && oneLine "$work/err" &&
    names "$small/old.pdf" "ディスクの空き容量が足りません" && ok=1
  record "full disk" $ok $([ "$(sha "$small/old.pdf")" = "$before" ] && echo 0 || echo 1) "batch PDF onto a full disk (rc $rc)"
  # Fill the disk to a few kilobytes and try the single-sheet PDF and the preview.
  free=$(df --output=avail -B1 "$small" | tail -1)
  head -c $((free - 8192)) /dev/zero >"$small/filler" 2>/dev/null
  cp "$work/one.pdf" "$small/old.png" 2>/dev/null
  cp "$work/one.pdf" "$small/old-calibration.pdf" 2>/dev/null
  for kind in pdf png calibration; do
    target="$small/old.$kind"
    [ $kind = calibration ] && target="$small/old-calibration.pdf"
    [ -f "$target" ] || continue
    before=$(sha "$target")
    case $kind in
      pdf) "$tool" "$work/labels.csv" -o "$target" 2>"$work/err" ;;
      png) "$tool" "$work/labels.csv" --preview -o "$target" 2>"$work/err" ;;
      calibration) "$tool" --calibration --layout "$work/data.txt" -o "$target" 2>"$work/err" ;;
    esac
    rc=$?
    ok=0; [ $rc = 1 ] && [ "$(sha "$target")" = "$before" ] && [ "$(temps "$small")" = 0 ] && ok=1
    names "$target" "ディスクの空き容量が足りません" || ok=0
    record "full disk" $ok $([ "$(sha "$target")" = "$before" ] && echo 0 || echo 1) "$kind onto a full disk (rc $rc): $(head -1 "$work/err")"
  done
  # No free byte at all.
  head -c 1048576 /dev/zero >>"$small/filler" 2>/dev/null
  "$tool" --products "$work/small.csv" -o "$small/none.pdf" 2>"$work/err"
  rc=$?
  ok=0; [ $rc = 1 ] && [ ! -e "$small/none.pdf" ] && [ "$(temps "$small")" = 0 ] && oneLine "$work/err" &&
    names "$small/none.pdf" "ディスクの空き容量が足りません" && ok=1
  record "full disk" $ok 0 "batch onto a disk with no free byte (rc $rc): $(head -1 "$work/err")"
  umount "$small" && mounted=""
else
  echo "faults: mounting a tmpfs is not permitted here; the full disk is covered by the injected-failure unit tests" >&2
fi

# ---- kill -9 at 20 moments of a 20,000-product batch ---------------------------
k="$work/kill"
mkdir -p "$k"
cp "$work/one.pdf" "$k/out.pdf"
start=$(date +%s%N)
"$tool" --products "$work/list20k.csv" -o "$k/full.pdf" 2>/dev/null
rc=$?
duration_ms=$(( ($(date +%s%N) - start) / 1000000 ))
ok=0; [ $rc = 0 ] && [ "$(pages "$k/full.pdf")" = 2000 ] && [ "$(temps "$k")" = 0 ] && ok=1
record "complete batch" $ok 0 "20,000 products, 2000 pages (rc $rc, ${duration_ms} ms)"
rm -f "$k/full.pdf"
echo "faults: a 20,000-product batch took ${duration_ms} ms"
before=$(sha "$k/out.pdf")
for i in $(seq 1 20); do
  "$tool" --products "$work/list20k.csv" -o "$k/out.pdf" 2>/dev/null &
  pid=$!
  sleep "$(awk -v d="$duration_ms" -v i="$i" 'BEGIN { printf "%.3f", d * i / 21 / 1000 }')"
  kill -9 $pid 2>/dev/null
  wait $pid 2>/dev/null
  rc=$?
  now=$(sha "$k/out.pdf")
  if [ "$now" = "$before" ]; then
    intact=1
  elif [ "$(pages "$k/out.pdf")" = 2000 ]; then
    intact=1  # killed after the rename (or finished): the new PDF is whole
    cp "$work/one.pdf" "$k/out.pdf"
  else
    intact=0
  fi
  # The next write into the folder removes what the killed job left.
  "$tool" --products "$work/small.csv" -o "$k/next.pdf" 2>/dev/null
  ok=0; [ $intact = 1 ] && [ "$(temps "$k")" = 0 ] && ok=1
  record "kill -9 during a batch" $ok $((1 - intact)) "kill at moment $i/20 (rc $rc, temps $(temps "$k"))"
done

# ---- Ctrl-C, SIGTERM, SIGHUP -----------------------------------------------------
for pair in INT:130 TERM:143 HUP:129; do
  sig=${pair%%:*}; want=${pair##*:}
  before=$(sha "$k/out.pdf")
  "$tool" --products "$work/list20k.csv" -o "$k/out.pdf" 2>/dev/null &
  pid=$!
  sleep "$(awk -v d="$duration_ms" 'BEGIN { printf "%.3f", d / 3 / 1000 }')"
  kill -$sig $pid
  wait $pid
  rc=$?
  ok=0; [ $rc = "$want" ] && [ "$(sha "$k/out.pdf")" = "$before" ] && [ "$(temps "$k")" = 0 ] && ok=1
  record "SIGINT, SIGTERM, SIGHUP" $ok $([ "$(sha "$k/out.pdf")" = "$before" ] && echo 0 || echo 1) "SIG$sig (rc $rc, want $want)"
done

# ---- the output's folder removed during a batch; a name too long --------------------
g="$work/gone"
mkdir -p "$g"
"$tool" --products "$work/list20k.csv" -o "$g/out.pdf" 2>"$work/err" &
pid=$!
sleep "$(awk -v d="$duration_ms" 'BEGIN { printf "%.3f", d / 3 / 1000 }')"
rm -rf "$g"
wait $pid
rc=$?
ok=0; [ $rc = 1 ] && [ ! -e "$g" ] && oneLine "$work/err" && names "$g/out.pdf" "保存先のフォルダーが見つかりません" && ok=1
record "output folder removed" $ok 0 "folder removed during a batch (rc $rc): $(head -1 "$work/err")"
long="$k/$(printf 'x%.0s' $(seq 1 300)).pdf"
start=$(date +%s%N)
"$tool" --products "$work/list20k.csv" -o "$long" 2>"$work/err"
rc=$?
ms=$(( ($(date +%s%N) - start) / 1000000 ))
ok=0; [ $rc = 1 ] && [ "$(temps "$k")" = 0 ] && oneLine "$work/err" && names "$long" "ファイル名が長すぎます" && ok=1
record "output name too long" $ok 0 "a 304-byte name, refused before drawing (rc $rc, ${ms} ms)"
echo "faults: a name too long was refused after ${ms} ms (the whole batch takes ${duration_ms} ms)"

# ---- special files as output ------------------------------------------------------
s="$work/special"
mkdir -p "$s"
mkfifo "$s/fifo"
ln -s /proc/self/fd/1 "$s/stdout"
python3 -c "import socket,sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])" "$s/socket"
mkdir "$s/folder"
specials=(fifo stdout socket folder)
if [ "$(id -u)" = 0 ] && mknod "$s/null" c 1 3 2>/dev/null; then specials+=(null); fi
for name in "${specials[@]}"; do
  for how in pdf preview batch; do
    before=$(stat -c '%F %i' "$s/$name")
    case $how in
      pdf) timeout 10 "$tool" "$work/labels.csv" -o "$s/$name" 2>"$work/err" >/dev/null ;;
      preview) timeout 10 "$tool" "$work/labels.csv" --preview -o "$s/$name" 2>"$work/err" >/dev/null ;;
      batch) timeout 10 "$tool" --products "$work/small.csv" -o "$s/$name" 2>"$work/err" >/dev/null ;;
    esac
    rc=$?
    same=0; [ "$(stat -c '%F %i' "$s/$name")" = "$before" ] && same=1
    ok=0; [ $rc = 1 ] && [ $same = 1 ] && [ "$(temps "$s")" = 0 ] && oneLine "$work/err" && ok=1
    record "special file as output" $ok $((1 - same)) "$how onto $name (rc $rc)"
  done
done

# ---- the output is one of the inputs ---------------------------------------------------
# Named as the input itself (refused for its extension), or through a hard or
# symbolic link whose name has the output's extension (refused as the same file).
i="$work/inputs"
mkdir -p "$i"
cp "$work/labels.csv" "$work/small.csv" "$work/data.txt" "$i/"
ln "$i/labels.csv" "$i/labels-hard.pdf"
ln -s labels.csv "$i/labels-soft.pdf"
ln "$i/labels.csv" "$i/labels-hard.png"
ln "$i/small.csv" "$i/small-hard.pdf"
ln -s data.txt "$i/data-soft.pdf"
cases=(
  "$i/labels.csv -o $i/labels.csv"
  "$i/labels.csv --preview -o $i/labels.csv"
  "--products $i/small.csv -o $i/small.csv"
  "$i/labels.csv --layout $i/data.txt -o $i/data.txt"
  "$i/labels.csv -o $i/labels-hard.pdf"
  "$i/labels.csv -o $i/labels-soft.pdf"
  "$i/labels.csv --preview -o $i/labels-hard.png"
  "--products $i/small.csv -o $i/small-hard.pdf"
  "$i/labels.csv --layout $i/data.txt -o $i/data-soft.pdf"
  "--products $i/small.csv --layout $i/data.txt -o $i/data-soft.pdf"
)
for c in "${cases[@]}"; do
  before=$(cat "$i"/labels.csv "$i"/small.csv "$i"/data.txt | sha256sum)
  # shellcheck disable=SC2086
  "$tool" $c 2>"$work/err"
  rc=$?
  same=0; [ "$(cat "$i"/labels.csv "$i"/small.csv "$i"/data.txt | sha256sum)" = "$before" ] && same=1
  ok=0
  { [ $rc = 1 ] && grep -q '入力ファイルと同じ' "$work/err"; } ||
    { [ $rc = 2 ] && grep -q 'の名前を指定してください' "$work/err"; } && ok=1
  [ $same = 1 ] && [ "$(temps "$i")" = 0 ] || ok=0
  record "output is an input" $ok $((1 - same)) "${c//$i\//} (rc $rc)"
done

# ---- special files as lists: an error within a second -------------------------------------
l="$work/lists"
mkdir -p "$l/folder"
mkfifo "$l/fifo"
for list in "$l/folder" "$l/fifo" /dev/zero; do
  start=$(date +%s%N)
  timeout 10 "$tool" --products "$list" -o "$l/out.pdf" 2>"$work/err"
  rc=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
  ok=0; [ $rc = 1 ] && [ ! -e "$l/out.pdf" ] && [ "$(temps "$l")" = 0 ] && oneLine "$work/err" && ok=1
  record "special file as list" $ok 0 "$list (rc $rc, ${ms} ms)"
  echo "faults: --products $list ended with $rc after ${ms} ms: $(head -1 "$work/err")"
done

# ---- a stray quote in row 3 of 20,000 -------------------------------------------------
"$tool" --products "$work/stray.csv" -o "$work/stray.pdf" 2>"$work/err"
rc=$?
pdftotext "$work/stray.pdf" "$work/stray.txt"
printed=$(grep -o 'P[0-9]\{5\}' "$work/stray.txt" | sort -u | wc -l)
ok=0
[ $rc = 3 ] && [ "$printed" = 19999 ] && ! grep -q P00003 "$work/stray.txt" &&
  grep -q "stray.csv:3: " "$work/err" && ok=1
record "stray quote" $ok $([ "$printed" = 19999 ] && echo 0 || echo 1) "19,999 of 20,000 printed ($printed), line 3 reported (rc $rc)"

# ---- one Shift-JIS row in a UTF-8 list ---------------------------------------------------
"$tool" --products "$work/mixed.csv" -o "$work/mixed.pdf" 2>"$work/err"
rc=$?
pdftotext "$work/mixed.pdf" "$work/mixed.txt"
right=$(grep -c '乳業' "$work/mixed.txt")
ok=0; [ $rc = 0 ] && [ "$right" = 30 ] && ! grep -q '荵' "$work/mixed.txt" && ok=1
record "mixed encodings" $ok $([ "$right" = 30 ] && echo 0 || echo 1) "30 rows, 乳業 on $right labels (rc $rc)"

# ---- a damaged label file -----------------------------------------------------------------
"$tool" "$work/damaged.csv" -o "$work/damaged.pdf" 2>"$work/err"
rc=$?
ok=0; [ $rc = 3 ] && grep -q ' 4 行目から' "$work/err" && [ "$(pages "$work/damaged.pdf")" = 1 ] && ok=1
record "damaged label file" $ok 0 "one field too many in record 3 (rc $rc)"

# ---- file names in code page 932 bytes (unpacked from a Windows archive) ------------------
# 棚札 and 商品 in code page 932: not UTF-8, so they must pass as the bytes they are.
sj="$work/$(printf '\x92\x49\x8e\x44')"
mkdir -p "$sj"
labelsSj="$sj/$(printf '\x92\x49\x8e\x44').csv"
listSj="$sj/$(printf '\x8f\xa4\x95\x69').csv"
layoutSj="$sj/$(printf '\x92\x49\x8e\x44').txt"
cp "$work/labels.csv" "$labelsSj"
cp "$work/small.csv" "$listSj"
cp "$work/data.txt" "$layoutSj"
sjCases=(
  "sheet:$sj/sheet.pdf:$labelsSj -o $sj/sheet.pdf"
  "preview:$sj/preview.png:$labelsSj --preview -o $sj/preview.png"
  "list:$sj/batch.pdf:--products $listSj -o $sj/batch.pdf"
  "layout:$sj/layout.pdf:--products $work/small.csv --layout $layoutSj -o $sj/layout.pdf"
  "calibration:$sj/calibration.pdf:--calibration --layout $layoutSj -o $sj/calibration.pdf"
)
for c in "${sjCases[@]}"; do
  what=${c%%:*}; rest=${c#*:}; out=${rest%%:*}; args=${rest#*:}
  # shellcheck disable=SC2086
  "$tool" $args 2>"$work/err"
  rc=$?
  ok=0; [ $rc = 0 ] && [ -s "$out" ] && [ "$(temps "$sj")" = 0 ] && ok=1
  record "code page 932 file names" $ok 0 "$what (rc $rc): $(head -1 "$work/err")"
done
# A missing file is named by its own bytes.
"$tool" "$sj/$(printf '\x96\xb3').csv" -o "$sj/none.pdf" 2>"$work/err"
rc=$?
ok=0; [ $rc = 1 ] && names "$sj/$(printf '\x96\xb3').csv" "ファイルがありません" && ok=1
record "code page 932 file names" $ok 0 "a missing file named as given (rc $rc)"

# ---- labels a batch prints, but not as their rows read ----------------------------------
"$tool" --products "$work/checked.csv" -o "$work/checked.pdf" 2>"$work/err"
rc=$?
ok=0
[ $rc = 3 ] && [ "$(pages "$work/checked.pdf")" = 1 ] && grep -q 'checked.csv:2: .*はみ出す' "$work/err" &&
  grep -q 'checked.csv:3: .*フォントにない' "$work/err" && ! grep -q 'checked.csv:[14]: ' "$work/err" && ok=1
record "batch label check" $ok 0 "clipped maker on line 2, undrawable character on line 3 (rc $rc)"

# ---- a maker of 300,000 to 1,000,000 characters -------------------------------------------
for n in 300000 600000 1000000; do
  "$tool" "$work/long$n.csv" -o "$work/long.pdf" 2>"$work/err"
  rc=$?
  ok=0; [ $rc = 3 ] && grep -q 'ラベル 1: メーカー等は長すぎるため、ラベルからはみ出す' "$work/err" &&
    [ "$(pages "$work/long.pdf")" = 1 ] && ok=1
  record "extreme text length" $ok 0 "$n characters clipped and reported (rc $rc)"
done

# ---- a Shift-JIS row that a lenient check takes for UTF-8 ---------------------------------
"$tool" --products "$work/sjis.csv" -o "$work/sjis.pdf" 2>"$work/err"
rc=$?
pdftotext "$work/sjis.pdf" "$work/sjis.txt"
ok=0; [ $rc = 0 ] && grep -q '焙（筍）' "$work/sjis.txt" && [ "$(grep -c '乳業' "$work/sjis.txt")" = 5 ] && ok=1
record "strict UTF-8" $ok 0 "焙（筍） read as Shift-JIS in automatic mode (rc $rc)"

# ---- copies where none can be made --------------------------------------------------------
# Copies are a printer's: a PDF or a picture with copies, or a count out of
# 1 to 999, is a wrong call (exit 2, one line) that draws and writes nothing.
c="$work/copies"
mkdir -p "$c"
cp "$work/labels.csv" "$c/"
cases=(
  "$c/labels.csv --copies 2 -o $c/out.pdf"
  "$c/labels.csv --preview --copies 2 -o $c/out.png"
  "--products $c/labels.csv --copies 2 -o $c/out.pdf"
  "$c/labels.csv --printer NoSuchPrinter --copies 0"
  "$c/labels.csv --printer NoSuchPrinter --copies 1000"
  "$c/labels.csv --printer NoSuchPrinter --copies -3"
)
for args in "${cases[@]}"; do
  # shellcheck disable=SC2086
  "$tool" $args 2>"$work/err"
  rc=$?
  ok=0
  [ $rc = 2 ] && grep -q -- '--copies' "$work/err" && oneLine "$work/err" &&
    [ ! -e "$c/out.pdf" ] && [ ! -e "$c/out.png" ] && [ "$(temps "$c")" = 0 ] && ok=1
  record "copies" $ok 0 "${args//$c\//} (rc $rc)"
done

# ---- a damaged print pattern: printed on the defaults, said, exit 3 ----------------------
for c in "priceline.csv:拡張" "colour.csv: 16 行目"; do
  name=${c%%:*}; said=${c#*:}
  rm -f "$work/pattern.pdf"
  "$tool" "$work/$name" -o "$work/pattern.pdf" 2>"$work/err"
  rc=$?
  ok=0; [ $rc = 3 ] && grep -q "$name" "$work/err" && grep -q "$said" "$work/err" &&
    [ "$(pages "$work/pattern.pdf")" = 1 ] && ok=1
  record "damaged print pattern" $ok 0 "$name printed (rc $rc)"
  "$tool" --products "$work/small.csv" --layout "$work/$name" -o "$work/pattern.pdf" 2>"$work/err"
  rc=$?
  ok=0; [ $rc = 3 ] && grep -q "$name" "$work/err" && ok=1
  record "damaged print pattern" $ok 0 "$name as the batch's pattern (rc $rc)"
done

# ---- a preferred pattern (data.txt) that cannot be read -----------------------------------
# The tool reads data.txt beside itself when its folder is writable: a copy of
# it in a folder of its own, with a folder or an oversized file in its place.
p="$work/portable"
mkdir -p "$p"
cp "$tool" "$p/"
for kind in folder oversized damaged; do
  rm -rf "$p/data.txt"
  case $kind in
    folder) mkdir "$p/data.txt" ;;
    oversized) head -c $((5 * 1024 * 1024)) /dev/zero | tr '\0' ' ' >"$p/data.txt" ;;
    damaged) { cat "$work/data.txt"; printf '"\x8a\x67\x92\xa3","\x89\xbf\x8a\x69\x95\x5c\x8e\xa6",9,0\r\n'; } >"$p/data.txt" ;;
  esac
  for how in batch calibration; do
    rm -f "$p/out.pdf"
    if [ $how = batch ]; then
      "$p/tanahuda-print" --products "$work/small.csv" -o "$p/out.pdf" 2>"$work/err"
    else
      "$p/tanahuda-print" --calibration -o "$p/out.pdf" 2>"$work/err"
    fi
    rc=$?
    ok=0; [ $rc = 3 ] && grep -q 'data.txt' "$work/err" && [ -s "$p/out.pdf" ] && ok=1
    record "preferred pattern unreadable" $ok 0 "data.txt $kind, $how (rc $rc)"
  done
done

# ---- exports as shops have them: UTF-16 cut short, a cell never closed, 100,000 rows -----
python3 - "$work" <<'PY'
import sys, os
work = sys.argv[1]
row = '4901234567894\t乳業\tP%05d\t100g\tL1\t198\r\n'
data = b'\xff\xfe' + ''.join(row % i for i in range(1, 31)).encode('utf-16-le')
# Cut in the middle of the last row's "8": half a character at the end.
open(os.path.join(work, 'cut16.txt'), 'wb').write(data[:-5])
rows = ['JAN,品名,説明,売価\r\n'] + ['4901234567894,P%05d,"一行目\r\n二行目",198\r\n' % i for i in range(1, 11)]
rows.append('4901234567894,P00011,"説明が閉じない\r\n')
rows += ['続きの行 %d\r\n' % i for i in range(1, 4)]
open(os.path.join(work, 'unclosed.csv'), 'w', encoding='utf-8', newline='').write(''.join(rows))
with open(os.path.join(work, 'list100k.csv'), 'w', encoding='utf-8', newline='') as f:
    f.write('\ufeff商品コード,商品名,メーカー,規格,税込価格,税率\r\n')
    for i in range(1, 100001):
        f.write('4901234567894,P%06d,乳業,"100g\r\n(冷蔵)",198,8\r\n' % i)
PY
"$tool" --products "$work/cut16.txt" -o "$work/cut16.pdf" 2>"$work/err"
rc=$?
pdftotext "$work/cut16.pdf" "$work/cut16.txt.out" 2>/dev/null
printed=$(grep -o 'P[0-9]\{5\}' "$work/cut16.txt.out" | sort -u | wc -l)
ok=0
[ $rc = 3 ] && [ "$printed" = 29 ] && grep -q "cut16.txt:30: " "$work/err" && ok=1
record "UTF-16 cut short" $ok $([ "$printed" = 29 ] && echo 0 || echo 1) "29 of 30 rows printed ($printed), line 30 reported (rc $rc)"

"$tool" --products "$work/unclosed.csv" -o "$work/unclosed.pdf" 2>"$work/err"
rc=$?
pdftotext "$work/unclosed.pdf" "$work/unclosed.txt" 2>/dev/null
printed=$(grep -o 'P[0-9]\{5\}' "$work/unclosed.txt" | sort -u | wc -l)
ok=0
[ $rc = 3 ] && [ "$printed" = 10 ] && grep -q "unclosed.csv:22: " "$work/err" &&
  ! grep -q '続きの行\|二行目$' "$work/unclosed.txt" && ! grep -q 'P00011' "$work/unclosed.txt" && ok=1
record "cell never closed" $ok $([ "$printed" = 10 ] && echo 0 || echo 1) "10 multi-line rows printed ($printed), line 22 reported (rc $rc)"

start=$(date +%s%N)
"$tool" --products "$work/list100k.csv" --dpi 150 -o "$work/list100k.pdf" 2>"$work/err"
rc=$?
ms=$(( ($(date +%s%N) - start) / 1000000 ))
ok=0; [ $rc = 0 ] && [ "$(pages "$work/list100k.pdf")" = 10000 ] && [ ! -s "$work/err" ] && ok=1
record "100,000 rows" $ok 0 "100,000 two-line rows, 10,000 pages (rc $rc, ${ms} ms)"
rm -f "$work/list100k.pdf"

# ---- the table -------------------------------------------------------------------------
printf '\n%-28s %6s %9s %10s\n' "fault class" tried survived "data lost"
for c in "${classes[@]}"; do
  printf '%-28s %6d %9d %10d\n' "$c" "${tried[$c]}" "${survived[$c]}" "${lost[$c]}"
done
[ $failures = 0 ] || { echo "faults: $failures not survived" >&2; exit 1; }
echo "faults: all survived"
