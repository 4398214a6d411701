#!/usr/bin/env bash
# simhost and corvane-cli state as two processes: the state printed must be the expected text, the
# same on every platform. The aircraft stands still, so the text does not depend on timing.
#   state_check.sh EXPECTED SIMHOST CLI [RUNNER...]   RUNNER runs the programs (Wine for Windows)
set -euo pipefail
expected=$1 simhost=$2 cli=$3
shift 3
runner=("$@")
scratch=$(mktemp -d)
export XDG_RUNTIME_DIR=$scratch  # a server folder of its own on Linux
"${runner[@]}" "$simhost" --at 52.3,4.76 --heading 90 --speed 0 --altitude 3000 >"$scratch/simhost.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; rm -rf "$scratch"' EXIT
"${runner[@]}" "$cli" state --timeout 60 >"$scratch/state.txt" 2>&1 || { cat "$scratch/state.txt" "$scratch/simhost.log"; exit 1; }
tr -d '\r' <"$scratch/state.txt" | diff -u "$expected" -
