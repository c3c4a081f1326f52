#!/bin/bash
# Builds the fuzz targets and runs each for a bounded time from the seeds in
# tests/fuzz/corpus/<target>/.  tests/fuzz/run.sh <seconds> [out-dir]
# New inputs the fuzzer finds go to <out-dir>/corpus/<target>, never into the sources;
# a crash leaves its input in <out-dir>/<target>-crash-* and fails the run.
set -euo pipefail
seconds=${1:?usage: run.sh <seconds> [out-dir]}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(cd "$here/../.." && pwd)
out_dir=$(mkdir -p "${2:-build-fuzz}" && cd "${2:-build-fuzz}" && pwd)

"$here/build.sh" "$source_dir" "$out_dir"
export FUZZ_SCRATCH_DIR=${FUZZ_SCRATCH_DIR:-$( [ -d /dev/shm ] && echo /dev/shm || echo /tmp )}
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
status=0
for target in textfiles pagecommands; do
    mkdir -p "$out_dir/corpus/$target"
    log="$out_dir/$target.log"
    if "$out_dir/fuzz_$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
            -artifact_prefix="$out_dir/$target-" -print_final_stats=1 \
            "$out_dir/corpus/$target" "$here/corpus/$target" >"$log" 2>&1; then
        result=ok
    else
        result=FAILED; status=1
        tail -n 60 "$log"
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz_$target: $result, $runs executions in $seconds s, corpus $(ls "$out_dir/corpus/$target" | wc -l) inputs"
done
exit $status
