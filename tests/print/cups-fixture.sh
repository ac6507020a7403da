#!/usr/bin/env bash
# Brings up (or down) a private CUPS server for the printing tests, apart from the machine's own
# printing system: its configuration, spool, logs and socket live in one scratch folder, and it
# holds a single cups-pdf queue that writes PDF files instead of paper.
#   cups-fixture.sh start DIR QUEUE     the tests reach it with CUPS_SERVER=DIR/cups.sock
#   cups-fixture.sh stop DIR
set -euo pipefail
action=$1
dir=$2

stop() {
    if [ -f "$dir/cupsd.pid" ]; then
        local pid
        pid=$(cat "$dir/cupsd.pid")
        kill "$pid" 2>/dev/null || true
        # cupsd writes its state files as it stops: a new start must not remove them under it.
        for _ in $(seq 1 100); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
        rm -f "$dir/cupsd.pid"
    fi
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi

queue=$3
if ! command -v cupsd >/dev/null || [ ! -x /usr/lib/cups/backend/cups-pdf ]; then
    echo "cups or printer-driver-cups-pdf is not installed: no printer for the tests"
    exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "a private cupsd with the cups-pdf backend needs root: no printer for the tests"
    exit 0
fi

stop
rm -rf "$dir"
mkdir -p "$dir"/{spool,cache,state,log,ppd,temp}
chmod 0755 "$dir"
# Filters run as the unprivileged lp user and keep their scratch files in TempDir.
chmod 1777 "$dir/temp"
cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
# Job files are written at once, so that a test can read a job's options as soon as it is sent.
DirtyCleanInterval 0
WebInterface No
Browsing Off
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/temp
CacheDir $dir/cache
StateDir $dir/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" >"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/cupsd.pid"
export CUPS_SERVER="$dir/cups.sock"
for _ in $(seq 1 50); do
    [ -S "$dir/cups.sock" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
lpadmin -p "$queue" -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -o PageSize=A4

# A photo printer's queue: A4, Letter, 4 x 6 and 6 x 8 in, and sizes of one's own up to 8.5 x 14
# in, as dye-sublimation printers offer; cups-pdf's PPD cut down and added to.
photo_ppd="$dir/ppd/photo.ppd"
awk '
    /^\*(PageSize|PageRegion|ImageableArea|PaperDimension) / {
        key = $2; sub(/\/.*/, "", key); sub(/:$/, "", key)
        if (key != "A4" && key != "Letter") next
        if (!(section in added)) {
            added[section] = 1
            kind = $1
            if (kind == "*ImageableArea" || kind == "*PaperDimension") {
                print kind " w288h432/4 x 6 in: \"" (kind == "*ImageableArea" ? "0 0 288 432" : "288 432") "\""
                print kind " w432h576/6 x 8 in: \"" (kind == "*ImageableArea" ? "0 0 432 576" : "432 576") "\""
            } else {
                print kind " w288h432/4 x 6 in: \"<</PageSize[288 432]/ImagingBBox null>>setpagedevice\""
                print kind " w432h576/6 x 8 in: \"<</PageSize[432 576]/ImagingBBox null>>setpagedevice\""
            }
        }
    }
    /^\*OpenUI \*PageSize|^\*OpenUI \*PageRegion|^\*DefaultImageableArea|^\*DefaultPaperDimension/ { section = $0 }
    /^\*MaxMediaWidth:/ { print "*MaxMediaWidth: 612"; next }
    /^\*MaxMediaHeight:/ { print "*MaxMediaHeight: 1008"; next }
    /^\*ParamCustomPageSize Width:/ { print "*ParamCustomPageSize Width: 1 points 36 612"; next }
    /^\*ParamCustomPageSize Height:/ { print "*ParamCustomPageSize Height: 2 points 36 1008"; next }
    /^\*ModelName:|^\*ShortNickName:|^\*NickName:/ { sub(/Generic CUPS-PDF Printer/, "Quorvel Test Photo Printer") }
    { print }
' /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd >"$photo_ppd"
lpadmin -p "${queue}Photo" -E -v cups-pdf:/ -P "$photo_ppd" -o PageSize=A4
echo "private CUPS server at $dir/cups.sock with queues $queue and ${queue}Photo"
