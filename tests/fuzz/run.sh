#!/usr/bin/env bash
# Replays every fuzz target's seed corpus, then fuzzes each target for a while in a scratch copy of it.
# usage: tests/fuzz/run.sh BUILD_DIR [SECONDS_PER_TARGET]    (BUILD_DIR built with the "fuzz" preset)
# A crash, a leak, a hang or a broken property fails the run; the input that did it is kept in ./fuzz-findings.
set -euo pipefail
build=$(readlink -f "$1")
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# The targets make their data files under TMPDIR, and libFuzzer ends them without running their clean-up.
export TMPDIR="$scratch/tmp"
mkdir -p "$TMPDIR"
findings=$(pwd)/fuzz-findings
status=0
# Every target the build made, each with its seed corpus; a target without one fails, so none is skipped.
targets=$(find "$build/tests/fuzz" -maxdepth 1 -type f -name 'Fuzz*' -executable -printf '%f\n' | sort)
[ -n "$targets" ] || { echo "no fuzz targets in $build/tests/fuzz: build the fuzz preset first"; exit 1; }
for target in $targets; do
    binary="$build/tests/fuzz/$target"
    corpus="$here/corpus/$target/"
    [ -d "$corpus" ] || { echo "$target: no seed corpus in $corpus"; status=1; continue; }
    mkdir -p "$scratch/$target" "$findings"
    cp -R "$corpus." "$scratch/$target/"
    if ! "$binary" -runs=0 "$corpus" >"$scratch/$target.replay.log" 2>&1; then
        echo "$target: the seed corpus fails"; tail -n 30 "$scratch/$target.replay.log"; status=1; continue
    fi
    if [ "$seconds" -gt 0 ]; then
        if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
                -artifact_prefix="$findings/$target-" "$scratch/$target" >"$scratch/$target.log" 2>&1; then
            echo "$target: FAILED"; tail -n 40 "$scratch/$target.log"; status=1; continue
        fi
        runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$scratch/$target.log" | grep -o '[0-9]*$')
        echo "$target: $runs executions in ${seconds} s, no finding"
    else
        echo "$target: seed corpus replayed"
    fi
done
exit $status
