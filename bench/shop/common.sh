# Shell helpers of the shop benchmarks (run.sh, scale-out.sh).

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'
}

wait_listening() {   # port pid
  for _ in $(seq 1 300); do
    kill -0 "$2" 2>/dev/null || { echo "the server on port $1 ended at start" >&2; return 1; }
    if (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; then return 0; fi
    sleep 0.1
  done
  echo "nothing listens on port $1 after 30 s" >&2
  return 1
}

# wrk's latency ("812.00us", "1.52ms", "2.01s") in milliseconds.
to_ms() {
  awk -v v="$1" 'BEGIN {
    n = v + 0
    if (v ~ /us$/) n /= 1000; else if (v ~ /ms$/) n += 0; else if (v ~ /m$/) n *= 60000; else if (v ~ /s$/) n *= 1000
    printf "%.2f", n }'
}

# min / median / max of the numbers on standard input.
spread() { sort -g | awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
  printf "%s / %s / %s", v[1], m, v[NR] }'; }

# What every benchmark's nginx configuration begins with, up to the
# inside of its http block, and the temporary folders it keeps in the
# run's own folder.
nginx_head() {   # work folder
  [ "$(id -u)" -eq 0 ] && echo "user root;"
  cat <<CONF
daemon off;
worker_processes auto;
pid $1/nginx/nginx.pid;
error_log $1/nginx/logs/error.log;
events { worker_connections 4096; }
http {
  access_log off;
CONF
}

nginx_temp_paths() {   # work folder
  cat <<CONF
  client_body_temp_path $1/nginx/body;
  proxy_temp_path $1/nginx/proxy;
  fastcgi_temp_path $1/nginx/fastcgi;
  uwsgi_temp_path $1/nginx/uwsgi;
  scgi_temp_path $1/nginx/scgi;
CONF
}
