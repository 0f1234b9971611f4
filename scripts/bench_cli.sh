#!/usr/bin/env bash
# Times fenlow-cli apply against tr, sed, perl and python3 doing the same job
# on the same 50 MB CR LF UTF-8 text: whole process, file in, file out.
# Prints the median of 5 runs per tool, the ratio to fenlow-cli, whether each
# tool's output equals fenlow-cli's, and fenlow-cli's peak memory.
#
#   scripts/bench_cli.sh [BUILD_DIR]   (default build/engine-bench, Release)
build=$(realpath -m "${1:-$(dirname "$0")/../build/engine-bench}")
source "$(dirname "$0")/build_env.sh"
runs=5
size=$((50 * 1000 * 1000))

ensure_packages "${FENLOW_BUILD_PACKAGES[@]}" "${FENLOW_BENCH_PACKAGES[@]}"
fenlow_build native "$build" -DCMAKE_BUILD_TYPE=Release -DFENLOW_BUILD_TESTS=OFF \
  -DFENLOW_BUILD_BENCH=ON fenlow-cli write_sample_text >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
input=$work/input.txt
"$build/bench/write_sample_text" "$size" >"$input"
cli=$build/fenlow-cli
printf 'the\r\nof' >"$work/list"

# Median wall time in seconds of running "$1" (a shell command reading
# $input and writing $work/out.$2).
median_seconds() {
  local command=$1 tag=$2 times=()
  for ((i = 0; i < runs; i++)); do
    local start end
    start=$(date +%s%N)
    bash -c "$command" <"$input" >"$work/out.$tag"
    end=$(date +%s%N)
    times+=("$(((end - start) / 1000))")
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n "$(((runs + 1) / 2))p" |
    awk '{ printf "%.3f", $1 / 1e6 }'
}

peak_mb() {
  /usr/bin/time -f %M bash -c "$1" <"$input" 2>&1 >/dev/null | tail -1 | awk '{ printf "%.0f", $1 / 1024 }'
}

printf '%-34s %-7s %8s %8s  %s\n' job tool median ratio output
# job name | fenlow-cli arguments | then tool=command pairs, one per line.
run_job() {
  local name=$1 fenlow=$2
  shift 2
  local base
  base=$(median_seconds "'$cli' apply $fenlow" fenlow)
  printf '%-34s %-7s %8s %8s  peak %s MB for %s MB in\n' "$name" fenlow "$base" 1.00 \
    "$(peak_mb "'$cli' apply $fenlow")" $((size / 1000000))
  local pair
  for pair in "$@"; do
    local tool=${pair%%=*} command=${pair#*=} seconds same
    seconds=$(median_seconds "$command" "$tool")
    same=$(cmp -s "$work/out.fenlow" "$work/out.$tool" && echo same || echo DIFFERS)
    printf '%-34s %-7s %8s %8s  %s\n' "" "$tool" "$seconds" \
      "$(awk -v a="$seconds" -v b="$base" 'BEGIN { printf "%.2f", a / b }')" "$same"
  done
}

py() { echo "python3 -c 'import sys; s = sys.stdin.buffer.read(); $1; sys.stdout.buffer.write(s)'"; }
pyu() { echo "python3 -c 'import sys; s = sys.stdin.buffer.read().decode(); $1; sys.stdout.buffer.write(s.encode())'"; }

echo "# Character-class edits and single-character removals/replacements (target: tr ratio >= 1.0)"
run_job "Remove all spaces" "'Remove all spaces in clipboard'" \
  "tr=tr -d ' '" "sed=sed 's/ //g'" "perl=perl -pe 's/ //g'" "python=$(pyu "s = s.replace(\" \", \"\")")"
run_job "Remove all tabs" "'Remove all tabs in clipboard'" \
  "tr=tr -d '\t'" "sed=sed 's/\t//g'" "perl=perl -pe 's/\t//g'" "python=$(pyu "s = s.replace(\"\\t\", \"\")")"
run_job "Replace all spaces with #" "'Replace all spaces in clipboard with...' --param1 '#'" \
  "tr=tr ' ' '#'" "sed=sed 's/ /#/g'" "perl=perl -pe 's/ /#/g'" "python=$(pyu "s = s.replace(\" \", \"#\")")"
run_job "Remove numeric" "'Remove numeric character(s) in clipboard'" \
  "tr=tr -d '0-9'" "sed=sed 's/[0-9]//g'" "perl=perl -pe 's/[0-9]//g'" "python=$(py "s = s.translate(None, b\"0123456789\")")"
run_job "Remove alphabet" "'Remove alphabet character(s) in clipboard'" \
  "tr=tr -d 'A-Za-z'" "sed=LC_ALL=C sed 's/[A-Za-z]//g'" "perl=perl -pe 's/[A-Za-z]//g'"
run_job "Remove alphanumeric" "'Remove alphanumeric character(s) in clipboard'" \
  "tr=tr -d 'A-Za-z0-9'" "perl=perl -pe 's/[A-Za-z0-9]//g'"
run_job "Remove non-alphanumeric" "'Remove non-alphanumeric character(s) in clipboard'" \
  "tr=tr -cd 'A-Za-z0-9 \r\n\t'" "perl=perl -pe 's/[^A-Za-z0-9 \r\n\t]//g'"
run_job "Replace numeric with #" "'Replace numeric character(s) in clipboard with...' --param1 '#'" \
  "tr=tr '0-9' '#'" "perl=perl -pe 's/[0-9]/#/g'"

echo "# Other edits (target: 3x faster than the fastest of sed, perl, python)"
run_job "Spaces except single" "'Remove all spaces except for single space between words in clipboard'" \
  "sed=sed 's/  / /g'" "perl=perl -pe 's/  / /g'" "python=$(pyu "s = s.replace(\"  \", \" \")")"
run_job "Remove blank lines" "'Remove all blank lines (enters) in clipboard'" \
  "sed=sed -z -E 's/(\r\n){2,}/\r\n/g'" "perl=perl -0777 -pe 's/(\r\n){2,}/\r\n/g'" \
  "python=$(py "import re; s = re.sub(rb\"(?:\\r\\n){2,}\", b\"\\r\\n\", s)")"
run_job "Remove list the/of" "'Remove x (user-specified) character(s) in clipboard' --param1-file '$work/list'" \
  "sed=sed 's/the//g; s/of//g'" "perl=perl -pe 's/the//g; s/of//g'" \
  "python=$(pyu "s = s.replace(\"the\", \"\").replace(\"of\", \"\")")"
run_job "Remove first 3 characters" "'Remove first x character(s) in clipboard' --param1 3" \
  "sed=sed -z 's/^...//'" "perl=perl -0777 -pe 'substr(\$_, 0, 3) = \"\"'" "python=$(pyu "s = s[3:]")"
run_job "Remove text before 'Fenlow'" "'Remove all text before user-defined character(s) in clipboard' --param1 Fenlow" \
  "perl=perl -0777 -pe 's/^.*?(?=Fenlow)//s'" "python=$(py "s = s[s.find(b\"Fenlow\"):]")"
