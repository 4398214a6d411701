#!/usr/bin/env bash
# simhost --xplane-udp, the scripted X-Plane (xplane-peer) and corvane-cli state as three processes: the
# state printed is the peer's aircraft, which stands where the expected text says with no speed, and
# the bridge's log says X-Plane answered.
#   xplane_state_check.sh EXPECTED SIMHOST PEER CLI
set -euo pipefail
expected=$1 simhost=$2 peer=$3 cli=$4
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch
"$peer" --port 0 --at 52.3,4.76 --heading 90 --speed 0 --altitude 3000 >"$scratch/peer.log" 2>&1 &
pids=($!)
for _ in $(seq 100); do grep -q "on UDP port" "$scratch/peer.log" && break; sleep 0.1; done
port=$(sed -n 's/.*on UDP port \([0-9]*\).*/\1/p' "$scratch/peer.log")
"$simhost" --xplane-udp "127.0.0.1:$port" >"$scratch/simhost.log" 2>&1 &
pids+=($!)
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done; rm -rf "$scratch"' EXIT
"$cli" state --timeout 60 >"$scratch/state.txt" 2>&1 || { cat "$scratch/state.txt" "$scratch/simhost.log"; exit 1; }
grep -E '^(latitude|longitude|altitude|heading|ias|groundspeed|traffic) ' "$scratch/state.txt" | diff -u "$expected" -
grep -q "X-Plane answers at 127.0.0.1:$port" "$scratch/simhost.log"
