#!/usr/bin/env bash
# Times fenlow-cli apply against tr, sed, perl and python3 doing the same job
# on the same 50 MB CR LF UTF-8 text, as a script uses them: whole process,
# input from a file, output into a pipe that a reader (cat) drains. Each job
# runs 5 pairs side by side (fenlow-cli, then the other tool) and prints the
# medians, the ratio (the median of fenlow-cli's time divided by the other's:
# below 1.0 means fenlow-cli is faster), the peak memory of both, and whether
# their outputs are equal.
#
#   scripts/bench_cli.sh [BUILD_DIR] [JOB...]   (default build/engine-bench, Release)
# With JOB names (patterns matched against the job names), only those run.
build=$(realpath -m "${1:-$(dirname "$0")/../build/engine-bench}")
only=("${@:2}")
source "$(dirname "$0")/build_env.sh"
pairs=5
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
# The same text with its characters beyond ASCII dropped, for the jobs on
# ASCII text.
LC_ALL=C tr -d '\200-\377' <"$input" >"$work/ascii.txt"
mixed=$input
ascii=$work/ascii.txt

# Wall time in microseconds of "$1" (a shell command) reading $input, its
# output drained by cat through a pipe.
micros() {
  local start end
  start=${EPOCHREALTIME/./}
  bash -c "$1" <"$input" | cat >/dev/null
  end=${EPOCHREALTIME/./}
  echo $((end - start))
}

median() { sort -n | sed -n "$(((pairs + 1) / 2))p"; }

# Peak resident memory in MiB of "$1" reading $input into a pipe (sh runs
# the command in its own place, so this is the command's peak).
peak_mib() {
  /usr/bin/time -o "$work/peak" -f %M sh -c "$1" <"$input" | cat >/dev/null
  awk '{ printf "%.1f", $1 / 1024 }' "$work/peak"
}

printf '%-30s %-7s %9s %9s %7s %9s %9s  %s\n' job tool "fenlow s" "tool s" ratio \
  "fenlow MiB" "tool MiB" output
# Whether the job named "$1" is to run (JOB arguments, or all).
chosen() {
  [ ${#only[@]} -eq 0 ] && return 0
  local pattern
  for pattern in "${only[@]}"; do [[ $1 == *$pattern* ]] && return 0; done
  return 1
}

# job name | fenlow-cli arguments | then tool=command pairs, one per line.
run_job() {
  chosen "$1" || return 0
  local name=$1 fenlow="'$cli' apply $2"
  shift 2
  local fenlowPeak
  fenlowPeak=$(peak_mib "$fenlow")
  bash -c "$fenlow" <"$input" >"$work/out.fenlow"
  local pair
  for pair in "$@"; do
    local tool=${pair%%=*} command=${pair#*=} ours=() theirs=() ratios=() same
    for ((i = 0; i < pairs; i++)); do
      ours+=("$(micros "$fenlow")")
      theirs+=("$(micros "$command")")
      ratios+=("$(awk -v a="${ours[i]}" -v b="${theirs[i]}" 'BEGIN { printf "%.3f", a / b }')")
    done
    bash -c "$command" <"$input" >"$work/out.$tool"
    same=$(cmp -s "$work/out.fenlow" "$work/out.$tool" && echo same || echo DIFFERS)
    printf '%-30s %-7s %9s %9s %7s %9s %9s  %s\n' "$name" "$tool" \
      "$(printf '%s\n' "${ours[@]}" | median | awk '{ printf "%.3f", $1 / 1e6 }')" \
      "$(printf '%s\n' "${theirs[@]}" | median | awk '{ printf "%.3f", $1 / 1e6 }')" \
      "$(printf '%s\n' "${ratios[@]}" | median | awk '{ printf "%.2f", $1 }')" \
      "$fenlowPeak" "$(peak_mib "$command")" "$same"
  done
}

# CPU seconds (user + system, children included) and wall seconds of "$1"
# reading $input into a drained pipe, as "cpu wall".
cpu_and_wall() {
  /usr/bin/time -o "$work/times" -f '%U %S %e' bash -c "$1" <"$input" | cat >/dev/null
  awk '{ printf "%.3f %.3f", $1 + $2, $3 }' "$work/times"
}

# A chain in one fenlow-cli process against the same steps as fenlow-cli
# processes in a pipe: wall-time medians, their ratio, and the CPU time of
# both (the pipe runs on several cores).
run_chain_job() {
  chosen "$1" || return 0
  local name=$1 chain="'$cli' apply $2" piped=$3 ours=() theirs=() ratios=() oursCpu=() theirsCpu=()
  for ((i = 0; i < pairs; i++)); do
    read -r cpu wall <<<"$(cpu_and_wall "$chain")"
    ours+=("$wall") oursCpu+=("$cpu")
    read -r cpu wall <<<"$(cpu_and_wall "$piped")"
    theirs+=("$wall") theirsCpu+=("$cpu")
    ratios+=("$(awk -v a="${ours[i]}" -v b="${theirs[i]}" 'BEGIN { printf "%.3f", a / b }')")
  done
  bash -c "$chain" <"$input" >"$work/out.chain"
  bash -c "$piped" <"$input" >"$work/out.piped"
  printf '%-30s %-7s %9s %9s %7s %9s %9s  %s\n' "$name" pipe \
    "$(printf '%s\n' "${ours[@]}" | median)" "$(printf '%s\n' "${theirs[@]}" | median)" \
    "$(printf '%s\n' "${ratios[@]}" | median | awk '{ printf "%.2f", $1 }')" \
    "$(peak_mib "$chain")" "$(peak_mib "$piped")" \
    "$(cmp -s "$work/out.chain" "$work/out.piped" && echo same || echo DIFFERS)"
  printf '%-30s %-7s %9s %9s\n' "  CPU seconds (user+sys)" "" \
    "$(printf '%s\n' "${oursCpu[@]}" | median)" "$(printf '%s\n' "${theirsCpu[@]}" | median)"
}

py() { echo "python3 -c 'import sys; s = sys.stdin.buffer.read(); $1; sys.stdout.buffer.write(s)'"; }
pyu() { echo "python3 -c 'import sys; s = sys.stdin.buffer.read().decode(); $1; sys.stdout.buffer.write(s.encode())'"; }

echo "# The edits tr can do (target: ratio to tr <= 1.0, fenlow peak <= 32 MiB)"
run_job "Remove all spaces" remove-all-spaces \
  "tr=tr -d ' '" "sed=sed 's/ //g'" "perl=perl -pe 's/ //g'" "python=$(pyu "s = s.replace(\" \", \"\")")"
run_job "Remove all tabs" remove-all-tabs \
  "tr=tr -d '\t'" "sed=sed 's/\t//g'" "perl=perl -pe 's/\t//g'"
run_job "Replace all spaces with #" "replace-all-spaces --param1 '#'" \
  "tr=tr ' ' '#'" "sed=sed 's/ /#/g'" "perl=perl -pe 's/ /#/g'"
run_job "Remove numeric" remove-numeric \
  "tr=tr -d '0-9'" "sed=sed 's/[0-9]//g'" "perl=perl -pe 's/[0-9]//g'" "python=$(py "s = s.translate(None, b\"0123456789\")")"
run_job "Remove alphabet" remove-alphabet \
  "tr=tr -d 'A-Za-z'" "sed=LC_ALL=C sed 's/[A-Za-z]//g'" "perl=perl -pe 's/[A-Za-z]//g'"
run_job "Remove alphanumeric" remove-alphanumeric \
  "tr=tr -d 'A-Za-z0-9'" "perl=perl -pe 's/[A-Za-z0-9]//g'"
run_job "Remove non-alphanumeric" remove-non-alphanumeric \
  "tr=tr -cd 'A-Za-z0-9 \r\n\t'" "perl=perl -pe 's/[^A-Za-z0-9 \r\n\t]//g'"
run_job "Replace numeric with #" "replace-numeric --param1 '#'" \
  "tr=tr '0-9' '#'" "perl=perl -pe 's/[0-9]/#/g'"

echo "# Remove first x (target: ratio to perl -0777 <= 1.0, fenlow peak <= 32 MiB)"
run_job "Remove first 3 characters" "remove-first --param1 3" \
  "perl=perl -0777 -pe 'substr(\$_, 0, 3) = \"\"'" "sed=sed -z 's/^...//'" "python=$(pyu "s = s[3:]")"

echo "# Spaces except single, lists (target: ratio to sed or perl <= 0.33, fenlow peak <= 32 MiB)"
run_job "Spaces except single" remove-spaces-except-single \
  "sed=sed 's/  / /g'" "perl=perl -pe 's/  / /g'" "python=$(pyu "s = s.replace(\"  \", \" \")")"
run_job "Remove list the/of" "remove-list --param1-file '$work/list'" \
  "perl=perl -pe 's/the//g; s/of//g'" "sed=sed 's/the//g; s/of//g'" \
  "python=$(pyu "s = s.replace(\"the\", \"\").replace(\"of\", \"\")")"

echo "# Other edits"
run_job "Remove blank lines" remove-blank-lines \
  "sed=sed -z -E 's/(\r\n){2,}/\r\n/g'" "perl=perl -0777 -pe 's/(\r\n){2,}/\r\n/g'" \
  "python=$(py "import re; s = re.sub(rb\"(?:\\r\\n){2,}\", b\"\\r\\n\", s)")"
run_job "Remove text before 'Fenlow'" "remove-before-delimiter --param1 Fenlow" \
  "perl=perl -0777 -pe 's/^.*?(?=Fenlow)//s'" "python=$(py "s = s[s.find(b\"Fenlow\"):]")"

echo "# Case (targets: upper-case on ASCII ratio to tr <= 1.0; on mixed text to python <= 0.33)"
input=$ascii
run_job "Upper case, ASCII text" upper-case "tr=tr a-z A-Z"
input=$mixed
run_job "Upper case, mixed text" upper-case "python=$(pyu "s = s.upper()")"
run_job "Lower case, mixed text" lower-case "python=$(pyu "s = s.lower()")"
run_job "Title case, mixed text" title-case "python=$(pyu "s = s.title()")"
run_job "Sentence case, mixed text" sentence-case "cat=cat"

echo "# Lines and spaces (target: fenlow peak <= 32 MiB for each streaming edit)"
run_job "Trim lines" trim-lines "perl=perl -pe 's/^[ \t]+//; s/[ \t]+(?=\r?\$)//'"
run_job "Collapse spaces" collapse-spaces "tr=tr -s ' '" "sed=sed -E 's/ {2,}/ /g'"
run_job "Unwrap lines" unwrap-lines \
  "perl=perl -0777 -pe 's/(?<=[^ \t\r\n])[ \t]*(\r\n|\r|\n)[ \t]*(?=[^ \t\r\n])/ /g'"
run_job "Plain typography" plain-typography "sed=sed 's/\xC2\xA0/ /g'"
run_job "Remove invisible" remove-invisible "sed=sed 's/\xC2\xAD//g'"

echo "# Whole-text line edits (targets: ratio to sort and to awk <= 1.0; their memory)"
run_job "Sort lines" sort-lines "sort=LC_ALL=C sort -s"
run_job "Remove duplicate lines" remove-duplicate-lines "awk=awk '!seen[\$0]++'"

echo "# A pattern (target: ratio to sed -E <= 1.0; it needs the whole text)"
run_job "Pattern [0-9]+ to #" "regex-replace --param1 '[0-9]+' --param2 '#'" \
  "sed=sed -E 's/[0-9]+/#/g'" "perl=perl -pe 's/[0-9]+/#/g'"

echo "# A chain of three streaming steps (target: wall ratio to the pipe <= 1.0)"
run_chain_job "Tabs, spaces, trim" "remove-all-tabs then collapse-spaces then trim-lines" \
  "'$cli' apply remove-all-tabs | '$cli' apply collapse-spaces | '$cli' apply trim-lines"
