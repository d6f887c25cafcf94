#!/usr/bin/env bash
# Screenshots of the sales window on the demo shop, taken under a private X
# server with a private data folder and settings, so nobody's own are
# touched: the window as it starts, with a customer's tickets listed, and
# with an open and a closed ticket shown.
#   scripts/sales-screenshots.sh [build folder] [output folder]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [[ "${1:-}" == "--inside" ]]; then
    build=$2 out=$3
    "$build/app/tessaly" --demo &
    pid=$!
    trap 'kill $pid 2>/dev/null || true' EXIT
    win=$(xdotool search --sync --name '^Sales$' | head -1)
    sleep 2
    # No window manager runs here: give the window the keyboard ourselves.
    xdotool windowfocus --sync "$win"
    shot() { import -window root "$out/$1.png"; echo "$out/$1.png"; }
    # Search Ticket (F3), type the number, Enter: the customer is loaded and
    # the ticket selected in the list; Enter again opens it.
    find_ticket() {
        xdotool windowfocus --sync "$win"
        xdotool key F3
        sleep 1
        xdotool type --delay 50 "$1"
        xdotool key Return
        sleep 1.5
        xdotool windowfocus --sync "$win"
    }
    # The wheel over the ticket area (right of the note box) scrolls it.
    scroll_ticket() {
        xdotool mousemove --window "$win" 1000 340
        for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool click "$1"; done
        sleep 0.5
    }
    shot sales-start
    # "Lookup..." of the customer editor (the window sits at 0,0: no window
    # manager), a few letters of a last name.
    xdotool mousemove 125 36 click 1
    sleep 1
    xdotool type --delay 50 "Mi"
    sleep 1
    shot sales-customer-lookup
    xdotool key Escape
    find_ticket 7
    shot sales-customer
    xdotool key Return
    sleep 1.5
    shot sales-ticket-open
    xdotool key F6
    sleep 1
    xdotool type --delay 50 "amp"
    xdotool key Return
    sleep 1
    shot sales-equipment-lookup
    xdotool key Escape
    xdotool key F7
    sleep 1
    xdotool type --delay 50 "install"
    xdotool key Return
    sleep 1
    shot sales-labor-lookup
    xdotool key Escape
    scroll_ticket 5
    xdotool key F8
    sleep 1
    shot sales-payment-entry
    xdotool key Escape
    shot sales-ticket-open-totals
    scroll_ticket 4
    find_ticket 5
    xdotool key Return
    sleep 1.5
    shot sales-ticket-closed
    scroll_ticket 5
    shot sales-ticket-closed-totals
    # Print Ticket (Ctrl+P): the invoice's printer setup.
    xdotool key ctrl+p
    sleep 2
    shot sales-print-ticket
    # "Preview" (the default button): the invoice on screen.
    xdotool key Return
    sleep 4
    shot sales-print-preview
    exit 0
fi

build=${1:-$root/build}
out=${2:-$build/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d /tmp/tessaly-shots-XXXXXX)
trap 'rm -rf "$work"' EXIT
export TESSALY_DATA_DIR="$work/data" XDG_CONFIG_HOME="$work/config"
mkdir -p "$TESSALY_DATA_DIR" "$XDG_CONFIG_HOME"
xvfb-run -a -s "-screen 0 1400x950x24" "$0" --inside "$build" "$out"
