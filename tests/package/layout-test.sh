#!/bin/bash
# layout-test.sh PREFIX SOURCE_DIR BUILD_DIR SAMPLE_FILES ICON_SIZES: the installed tree under PREFIX holds
# exactly Daywick's files, in their places, with their modes, the sample data and icons as the checkout has
# them, and a launcher that depends on no build tree. SAMPLE_FILES and ICON_SIZES are the build's lists
# (semicolon-separated), the ones the package installs.
set -euo pipefail
prefix=$1 source=$2 build=$3
IFS=';' read -r -a data <<<"$4"
IFS=';' read -r -a sizes <<<"$5"
[ "${#data[@]}" -gt 6 ] && [ "${#sizes[@]}" -gt 0 ] || { echo "usage: $0 PREFIX SOURCE BUILD SAMPLE_FILES ICON_SIZES" >&2; exit 2; }
. "$(dirname "$(readlink -f "$0")")/../lib.sh"

expected=(
    bin/daywick bin/daywick-report libexec/daywick/Daywick
    share/applications/org.example.daywick.desktop share/metainfo/org.example.daywick.metainfo.xml
    share/man/man1/daywick.1.gz share/man/man1/daywick-report.1.gz
    share/icons/hicolor/scalable/apps/daywick.svg
)
for size in "${sizes[@]}"; do expected+=("share/icons/hicolor/${size}x${size}/apps/daywick.png"); done
for file in "${data[@]}"; do expected+=("share/daywick/$file"); done

# Exactly these files: a stray install (a test program, a library's headers) would ship in the package.
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
diff <(printf '%s\n' "${expected[@]}" | sort) - <<<"$installed" \
    || problem "the installed files differ from the list above (< expected, > installed)"

mode() { stat -c %a "$prefix/$1" 2>/dev/null || echo missing; }
for program in bin/daywick bin/daywick-report libexec/daywick/Daywick; do
    [ "$(mode "$program")" = 755 ] || problem "$program has mode $(mode "$program"), not 755"
done
for file in "${expected[@]}"; do
    case $file in bin/* | libexec/*) continue ;; esac
    [ "$(mode "$file")" = 644 ] || problem "$file has mode $(mode "$file"), not 644"
done
file -b "$prefix/libexec/daywick/Daywick" | grep -q '^ELF' || problem "libexec/daywick/Daywick is not a program"
file -b "$prefix/bin/daywick" | grep -q 'shell script' || problem "bin/daywick is not the launcher script"

for file in "${data[@]}"; do
    cmp -s "$source/data/$file" "$prefix/share/daywick/$file" || problem "share/daywick/$file is not data/$file"
done
cmp -s "$source/resources/icons/daywick.svg" "$prefix/share/icons/hicolor/scalable/apps/daywick.svg" \
    || problem "the scalable icon differs from resources/icons/daywick.svg"
for size in "${sizes[@]}"; do
    icon=share/icons/hicolor/${size}x${size}/apps/daywick.png
    file -b "$prefix/$icon" | grep -q "PNG image data, $size x $size," || problem "$icon is not $size x $size"
done
for page in daywick daywick-report; do
    gzip -t "$prefix/share/man/man1/$page.1.gz" 2>/dev/null || problem "$page.1.gz is not gzip-compressed"
done

# What the menu entry names must be there: its command in bin, its icon in hicolor.
entry=$prefix/share/applications/org.example.daywick.desktop
exec_name=$(sed -n 's/^Exec=//p' "$entry")
icon_name=$(sed -n 's/^Icon=//p' "$entry")
[ -x "$prefix/bin/$exec_name" ] || problem "the menu entry runs '$exec_name', which is not in bin"
[ -f "$prefix/share/icons/hicolor/48x48/apps/$icon_name.png" ] || problem "no icon $icon_name in hicolor"

# The installed launcher finds the program and the sample data relative to itself, never in the build tree.
if grep -qF -e "$build" -e "$source" "$prefix/bin/daywick"; then
    problem "the installed launcher names the build or source tree"
fi

finish
echo "layout of $prefix: ${#expected[@]} files as expected"
