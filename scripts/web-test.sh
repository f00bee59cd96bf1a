#!/usr/bin/env bash
# Runs one Wine test program with a real web server beside it: nginx on
# 127.0.0.1:80, with its configuration, logs, pid and document root in
# build/web/NAME, started before the program and stopped by its PID after.
#   web-test.sh EXE [ARGS...]
# The program finds that folder as VANTREL_WEB_FOLDER (a Windows path on D:,
# the build folder): the document root is its "root", the access log
# "logs\access.log", one line per request:
#   request|Accept|Accept-Language|User-Agent|Host|Range|Connection|status
# nginx and the program share a lane of the Wine session (see wine-test.sh):
# its port 80 is theirs alone.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${VANTREL_BUILD_ROOT:?set VANTREL_BUILD_ROOT to the build folder}"
VANTREL_BUILD_ROOT=$(cd "$VANTREL_BUILD_ROOT" && pwd)
export VANTREL_BUILD_ROOT
if [ -z "${VANTREL_WINE_LANE:-}" ]; then
  exec "$here/wine-test.sh" lane "$0" "$@"
fi
name=$(basename "$1" .exe)
web="$VANTREL_BUILD_ROOT/web/$name-lane${VANTREL_WINE_LANE:-0}"
rm -rf "$web"
mkdir -p "$web/root" "$web/logs" "$web/temp"

cat > "$web/nginx.conf" <<CONF
daemon off;
master_process off;
worker_processes 1;
pid $web/nginx.pid;
error_log $web/logs/error.log;
events { worker_connections 64; }
http {
  client_body_temp_path $web/temp/body;
  proxy_temp_path $web/temp/proxy;
  fastcgi_temp_path $web/temp/fastcgi;
  uwsgi_temp_path $web/temp/uwsgi;
  scgi_temp_path $web/temp/scgi;
  log_format vantrel '\$request|\$http_accept|\$http_accept_language|\$http_user_agent|\$http_host|\$http_range|\$http_connection|\$status';
  access_log $web/logs/access.log vantrel;
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:80;
    root $web/root;
  }
}
CONF

nginx=$(command -v nginx || echo /usr/sbin/nginx)
"$nginx" -p "$web" -e "$web/logs/error.log" -c "$web/nginx.conf" &
nginx_pid=$!
stop_nginx() {
  kill "$nginx_pid" 2>/dev/null || true
  wait "$nginx_pid" 2>/dev/null || true
}
trap stop_nginx EXIT

for _ in $(seq 1 100); do
  (: < /dev/tcp/127.0.0.1/80) 2>/dev/null && break
  kill -0 "$nginx_pid" 2>/dev/null || { echo "web-test: nginx did not start" >&2; cat "$web/logs/error.log" >&2; exit 1; }
  sleep 0.05
done

rel=${web#"$VANTREL_BUILD_ROOT"/}
export VANTREL_WEB_FOLDER="D:\\${rel//\//\\}"
"$here/wine-test.sh" run "$@"
