#!/bin/sh
# Runs every fuzzer of a build for a while, one after the other, from its seed corpus.
#   tests/fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
# New inputs go to BUILD_DIR/fuzz-corpus, never into the repository's seeds; a crash, hang or
# sanitizer report leaves its input in BUILD_DIR/fuzz-artifacts and fails the run.
set -u
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
[ $# -gt 0 ] || set -- $(cd "$here/corpus" && ls)

# Leaks are looked for too: libFuzzer reports an input after which memory stays allocated.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/lsan.supp:print_suppressions=0}"
export LC_ALL=C.UTF-8 TZ="${TZ:-Europe/Berlin}"

passed=0
failed=0
for target in "$@"; do
    fuzzer="$build/tests/fuzz/fuzz_$target"
    corpus="$build/fuzz-corpus/$target"
    artifacts="$build/fuzz-artifacts"
    log="$build/fuzz-logs/$target.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    if [ ! -x "$fuzzer" ]; then
        echo "fuzz_$target: not built"
        failed=$((failed + 1))
        continue
    fi
    case $target in
    rangejson | jobjson | festival | almanacday | almanacmonth) dict="$here/dict/json.dict" ;;
    *) dict="$here/dict/$target.dict" ;;
    esac
    set --
    [ -f "$dict" ] && set -- -dict="$dict"
    # -timeout: one input taking 10 s is a hang; -rss_limit_mb: one needing 2 GiB is a memory bomb.
    if "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 "$@" \
        -artifact_prefix="$artifacts/$target-" "$corpus" "$here/corpus/$target" >"$log" 2>&1; then
        echo "fuzz_$target: $(grep -m1 '^Done' "$log")"
        passed=$((passed + 1))
    else
        echo "fuzz_$target: FAILED, see $log"
        grep -E 'ERROR|runtime error|SUMMARY|Test unit written' "$log" | head -20
        failed=$((failed + 1))
    fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
