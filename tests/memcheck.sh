#!/usr/bin/env bash
# Runs test binaries under valgrind's memcheck, JOBS at a time, and fails when any of them
# reports a memory error or a definite leak. Valgrind sees inside the editor control, which
# the sanitizer build does not instrument.
# Usage: memcheck.sh BUILD_DIR TEST[:SHARDS]...
# TEST is a path below BUILD_DIR/tests; with SHARDS its cases are split over that many runs.
set -uo pipefail
build=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
logs=$build/memcheck
rm -rf "$logs"
mkdir -p "$logs"

# run_one TEST NAME [SHARD SHARDS]
run_one() {
  local test=$1 name=$2
  # Regular expressions compiled to machine code at run time are code valgrind cannot follow.
  if GTEST_SHARD_INDEX=${3:-0} GTEST_TOTAL_SHARDS=${4:-1} QT_QPA_PLATFORM=offscreen \
     QT_ENABLE_REGEXP_JIT=0 \
     valgrind --tool=memcheck --error-exitcode=99 \
       --leak-check=full --errors-for-leak-kinds=definite --show-leak-kinds=definite \
       --num-callers=40 --gen-suppressions=all --suppressions="$here/valgrind.supp" \
       "$build/tests/$test" >"$logs/$name.log" 2>&1; then
    echo "memcheck: $name clean"
  else
    echo "memcheck: $name FAILED, log in $logs/$name.log"
    touch "$logs/$name.failed"
  fi
}

for entry in "$@"; do
  test=${entry%%:*}
  shards=1
  [ "$entry" = "$test" ] || shards=${entry#*:}
  for ((shard = 0; shard < shards; ++shard)); do
    while [ "$(jobs -rp | wc -l)" -ge "${JOBS:-2}" ]; do wait -n; done
    name=$(basename "$test")
    [ "$shards" -eq 1 ] || name=$name.$shard
    run_one "$test" "$name" "$shard" "$shards" &
  done
done
wait

failed=$(find "$logs" -name '*.failed' | wc -l)
for mark in "$logs"/*.failed; do
  [ -e "$mark" ] || continue
  log=${mark%.failed}.log
  echo "==== $log"
  grep -E '^==[0-9]+== ' "$log" | head -80
done
[ "$failed" -eq 0 ]
