#!/usr/bin/env bash
# One day report pass over a big data directory, side by side with wc -l and grep -c over the same five
# files, and the pass's peak memory. Makes the directory with daywick-make-big-data when it is missing.
# usage: bench/pass-vs-tools.sh BUILD_DIR [DATA_DIR] [RUNS]
set -euo pipefail
build=$(readlink -f "${1:-build/release}")
dir=${2:-/tmp/daywick-big-data}
runs=${3:-31}
files=(Event.txt Monthly.txt Tanjyou.txt Hana.txt History.txt)
if [ ! -f "$dir/History.txt" ]; then
    mkdir -p "$dir"
    "$build/tools/make-big-data/daywick-make-big-data" "$dir"
fi
cd "$dir"
cat "${files[@]}" >/dev/null  # all five in the page cache first

# The median wall time of a command over the runs, in milliseconds.
median_ms() {
    local times=()
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        times+=($(( (end - start) / 1000 )))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" 'NR == int((n + 1) / 2) { printf "%.1f", $1 / 1000 }'
}

report="$build/tools/daywick-report/daywick-report"
echo "data: $(du -shc "${files[@]}" | tail -1 | cut -f1), $(cat "${files[@]}" | wc -l) records"
wc_ms=$(median_ms wc -l "${files[@]}")
grep_ms=$(median_ms grep -c 0110 "${files[@]}")
pass_ms=$(median_ms "$report" --dir . --date 2000-01-10 --raw events)
peak_kb=$(/usr/bin/time -f %M "$report" --dir . --date 2000-01-10 --raw events 2>&1 >/dev/null | tail -1)
awk -v w="$wc_ms" -v g="$grep_ms" -v p="$pass_ms" -v m="$peak_kb" 'BEGIN {
    printf "wc -l %.1f ms, grep -c %.1f ms, one pass %.1f ms: %.2f x wc -l, %.2f x grep -c; peak memory %.1f MB\n",
           w, g, p, p / w, p / g, m / 1024 }'
