#!/usr/bin/env bash
# Installs what is missing, builds Tessaly and runs every test: the SQLite
# tests and the same tests on a throwaway PostgreSQL server.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh" --test
"$root/scripts/build.sh" "$build"

pgdir=$(mktemp -d /tmp/tessaly-pg-XXXXXX)
trap '"$root/scripts/pg-test-server.sh" stop "$pgdir"' EXIT
port=$("$root/scripts/pg-test-server.sh" start "$pgdir")

export TESSALY_TEST_PG="127.0.0.1:$port"
export TESSALY_REQUIRE_PG=1
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@"
