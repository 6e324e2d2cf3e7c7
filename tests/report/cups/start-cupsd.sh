#!/usr/bin/env bash
# A private CUPS scheduler for the printing tests, away from the machine's own:
#   start-cupsd.sh start STATE   starts the schedulers, writes their folder into STATE
#   start-cupsd.sh stop STATE    stops them by their pids and removes their folder
# Two schedulers, each on its own socket with its own configuration:
#   printers/  queues A and B (B the default, A4 at 300 dpi, B Letter at 600 dpi) and
#              Closed, which rejects jobs
#   spare/     queue A, a raw queue Raw that names no paper or resolution, and no default
# Every queue but Raw writes what it prints to out/<queue>.pdf in its scheduler's folder, through
# cups-filters' PDF printer description (a raw queue would write nothing).
set -euo pipefail
ppd=/usr/share/ppd/cupsfilters/Generic-PDF_Printer-PDF.ppd

die() { echo "start-cupsd.sh: $*" >&2; exit 1; }

configure() {
    local dir=$1
    mkdir -p "$dir"/{etc/ppd,etc/ssl,spool/tmp,cache,state,log,out}
    # Filters run as lp: they must reach the spool and the output folder.
    chmod 755 "$dir" "$dir"/*
    chown lp "$dir/out" "$dir/spool/tmp"
    cat >"$dir/etc/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerKeychain $dir/etc/ssl
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
Printcap $dir/printcap
User lp
Group lp
SystemGroup root
CONF
    cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/cups.sock
Browsing No
LogLevel info
ErrorPolicy abort-job
WebInterface No
DefaultAuthType None
PageLogFormat %p %j %{job-name}
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
    : >"$dir/etc/client.conf"
}

launch() {
    local dir=$1
    setsid cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" \
        </dev/null >"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"
    for _ in $(seq 100); do
        lpstat -h "$dir/cups.sock" -r >/dev/null 2>&1 && return 0
        kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null || break
        sleep 0.1
    done
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    die "cupsd in $dir did not start"
}

# add DIR QUEUE PAGESIZE RESOLUTION
add() {
    lpadmin -h "$1/cups.sock" -p "$2" -E -v "file://$1/out/$2.pdf" -P "$ppd" \
        -o "PageSize=$3" -o "Resolution=$4" 2>/dev/null
}

start() {
    local base
    base=$(mktemp -d /tmp/pestrol-cupsd.XXXXXX)
    chmod 755 "$base"
    echo "$base" >"$1"
    configure "$base/printers"
    configure "$base/spare"
    launch "$base/printers"
    launch "$base/spare"
    add "$base/printers" A A4 300dpi
    add "$base/printers" B Letter 600dpi
    add "$base/printers" Closed A4 300dpi
    cupsreject -h "$base/printers/cups.sock" Closed
    lpadmin -h "$base/printers/cups.sock" -d B
    add "$base/spare" A A4 300dpi
    lpadmin -h "$base/spare/cups.sock" -p Raw -E -v file:///dev/null 2>/dev/null
}

stop() {
    [ -f "$1" ] || return 0
    local base pid
    base=$(cat "$1")
    for pidfile in "$base"/*/cupsd.pid; do
        [ -f "$pidfile" ] || continue
        pid=$(cat "$pidfile")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    done
    case $base in /tmp/pestrol-cupsd.*) rm -rf "$base" ;; esac
    rm -f "$1"
}

[ $# -eq 2 ] || die "usage: start-cupsd.sh start|stop STATE"
[ "$(id -u)" -eq 0 ] || die "must run as root (cupsd)"
case $1 in
    start) stop "$2"; start "$2" ;;
    stop) stop "$2" ;;
    *) die "usage: start-cupsd.sh start|stop STATE" ;;
esac
