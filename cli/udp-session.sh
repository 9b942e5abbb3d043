#!/bin/bash
# The station on the network, SNMP straight over UDP on the loopback: the
# field device listens on a UDP port; net-snmp's snmpset, snmpget and
# snmpwalk talk to it, and the central station (quorvan-cli) reads back what
# they wrote. Every outcome is printed; the session fails on the first one
# that is not as expected.
#
#   cli/udp-session.sh BUILD_DIR RUN_DIR
set -u

build=${1:?build directory}
run=${2:?run directory}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cli=$build/cli/quorvan-cli

rm -rf "$run"
mkdir -p "$run/central" "$run/field"
for station in central field; do
    cp "$source_dir/mibs/Mibi" "$source_dir/mibs/"*.mib "$source_dir/mibs/TreeCfg.ini" "$run/$station/"
done

field_pid=
cleanup() {
    [ -n "$field_pid" ] && kill -TERM "$field_pid" 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

fail() { echo "udp session: $*" >&2; exit 1; }

# A loopback UDP port nothing uses just now.
port=$(python3 -c 'import socket; s = socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
endpoint=udp:127.0.0.1:$port

"$cli" --workdir "$run/field" field --port "$endpoint" > "$run/field.txt" 2>&1 &
field_pid=$!
for _ in $(seq 100); do grep -q "Field device answering on" "$run/field.txt" 2>/dev/null && break; sleep 0.1; done
grep -q "Field device answering on $endpoint" "$run/field.txt" || fail "the field device did not start"
echo "Field device answering on $endpoint"

demo_integer=.1.3.6.1.4.1.1206.4.2.99.1.1.0
demo_name=.1.3.6.1.4.1.1206.4.2.99.1.6.0

echo "== snmpset"
out=$(MIBS= MIBDIRS=/nonexistent snmpset -v1 -c public -On -t 2 -r 0 "127.0.0.1:$port" $demo_integer i 42 $demo_name s "set over UDP") || fail "snmpset: $out"
echo "$out"
echo "== snmpget"
out=$(MIBS= MIBDIRS=/nonexistent snmpget -v1 -c public -On -t 2 -r 0 "127.0.0.1:$port" $demo_integer) || fail "snmpget: $out"
echo "$out"
[ "$out" = "$demo_integer = INTEGER: 42" ] || fail "snmpget read $out"
echo "== snmpwalk"
MIBS= MIBDIRS=/nonexistent snmpwalk -v1 -c public -On -t 2 -r 0 "127.0.0.1:$port" .1.3.6.1.4.1.1206.4.2.99.1 || fail "snmpwalk"
echo "== quorvan-cli get"
out=$("$cli" --workdir "$run/central" --timeout 2 get --port "$endpoint" demoName.0 2>&1) || fail "get: $out"
echo "$out" | tail -3
echo "$out" | grep -q "^value: set over UDP$" || fail "the central station read another value"
echo "udp session: every outcome as expected"
