#!/bin/bash
# manpage-test.sh PREFIX: the installed manual pages format without a warning, and daywick-report's page
# documents every option its --help names.
set -euo pipefail
prefix=$1
man1=$prefix/share/man/man1
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

for page in daywick daywick-report; do
    warnings=$(zcat "$man1/$page.1.gz" | groff -man -ww -z -K utf8 2>&1) || fail "$page.1 does not format"
    [ -z "$warnings" ] || fail "$page.1: $warnings"
done

source=$(zcat "$man1/daywick-report.1.gz")
options=$("$prefix/bin/daywick-report" --help | grep -o -- '--[a-z]\+' | sort -u)
[ -n "$options" ] || fail "daywick-report --help names no option"
for option in $options; do
    grep -qF -- "${option//-/\\-}" <<<"$source" || fail "daywick-report.1 does not document $option"
done

[ "$failures" -eq 0 ] || exit 1
echo "manual pages: formatted cleanly; options documented: $(echo $options)"
