#!/usr/bin/env bash
# Checks a Tessaly Debian package as a shop's machine would meet it: lists
# its contents, unpacks it into a temporary folder (dpkg -x), runs the
# unpacked program's --version and --help, validates its desktop entry and
# AppStream metadata, renders its manual page without warnings and lets
# lintian read it (errors fail, warnings are shown).
#   check-package.sh tessaly_1.0_amd64.deb
# With --build DIR instead, packages that build first (the tests do so).
set -euo pipefail
if [[ "${1:-}" == "--build" ]]; then
    out=$(mktemp -d)
    trap 'rm -rf "$out"' EXIT
    (cd "$2" && cpack -G DEB -B "$out" >/dev/null)
    rm -rf "$out/_CPack_Packages"
    set -- "$(ls "$out"/tessaly_*_amd64.deb)"
fi
deb=$1
fail() { echo "check-package.sh: $*" >&2; exit 1; }

echo "== contents of $(basename "$deb")"
dpkg-deb --contents "$deb" | awk '{print $1, $6}'
dpkg-deb --field "$deb" Package Version Architecture Depends

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked" ${out:+"$out"}' EXIT
dpkg-deb -x "$deb" "$unpacked"
program=$unpacked/usr/bin/tessaly
[[ -x $program ]] || fail "no usr/bin/tessaly in the package"
version=$(dpkg-deb --field "$deb" Version)

echo "== tessaly --version"
"$program" --version | tee "$unpacked/version.txt"
grep -qx "Tessaly $version" "$unpacked/version.txt" || fail "--version does not say Tessaly $version"
grep -q "^Database schema version [0-9]" "$unpacked/version.txt" || fail "--version names no schema version"
"$program" --help >"$unpacked/help.txt" || fail "--help failed"
grep -q -- "--backup" "$unpacked/help.txt" || fail "--help lists no commands"

echo "== desktop entry, metadata, icon, manual page"
desktop=$(ls "$unpacked"/usr/share/applications/*.desktop)
desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
icon=$(sed -n 's/^Icon=//p' "$desktop")
ls "$unpacked/usr/share/icons/hicolor/scalable/apps/$icon.svg" \
   "$unpacked/usr/share/icons/hicolor/48x48/apps/$icon.png" >/dev/null || fail "the icon $icon is missing"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml || fail "the metadata is not valid"
page=$unpacked/usr/share/man/man1/tessaly.1.gz
warnings=$(MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
[[ -z $warnings ]] || fail "the manual page renders with warnings: $warnings"
# The manual page and --help name the same options: none is undocumented,
# and none documented is missing from this program.
rendered=$(MANWIDTH=200 man -l "$page" 2>/dev/null)
options_of() { grep -o -- '--[a-z][a-z-]*[a-z]' | sort -u; }
in_help=$(options_of <"$unpacked/help.txt")
in_page=$(options_of <<<"$rendered")
[[ "$in_help" == "$in_page" ]] ||
    fail "--help and the manual page name different options: $(diff <(echo "$in_help") <(echo "$in_page") | grep '^[<>]' | tr '\n' ' ')"

echo "== lintian"
command -v lintian >/dev/null || fail "lintian is not installed (scripts/install-deps.sh --package)"
lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v "running with root privileges" | tee "$unpacked/lintian.txt" || true
! grep -q "^E:" "$unpacked/lintian.txt" || fail "lintian found errors"
echo "check-package.sh: $(basename "$deb") is fine"
