#!/usr/bin/env bash
# clang-tidy, with the checks committed in .clang-tidy, over the program's own code (not its tests).
# usage: tests/static/clang-tidy.sh BUILD_DIR    (a build with compile_commands.json, e.g. build/release)
set -euo pipefail
build=$(readlink -f "${1:-build/release}")
root=$(cd "$(dirname "$0")/../.." && pwd)
log=$(mktemp)
trap 'rm -f "$log"' EXIT
if run-clang-tidy -quiet -p "$build" "$root/(engine|ui|dialogs|app|tools)/" >"$log" 2>&1; then
    echo "clang-tidy: clean"
else
    sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E "(warning|error):" | sort -u
    echo "clang-tidy: findings above"
    exit 1
fi
