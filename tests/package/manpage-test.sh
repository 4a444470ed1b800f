#!/bin/bash
# manpage-test.sh PREFIX: the installed manual pages format without a warning, and daywick-report's page
# documents every option its --help names.
set -euo pipefail
prefix=$1
man1=$prefix/share/man/man1
. "$(dirname "$(readlink -f "$0")")/../lib.sh"

for page in daywick daywick-report; do
    warnings=$(zcat "$man1/$page.1.gz" | groff -man -ww -z -K utf8 2>&1) || problem "$page.1 does not format"
    [ -z "$warnings" ] || problem "$page.1: $warnings"
done

source=$(zcat "$man1/daywick-report.1.gz")
options=$("$prefix/bin/daywick-report" --help | grep -o -- '--[a-z]\+' | sort -u)
[ -n "$options" ] || problem "daywick-report --help names no option"
for option in $options; do
    grep -qF -- "${option//-/\\-}" <<<"$source" || problem "daywick-report.1 does not document $option"
done

finish
echo "manual pages: formatted cleanly; options documented: $(echo $options)"
