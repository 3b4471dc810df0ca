#!/usr/bin/env bash
# Codec benchmarks, side by side with other tools on the same files, in one run:
#   packing -lh5- against zip -6 and gzip -6 (MB/s) and archive size against jlha's -lh5-;
#   decoding against bsdtar (to /dev/null and to files); peak memory on a 1 GiB file.
# Builds build/bench optimised, without sanitizers. Needs zip, gzip, bsdtar, jlha.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
bench=${QUILLET_BUILD:-$root/build}/bench

cmake -S "$root" -B "$bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DQUILLET_SANITIZE=OFF -DQUILLET_FUZZ=OFF -DQUILLET_TESTS=OFF >/dev/null
cmake --build "$bench" --target lhapack >/dev/null
lhapack=$bench/bench/lhapack

work=$(mktemp -d "${TMPDIR:-/tmp}/lha-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT
corpus=$work/corpus
mkdir -p "$corpus/bin" "$corpus/text" "$corpus/saves"

# ~25 MB of programs, ~15 MB of text, 5,000 small save-like files (~10 MB).
take() {  # from-folder to-folder megabytes find-arguments...
  local from=$1 to=$2 limit=$(( $3 * 1024 * 1024 )) total=0; shift 3
  while IFS= read -r f; do
    local size; size=$(stat -c %s "$f")
    (( total + size > limit )) && continue
    mkdir -p "$to/$(dirname "${f#$from/}")"
    cp "$f" "$to/${f#$from/}"
    total=$(( total + size ))
    (( total > limit - 65536 )) && break
  done < <(find "$from" "$@" -type f -size -4M | LC_ALL=C sort)
}
take /usr/bin "$corpus/bin" 25
take /usr/include "$corpus/text" 15 -name '*.h'
python3 - "$corpus/saves" <<'PY'
import os, random, struct, sys
r = random.Random(7)
names = [b"ARIA", b"BRAND", b"CECIL", b"DORA", b"EDGAR"]
for i in range(5000):
    d = os.path.join(sys.argv[1], "slot%02d" % (i // 100))
    os.makedirs(d, exist_ok=True)
    body = bytearray(b"SAVE" + struct.pack("<HI", 3, i))
    body += names[i % 5].ljust(16, b"\0")
    for _ in range(r.randint(60, 500)):  # records: item id, count, flags, a little padding
        body += struct.pack("<HHB", r.randint(0, 300), r.randint(0, 99), r.choice((0, 0, 1, 3))) + bytes(r.choice((0, 1, 3)))
    body += bytes(r.randint(0, 512))
    with open(os.path.join(d, "save%04d.dat" % i), "wb") as f:
        f.write(body)
PY
bytes=$(du -sb "$corpus" | cut -f1)
cat $(find "$corpus" -type f) >/dev/null  # warm the cache for every tool alike

seconds() {  # best wall time of three runs of a command
  local best=""
  for _ in 1 2 3; do
    local t0 t1; t0=$(date +%s.%N); "$@" >/dev/null 2>&1; t1=$(date +%s.%N)
    best=$(echo "$t0 $t1 $best" | awk '{d=$2-$1; if ($3 == "" || d < $3) print d; else print $3}')
  done
  echo "$best"
}
rate() { echo "$1 $2" | awk '{printf "%7.1f MB/s", $1 / 1048576 / $2}'; }
size_of() { stat -c %s "$1"; }

cd "$work"
pack_lh5() { rm -f ours.lzh; "$lhapack" c -lh5 ours.lzh corpus; }
pack_lh7() { rm -f ours7.lzh; "$lhapack" c -lh7 ours7.lzh corpus; }
pack_zip() { rm -f z.zip; zip -r -6 -q z.zip corpus; }
pack_gzip() { tar -cf - corpus | gzip -6 > t.tar.gz; }
pack_jlha() { rm -f j.lzh; jlha -a2o5 j.lzh corpus; }
unpack_null() { "$lhapack" t ours.lzh; }
bsdtar_null() { bsdtar -xOf ours.lzh > /dev/null; }
unpack_files() { rm -rf x1 && mkdir x1 && "$lhapack" x ours.lzh x1; }
bsdtar_files() { rm -rf x2 && mkdir x2 && bsdtar -xf ours.lzh -C x2; }

printf '\ncorpus: %.1f MB in %d files (programs, headers, 5,000 saves)\n\n' \
  "$(echo "$bytes" | awk '{print $1/1048576}')" "$(find "$corpus" -type f | wc -l)"
printf '%-28s %10s %14s %12s\n' "packing" "seconds" "speed" "size"
for t in lh5 lh7 zip gzip; do
  s=$(seconds pack_$t)
  case $t in lh5) f=ours.lzh;; lh7) f=ours7.lzh;; zip) f=z.zip;; gzip) f=t.tar.gz;; esac
  printf '%-28s %10.2f %14s %12d\n' "$t" "$s" "$(rate "$bytes" "$s")" "$(size_of $f)"
done
t0=$(date +%s.%N); pack_jlha >/dev/null 2>&1; t1=$(date +%s.%N)
s=$(echo "$t0 $t1" | awk '{print $2-$1}')
printf '%-28s %10.2f %14s %12d\n' "jlha -lh5- (one run)" "$s" "$(rate "$bytes" "$s")" "$(size_of j.lzh)"
[ "$(size_of ours.lzh)" -le "$(size_of j.lzh)" ] && echo "  -lh5- archive no larger than jlha's" || echo "  -lh5- archive LARGER than jlha's"

printf '\n%-28s %10s %14s\n' "decoding ours.lzh" "seconds" "speed"
for t in unpack_null bsdtar_null unpack_files bsdtar_files; do
  s=$(seconds $t)
  printf '%-28s %10.2f %14s\n' "$t" "$s" "$(rate "$bytes" "$s")"
done
diff -r corpus x1/ >/dev/null && diff -r corpus x2/ >/dev/null && echo "  both extractions identical to the corpus"

# Peak memory on one file of 1 GiB made of the corpus repeated.
mkdir big
find corpus -type f | LC_ALL=C sort | xargs cat > one
while [ "$(size_of big/one 2>/dev/null || echo 0)" -lt 1073741824 ]; do cat one >> big/one; done
truncate -s 1073741824 big/one
rm one
peak() { /usr/bin/time -v "$@" 2>&1 >/dev/null | awk -F: '/Maximum resident/ {printf "%6.1f MiB", $2/1024}'; }
printf '\n%-28s %10s %12s\n' "1 GiB file" "seconds" "peak RSS"
for what in pack unpack; do
  t0=$(date +%s.%N)
  if [ $what = pack ]; then m=$(peak "$lhapack" c -lh5 big.lzh big); else m=$(peak "$lhapack" t big.lzh); fi
  t1=$(date +%s.%N)
  printf '%-28s %10.2f %12s\n' "$what" "$(echo "$t0 $t1" | awk '{print $2-$1}')" "$m"
done
printf '%-28s %10s %12s\n' "(packed size)" "" "$(size_of big.lzh)"
