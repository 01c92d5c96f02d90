#!/bin/bash
# Runs fuzz targets one after the other on one core, each for SECONDS seconds or RUNS executions,
# whichever ends first (make fuzz). New inputs go to the work folder build/fuzz/work/<target>;
# crashes to build/fuzz/artifacts/<target>/. Prints the executions of each target and exits with 1
# when any target found a crash.
#
#   fuzz/run-fuzzers.sh SECONDS [RUNS] TARGET...    (RUNS -1: no limit)
#
# FUZZ_JOBS=N runs each target in N processes at once over the same work folder (they pick up each
# other's inputs); RUNS is then shared among them and the executions are their sum.
set -u
seconds=$1
shift
runs=-1
if [[ $# -gt 0 && $1 =~ ^-?[0-9]+$ ]]; then
    runs=$1
    shift
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
build=$source_dir/build/fuzz
# Smaller allocation contexts and quarantine than the defaults: several times the executions per
# second; a crash is reproduced with the default options from its artifact.
export ASAN_OPTIONS=${ASAN_OPTIONS:-malloc_context_size=0:max_malloc_fill_size=0:quarantine_size_mb=4:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LANG=C.UTF-8

jobs=${FUZZ_JOBS:-1}
job_runs=$runs
if [[ $runs -gt 0 ]]; then
    job_runs=$(((runs + jobs - 1) / jobs))
fi

status=0
summary=""
for target in "$@"; do
    work=$build/work/$target
    artifacts=$build/artifacts/$target
    stamp=$(date +%Y%m%d-%H%M%S)
    mkdir -p "$work" "$artifacts" "$build/logs"
    logs=()
    pids=()
    for ((job = 1; job <= jobs; ++job)); do
        log=$build/logs/$target-$stamp-$job.log
        logs+=("$log")
        echo "== $target: $seconds s, log $log"
        nice -n 19 "$build/fuzz/fuzz-$target" "$work" "$source_dir/fuzz/corpus/$target" \
            -dict="$source_dir/fuzz/dict/$target.dict" -max_total_time="$seconds" -runs="$job_runs" \
            -timeout=10 -rss_limit_mb=2048 -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1 &
        pids+=($!)
    done
    result=0
    for pid in "${pids[@]}"; do
        wait "$pid" || result=1
    done
    executions=$(cat "${logs[@]}" | grep -o 'stat::number_of_executed_units: [0-9]*' | grep -o '[0-9]*$' |
                     awk '{ sum += $1 } END { print sum }')
    if [[ $result -ne 0 ]]; then
        status=1
        summary+="$target: FOUND A CRASH after ${executions:-?} executions, see ${logs[*]} and $artifacts"$'\n'
    else
        summary+="$target: ${executions:-?} executions, no crash"$'\n'
    fi
done
echo
echo -n "$summary"
exit $status
