#!/usr/bin/env bash
# Real network peers for the network reading tests, on free 127.0.0.1 ports only:
#   net-peers.sh start <dir> <media dir>   starts them, writes "<name> <port>" lines to <dir>/ports
#   net-peers.sh stop <dir>                stops every process it started (by pid)
# Peers: nginx (plain with ranges, ranges refused, rate-limited, Basic auth, log with the Via
# field), an nginx whose worker is killed 2 s into each request, one whose worker is stopped,
# Python's HTTP/1.0 server, ffmpeg live senders (real time, half speed, faster than real time)
# each in a restart loop, tinyproxy plain and with Basic authentication.
set -euo pipefail
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY

cmd=${1:?start or stop}
dir=${2:?state directory}

stop_all() {
    [ -f "$dir/pids" ] || return 0
    local pid
    # Loops first, so that they start nothing new; then everything else.
    while read -r pid; do
        kill -CONT "$pid" 2>/dev/null || true
        kill "$pid" 2>/dev/null || true
    done < <(tac "$dir/pids")
    for _ in $(seq 1 50); do
        local alive=0
        while read -r pid; do
            kill -0 "$pid" 2>/dev/null && alive=1
        done <"$dir/pids"
        [ $alive = 0 ] && break
        sleep 0.1
    done
    while read -r pid; do
        kill -9 "$pid" 2>/dev/null || true
    done <"$dir/pids"
    rm -f "$dir/pids"
}

if [ "$cmd" = stop ]; then
    stop_all
    exit 0
fi

media=${3:?media directory}
mkdir -p "$dir"
stop_all
: >"$dir/pids"
: >"$dir/ports"
trap 'stop_all' ERR INT TERM

remember() { echo "$1" >>"$dir/pids"; }
port_of() { awk -v n="$1" '$1==n {print $2}' "$dir/ports"; }
wait_port() {
    for _ in $(seq 1 100); do
        # Listening, seen from outside: a probe connection would be served (ffmpeg serves one).
        if ss -Hltn "( sport = :$1 )" 2>/dev/null | grep -q .; then
            return 0
        fi
        sleep 0.1
    done
    echo "net-peers: nothing listens on $1" >&2
    return 1
}

# Content served by nginx and Python's server.
www="$dir/www"
mkdir -p "$www"
for f in sample-video1.wmv sample.wmv one-video.wmv audio-only.wma; do
    ln -sf "$media/$f" "$www/$f"
done
echo "this is not a presentation" >"$www/not-asf.wmv"
printf 'ann:{PLAIN}s3cret\n' >"$dir/users"

# Free ports, all in one go (each held until all are known, so that none repeats).
names=(nginx nginx_noranges nginx_slow nginx_auth nginx_killed nginx_stalled python
       live live_half live_fast tinyproxy tinyproxy_auth)
python3 - "${names[@]}" >>"$dir/ports" <<'PY'
import socket, sys
held = []
for name in sys.argv[1:]:
    s = socket.socket()
    s.bind(("127.0.0.1", 0))
    held.append(s)
    print(name, s.getsockname()[1])
PY

nginx_conf() {  # name, server blocks
    local name=$1 body=$2
    mkdir -p "$dir/$name"
    cat >"$dir/$name/nginx.conf" <<EOF
user root;
worker_processes 1;
daemon on;
pid $dir/$name/nginx.pid;
error_log $dir/$name/error.log;
events { worker_connections 64; }
http {
    log_format peer '\$request \$status \$body_bytes_sent via="\$http_via" range="\$http_range"';
    access_log $dir/$name/access.log peer;
    client_body_temp_path $dir/$name/body;
    proxy_temp_path $dir/$name/proxy;
    fastcgi_temp_path $dir/$name/fastcgi;
    uwsgi_temp_path $dir/$name/uwsgi;
    scgi_temp_path $dir/$name/scgi;
    types { video/x-ms-wmv wmv; video/x-ms-asf asf; audio/x-ms-wma wma; }
    sendfile off;
    $body
}
EOF
    nginx -e "$dir/$name/error.log" -p "$dir/$name" -c "$dir/$name/nginx.conf"
    for _ in $(seq 1 50); do [ -s "$dir/$name/nginx.pid" ] && break; sleep 0.1; done
    remember "$(cat "$dir/$name/nginx.pid")"
}

server() {  # port, extra directives
    echo "server { listen 127.0.0.1:$1; root $www; $2 }"
}

# Each behaviour its own listening port; one master for the well-behaved ones.
nginx_conf nginx "$(server "$(port_of nginx)" "")
    $(server "$(port_of nginx_noranges)" "max_ranges 0;")
    $(server "$(port_of nginx_slow)" "limit_rate 48k;")
    $(server "$(port_of nginx_auth)" "auth_basic \"talks\"; auth_basic_user_file $dir/users;")"
nginx_conf nginx_killed "$(server "$(port_of nginx_killed)" "limit_rate 64k;")"
nginx_conf nginx_stalled "$(server "$(port_of nginx_stalled)" "")"
for n in nginx nginx_killed nginx_stalled; do
    wait_port "$(port_of "$n")"
done

worker_of() { pgrep -P "$(cat "$dir/$1/nginx.pid")" | head -n1; }

# The stalled server accepts connections (the kernel does) and never answers.
kill -STOP "$(worker_of nginx_stalled)"

# The killed one: 2 s into each connection its worker dies; the master starts a new one.
(
    port=$(port_of nginx_killed)
    while true; do
        if ss -Htn state established "( sport = :$port )" 2>/dev/null | grep -q .; then
            sleep 2
            w=$(worker_of nginx_killed || true)
            [ -n "$w" ] && kill -9 "$w" 2>/dev/null || true
            sleep 0.5
        fi
        sleep 0.1
    done
) >/dev/null 2>&1 &
remember $!

python3 -m http.server --bind 127.0.0.1 --directory "$www" "$(port_of python)" \
    >"$dir/python.log" 2>&1 &
remember $!

live_loop() {  # name, ffmpeg input options
    local name=$1
    shift
    (
        port=$(port_of "$name")
        child=""
        # Stopping the loop stops its sender too.
        trap '[ -n "$child" ] && kill "$child" 2>/dev/null; exit 0' TERM
        while true; do
            ffmpeg -nostdin -hide_banner -loglevel error "$@" -i "$media/sample-video1.wmv" \
                -c copy -f asf -listen 1 "http://127.0.0.1:$port/x.asf" &
            child=$!
            wait "$child" || sleep 0.2
        done
    ) >"$dir/$name.log" 2>&1 &
    remember $!
}
live_loop live -re
live_loop live_half -readrate 0.5
live_loop live_fast -stream_loop 30

tinyproxy_conf() {  # name, extra lines
    cat >"$dir/$1.conf" <<EOF
Port $(port_of "$1")
Listen 127.0.0.1
Timeout 60
MaxClients 20
Allow 127.0.0.1
LogLevel Info
ViaProxyName "tinyproxy"
$2
EOF
    tinyproxy -d -c "$dir/$1.conf" >"$dir/$1.log" 2>&1 &
    remember $!
}
tinyproxy_conf tinyproxy ""
tinyproxy_conf tinyproxy_auth "BasicAuth gate keeper"

for n in python live live_half live_fast tinyproxy tinyproxy_auth; do
    wait_port "$(port_of "$n")"
done
echo "net-peers: started $(wc -l <"$dir/pids") processes; ports in $dir/ports"
