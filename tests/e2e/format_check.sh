#!/usr/bin/env bash
# The tree is formatted as .clang-format says: tools/format.sh --check finds
# nothing to change, and it does find a file that is laid out otherwise.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"

if ! out="$("$root/tools/format.sh" --check 2>&1)"; then
  echo "FAIL: files not formatted (run tools/format.sh):"
  echo "$out"
  exit 1
fi

# The check itself must see a badly laid out file: a copy of the tree's
# .clang-format with one misformatted source, in a repository of its own.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tools" "$work/src"
cp "$root/.clang-format" "$work/"
cp "$root/tools/format.sh" "$work/tools/"
printf 'int  main( ) {return 0;}\n' > "$work/src/bad.cpp"
git -C "$work" init -q
git -C "$work" add .
status=0
listed="$("$work/tools/format.sh" --check 2>/dev/null)" || status=$?
if [ "$status" -ne 1 ] || [ "$listed" != "src/bad.cpp" ]; then
  echo "FAIL: --check did not report src/bad.cpp (status $status, listed: $listed)"
  exit 1
fi
if ! cmp -s "$work/src/bad.cpp" <(printf 'int  main( ) {return 0;}\n'); then
  echo "FAIL: --check changed the file it checked"
  exit 1
fi
echo "the tree is formatted"
