#!/usr/bin/env bash
# Short libFuzzer runs of the parsers of typed and stored text (money and
# quantities, typed times and stored dates, ticket numbers, Code 39
# completion, the receipt notice). Builds only the parsers' own files with
# clang, AddressSanitizer and UndefinedBehaviorSanitizer into build-fuzz/,
# then runs each target from a copy of its checked-in corpus with a fixed
# seed and a fixed number of runs, so two runs do the same work.
#
#   scripts/fuzz.sh [runs]        # runs per target, default 40000
#
# Fails when a target breaks a property, crashes or trips a sanitizer; the
# input that did it is left in build-fuzz/findings/ (add it to the target's
# corpus once the parser is fixed).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_FUZZ_BUILD_DIR:-$root/build-fuzz}
runs=${1:-40000}
targets=(money typed_time ticket_number code39 receipt_notice)

if ! [[ "$runs" =~ ^[0-9]+$ ]]; then
    echo "fuzz.sh: the number of runs must be a whole number, not '$runs'" >&2
    exit 2
fi
for tool in clang++ cmake; do
    if ! command -v "$tool" > /dev/null; then
        echo "fuzz.sh: $tool is missing (apt-get install clang libclang-rt-14-dev cmake)" >&2
        exit 2
    fi
done

generator=()
if command -v ninja > /dev/null; then
    generator=(-G Ninja)
fi
mkdir -p "$build"
cmake -S "$root/tests/fuzz" -B "$build" "${generator[@]}" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo > "$build/configure.log" 2>&1 \
    || { cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

work=$(mktemp -d /tmp/tessaly-fuzz-XXXXXX)
trap 'rm -rf "$work"' EXIT
rm -rf "$build/findings"
mkdir -p "$build/findings"
failed=()
for target in "${targets[@]}"; do
    # libFuzzer adds what it finds to the first folder: a copy, so the
    # checked-in corpus stays as it is.
    mkdir -p "$work/$target"
    cp "$root/tests/fuzz/corpus/$target/"* "$work/$target/"
    log="$build/findings/$target.log"
    started=$SECONDS
    # Typed times run in a zone with daylight saving time, so its gaps and
    # repeated hours are read too.
    zone=()
    if [[ $target == typed_time && -e /usr/share/zoneinfo/America/New_York ]]; then
        zone=(env TZ=America/New_York)
    fi
    if "${zone[@]}" "$build/fuzz_$target" -seed=1 -runs="$runs" -max_len=256 -timeout=20 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$work/$target" > "$log" 2>&1; then
        echo "fuzz $target: $runs runs, no finding ($((SECONDS - started)) s)"
    else
        echo "fuzz $target: FAILED, see $log" >&2
        grep -E "property broken|^  [^ ]|runtime error|ERROR: |SUMMARY|Test unit written" "$log" >&2 \
            || tail -20 "$log" >&2
        failed+=("$target")
    fi
done

if ((${#failed[@]})); then
    echo "fuzz.sh: findings in ${failed[*]}" >&2
    exit 1
fi
