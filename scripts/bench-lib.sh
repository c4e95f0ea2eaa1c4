# Helpers for the benchmark scripts (sourced).

# A free TCP port on 127.0.0.1.
free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }

# Serves the files of WORK/www on 127.0.0.1:PORT with one nginx worker, all its state under WORK
# (stopped by stop_static_nginx WORK). The folders are made readable for nginx's worker user.
start_static_nginx() {
  local work=$1 port=$2
  mkdir -p "$work/www" "$work/tmp"
  chmod 755 "$work" "$work/www"
  chmod -R a+r "$work/www"
  cat > "$work/nginx.conf" <<CONF
daemon on; pid $work/nginx.pid; error_log $work/error.log; worker_processes 1;
events { worker_connections 256; }
http { access_log off; client_body_temp_path $work/tmp; proxy_temp_path $work/tmp;
  fastcgi_temp_path $work/tmp; uwsgi_temp_path $work/tmp; scgi_temp_path $work/tmp;
  server { listen 127.0.0.1:$port; root $work/www; } }
CONF
  nginx -c "$work/nginx.conf"
}
stop_static_nginx() { [ -f "$1/nginx.pid" ] && kill "$(cat "$1/nginx.pid")" 2>/dev/null || true; }
