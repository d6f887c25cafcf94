#!/usr/bin/env bash
# A walk through one sale at the counter, on a fresh demo shop, under a
# private X server with a private data folder and settings (nobody's own are
# touched): find a customer, make a new ticket and open it, add an equipment
# line and an install line, take a payment, finalize the ticket and show its
# invoice on screen. A screenshot is saved after every step; the script stops
# with status 1 when a window a step waits for never appears, or the program
# ends on its own. Not part of the tests: it is for looking at.
#   scripts/walkthrough.sh [output folder]     (default /tmp/tessaly-walkthrough)
# TESSALY_WALK_BUILD names the build folder (default build-walk beside the
# sources); it is configured and built when tessaly is missing or stale.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [[ "${1:-}" == "--inside" ]]; then
    tessaly=$2 out=$3
    "$tessaly" --demo >"$out/tessaly.log" 2>&1 &
    pid=$!
    trap 'kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true' EXIT
    n=0 step=start

    fail() { echo "walkthrough: step '$step': $*" >&2; exit 1; }
    alive() { kill -0 "$pid" 2>/dev/null || fail "tessaly has ended (see $out/tessaly.log)"; }
    # The first visible window whose title matches, within ~15 seconds.
    wait_window() {
        local id
        for _ in $(seq 1 75); do
            alive
            id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 || true)
            if [[ -n "$id" ]]; then echo "$id"; return 0; fi
            sleep 0.2
        done
        fail "no window titled '$1' appeared"
    }
    # Waits until no visible window matches any more (a dialog answered).
    wait_gone() {
        for _ in $(seq 1 75); do
            alive
            xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0
            sleep 0.2
        done
        fail "the window titled '$1' did not close"
    }
    # No window manager runs here: windows get the keyboard from us.
    focus() { xdotool windowfocus --sync "$1"; sleep 0.3; }
    settle() { sleep "${1:-0.8}"; }
    keys() { xdotool key --delay 120 "$@"; settle; }
    typed() { xdotool type --delay 60 "$1"; settle; }
    shot() {
        alive
        n=$((n + 1))
        local file
        file=$(printf '%s/%02d-%s.png' "$out" "$n" "$1")
        import -window root "$file"
        echo "$file"
    }

    step=sales-window
    win=$(wait_window '^Sales$')
    settle 2
    focus "$win"
    shot sales-start

    # The customer: "Lookup..." (F5) in the customer editor, a few letters of
    # the last name (the list narrows), Down into the list, Enter picks.
    step=customer-lookup
    keys F5
    typed "Mi"
    shot customer-lookup
    step=customer-picked
    keys Down Return
    settle 1
    shot customer-picked

    # New Ticket (F4) lists the ticket and selects it; Enter opens it.
    step=new-ticket
    keys F4
    shot new-ticket
    step=ticket-open
    keys Return
    settle 1
    shot ticket-open

    # The vehicle, typed into the boxes under "Year: Make: Model:" (a new
    # ticket opens with the keyboard in the year).
    step=vehicle
    typed "2019"
    keys Tab
    typed "Honda"
    keys Tab
    typed "Civic"
    shot vehicle

    # Equipment... (F6): a search, Enter lists, Enter adds the first product.
    step=equipment-lookup
    keys F6
    typed "amp"
    keys Return
    shot equipment-lookup
    step=equipment-line
    keys Return
    settle 1
    shot equipment-line

    # Install... (F7): a search, Enter lists on the OURS price, Enter adds it.
    step=labor-lookup
    keys F7
    typed "install"
    keys Return
    shot labor-lookup
    step=labor-line
    keys Return
    settle 1
    shot labor-line

    # Payment... (F8): Cash, the amount typed over the one shown, Enter.
    step=payment-entry
    keys F8
    shot payment-entry
    typed "${TESSALY_WALK_PAYMENT:-405.93}"
    shot payment-typed
    step=payment-recorded
    keys Return
    settle 1
    shot payment-recorded

    # Finalize (F9) asks before it locks the ticket; Y answers Yes.
    step=finalize-question
    keys F9
    ask=$(wait_window '^Tessaly$')
    settle
    shot finalize-question
    step=ticket-closed
    focus "$ask"
    keys alt+y
    wait_gone '^Tessaly$'
    settle 1
    focus "$win"
    shot ticket-closed

    # Print Ticket (Ctrl+P): the printer setup; Enter is its Preview.
    step=printer-setup
    keys ctrl+p
    setup=$(wait_window '^Printer Setup$')
    settle
    shot printer-setup
    step=invoice-preview
    focus "$setup"
    keys Return
    preview=$(wait_window '^Print Preview')
    settle 3
    focus "$preview"
    shot invoice-preview
    exit 0
fi

out=${1:-/tmp/tessaly-walkthrough}
build=${TESSALY_WALK_BUILD:-$root/build-walk}
for tool in xvfb-run xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "walkthrough: installing xvfb, xdotool and imagemagick" >&2
        sudo=""; [[ $(id -u) -eq 0 ]] || sudo=sudo
        $sudo apt-get install -y --no-install-recommends xvfb xauth xdotool imagemagick >&2
        break
    fi
done
if [[ ! -f "$build/build.ninja" ]]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
# Ninja builds only what changed; two jobs leave room on a small machine.
cmake --build "$build" --target tessaly -j 2

mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/[0-9][0-9]-*.png
work=$(mktemp -d /tmp/tessaly-walk-XXXXXX)
trap 'rm -rf "$work"' EXIT
export TESSALY_DATA_DIR="$work/data" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run"
mkdir -p "$TESSALY_DATA_DIR" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
echo "walkthrough: screenshots in $out" >&2
xvfb-run -a -s "-screen 0 1600x1000x24" "$0" --inside "$build/app/tessaly" "$out"
echo "walkthrough: done; screenshots in $out" >&2
