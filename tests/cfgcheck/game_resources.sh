#!/usr/bin/env bash
# Every configuration file of the game loads without a diagnostic: the
# checker passes and writes nothing to standard error.
set -euo pipefail
checker="$1"
resources="$2"

err="$(mktemp)"
trap 'rm -f "$err"' EXIT
status=0
"$checker" "$resources" 2>"$err" || status=$?
if [ "$status" -ne 0 ] || [ -s "$err" ]; then
  echo "FAIL: the game's configuration has diagnostics (exit status $status)"
  cat "$err"
  exit 1
fi
echo "every configuration below $resources loads cleanly"
