#!/usr/bin/env bash
# End to end: printing through a CUPS server of the test's own.
#   PrintThroughCups.sh DAYWICK DAYWICK_REPORT CUPS_PRINT_TESTS DATA_DIR PICTURES
# (PICTURES: the build's list of the picture files, semicolon-separated)
# As root, it starts a private cupsd (its own configuration, spool and socket; the machine's CUPS is not
# touched) and adds a queue that writes each job as a PDF file, as the server's default printer. Then:
# 1. CUPS_PRINT_TESTS drives the print dialog in-process: a print, a queue refusing the job, no printer, with
#    the exact texts of the error boxes;
# 2. the real program runs under Xvfb with openbox on a copy of DATA_DIR; the menu opens the dialog, 印刷開始(&P)
#    is pressed and the PDF that arrives is read; with the queue refusing jobs and then with no printer, a
#    press brings up an error box, leaves the dialog open and prints nothing.
# Whatever it cannot set up is a failure, never a skip.
# Packages: cups cups-client cups-filters xvfb openbox xdotool poppler-utils.
set -euo pipefail

program=$(readlink -f "$1")
report_tool=$(readlink -f "$2")
cups_print_tests=$(readlink -f "$3")
data_dir=$(readlink -f "$4")
IFS=';' read -r -a pictures <<<"$5"

. "$(dirname "$(readlink -f "$0")")/../lib.sh"

[ "$(id -u)" -eq 0 ] || skip "needs root, to start a CUPS server of its own (./daywick.sh test runs it as root)"
need_tools "cups cups-client cups-filters xvfb openbox xdotool poppler-utils" \
    cupsd lpadmin lpstat cupsreject cupsaccept Xvfb openbox xdotool pdftotext pdftoppm iconv
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd
[ -f "$ppd" ] || fail "$ppd is missing (package cups-filters)"

work=$(mktemp -d /tmp/daywick-print.XXXXXX)
trap 'stop_started; rm -rf "$work"' EXIT

# --- The CUPS server -------------------------------------------------------------------------------------
mkdir -p "$work"/cups/{conf,spool/tmp,cache,state,log} "$work/out" "$work/client" "$work/home"
# Filters run as the lp user: they need to reach the spool.
chmod 755 "$work" "$work/cups" "$work"/cups/{conf,spool,cache,state,log}
chmod 1777 "$work/cups/spool/tmp"
socket=$work/cups/cups.sock
cat >"$work/cups/conf/cupsd.conf" <<EOF
Listen $socket
LogLevel debug
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
EOF
cat >"$work/cups/conf/cups-files.conf" <<EOF
ServerRoot $work/cups/conf
RequestRoot $work/cups/spool
TempDir $work/cups/spool/tmp
CacheDir $work/cups/cache
StateDir $work/cups/state
AccessLog $work/cups/log/access_log
ErrorLog $work/cups/log/error_log
PageLog $work/cups/log/page_log
FileDevice Yes
EOF
cupsd -f -c "$work/cups/conf/cupsd.conf" -s "$work/cups/conf/cups-files.conf" 2>"$work/cupsd.stderr" &
started $!
if ! wait_for 20 test -S "$socket"; then
    cat "$work/cupsd.stderr" >&2
    tail -20 "$work/cups/log/error_log" >&2 2>/dev/null || true
    fail "cupsd did not start (no socket $socket)"
fi
# Every CUPS client from here on, the program included, talks to this server only and reads no one's
# lpoptions; PRINTER and LPDEST would override the server's default.
export CUPS_SERVER=$socket CUPS_SERVERROOT=$work/client HOME=$work/home
unset PRINTER LPDEST

queue=DaywickPDF
job_file=$work/out/job.pdf
add_queue() {
    lpadmin -p "$queue" -E -v "file://$job_file" -P "$ppd" -o PageSize=A4 2>"$work/lpadmin.stderr" ||
        fail "lpadmin could not add the queue: $(cat "$work/lpadmin.stderr")"
    lpadmin -d "$queue" || fail "lpadmin could not make $queue the default printer"
    [ "$(lpstat -d)" = "system default destination: $queue" ] || fail "the server's default is not $queue: $(lpstat -d)"
}

# --- 1. The dialog in-process --------------------------------------------------------------------------------
add_queue
DAYWICK_CUPS_QUEUE=$queue DAYWICK_CUPS_JOB_FILE=$job_file "$cups_print_tests" ||
    fail "the print dialog failed on the CUPS server; its log: $(tail -20 "$work/cups/log/error_log")"
rm -f "$job_file"
add_queue

# --- The data directory ----------------------------------------------------------------------------------
run=$work/data
mkdir -p "$run/Picture"
cp "$data_dir"/*.txt "$run/"
printf 'Daywick\r\n' >"$run/Readme.txt"
# A plain picture, made by poppler from a one-page PDF of the picture frame's size.
printf '%%PDF-1.4\n1 0 obj<</Type/Catalog/Pages 2 0 R>>endobj\n2 0 obj<</Type/Pages/Kids[3 0 R]/Count 1>>endobj\n3 0 obj<</Type/Page/Parent 2 0 R/MediaBox[0 0 161 145]>>endobj\ntrailer<</Root 1 0 R>>\n' >"$work/picture.pdf"
pdftoppm -q -jpeg -r 72 -singlefile "$work/picture.pdf" "$work/picture" || fail "pdftoppm could not make a picture"
for picture in "${pictures[@]}"; do cp "$work/picture.jpg" "$run/$picture"; done

# --- 2. The program on its own display ------------------------------------------------------------------------
start_xvfb "$work"
start_openbox "$work"

# The program reads the date when it starts and when it prints, and this script reads it after: a run that
# would cross midnight waits for the new day first.
seconds_into_day=$(( $(date +'10#%H * 3600 + 10#%M * 60 + 10#%S') ))
if [ "$seconds_into_day" -gt $(( 86400 - 300 )) ]; then sleep $(( 86400 - seconds_into_day + 2 )); fi

(cd "$run" && exec "$program") >"$work/daywick.log" 2>&1 &
daywick_pid=$!
started $daywick_pid

visible() { visible_windows "$1"; }
windows_named_daywick() { visible Daywick 2>/dev/null | wc -l; }
box_up() { [ "$(windows_named_daywick)" -ge 2 ]; }
box_gone() { [ "$(windows_named_daywick)" -eq 1 ]; }
dialog_hidden() { ! visible 印刷 >/dev/null 2>&1; }
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }

wait_for 60 visible Daywick || fail "the main window did not appear: $(cat "$work/daywick.log")"
sleep 2  # the splash window goes once the day's report is shown

open_dialog() {
    xdotool windowactivate --sync "$(visible Daywick | head -1)" >/dev/null 2>&1 || true
    key alt+f
    key p
    wait_for 20 visible 印刷 || fail "印刷(&P) did not show the print dialog"
    xdotool windowactivate --sync "$(visible 印刷 | head -1)" >/dev/null 2>&1 || true
}

# Presses 印刷開始(&P), waits for an error box and closes it. (Its text is not readable from outside; the
# in-process run above checks it.)
press_expecting_box() {
    key alt+p
    wait_for 30 box_up || fail "no error box after the press"
    sleep 0.5
    key Return
    wait_for 10 box_gone || fail "the error box did not close"
}

# --- A print -----------------------------------------------------------------------------------------------
open_dialog
key alt+p
wait_for 60 test -s "$job_file" || fail "no PDF arrived; the server's log: $(tail -20 "$work/cups/log/error_log")"
wait_for 60 test -z "$(lpstat -o)" || fail "the job did not finish: $(lpstat -o)"
wait_for 10 dialog_hidden || fail "the dialog did not hide after the print"
cp "$job_file" "$work/printed.pdf"
pdftotext -bbox "$work/printed.pdf" "$work/printed.html" || fail "pdftotext could not read the printed PDF"

# Words as "page top left text", one a line.
words=$(awk '
    /<page / { page++ }
    /<word / {
        match($0, /xMin="[0-9.]+"/); left = substr($0, RSTART + 6, RLENGTH - 7)
        match($0, /yMin="[0-9.]+"/); top = substr($0, RSTART + 6, RLENGTH - 7)
        text = $0; sub(/.*">/, "", text); sub(/<\/word>.*/, "", text)
        print page, top, left, text
    }' "$work/printed.html" | sort -k1,1n -k2,2n -k3,3n)
[ -n "$words" ] || fail "the printed PDF holds no text"

today=$(date +%Y年%m月%d日)
first_line=$(echo "$words" | awk '$1 == 1 && $2 + 0 < 40 { printf "%s ", $4 }')
[ "$first_line" = "Daywick - この日はどんな日 " ] || fail "first line is '$first_line'"
# The A4 queue's printable area starts 18 points from the left and 36 from the top; the text 120 and 60 x i
# dots of a 300-dpi page from there: 28.8 and 14.4 x i points, whatever the printer's resolution.
echo "$words" | awk -v today="$today" '
    function near(a, b) { return a - b < 0.05 && b - a < 0.05 }
    NR == 1 && !(near($2, 36) && near($3, 46.8)) { print "title at " $3 "," $2; bad = 1 }
    { step = ($2 - 36) / 14.4; if (!near(step, int(step + 0.5))) { print "off the line pitch: " $0; bad = 1 } }
    $4 == today && near($2, 50.4) && near($3, 46.8) { date = 1 }
    $4 == "Print" && near($3, 46.8) { print_date = $2 }
    print_date && near($2, print_date) && $4 == today { print_date_ok = 1 }
    END {
        if (!date) { print "no date line " today " at 46.8,50.4"; bad = 1 }
        if (!print_date_ok) { print "no print-date line with " today; bad = 1 }
        exit bad
    }' >&2 || fail "the printed lines are not where they belong"

# The text, blanks aside, is the title block with the day's 暦, the three panels under their headings, and the
# print date.
expected=$(
    {
        echo "Daywick - この日はどんな日"; echo "$today"
        "$report_tool" --dir "$run" --raw reki | iconv -f CP932 -t UTF-8 | awk -F'\t' '
            { value[$1] = $2 }
            END {
                printf "旧暦%s %s %s　七十二候 %s\n", value["旧暦"], value["六曜"], value["干支"], value["七十二候"]
                if (value["選日"] != "") printf "選日 %s　", value["選日"]
                printf "東京 日の出 %s 日の入 %s\n", value["日の出"], value["日の入"]
            }' | sed 's/　//g'

        # The three panels under their headings, as the report tool prints them after its title block.
        "$report_tool" --dir "$run" | sed -n '/^$/,$p'
        echo "Print date : $today"
    } | tr -d ' \r\n'
)
printed=$(echo "$words" | cut -d' ' -f4- | tr -d ' \n' | sed 's/&amp;/\&/g; s/&lt;/</g; s/&gt;/>/g; s/&quot;/"/g')
[ "$printed" = "$expected" ] || fail "the printed text differs from the day's report:
printed:  $printed
expected: $expected"
echo "printed: $(echo "$words" | wc -l) words on $(grep -c '<page ' "$work/printed.html") page(s), as expected"

# --- A queue that refuses the job --------------------------------------------------------------------------
rm -f "$job_file"
cupsreject "$queue"
open_dialog
press_expecting_box
visible 印刷 >/dev/null || fail "the dialog closed after a refused job"
sleep 2
[ ! -e "$job_file" ] || fail "a refused job printed anyway"
echo "refused job: an error box, the dialog open, nothing printed"
cupsaccept "$queue"

# --- No printer at all -------------------------------------------------------------------------------------
lpadmin -x "$queue"
[ -z "$(lpstat -p 2>/dev/null)" ] || fail "a printer is still there: $(lpstat -p)"
press_expecting_box
visible 印刷 >/dev/null || fail "the dialog closed with no printer"
sleep 1
[ ! -e "$job_file" ] || fail "something printed with no printer"
echo "no printer: an error box, the dialog open, nothing printed"

kill -0 "$daywick_pid" 2>/dev/null || fail "the program ended: $(cat "$work/daywick.log")"
echo "PASSED"
