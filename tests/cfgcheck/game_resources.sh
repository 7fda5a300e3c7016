#!/usr/bin/env bash
# Every configuration file of the game loads without an error and uses only
# keys the game reads: the strict checker passes and finds nothing.
set -euo pipefail
checker="$1"
resources="$2"
# Findings with this text, when given, are allowed.
allowed="${3:-}"

out="$(mktemp)"
trap 'rm -f "$out"' EXIT
status=0
if [ -n "$allowed" ]; then
  "$checker" "$resources" >"$out" 2>&1 || status=$?
  sed -i "/: warning: $allowed\$/d" "$out"
else
  "$checker" --strict "$resources" >"$out" 2>&1 || status=$?
fi
if [ "$status" -ne 0 ] || grep -q ': \(error\|warning\|note\): ' "$out"; then
  echo "FAIL: the game's configuration has findings (exit status $status)"
  cat "$out"
  exit 1
fi
echo "every configuration below $resources checks clean under --strict"
