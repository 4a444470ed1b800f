#!/usr/bin/env bash
# One day report pass over a big data directory, side by side with wc -l and grep -c over the same five
# files, and the pass's peak memory. The directory is made afresh by daywick-make-big-data for each run of
# this script and removed after it, so that no file left by another version is measured.
# usage: bench/pass-vs-tools.sh BUILD_DIR [RUNS]    (a build with the benchmarks, e.g. build/release)
# A command that fails ends the script with its error: a failing run is never timed as if it had worked.
set -euo pipefail
build=$(readlink -f "${1:-build/release}")
runs=${2:-31}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
. "$source_dir/tests/lib.sh"

# GNU time for the peak memory (Debian's package "time"; bash's own time keyword cannot tell it).
if [ ! -x /usr/bin/time ]; then
    echo "pass-vs-tools: installing the package time for /usr/bin/time"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends time
fi
report="$build/tools/daywick-report/daywick-report"
make_data="$build/tools/make-big-data/daywick-make-big-data"
[ -x "$report" ] && [ -x "$make_data" ] || fail "no daywick-report or daywick-make-big-data in $build"

dir=$(mktemp -d /tmp/daywick-big-data.XXXXXX)
trap 'rm -rf "$dir"' EXIT
"$make_data" "$dir"
# The same five files the pass reads, in its order, as the report tool names them in its usage.
mapfile -t files < <(cd "$dir" && ls -1 ./*.txt | sed 's|^\./||')
[ "${#files[@]}" -eq 5 ] || fail "daywick-make-big-data made ${#files[@]} files, not 5"
cd "$dir"
cat "${files[@]}" >/dev/null # all five in the page cache first

# The median wall time of a command over the runs, in milliseconds; the script stops at a failing run.
median_ms() {
    local times=()
    for _ in $(seq "$runs"); do
        local start end
        start=$(date +%s%N)
        "$@" >/dev/null 2>"$dir/stderr" || fail "$* failed: $(cat "$dir/stderr")"
        end=$(date +%s%N)
        times+=($(((end - start) / 1000)))
    done
    printf '%s\n' "${times[@]}" | sort -n | awk -v n="$runs" 'NR == int((n + 1) / 2) { printf "%.1f", $1 / 1000 }'
}

echo "data: $(du -shc "${files[@]}" | tail -1 | cut -f1), $(cat "${files[@]}" | wc -l) records"
wc_ms=$(median_ms wc -l "${files[@]}")
# grep -c exits 1 when a file has no match; every file has records of 10 January.
grep_ms=$(median_ms grep -c 0110 "${files[@]}")
pass_ms=$(median_ms "$report" --dir . --date 2000-01-10 --raw events)
peak_kb=$(/usr/bin/time -f %M "$report" --dir . --date 2000-01-10 --raw events 2>&1 >/dev/null | tail -1)
awk -v w="$wc_ms" -v g="$grep_ms" -v p="$pass_ms" -v m="$peak_kb" 'BEGIN {
    printf "wc -l %.1f ms, grep -c %.1f ms, one pass %.1f ms: %.2f x wc -l, %.2f x grep -c; peak memory %.1f MB\n",
           w, g, p, p / w, p / g, m / 1024 }'
