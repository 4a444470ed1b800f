#!/usr/bin/env bash
# The program's code as the committed .clang-format writes it, with Debian 12's clang-format (14): a file
# that differs is named with the lines clang-format would change. Fix with: clang-format -i FILE
# The configured headers (*.h.in) are left out: clang-format would split their @NAME@ placeholders.
# usage: tests/static/format.sh
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
. "$root/tests/lib.sh"
format=$(command -v clang-format-14 || command -v clang-format || true)
[ -n "$format" ] || fail "clang-format is missing (package clang-format)"
"$format" --version | grep -q 'version 14\.' || fail "$format is not clang-format 14, which the format is kept with"
cd "$root"
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' | grep -E '^(engine|jpeg|ui|dialogs|app|tools|tests|bench)/')
[ "${#files[@]}" -gt 100 ] || fail "only ${#files[@]} files found under $root"
if ! "$format" --dry-run --Werror "${files[@]}" 2>"${TMPDIR:-/tmp}/daywick-format.log"; then
    grep -E '^[^ ].*(warning|error):' "${TMPDIR:-/tmp}/daywick-format.log" | cut -d: -f1,2 | sort -u -t: -k1,1 | head -50
    fail "clang-format: the files above are not in the committed format"
fi
echo "clang-format: ${#files[@]} files in the committed format"
