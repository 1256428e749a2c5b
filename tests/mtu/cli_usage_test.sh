#!/bin/sh
# velomar-cli mtu refuses wrong words with exit 2, before it sends anything.
# usage: cli_usage_test.sh VELOMAR_CLI
cli=$1
failed=0
expect_usage() {
    "$cli" mtu "$@" >/dev/null 2>&1
    rc=$?
    if [ "$rc" -ne 2 ]; then
        echo "velomar-cli mtu $*: exit $rc, expected 2"
        failed=1
    fi
}
expect_usage --host
expect_usage --host ""
expect_usage extra
expect_usage --port 1
expect_usage --host 127.0.0.1 --host 127.0.0.1
exit "$failed"
