#!/usr/bin/env bash
# Runs the start-up and click benchmarks under a private Xvfb display, in a copy of the sample data.
# usage: bench/startup.sh BUILD_DIR [ROUNDS]
set -euo pipefail
build=$(readlink -f "${1:-build/release}")
rounds=${2:-15}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/tests/lib.sh"
work=$(mktemp -d)
trap 'stop_started; rm -rf "$work"' EXIT
mkdir "$work/data"
cp -R "$source_dir/data/." "$work/data/"
start_xvfb "$work"
cd "$work/data"
"$build/bench/daywick-bench-startup" "$rounds"
"$build/bench/daywick-bench-click" --benchmark_min_time=2
