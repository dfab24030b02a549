#!/usr/bin/env bash
# The fuzz preset's test of one target: replays every input of its corpus, then fuzzes for a few
# seconds starting from it. A crash, leak, undefined behaviour, timeout or out-of-memory fails.
# The corpus folder is only read; new inputs and any crashing input go to the scratch folder.
#   regress.sh FUZZER CORPUS_DIR SCRATCH_DIR SECONDS
set -euo pipefail
fuzzer=$1 corpus=$2 scratch=$3 seconds=$4
rm -rf "$scratch"
mkdir -p "$scratch/new" "$scratch/artifacts"
if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
     -artifact_prefix="$scratch/artifacts/" "$scratch/new" "$corpus" 2>"$scratch/log"; then
  tail -n 60 "$scratch/log"
  echo "failing input: $(ls "$scratch"/artifacts/* 2>/dev/null | head -1)"
  exit 1
fi
grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|INFO: seed corpus)' "$scratch/log" || true
