#!/bin/bash
# The station's main job on the bundled sample: a field device and a central
# station, each its own process, on the two ends of a null-modem cable made of
# pseudo-terminals. The central station runs a short session and every
# outcome is printed; then both are shut down.
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
    exec 3>&- 2>/dev/null
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

summary=()
failures=0
# One request from the central station: its whole line activity, then the outcome.
step() {
    local title=$1 expect=$2
    shift 2
    echo
    echo "=================== $title"
    local output
    output=$("$cli" --workdir "$run/central" "$@" --port "$central_port" 2>&1)
    echo "$output"
    local result value
    result=$(sed -n 's/^result: //p' <<< "$output")
    value=$(sed -n 's/^value: //p' <<< "$output")
    local verdict="as expected"
    if [ "$result" != "$expect" ]; then verdict="UNEXPECTED (expected $expect)"; failures=$((failures + 1)); fi
    summary+=("$(printf '%-34s result %-6s %-14s value: %s' "$title" "$result" "$verdict" "$value")")
}

# Changes what the field device spoils, and waits until it has taken it.
inject() {
    echo "inject $1" >&3
    wait_for "$run/field/activity.txt" "Injecting: $1" || exit 1
}

step "Get of a scalar" 0 get demoInteger.0
step "Get-next" 0 getnext demoInteger.0
step "Set" 0 set demoName.0=Main_Street
step "Get reads the Set value back" 0 get demoName.0
step "Get of a table instance" 0 get demoSignalState.3
# Field devices explain STMP requests in their trace but do not answer them.
step "STMP Get (not answered)" 16 get --stmp --timeout 2 demoInteger.0
inject bad-crc
step "Get answered with a bad FCS" 32768 get demoInteger.0
inject none
step "Get after the injection ends" 0 get demoInteger.0

echo
echo "=================== The field device's line activity"
cat "$run/field/activity.txt"

echo
echo "=================== Outcomes"
printf '%s\n' "${summary[@]}"
[ "$failures" -eq 0 ] || { echo "demo: $failures outcome(s) not as expected" >&2; exit 1; }
