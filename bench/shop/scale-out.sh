#!/usr/bin/env bash
# Several qtr50d processes on one shop on PostgreSQL, behind nginx, against
# one, on loopback only. Builds nothing: run it after a build (bash
# scripts/build.sh). Runs as root (PostgreSQL runs as the postgres user).
#
# The demo shop's database goes into a throwaway PostgreSQL cluster (made
# in a temporary folder, stopped and removed at the end). nginx balances
# over one qtr50d, then over three (each with the same page threads); wrk
# drives nginx with 64 connections of new visitors (no cookies) for 10 s,
# three rounds with the two set-ups taking turns. Prints pages/s, p50 and
# p99 of each (min / median / max of the rounds) and the ratio three : one
# round by round, with the machine's cores and load.
#
#   bash bench/shop/scale-out.sh [--processes N] [--threads N] [--short]
# --processes: the processes of the second set-up (3); --threads: page
# threads of each process (8); --short runs 3 s rounds.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"

processes=3
threads=8
seconds=10
while [ $# -gt 0 ]; do
  case "$1" in
    --processes) processes="$2"; shift 2 ;;
    --threads) threads="$2"; shift 2 ;;
    --short) seconds=3; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

bin="$root/build/bin"
pgbin=/usr/lib/postgresql/15/bin
for need in "$bin/qtr50d" "$bin/qtr_make_demoshop" "$pgbin/initdb" "$pgbin/pg_ctl"; do
  [ -x "$need" ] || { echo "missing $need: build first (bash scripts/build.sh)" >&2; exit 1; }
done
for tool in wrk nginx curl psql runuser; do
  command -v "$tool" >/dev/null || { echo "missing $tool (bash scripts/setup.sh installs it)" >&2; exit 1; }
done

work="$(mktemp -d /tmp/qtr-bench-scale.XXXXXX)"
chmod 755 "$work"
pgdir="$(mktemp -d /tmp/qtr-bench-pg.XXXXXX)"
chmod 700 "$pgdir"
chown postgres "$pgdir"
server_pids=()
nginx_pid=""
pg_started=""
stop_servers() {
  for pid in "${server_pids[@]}"; do
    kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
  done
  server_pids=()
}
cleanup() {
  stop_servers
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null || true
  [ -n "$pg_started" ] && runuser -u postgres -- "$pgbin/pg_ctl" -D "$pgdir/data" -m fast stop >/dev/null 2>&1 || true
  rm -rf "$work" "$pgdir"
}
trap cleanup EXIT
. "$root/bench/shop/common.sh"




echo "a throwaway PostgreSQL cluster in $pgdir"
pg_port="$(free_port)"
runuser -u postgres -- "$pgbin/initdb" -D "$pgdir/data" -U postgres -A trust -E UTF8 --no-locale --no-sync \
  > "$pgdir/setup.log" 2>&1
runuser -u postgres -- "$pgbin/pg_ctl" -w -D "$pgdir/data" -l "$pgdir/server.log" \
  -o "-c listen_addresses=127.0.0.1 -p $pg_port -c unix_socket_directories=$pgdir -c fsync=off -c max_connections=300" \
  start > /dev/null
pg_started=yes
psql -h 127.0.0.1 -p "$pg_port" -U postgres -q -c "CREATE DATABASE negozio" postgres

echo "making the demo shop in $work/shop, its rows on PostgreSQL"
QT_QPA_PLATFORM=offscreen "$bin/qtr_make_demoshop" "$work/shop" 2>/dev/null
mdb="$work/shop/db/database.mdb"
echo "host=127.0.0.1 port=$pg_port dbname=negozio user=postgres" > "$work/shop/db/sqlserver.ini"

write_config() {   # file port
  cat > "$1" <<INI
[server]
listen=127.0.0.1
port=$2
threads=$threads
debug=false
trusted_proxies=127.0.0.1

[limits]
max_connections_per_address=0

[shop]
name=negozio
folder=$work/shop
locale=it_IT

[logs]
access=
error=$work/error-$2.log
INI
}
write_config "$work/setup.ini" "$(free_port)"
"$bin/qtr50d" --config "$work/setup.ini" --create-schema negozio > /dev/null
"$bin/qtr50d" --config "$work/setup.ini" --load-shop negozio "$mdb" > /dev/null

ports=()
for i in $(seq 1 "$processes"); do ports+=("$(free_port)"); done

# Starts the first n processes.
start_servers() {   # n
  for i in $(seq 0 $(($1 - 1))); do
    write_config "$work/qtr50d-$i.ini" "${ports[$i]}"
    "$bin/qtr50d" --config "$work/qtr50d-$i.ini" > "$work/server-$i.out" 2>&1 &
    server_pids+=("$!")
    wait_listening "${ports[$i]}" "$!"
  done
}

nginx_port="$(free_port)"
mkdir -p "$work/nginx/logs"
# nginx reads its upstreams at start: one configuration for each set-up,
# reloaded between them.
nginx_config() {   # n
  local upstream=""
  for i in $(seq 0 $(($1 - 1))); do upstream="$upstream    server 127.0.0.1:${ports[$i]};
"; done
  cat > "$work/nginx/nginx.conf" <<CONF
$(nginx_head "$work")
$(nginx_temp_paths "$work")
  upstream qtr50d {
$upstream    keepalive 64;
  }
  server {
    listen 127.0.0.1:$nginx_port;
    location / {
      proxy_pass http://qtr50d;
      proxy_http_version 1.1;
      proxy_set_header Connection "";
      proxy_set_header Host \$host;
      proxy_set_header X-Forwarded-For \$proxy_add_x_forwarded_for;
    }
  }
}
CONF
}

page="categoria.asp?IDCategoria=2"
url="http://127.0.0.1:$nginx_port/$page"
rounds=3
: > "$work/rounds.txt"
# One set-up: its processes, nginx in front, a check of the page, wrk.
measure() {   # name n round
  start_servers "$2"
  nginx_config "$2"
  nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" &
  nginx_pid=$!
  wait_listening "$nginx_port" "$nginx_pid"
  curl -fsS "$url" | grep -q "Servizio di piatti blu lago" \
    || { echo "the category page does not list its products" >&2; exit 1; }
  wrk -t4 -c64 -d"$seconds"s --latency "$url" > "$work/wrk-$1$3.txt"
  echo "$1 $(awk '/^Requests\/sec:/ { print $2 }' "$work/wrk-$1$3.txt")" \
    "$(to_ms "$(awk '$1 == "50%" { print $2 }' "$work/wrk-$1$3.txt")")" \
    "$(to_ms "$(awk '$1 == "99%" { print $2 }' "$work/wrk-$1$3.txt")")" \
    "$(awk '/Non-2xx/ { print $NF }' "$work/wrk-$1$3.txt")" >> "$work/rounds.txt"
  echo "  round $3, $2 process(es): $(uptime | sed 's/.*load/load/')"
  kill "$nginx_pid"; wait "$nginx_pid" 2>/dev/null || true
  nginx_pid=""
  stop_servers
}

echo "new visitors through nginx, 64 connections, ${seconds} s a round, $threads page threads a process, $(nproc) cores"
for round in $(seq 1 "$rounds"); do
  measure one 1 "$round"
  measure many "$processes" "$round"
done
column_of() { awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$work/rounds.txt"; }
printf '%-26s %26s %22s %22s\n' set-up "pages/s" "p50 ms" "p99 ms"
for row in "one:1 process" "many:$processes processes"; do
  name="${row%%:*}"
  printf '%-26s %26s %22s %22s\n' "${row#*:}" "$(column_of "$name" 2 | spread)" "$(column_of "$name" 3 | spread)" \
    "$(column_of "$name" 4 | spread)"
done
echo "(min / median / max of $rounds rounds)"
echo "ratio $processes processes : 1: $(paste <(column_of many 2) <(column_of one 2) | awk '{ printf "%#.3g\n", $1 / $2 }' | spread)"
errors="$(awk '$5 != "" { n += $5 } END { print n + 0 }' "$work/rounds.txt")"
echo "answers other than 2xx/3xx in all rounds: $errors"
