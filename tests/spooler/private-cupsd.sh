#!/usr/bin/env bash
# A print spooler of the tests' own: a cupsd with its configuration, spool,
# logs and output under one folder, reached through a Unix socket only. The
# machine's own spooler and its configuration are never touched.
#
#   private-cupsd.sh start DIR   starts it; prints CUPS_SERVER=DIR/run/cups.sock
#   private-cupsd.sh queue DIR NAME [MARGIN_PT]
#                                adds a PostScript queue NAME whose jobs land in
#                                DIR/out/NAME.ps; MARGIN_PT (points) makes every
#                                edge of its A4 page unprintable by that much
#   private-cupsd.sh stop DIR    stops it by its process id
#
# cupsd must run as root here and hands the filters to the user lp, so the
# folders lp works in belong to lp.
set -euo pipefail

command=${1:?start, queue or stop}
dir=${2:?folder}

ppd_source=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd

start() {
    mkdir -p "$dir"/{conf,run,spool,cache,state,tmp,log,out,ppd}
    chmod 0755 "$dir" "$dir"/run "$dir"/out "$dir"/ppd
    cat >"$dir/conf/cupsd.conf" <<CONF
Listen $dir/run/cups.sock
LogLevel warn
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
MaxJobs 0
PreserveJobHistory Yes
DirtyCleanInterval 0
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
CONF
    cat >"$dir/conf/cups-files.conf" <<CONF
ServerRoot $dir/conf
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
FileDevice Yes
CONF
    chown lp:lp "$dir"/{spool,cache,state,tmp,out}
    cupsd -f -c "$dir/conf/cupsd.conf" -s "$dir/conf/cups-files.conf" \
        </dev/null >>"$dir/log/cupsd.out" 2>&1 &
    echo $! >"$dir/cupsd.pid"
    export CUPS_SERVER="$dir/run/cups.sock"
    for _ in $(seq 1 100); do
        if lpstat -r 2>/dev/null | grep -q 'is running'; then
            echo "CUPS_SERVER=$CUPS_SERVER"
            return 0
        fi
        if ! kill -0 "$(cat "$dir/cupsd.pid")" 2>/dev/null; then
            break
        fi
        sleep 0.1
    done
    echo "private-cupsd: the spooler did not start; see $dir/log" >&2
    cat "$dir/log/cupsd.out" "$dir/log/error_log" >&2 2>/dev/null || true
    stop
    return 1
}

queue() {
    local name=${3:?queue name} margin=${4:-0}
    local ppd="$dir/ppd/$name.ppd"
    if [ "$margin" = 0 ]; then
        cp "$ppd_source" "$ppd"
    else
        # The A4 page less MARGIN_PT on every edge: llx lly urx ury in points.
        awk -v m="$margin" '
            /^\*ImageableArea A4\/A4:/ {
                printf "*ImageableArea A4/A4: \"%s %s %s %s\"\n", m, m, 595 - m, 842 - m
                next
            }
            { print }' "$ppd_source" >"$ppd"
    fi
    : >"$dir/out/$name.ps"
    chown lp:lp "$dir/out/$name.ps"
    CUPS_SERVER="$dir/run/cups.sock" lpadmin -p "$name" -E -v "file://$dir/out/$name.ps" \
        -P "$ppd" 2>/dev/null
    CUPS_SERVER="$dir/run/cups.sock" lpadmin -p "$name" -o print-scaling-default=none 2>/dev/null || true
}

stop() {
    local pidfile="$dir/cupsd.pid"
    [ -f "$pidfile" ] || return 0
    local pid
    pid=$(cat "$pidfile")
    if kill "$pid" 2>/dev/null; then
        for _ in $(seq 1 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -f "$pidfile"
}

case "$command" in
    start) start ;;
    queue) queue "$@" ;;
    stop) stop ;;
    *) echo "private-cupsd: unknown command $command" >&2; exit 2 ;;
esac
