#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/), starts a throwaway
# PostgreSQL server, runs every bench_* program on SQLite and on PostgreSQL
# and prints one table of their figures: the median after a warm-up, the
# target, the ratio to the bare engine where there is one, and OK or OVER.
# The table is also written to build-bench/bench-table.txt, each program's
# own output to build-bench/bench-logs/. The generated databases are kept in
# build-bench/bench-cache/, so a second run does not make them again.
#   bench.sh                 every benchmark
#   bench.sh NAME...         only these (bench_ticket_read or ticket_read)
# Exits non-zero when a figure is over its target or a program failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BENCH_BUILD_DIR:-$root/build-bench}
started=$SECONDS

"$root/scripts/install-deps.sh" --test

all=()
for f in "$root"/bench/bench_*.cpp; do
    all+=("$(basename "$f" .cpp)")
done
programs=()
if (($# == 0)); then
    programs=("${all[@]}")
else
    for name in "$@"; do
        name=bench_${name#bench_}
        if [[ ! -f "$root/bench/$name.cpp" ]]; then
            echo "bench.sh: no benchmark $name (there are: ${all[*]})" >&2
            exit 2
        fi
        programs+=("$name")
    done
fi

mkdir -p "$build/bench-logs"
buildlog=$build/bench-logs/build.log
echo "Building the benchmarks (Release) in $build (log: $buildlog) ..."
# bench_sales_startup also launches the program itself.
if ! { cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release &&
    cmake --build "$build" -j"$(nproc)" --target "${programs[@]}" tessaly; } >"$buildlog" 2>&1; then
    tail -40 "$buildlog" >&2
    echo "bench.sh: the build failed; see $buildlog" >&2
    exit 1
fi
built=$SECONDS

scratch=$(mktemp -d /tmp/tessaly-bench-run-XXXXXX)
pgdir=$(mktemp -d /tmp/tessaly-bench-pg-XXXXXX)
cleanup() {
    "$root/scripts/pg-test-server.sh" stop "$pgdir" || true
    rm -rf "$scratch"
}
trap cleanup EXIT
port=$("$root/scripts/pg-test-server.sh" start "$pgdir")

# The programs' settings, pictures and letterheads stay out of the user's
# own folders.
mkdir -p "$scratch/config" "$scratch/data" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export XDG_CONFIG_HOME=$scratch/config
export TESSALY_DATA_DIR=$scratch/data
export XDG_RUNTIME_DIR=$scratch/runtime
export QT_QPA_PLATFORM=offscreen
export TESSALY_BENCH_PG="127.0.0.1:$port"
unset TESSALY_TEST_PG
export TESSALY_BENCH_CACHE=$build/bench-cache
mkdir -p "$TESSALY_BENCH_CACHE"
# The time clock's kept shops hold a year up to the day they were made.
find "$TESSALY_BENCH_CACHE" -name 'timeclock_*' -mtime +0 -delete

results=$build/bench-results.tsv
: >"$results"
export TESSALY_BENCH_RESULTS=$results
failed=()
times=()
for p in "${programs[@]}"; do
    log=$build/bench-logs/$p.log
    printf '%-24s ' "$p"
    t0=$SECONDS
    rc=0
    "$build/bench/$p" >"$log" 2>&1 || rc=$?
    if ((rc == 0)); then
        printf '%4d s\n' $((SECONDS - t0))
    else
        printf '%4d s  FAILED (exit %d), see %s\n' $((SECONDS - t0)) "$rc" "$log"
        failed+=("$p")
        printf '%s\t(the program failed; see %s)\t-\t-\t-\t-\t-\t-\tFAILED\n' "$p" "bench-logs/$p.log" >>"$results"
    fi
    times+=("${p#bench_} $((SECONDS - t0)) s")
done

table=$build/bench-table.txt
cpu=$(sed -n 's/^model name[[:space:]]*: //p' /proc/cpuinfo | head -1)
pgversion=$(psql -h 127.0.0.1 -p "$port" -U postgres -d postgres -Atc 'show server_version' | cut -d' ' -f1)
python3 - "$results" "$(date '+%Y-%m-%d %H:%M')" "$cpu" "$(nproc)" "$pgversion" >"$table" <<'EOF'
import sys

path, when, cpu, cores, pgversion = sys.argv[1:6]
rows = []
for line in open(path, encoding="utf-8"):
    f = line.rstrip("\n").split("\t")
    if len(f) == 9:
        rows.append(f)


def num(text):
    try:
        return float(text)
    except ValueError:
        return None


def amount(v, unit):
    if v is None:
        return "-"
    if unit == "MB":
        return f"{v:.2f} MB" if v < 1 else f"{v:.1f} MB"
    if v < 1:
        return f"{v:.3f} {unit}"
    if v < 100:
        return f"{v:.2f} {unit}"
    return f"{v:.0f} {unit}"


# Each benchmark's engines side by side, in the order the programs ran.
engine_order = {"SQLite": 0, "PostgreSQL": 1}
groups = {}
order = []
for r in rows:
    key = (r[0], r[1])
    if key not in groups:
        groups[key] = []
        order.append(key)
    groups[key].append(r)

head = ["benchmark", "engine", "median", "target", "bare", "ratio", "verdict"]
lines = []
over = failed = 0
last_program = None
for key in order:
    program = key[0]
    if program != last_program:
        lines.append(("program", program))
        last_program = program
    for r in sorted(groups[key], key=lambda r: engine_order.get(r[2], 2)):
        _, name, engine, value, unit, target, bare, ratio_target, verdict = r
        v, t, b, rt = num(value), num(target), num(bare), num(ratio_target)
        targets = []
        if t is not None:
            targets.append(f"{t:g} {unit}" if t == round(t, 1) else amount(t, unit))
        if rt is not None:
            targets.append(f"{rt:.1f}x bare")
        ratio = f"{v / b:.2f}x" if v is not None and b else "-"
        if verdict == "OVER":
            over += 1
        if verdict == "FAILED":
            failed += 1
        lines.append(("row", ["  " + name, engine, amount(v, unit), ", ".join(targets) or "-",
                              amount(b, unit) if b else "-", ratio, verdict]))

widths = [len(h) for h in head]
for kind, cells in lines:
    if kind == "row":
        widths = [max(w, len(c)) for w, c in zip(widths, cells)]
right = {2, 4, 5}


def fmt(cells):
    out = []
    for i, (c, w) in enumerate(zip(cells, widths)):
        out.append(c.rjust(w) if i in right else c.ljust(w))
    return "  ".join(out).rstrip()


rule = "-" * len(fmt(head))
print(f"Tessaly benchmarks, {when}: {cpu}, {cores} cores; Release build; SQLite (WAL) and PostgreSQL {pgversion}")
print("(a throwaway local server, fsync off). Median after a warm-up; ratio = median / the same statements run bare.")
print(rule)
print(fmt(head))
print(rule)
for kind, cells in lines:
    print(cells if kind == "program" else fmt(cells))
print(rule)
checked = sum(1 for r in rows if r[8] in ("OK", "OVER"))
if over == 0 and failed == 0:
    print(f"{checked} figures with a target: all within it.")
else:
    print(f"{checked} figures with a target: {over} OVER; {failed} program or engine FAILED.")
EOF

total=$((SECONDS - started))
{
    printf 'bench.sh took %d min %02d s: build %d s' $((total / 60)) $((total % 60)) $((built - started))
    printf ', %s' "${times[@]}"
    echo
} >>"$table"
echo
cat "$table"
echo "(also in $table)"

if grep -q -P '\t(OVER|FAILED)$' "$results" || ((${#failed[@]} > 0)); then
    exit 1
fi
