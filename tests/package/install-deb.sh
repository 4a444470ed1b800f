#!/bin/bash
# install-deb.sh [BUILD_DIR]: CI's check of the Debian package on a Debian 12 machine. Builds the package from
# the release build (default build/release), installs it with apt-get as a user would, and runs what it
# installed: daywick-report on the installed sample data, and the launcher in a fresh home directory, twice.
# apt-get runs as root, through sudo otherwise. A package that was not installed before is removed again.
set -euo pipefail
here=$(dirname "$(readlink -f "$0")")
build=$(readlink -f "${1:-build/release}")

. "$here/../lib.sh"

rm -f "$build"/daywick_*.deb
(cd "$build" && cpack -G DEB)
debs=("$build"/daywick_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single daywick_*.deb"
deb=${debs[0]}

# Computed from the linked libraries, plus what the program uses without linking it.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libjpeg62-turbo fonts-ipafont-gothic cups-client; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "the package does not depend on $package: $depends"
done

if dpkg-query -W -f='${Status}' daywick 2>/dev/null | grep -q "install ok installed"; then
    echo "install-deb.sh: daywick was installed before; it stays installed, now from $deb"
else
    trap 'as_root env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq daywick' EXIT
fi
as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb"

for command in daywick daywick-report; do
    [ "$(command -v $command)" = /usr/bin/$command ] || fail "$command is not the installed /usr/bin/$command"
done
desktop-file-validate /usr/share/applications/org.example.daywick.desktop

daywick-report --check --dir /usr/share/daywick
# 10 January 2000 was 成人の日, the second Monday: a day the engine computes, on the data installed.
report=$(daywick-report --dir /usr/share/daywick --date 2000-01-10)
printf '%s\n' "$report"
grep -q "成人の日" <<<"$report" || fail "the report of 10 January 2000 has no 成人の日"
[ "$report" = "$(daywick-report --dir "$here/../../data" --date 2000-01-10)" ] \
    || fail "the installed sample data reports otherwise than the checkout's data/"
daywick-report --dir /usr/share/daywick >/dev/null || fail "today's report failed"

"$here/launcher-test.sh" /usr first-start
"$here/launcher-test.sh" /usr second-start
echo "install-deb.sh: $(basename "$deb") installed and working"
