#!/usr/bin/env bash
# Installs what is missing, builds Tessaly and starts it on the demo shop
# (an embedded database of its own in the data folder, filled on first use).
# Only the program is built, into build-app/: no tests and no benchmarks, so
# none of the test packages is needed and the build is quicker.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${TESSALY_APP_BUILD_DIR:-$root/build-app}
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$build" -DTESSALY_BUILD_TESTS=OFF -DTESSALY_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -DNDEBUG"
exec "$build/app/tessaly" --demo "$@"
