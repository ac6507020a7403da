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
echo "private CUPS server at $dir/cups.sock with queue $queue"
