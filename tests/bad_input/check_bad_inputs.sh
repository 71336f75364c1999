#!/usr/bin/env bash
# Every file of the bad-input folder through this build's glyphrane-cli under Wine:
# a definition file with a good picture, any other file as the picture with a
# shipped glyph set. Each run must end within the time bound with exit 0 (the file
# made sense after all) or exit 1 with the one message of its kind, never another
# exit status, another message, or a crash. Runs that take long are named.
# usage: check_bad_inputs.sh WORK_FOLDER BUILD_FOLDER
set -euo pipefail
repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
work=$1 build=$2
bad=$repo/tests/data/bad
bound=60   # seconds for one run, Wine's start included
slow=5     # a run longer than this is reported

rm -rf "$work"
mkdir -p "$work/program/data" "$work/outputs"
cp "$build/app/cli/glyphrane-cli.exe" "$build/image/plugins/netpbm/netpbm.spi" "$work/program/"
cp "$repo/data/ascii-3x6.txt" "$work/program/data/"
cd "$work"
convert -size 36x36 gradient:black-white -strip BMP3:good.bmp
cp "$bad"/* . && rm -f make_bad_inputs.py

message() { printf '%s\r\n' "$1" | iconv -f UTF-8 -t CP932; }
message "定義ファイルの読み込みに失敗しました。" >definition-refused
message "画像ファイルの読み込みに失敗しました。" >picture-refused

checked=0 faults=0 converted=0
for file in $(cd "$bad" && ls | grep -v '^make_bad_inputs\.py$'); do
  case $file in
    definitions-*) arguments=(--definition-file "$file" good.bmp) refused=definition-refused ;;
    *) arguments=(--definition ascii-3x6 "$file") refused=picture-refused ;;
  esac
  started=$(date +%s%N)
  status=0
  timeout "$bound" "$repo/tools/wine-run" program/glyphrane-cli.exe "${arguments[@]}" \
      </dev/null >outputs/out 2>outputs/err || status=$?
  elapsed=$(( ($(date +%s%N) - started) / 1000000 ))
  checked=$((checked + 1))
  verdict=
  case $status in
    0) converted=$((converted + 1))
       [ -s outputs/err ] && verdict="exit 0 with a message on standard error" ;;
    1) cmp -s outputs/err "$refused" ||
         verdict="exit 1 with another message ($(wc -c <outputs/err) bytes, $(wc -c <outputs/out) on standard output): $(iconv -f CP932 -t UTF-8 <outputs/err 2>&1)"
       # Silence on both streams is also how Wine ends a start it could not
       # make; a second run with Wine's errors shown says which it was.
       if [ -n "$verdict" ] && [ ! -s outputs/err ] && [ ! -s outputs/out ]; then
         verdict+="; run again with Wine's errors: $(WINEDEBUG=err+all timeout "$bound" \
           "$repo/tools/wine-run" program/glyphrane-cli.exe "${arguments[@]}" </dev/null 2>&1 \
           >/dev/null | iconv -f CP932 -t UTF-8 2>&1 | tr '\r\n' '  ')"
       fi ;;
    124) verdict="no end within $bound s" ;;
    *) verdict="exit status $status" ;;
  esac
  if [ -n "$verdict" ]; then
    faults=$((faults + 1))
    echo "FAULT $file: $verdict"
  elif [ "$elapsed" -gt $((slow * 1000)) ]; then
    echo "slow $file: exit $status after $elapsed ms"
  fi
done
echo "$((checked - faults)) of $checked bad inputs ended with exit 0 or 1 and the right message" \
     "($converted converted, the others refused)"
[ "$faults" -eq 0 ]
