#!/bin/sh
# Runs the Linux echo service for real: in a network namespace of its own,
# with the loopback MTU set to 1492 and then 576, the probe against
# 127.0.0.1 must find that MTU, first over a raw socket (the namespace
# grants no ping sockets), then over a ping socket.
# usage: netns_test.sh POSIX_ECHO_TEST VELOMAR_CLI
# Exit 77 (skipped) where network namespaces are not permitted.
set -u
program=$1
cli=$2
skip() {
    echo "SKIPPED: $*"
    exit 77
}

[ "$(id -u)" -eq 0 ] || skip "network namespaces need root"
command -v ip >/dev/null 2>&1 || skip "ip (iproute2) is not installed"
ns="velomar-mtu-$$"
ip netns add "$ns" 2>/dev/null || skip "ip netns add was refused"
trap 'ip netns del "$ns" 2>/dev/null' EXIT
trap 'exit 1' INT TERM HUP

failed=0
check() {  # mtu, socket kind
    echo "== loopback MTU $1, $2 socket"
    ip netns exec "$ns" ip link set lo mtu "$1" up || { failed=1; return; }
    VELOMAR_NETNS_MTU=$1 ip netns exec "$ns" "$program" || failed=1
    measured=$(ip netns exec "$ns" "$cli" mtu --host 127.0.0.1)
    if [ "$measured" = "$1" ]; then
        echo "velomar-cli mtu: $measured"
    else
        echo "velomar-cli mtu printed '$measured', expected $1"
        failed=1
    fi
}

check 1492 raw
check 576 raw
ip netns exec "$ns" sh -c 'echo "0 2147483647" > /proc/sys/net/ipv4/ping_group_range' || failed=1
check 1492 ping
check 576 ping
exit "$failed"
