#!/bin/sh
# Test fixture: private ClamAV daemons on free loopback ports, with a
# database this script writes (a body signature over a marker of its own
# and the hash of the EICAR test string), so no downloaded signatures are
# needed. Two daemons: "live" answers, "hung" is stopped with SIGSTOP once
# ready and so accepts connections but never answers. Both alert on
# encrypted archives and files past their limits, as the README asks of a
# daemon; DIR/encrypted.zip holds the marker under a password.
#
#   clamd-fixture.sh start DIR   writes DIR/fixture.txt (port=, hungport=,
#                                marker=, streamlimit=, loadms=) and DIR/*.pid
#   clamd-fixture.sh stop DIR    ends the daemons by their PIDs
#   clamd-fixture.sh start-default DIR, stop-default DIR
#                                a third, "default", on clamd's own port 3310:
#                                a daemon outside Windows where engine auto
#                                looks for the installed one
set -eu
action=$1
dir=$2
stream_limit=1048576

# Running, not a zombie that no one has reaped yet.
is_alive() {
    [ -r "/proc/$1/stat" ] && ! grep -q ') Z ' "/proc/$1/stat" 2>/dev/null
}

# Only a clamd of this fixture: a PID may have been reused since.
is_ours() {
    is_alive "$1" && [ "$(cat "/proc/$1/comm" 2>/dev/null)" = clamd ] &&
        grep -q "$dir/" "/proc/$1/cmdline" 2>/dev/null
}

stop_one() {
    pidfile=$dir/$1.pid
    [ -f "$pidfile" ] || return 0
    pid=$(cat "$pidfile")
    if is_ours "$pid"; then
        # A stopped daemon handles SIGTERM only after SIGCONT.
        kill -TERM "$pid" 2>/dev/null || true
        kill -CONT "$pid" 2>/dev/null || true
        tries=0
        while is_ours "$pid" && [ $tries -lt 50 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
        if is_ours "$pid"; then
            kill -KILL "$pid" 2>/dev/null || true
        fi
    fi
    rm -f "$pidfile"
}

now_ms() {
    echo $(($(date +%s%N) / 1000000))
}

# Starts one daemon; retries on another port when the port was taken,
# unless a port is given.
start_one() {
    name=$1
    attempt=0
    while [ $attempt -lt 10 ]; do
        attempt=$((attempt + 1))
        port=${2:-$((20000 + $(od -An -N2 -tu2 /dev/urandom | tr -d ' ') % 40000))}
        [ -z "${2:-}" ] || attempt=10
        conf=$dir/$name.conf
        {
            echo "Foreground yes"
            echo "TCPSocket $port"
            echo "TCPAddr 127.0.0.1"
            echo "DatabaseDirectory $dir/db"
            echo "LogFile $dir/$name.log"
            echo "StreamMaxLength $stream_limit"
            echo "MaxThreads 4"
            echo "AlertEncrypted yes"
            echo "AlertExceedsMax yes"
            [ "$(id -u)" -eq 0 ] && echo "User root"
        } >"$conf"
        rm -f "$dir/$name.log"
        start=$(now_ms)
        clamd -c "$conf" </dev/null >"$dir/$name.out" 2>&1 &
        pid=$!
        echo "$pid" >"$dir/$name.pid"
        # The socket listens before this line; it is the last one of the start.
        while is_alive "$pid" && [ $(($(now_ms) - start)) -lt 30000 ]; do
            if grep -q "Self checking every" "$dir/$name.log" 2>/dev/null; then
                loadms=$(($(now_ms) - start))
                return 0
            fi
            sleep 0.02
        done
        stop_one "$name"
    done
    echo "clamd-fixture: clamd did not start; see $dir/$name.log and $dir/$name.out" >&2
    cat "$dir/$name.out" >&2 || true
    return 1
}

case $action in
start)
    command -v clamd >/dev/null || { echo "clamd-fixture: clamd is missing (apt-get install clamav-daemon)" >&2; exit 1; }
    # Daemons of an earlier run that ended without its clean-up.
    stop_one live
    stop_one hung
    rm -rf "$dir"
    mkdir -p "$dir/db"
    marker="ostrelscan-fixture-body-$(od -An -N6 -tx1 /dev/urandom | tr -d ' \n')"
    printf 'Ostrel.Test.Body:0:*:%s\n' "$(printf '%s' "$marker" | od -An -tx1 | tr -d ' \n')" >"$dir/db/test.ndb"
    # In two halves, so that this file does not hold the test string.
    eicar='X5O!P%@AP[4\PZX54(P^)7CC)7}$EI'
    eicar="${eicar}CAR-STANDARD-ANTIVIRUS-TEST-FILE!\$H+H*"
    printf '%s:68:Eicar-Test-Signature\n' "$(printf '%s' "$eicar" | md5sum | cut -d' ' -f1)" >"$dir/db/test.hdb"
    printf '%s\n' "$marker" >"$dir/hidden.txt"
    (cd "$dir" && zip -q -P secret encrypted.zip hidden.txt && rm hidden.txt)
    trap 'stop_one live; stop_one hung' EXIT
    start_one hung
    hung_port=$port
    kill -STOP "$(cat "$dir/hung.pid")"
    start_one live
    trap - EXIT
    printf 'port=%s\nhungport=%s\nmarker=%s\nstreamlimit=%s\nloadms=%s\n' \
        "$port" "$hung_port" "$marker" "$stream_limit" "$loadms" >"$dir/fixture.txt"
    cat "$dir/fixture.txt"
    ;;
stop)
    stop_one live
    stop_one hung
    stop_one default
    ;;
start-default)
    stop_one default
    start_one default 3310
    ;;
stop-default)
    stop_one default
    ;;
*)
    echo "usage: $0 start|stop|start-default|stop-default DIR" >&2
    exit 2
    ;;
esac
