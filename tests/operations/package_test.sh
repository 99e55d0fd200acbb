#!/usr/bin/env bash
# The Debian packages as an administrator uses them: installed with apt, the database made by
# the installed rec18000-db, the installed server run by hand as its user (no systemd here) and
# asked /health, stopped by SIGTERM at once although a client keeps its connection open, then
# purged with nothing of theirs left but the user and the books (kept on purpose).
# Skips (77) without root or dpkg, and where the packages are installed for real.
set -euo pipefail
packages=$1
names=(rec18000-server rec18000-suite rec18000-tools rec18000-common)
state=/var/lib/rec18000
database="sqlite:$state/rec18000.db"

[[ $(id -u) -eq 0 ]] || { echo "skip: installing packages needs root"; exit 77; }
command -v dpkg >/dev/null && command -v apt-get >/dev/null || { echo "skip: no dpkg"; exit 77; }
if dpkg-query -W -f='${db:Status-Status}\n' "${names[@]}" 2>/dev/null | grep -qv not-installed; then
    echo "skip: REC18000 packages are installed on this machine; leaving them alone"
    exit 77
fi
shopt -s nullglob
debs=("$packages"/*.deb)
[[ ${#debs[@]} -eq 4 ]] || { echo "FAIL: no packages in $packages: run tools/package"; exit 1; }

export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
server=""
fail() {
    echo "FAIL: $*"
    cat "$log"
    exit 1
}
cleanup() {
    [[ -z $server ]] || kill -9 "$server" 2>/dev/null || true
    apt-get purge -y -qq "${names[@]}" >/dev/null 2>&1 || true
    rm -rf "$state" "$log"
}
trap cleanup EXIT
as_server() { setpriv --reuid=rec18000 --regid=rec18000 --init-groups -- "$@"; }
# (the server itself is started without the function, so that $! is its own process)

apt-get install -y -qq --no-install-recommends "${debs[@]}" >"$log" 2>&1 || fail "apt-get install"
rec18000-server --version | grep -q "^rec18000-server [0-9]" || fail "server --version"
rec18000-db --help | grep -q backup || fail "rec18000-db --help"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM rec18000-suite --version | grep -q "^suite " \
    || fail "suite --version without a display"
! ldd /usr/lib/rec18000/bin/suite /usr/lib/rec18000/lib/*.so /usr/bin/rec18000-{server,db} | grep "not found" \
    || fail "a library is not found"
[[ $(stat -c %U:%a "$state") == rec18000:750 ]] || fail "$state is not the server's"
[[ $(stat -c %U:%G:%a /etc/rec18000/server.conf) == root:rec18000:640 ]] || fail "server.conf"
if command -v systemd-analyze >/dev/null; then
    systemd-analyze verify /lib/systemd/system/rec18000-server.service >"$log" 2>&1 \
        || fail "systemd-analyze verify"
fi

as_server rec18000-db --database "$database" init >"$log" 2>&1 || fail "init"
as_server rec18000-db --database "$database" demo >"$log" 2>&1 || fail "demo"
# The database comes from /etc/rec18000/server.conf; a free port keeps off a running one.
setpriv --reuid=rec18000 --regid=rec18000 --init-groups -- \
    rec18000-server --listen 127.0.0.1:0 2>"$log" &
server=$!
port=""
for _ in $(seq 100); do
    port=$(sed -n 's/.*listening on 127.0.0.1:\([0-9]*\).*/\1/p' "$log")
    [[ -n $port ]] && break
    kill -0 "$server" 2>/dev/null || fail "the server did not start"
    sleep 0.1
done
[[ -n $port ]] || fail "the server did not tell its port"
[[ $(curl -fsS "http://127.0.0.1:$port/health") == '{"status":"ok"}' ]] || fail "/health"
curl -fsS "http://127.0.0.1:$port/metrics" | grep -q "^rec18000_open_connections 1$" || fail "/metrics"
as_server rec18000-db --database "$database" backup "$state/copy.db" >/dev/null || fail "backup"
as_server rec18000-db --database "sqlite:$state/copy.db" check | grep -q "books sound" || fail "copy"

exec 3<>"/dev/tcp/127.0.0.1/$port" # an idle keep-alive client
printf 'GET /health HTTP/1.1\r\nHost: test\r\n\r\n' >&3
read -r -t 5 answer <&3 && [[ $answer == "HTTP/1.1 200"* ]] || fail "keep-alive call"
started=$(date +%s%N)
kill -TERM "$server"
status=0
wait "$server" || status=$?
server=""
exec 3>&-
elapsed=$((($(date +%s%N) - started) / 1000000))
((status == 0)) || fail "the server exited with $status on SIGTERM"
((elapsed < 3000)) || fail "the server took $elapsed ms to stop"

apt-get purge -y -qq "${names[@]}" >"$log" 2>&1 || fail "apt-get purge"
[[ -f $state/rec18000.db ]] || fail "purging deleted the books"
rm -rf "$state"
left=$(find /etc /usr /lib /var /opt -name '*rec18000*' 2>/dev/null || true)
[[ -z $left ]] || fail "left behind: $left"
echo "package test: installed, served, stopped in $elapsed ms, purged; user rec18000 kept"
