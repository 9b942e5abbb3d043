#!/bin/bash
# The station on a telephone line, through quorvan-modem-sim: two simulated
# Hayes modems on pseudo-terminals joined by a simulated exchange. The field
# device (quorvan-cli field --modem) waits for calls on 555-0200; the central
# station (quorvan-cli dial) calls it from 555-0100, negotiates PPP (LCP and
# CHAP), reads and writes an object, and hangs up; the field device sees the
# carrier drop and waits for the next call. A second call finds the number
# busy. Every outcome is printed; the session fails on the first one that is
# not as expected.
#
#   cli/dialup-session.sh BUILD_DIR RUN_DIR
set -u

build=${1:?build directory}
run=${2:?run directory}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cli=$build/cli/quorvan-cli
sim=$build/cli/quorvan-modem-sim

rm -rf "$run"
mkdir -p "$run/central" "$run/field"
for station in central field; do
    cp "$source_dir/mibs/Mibi" "$source_dir/mibs/"*.mib "$source_dir/mibs/TreeCfg.ini" "$run/$station/"
done

sim_pid=
field_pid=
cleanup() {
    [ -n "$field_pid" ] && kill -TERM "$field_pid" 2>/dev/null
    [ -n "$sim_pid" ] && kill -TERM "$sim_pid" 2>/dev/null
    exec 3>&- 2>/dev/null
    wait 2>/dev/null
}
trap cleanup EXIT

fail() { echo "dial-up session: $*" >&2; exit 1; }

# Short rings and guard times so the session takes seconds; the station's
# modem waits in steps of 300 ms and keeps the modem's guard time of 100 ms
# (S12=5).
modem_options=(--init 'ATE0V1Q0&D2S12=5' --wait-ms 300 --guard-ms 150)
secret=demo-secret

# The simulator reads its control commands from a pipe kept open by this script.
mkfifo "$run/sim-control"
"$sim" --ring-ms 200 --rings 5 --dial-ms 50 --connect-ms 100 --busy 555-0199 555-0100 555-0200 \
    < "$run/sim-control" > "$run/sim.txt" 2>&1 &
sim_pid=$!
exec 3> "$run/sim-control"
for _ in $(seq 100); do grep -q "^ready" "$run/sim.txt" 2>/dev/null && break; sleep 0.1; done
grep -q "^ready" "$run/sim.txt" || fail "the modem simulator did not start"
central_port=$(awk '$1 == "modem" && $2 == "5550100" { print $3 }' "$run/sim.txt")
field_port=$(awk '$1 == "modem" && $2 == "5550200" { print $3 }' "$run/sim.txt")
echo "Modems: 555-0100 on $central_port, 555-0200 on $field_port"

"$cli" --workdir "$run/field" field --modem --port "$field_port" --secret "$secret" "${modem_options[@]}" \
    > "$run/field.txt" 2>&1 &
field_pid=$!
for _ in $(seq 100); do grep -q "Field device answering on" "$run/field.txt" 2>/dev/null && break; sleep 0.1; done
grep -q "Field device answering on $field_port" "$run/field.txt" || fail "the field device did not start"
echo "Field device waiting for calls on 555-0200"

echo "== dial 555-0200, PPP, set and get, hang up"
out=$(printf 'set demoInteger.0=42 demoName.0=dialled\nget demoInteger.0\nget demoName.0\nhangup\n' |
      "$cli" --workdir "$run/central" dial 555-0200 --port "$central_port" --link ppp --secret "$secret" \
             --timeout 5 "${modem_options[@]}" 2>&1) || fail "the dial-up session failed: $out"
echo "$out" | grep -E '^(Dialing|Connected|PPP Starting|CHAP Authentication|result:|value:|Modem call|Hung up)'
echo "$out" | grep -q "^CHAP Authentication successful" || fail "CHAP did not complete"
echo "$out" | grep -q "^value: 42$" || fail "the central station read another integer"
echo "$out" | grep -q "^value: dialled$" || fail "the central station read another name"

for _ in $(seq 50); do grep -q "Modem call ended" "$run/field.txt" && break; sleep 0.1; done
echo "== the field device"
grep -E '^(Modem call|The carrier was lost)' "$run/field.txt"
grep -q "The carrier was lost; the call is hung up." "$run/field.txt" || fail "the field device did not see the carrier drop"

echo "== dial 555-0199 (busy)"
out=$(printf 'hangup\n' | "$cli" --workdir "$run/central" dial 555-0199 --port "$central_port" "${modem_options[@]}" 2>&1) &&
    fail "a busy number connected"
echo "$out" | grep -E '^(Dialing|Error|Not connected)'
echo "$out" | grep -q "^Error: The number dialed is busy.$" || fail "a busy number did not say so"

echo "== the exchange"
sed -n '/^ready/,$p' "$run/sim.txt" | tail -n +2
echo "dial-up session: every outcome as expected"
