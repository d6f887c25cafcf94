#!/usr/bin/env bash
# Installs what is missing, builds Tessaly and starts it on the demo shop
# (an embedded database of its own in the data folder, filled on first use).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" "$root/build"
exec "$root/build/app/tessaly" --demo "$@"
