#!/usr/bin/env bash
# Mutation check of the rules that make a game work, run by hand: each mutant
# flips one operator or boolean on one code line of the files below
# (== and !=, < and >=, > and <=, + and -, += and -=, && and ||, true and
# false, a ! removed), rebuilds only the unit-test binary and runs the unit
# tests. A mutant is caught when a test fails; one that does not build is
# left out of the count. Prints the survivors and caught/total per file.
#
# Everything happens in a copy of the tree under a temporary folder, removed
# on exit or interruption; the worktree itself is never written.
#
# Usage: tests/mutants.sh [file ...]    (paths relative to the repository)
# QV_MUTANT_JOBS sets the build's parallel jobs (default 4).
set -euo pipefail

repo="$(cd "$(dirname "$0")/.." && pwd)"
if [ "$#" -gt 0 ]; then
    files=("$@")
else
    files=(logic/actions.cpp logic/condition_tests.cpp logic/executor.cpp world/movement.cpp
        menus/button_actions.cpp)
fi
jobs="${QV_MUTANT_JOBS:-4}"
# The tables that aim at these files run first; the rest of the unit tests
# only for a mutant they let through.
tables='ActionTable*:ConditionTable*:ExecutorTable*:MovementTable*:ButtonTable*'

work="$(mktemp -d "${TMPDIR:-/tmp}/qv-mutants-XXXXXX")"
child=""
cleanup() {
    if [ -n "$child" ]; then kill -- "-$child" 2>/dev/null || kill "$child" 2>/dev/null; fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM HUP
# Runs a command in its own process group and waits for it, so that an
# interruption is handled at once and takes the command down with it.
run() {
    set -m
    "$@" &
    child=$!
    set +m
    local status=0
    wait "$child" || status=$?
    child=""
    return "$status"
}

echo "== copying the tree to $work"
mkdir -p "$work/src"
(cd "$repo" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 cp --parents -t "$work/src")

# Lists the mutants of a file ("line col from to", one a line) or applies one.
mutator() {
    python3 - "$@" <<'PY'
import re, sys

FLIPS = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">", "+": "-", "-": "+",
         "+=": "-=", "-=": "+=", "&&": "||", "||": "&&", "true": "false", "false": "true", "!": ""}
BINARY = re.compile(r"(?<= )(==|!=|<=|>=|\+=|-=|&&|\|\||<|>|\+|-)(?= )")
WORD = re.compile(r"\b(true|false)\b")
NOT = re.compile(r"(?<![\w)\]])!(?!=)")

def masked(line):
    """The line with string and character literals and comments blanked."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  "); i += 2; continue
            if c == quote:
                quote = None
            out.append(" "); i += 1; continue
        if line.startswith("//", i):
            break
        if c in "\"'":
            quote = c
            out.append(" "); i += 1; continue
        out.append(c); i += 1
    return "".join(out).ljust(len(line))

def mutants(path):
    for n, line in enumerate(open(path).read().split("\n"), 1):
        code = line.strip()
        if not code or code.startswith(("#", "//", "/*", "*")):
            continue
        m = masked(line)
        for rx in (BINARY, WORD, NOT):
            for hit in rx.finditer(m):
                yield n, hit.start(), hit.group(0), FLIPS[hit.group(0)]

if sys.argv[1] == "list":
    for n, col, frm, to in mutants(sys.argv[2]):
        print(n, col, frm, to if to else "_")
else:  # apply PATH LINE COL FROM TO
    path, n, col, frm, to = sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), sys.argv[5], sys.argv[6]
    lines = open(path).read().split("\n")
    line = lines[n - 1]
    assert line[col:col + len(frm)] == frm, (path, n, col, frm)
    lines[n - 1] = line[:col] + ("" if to == "_" else to) + line[col + len(frm):]
    open(path, "w").write("\n".join(lines))
PY
}

echo "== building the unit tests"
# Light optimisation without debug information: each mutant rebuilds one file
# and relinks the test binary, which this keeps short.
cmake -S "$work/src" -B "$work/build" -DCMAKE_BUILD_TYPE=Mutants -DCMAKE_CXX_FLAGS=-O1 -DQV_TESTS=ON \
    -DQV_BENCH=OFF >/dev/null
build() { run nice cmake --build "$work/build" -j"$jobs" --target quorvane_unit >/dev/null 2>&1; }
build
unit="$work/build/tests/quorvane_unit"
cd "$work/build/tests"  # where ctest runs the unit tests
export ALSOFT_DRIVERS=null LP_NUM_THREADS=2
# A mutant that makes the tests hang (a loop that never ends) is caught by the
# time limit: the tables take seconds, the whole unit suite about a minute.
run_unit() {
    local limit="$1"
    shift
    run timeout "$limit" nice "$unit" --gtest_brief=1 --gtest_fail_fast "$@" >/dev/null 2>&1
}
# Caught when the tables or, failing them, any other unit test fail.
caught() { ! run_unit 120 --gtest_filter="$tables" || ! run_unit 600 --gtest_filter="-$tables"; }
run_unit 600 || { echo "the unit tests fail before any mutation" >&2; exit 1; }

total_caught=0
total=0
survivors=()
summary=()
for file in "${files[@]}"; do
    src="$work/src/$file"
    cp "$src" "$work/original"
    file_caught=0
    file_total=0
    while read -r line col from to; do
        mutator apply "$src" "$line" "$col" "$from" "$to"
        if build; then
            file_total=$((file_total + 1))
            if caught; then
                file_caught=$((file_caught + 1))
                verdict=caught
            else
                verdict=SURVIVED
                survivors+=("$file:$line: '$from' -> '${to/_/}': $(sed -n "${line}p" "$src" | sed 's/^ *//')")
            fi
        else
            verdict="not built"
        fi
        echo "$file:$line:$col $from -> ${to/_/} $verdict"
        cp "$work/original" "$src"
    done < <(mutator list "$src")
    touch "$src"
    summary+=("$file: $file_caught/$file_total caught")
    total_caught=$((total_caught + file_caught))
    total=$((total + file_total))
done
build || true

echo
echo "== survivors"
for s in "${survivors[@]+"${survivors[@]}"}"; do echo "$s"; done
echo
echo "== caught"
for s in "${summary[@]}"; do echo "$s"; done
if [ "$total" -gt 0 ]; then
    echo "overall: $total_caught/$total caught ($((100 * total_caught / total)) %)"
fi
