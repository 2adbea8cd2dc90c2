#!/usr/bin/env bash
# The shop server against nginx, on loopback only. Builds nothing: run it
# after a build (bash scripts/build.sh).
#
# Run 1: qtr50d serves the demo shop's category page and nginx serves a
# saved copy of the same page; wrk drives each with 64 connections for
# 10 s, three rounds with the servers taking turns in each. Prints pages/s,
# p50 and p99 of both (min / median / max of the rounds) and the ratio
# qtr50d : nginx round by round, and qtr50d's CPU a page (all its threads,
# from /proc), which other work on the machine sways less than pages/s.
# wrk keeps no cookies, so every page of that row is a new visitor's
# first; a second qtr50d row has wrk send back the cookies of 256
# visitors, each in one connection at a time, as shoppers browsing.
# Run 2: qtr50d alone holds 200 connections for 60 s; prints wrk's errors
# and the server's memory before and after.
#
#   bash bench/shop/run.sh [--server qtr50d|preview] [--short]
# --server preview drives the single-threaded preview listener instead (a
# dry run of the script itself); --short runs 3 s and 10 s instead.
set -euo pipefail
cd "$(dirname "$0")/../.."
root="$PWD"

server=qtr50d
first_seconds=10
second_seconds=60
while [ $# -gt 0 ]; do
  case "$1" in
    --server) server="$2"; shift 2 ;;
    --short) first_seconds=3; second_seconds=10; shift ;;
    *) echo "unknown option: $1" >&2; exit 2 ;;
  esac
done

bin="$root/build/bin"
case "$server" in
  qtr50d) program="$bin/qtr50d" ;;
  preview) program="$bin/qtr_preview_shop" ;;
  *) echo "--server is qtr50d or preview" >&2; exit 2 ;;
esac
for need in "$program" "$bin/qtr_make_demoshop"; do
  [ -x "$need" ] || { echo "missing $need: build first (bash scripts/build.sh)" >&2; exit 1; }
done
for tool in wrk nginx curl; do
  command -v "$tool" >/dev/null || { echo "missing $tool (bash scripts/setup.sh installs it)" >&2; exit 1; }
done

work="$(mktemp -d /tmp/qtr-bench-shop.XXXXXX)"
chmod 755 "$work"
server_pid=""
nginx_pid=""
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null && wait "$server_pid" 2>/dev/null || true
  [ -n "$nginx_pid" ] && kill "$nginx_pid" 2>/dev/null && wait "$nginx_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
. "$root/bench/shop/common.sh"

rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

# Runs wrk and leaves its report in $work/wrk-<name>.txt; a fifth
# argument is a file of cookies to send back (see returning_visitors).
drive() {   # name url connections seconds [cookies]
  local threads=4
  [ "$3" -lt "$threads" ] && threads="$3"
  if [ $# -ge 5 ]; then
    wrk -t"$threads" -c"$3" -d"$4"s --latency -s "$work/visitors.lua" "$2" -- "$5" "$threads" > "$work/wrk-$1.txt"
  else
    wrk -t"$threads" -c"$3" -d"$4"s --latency "$2" > "$work/wrk-$1.txt"
  fi
}

# Opens a session for each of $2 visitors and writes their cookies, one a
# line, to $3; writes the wrk script that sends them back. Each wrk
# thread takes its own share of the visitors in turn, so no two requests
# in flight carry the same session.
returning_visitors() {   # url count file
  : > "$3"
  for _ in $(seq 1 "$2"); do
    curl -fsS -D - -o /dev/null "$1" | tr -d '\r' \
      | awk 'tolower($1) == "set-cookie:" { split($2, c, ";"); print c[1]; exit }' >> "$3"
  done
  [ "$(grep -c . "$3")" -eq "$2" ] || { echo "the shop gave no session cookie" >&2; return 1; }
  cat > "$work/visitors.lua" <<'LUA'
local cookies = {}
local share, turn = 0, 0
local made = 0
function setup(thread)
  thread:set("index", made)
  made = made + 1
end
function init(args)
  for line in io.lines(args[1]) do cookies[#cookies + 1] = line end
  share = math.floor(#cookies / tonumber(args[2]))
end
function request()
  local i = index * share + (turn % share) + 1
  turn = turn + 1
  return wrk.format(nil, nil, { Cookie = cookies[i] })
end
LUA
}

rps_of() { awk '/^Requests\/sec:/ { print $2 }' "$work/wrk-$1.txt"; }
pct_of() { to_ms "$(awk -v p="$2%" '$1 == p { print $2 }' "$work/wrk-$1.txt")"; }
errors_of() {
  awk '/Socket errors:/ { sub(/.*Socket errors: */, ""); s = $0 }
       /Non-2xx or 3xx responses:/ { n = $NF }
       END { printf "socket errors: %s; non-2xx/3xx answers: %s\n", (s == "" ? "none" : s), (n == "" ? 0 : n) }' \
    "$work/wrk-$1.txt"
}

echo "making the demo shop in $work/shop"
QT_QPA_PLATFORM=offscreen "$bin/qtr_make_demoshop" "$work/shop" 2>/dev/null

shop_port="$(free_port)"
if [ "$server" = qtr50d ]; then
  cat > "$work/qtr50d.ini" <<INI
[server]
listen=127.0.0.1
port=$shop_port
threads=0
debug=false

[limits]
; wrk's connections all come from 127.0.0.1
max_connections_per_address=0

[shop]
folder=$work/shop
locale=it_IT

[logs]
access=$work/access.log
error=$work/error.log
INI
  "$program" --config "$work/qtr50d.ini" > "$work/server.out" 2>&1 &
else
  "$program" "$work/shop" "$shop_port" > "$work/server.out" 2>&1 &
fi
server_pid=$!
wait_listening "$shop_port" "$server_pid"

page="categoria.asp?IDCategoria=2"
shop_url="http://127.0.0.1:$shop_port/$page"
mkdir -p "$work/static"
curl -fsS "$shop_url" -o "$work/static/categoria.html"
grep -q "Servizio di piatti blu lago" "$work/static/categoria.html" \
  || { echo "the category page does not list its products:" >&2; head -c 2000 "$work/static/categoria.html" >&2; exit 1; }

nginx_port="$(free_port)"
mkdir -p "$work/nginx/logs"
cat > "$work/nginx/nginx.conf" <<CONF
$(nginx_head "$work")
  default_type text/html;
  sendfile on;
  keepalive_requests 100000;
$(nginx_temp_paths "$work")
  server {
    listen 127.0.0.1:$nginx_port;
    root $work/static;
    location / { try_files /categoria.html =404; }
  }
}
CONF
nginx -p "$work/nginx" -c "$work/nginx/nginx.conf" &
nginx_pid=$!
wait_listening "$nginx_port" "$nginx_pid"
nginx_url="http://127.0.0.1:$nginx_port/$page"

rounds=3
echo "run 1: 64 connections, ${first_seconds} s each, the category page ($(wc -c < "$work/static/categoria.html") bytes), $rounds rounds"
returning_visitors "$shop_url" 256 "$work/cookies.txt"
: > "$work/rounds.txt"
# The server's CPU (all its threads) per page, in microseconds: less
# swayed than pages/s by other work on the machine.
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
cpu_per_page() {   # name ticks-before ticks-after
  awk -v t="$(($3 - $2))" -v hz="$(getconf CLK_TCK)" -v n="$(awk '/requests in/ { print $1 }' "$work/wrk-$1.txt")" \
    'BEGIN { printf "%.0f", t / hz / n * 1e6 }'; }
for round in $(seq 1 "$rounds"); do
  ticks="$(cpu_ticks "$server_pid")"
  drive "shop$round" "$shop_url" 64 "$first_seconds"
  new_cpu="$(cpu_per_page "shop$round" "$ticks" "$(cpu_ticks "$server_pid")")"
  ticks="$(cpu_ticks "$server_pid")"
  drive "returning$round" "$shop_url" 64 "$first_seconds" "$work/cookies.txt"
  returning_cpu="$(cpu_per_page "returning$round" "$ticks" "$(cpu_ticks "$server_pid")")"
  drive "nginx$round" "$nginx_url" 64 "$first_seconds"
  for name in shop returning nginx; do
    echo "$name $(rps_of "$name$round") $(pct_of "$name$round" 50) $(pct_of "$name$round" 99)" >> "$work/rounds.txt"
  done
  echo "cpu $new_cpu $returning_cpu" >> "$work/rounds.txt"
  echo "  round $round: $(uptime | sed 's/.*load/load/')"
done
column_of() { awk -v n="$1" -v c="$2" '$1 == n { print $c }' "$work/rounds.txt"; }
printf '%-28s %26s %22s %22s
' server "pages/s" "p50 ms" "p99 ms"
for row in "shop:$server (new visitors)" "returning:$server (returning visitors)" "nginx:nginx"; do
  name="${row%%:*}"
  printf '%-28s %26s %22s %22s
' "${row#*:}" "$(column_of "$name" 2 | spread)" "$(column_of "$name" 3 | spread)" \
    "$(column_of "$name" 4 | spread)"
done
echo "(min / median / max of $rounds rounds, $(nproc) cores)"
echo "$server CPU a page (all its threads): new visitors $(column_of cpu 2 | spread) us;" \
  "returning visitors $(column_of cpu 3 | spread) us"
ratio_rounds() {   # name: its pages/s over nginx's, round by round
  paste <(column_of "$1" 2) <(column_of nginx 2) | awk '{ printf "%#.3g\n", $1 / $2 }' | spread; }
echo "ratio $server : nginx, new visitors: $(ratio_rounds shop); returning visitors: $(ratio_rounds returning)"
for round in $(seq 1 "$rounds"); do
  echo "round $round, $server: $(errors_of "shop$round"); returning visitors: $(errors_of "returning$round")"
done

# What the new visitors of run 1 (wrk sends no cookies) left in the
# Session store: a visitor who only browses should leave nothing.
if [ "$server" = qtr50d ]; then
  cookieless=0
  for round in $(seq 1 "$rounds"); do
    cookieless=$((cookieless + $(awk '/requests in/ { print $1 }' "$work/wrk-shop$round.txt")))
  done
  store_bytes=$(cat "$work/shop/db/"sessions.sqlite* 2>/dev/null | wc -c)
  store_rows=$(sqlite3 "$work/shop/db/sessions.sqlite" "SELECT COUNT(*) FROM QtrSessioni" 2>/dev/null || echo 0)
  echo "Session store after $cookieless cookie-less requests (and the 256 returning visitors): $store_bytes bytes, $store_rows Sessions"
fi

echo "run 2: $server alone, 200 connections for ${second_seconds} s"
before="$(rss_kib "$server_pid")"
drive hold "$shop_url" 200 "$second_seconds"
after="$(rss_kib "$server_pid")"
printf '%s: %s pages/s, p50 %s ms, p99 %s ms\n' "$server" "$(rps_of hold)" "$(pct_of hold 50)" "$(pct_of hold 99)"
echo "$server: $(errors_of hold)"
echo "$server memory (RSS): ${before} KiB before, ${after} KiB after"
kill -0 "$server_pid" 2>/dev/null && echo "$server still answers: $(curl -s -o /dev/null -w '%{http_code}' "$shop_url")"
