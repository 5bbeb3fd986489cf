#!/usr/bin/env bash
# Runs every fuzz target for SECONDS on its corpus, JOBS at a time, and fails on any crash,
# leak, timeout or sanitizer report. New inputs go to BUILD_DIR, never into the tree's corpus.
# Usage: run.sh BUILD_DIR SECONDS
set -uo pipefail
build=$(cd "$1" && pwd)
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
out=$build/fuzz-run
rm -rf "$out"
mkdir -p "$out"
export UBSAN_OPTIONS=print_stacktrace=1

run_one() {
  local target=$1 dict=()
  case $target in
    fuzz_template_loader | fuzz_wellformed_check | fuzz_markup) dict=(-dict="$here/xml.dict") ;;
  esac
  mkdir -p "$out/$target/corpus" "$out/$target/artifacts"
  if "$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$out/$target/artifacts/" "${dict[@]}" \
       "$out/$target/corpus" "$here/corpus/$target" >"$out/$target.log" 2>&1; then
    echo "fuzz: $target clean ($(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' \
      "$out/$target.log" | grep -o '[0-9]*$') runs)"
  else
    echo "fuzz: $target FAILED, log in $out/$target.log, input in $out/$target/artifacts"
    touch "$out/$target.failed"
  fi
}

for corpus in "$here"/corpus/*/; do
  while [ "$(jobs -rp | wc -l)" -ge "${JOBS:-2}" ]; do wait -n; done
  run_one "$(basename "$corpus")" &
done
wait

status=0
for mark in "$out"/*.failed; do
  [ -e "$mark" ] || continue
  status=1
  echo "==== ${mark%.failed}.log"
  grep -v -E '^(#[0-9]+|INFO:|MERGE|\s*$)' "${mark%.failed}.log" | head -60
done
exit $status
