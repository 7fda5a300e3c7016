# Helpers for the timing scripts.

# Runs the calling script ($1, with the arguments after it) inside its own
# Xvfb display, with sound on OpenAL's null output, unless it already is.
own_display() {
  if [ -z "${GLIMMET_BENCH_DISPLAY:-}" ]; then
    export GLIMMET_BENCH_DISPLAY=1 ALSOFT_DRIVERS=null
    exec xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$@"
  fi
}

# The median of column $3 over the lines of file $1 whose first word is $2.
column_median() {
  awk -v key="$2" -v col="$3" '$1 == key { print $col }' "$1" | sort -n |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}

# The data directory of the game $1: the nearest directory above it holding
# resources/ (a copy of an older build beside its resources works).
data_of() {
  local dir
  dir=$(cd "$(dirname "$1")" && pwd)
  while [ "$dir" != / ] && [ ! -d "$dir/resources" ]; do dir=$(dirname "$dir"); done
  echo "$dir"
}
