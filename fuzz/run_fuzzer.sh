#!/usr/bin/env bash
# run_fuzzer.sh FUZZER CORPUS SCRATCH SECONDS
# Runs every seed once, then fuzzes for SECONDS with the seeds copied to
# SCRATCH (so new inputs land there, not in the repository). A finding
# leaves its input in SCRATCH/findings and exits non-zero.
set -euo pipefail
fuzzer=$1 corpus=$2 scratch=$3 seconds=$4
rm -rf "$scratch"
mkdir -p "$scratch/corpus" "$scratch/findings"
cp "$corpus"/* "$scratch/corpus/"
"$fuzzer" -runs=0 "$corpus"
exec "$fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=30 -rss_limit_mb=2048 \
  -artifact_prefix="$scratch/findings/" -print_final_stats=1 "$scratch/corpus"
