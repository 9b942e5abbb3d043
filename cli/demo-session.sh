#!/bin/bash
# The station's main job on the bundled sample: a field device and a central
# station, each its own process, on the two ends of a null-modem cable made of
# pseudo-terminals. The central station runs a short session, the macro
# script examples/demo-session.mac, and every outcome and verdict is printed;
# then both are shut down.
#
#   cli/demo-session.sh BUILD_DIR RUN_DIR
set -u

build=${1:?build directory}
run=${2:?run directory}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cli=$build/cli/quorvan-cli
cable=$build/cli/quorvan-null-modem

rm -rf "$run"
mkdir -p "$run/central" "$run/field"
# Each station compiles the bundled MIB modules from source ("Mibi" includes them).
for station in central field; do
    cp "$source_dir/mibs/Mibi" "$source_dir/mibs/"*.mib "$source_dir/mibs/TreeCfg.ini" "$run/$station/"
done

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null; done
    wait 2>/dev/null
    exec 3>&- 4>&- 2>/dev/null
}
trap cleanup EXIT

# Waits up to ten seconds for a line in a file.
wait_for() {
    local file=$1 text=$2
    for _ in $(seq 100); do
        grep -q -- "$text" "$file" 2>/dev/null && return 0
        sleep 0.1
    done
    echo "demo: gave up waiting for \"$text\" in $file" >&2
    return 1
}

"$cable" > "$run/cable.txt" &
pids+=($!)
for _ in $(seq 100); do [ "$(wc -l < "$run/cable.txt")" -ge 2 ] && break; sleep 0.1; done
central_port=$(sed -n 1p "$run/cable.txt")
field_port=$(sed -n 2p "$run/cable.txt")
[ -n "$field_port" ] || { echo "demo: the null-modem cable did not come up" >&2; exit 1; }

# The field device reads its injection changes from a pipe.
mkfifo "$run/field-control"
"$cli" --workdir "$run/field" field --port "$field_port" < "$run/field-control" > "$run/field/activity.txt" 2>&1 &
pids+=($!)
exec 3> "$run/field-control"
wait_for "$run/field/activity.txt" "Field device answering on" || exit 1

echo "Central station on $central_port, field device on $field_port"
echo "The field device's line activity goes to $run/field/activity.txt"

# Changes what the field device spoils, and waits until it has taken it.
inject() {
    echo "inject $1" >&3
    wait_for "$run/field/activity.txt" "Injecting: $1" || exit 1
}

# The central station's session is a macro script; its two prompts (change
# the injection) are answered through a pipe once the field device has
# taken each change.
mkfifo "$run/answers"
"$cli" --workdir "$run/central" macro "$source_dir/examples/demo-session.mac" --port "$central_port" \
    --timeout 2 --input "$run/answers" --report "$run/central/report.xml" > "$run/central/macro.txt" 2>&1 &
macro_pid=$!
pids+=("$macro_pid")
exec 4> "$run/answers"
wait_for "$run/central/macro.txt" "answer with a bad FCS, then press Enter" || exit 1
inject bad-crc
echo >&4
wait_for "$run/central/macro.txt" "answer properly again, then press Enter" || exit 1
inject none
echo >&4
wait "$macro_pid"
macro_status=$?
exec 4>&-

# Dynamic object 1 defined in the device (five SNMP Sets), then read and
# written with STMP in one short message each.
echo "=================== Dynamic object 1 with STMP"
dynobj_status=0
QUORVAN_DYNOBJ_PAUSE_MS=${QUORVAN_DYNOBJ_PAUSE_MS:-1000} "$cli" --workdir "$run/central" dynobj define 1 \
    demoInteger.0 demoName.0 demoSignalState.3 --owner demo --port "$central_port" --timeout 2 \
    > "$run/central/dynobj.txt" 2>&1 || dynobj_status=1
"$cli" --workdir "$run/central" set --stmp --dynobj 1 --port "$central_port" --timeout 2 42 Oak_Avenue 3 \
    >> "$run/central/dynobj.txt" 2>&1 || dynobj_status=1
"$cli" --workdir "$run/central" get --stmp --dynobj 1 --port "$central_port" --timeout 2 \
    > "$run/central/dynobj-get.txt" 2>&1 || dynobj_status=1
cat "$run/central/dynobj-get.txt" >> "$run/central/dynobj.txt"
grep -A4 "^dynamic object 1" "$run/central/dynobj-get.txt"
grep -q "demoName.0 = Oak_Avenue" "$run/central/dynobj-get.txt" || dynobj_status=1
echo "(the whole exchange is in $run/central/dynobj.txt)"

echo
echo "=================== The central station's macro run (examples/demo-session.mac)"
cat "$run/central/macro.txt"
echo
echo "=================== The field device's line activity"
cat "$run/field/activity.txt"

echo
echo "=================== Outcomes (demo-session-results.txt)"
cat "$run/central/demo-session-results.txt"
echo
echo "=================== Verdicts as JUnit XML (report.xml)"
cat "$run/central/report.xml"
[ "$macro_status" -eq 0 ] || { echo "demo: the session's macro run failed (exit status $macro_status)" >&2; exit 1; }
[ "$dynobj_status" -eq 0 ] || { echo "demo: the dynamic object was not defined, written and read with STMP" >&2; exit 1; }
