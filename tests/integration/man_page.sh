#!/usr/bin/env bash
# The manual page renders without a warning: man exits 0 whatever groff
# says, so the warnings are looked for on standard error.
#
#   man_page.sh PAGE
set -uo pipefail
command -v man >/dev/null || { echo "man is not installed (scripts/deps.sh test installs it)"; exit 77; }
warnings=$(MANWIDTH=80 man --warnings -l "$1" 2>&1 >/dev/null)
if [[ -n $warnings ]]; then
    echo "$warnings"
    echo "man_page: warnings"
    exit 1
fi
echo "man_page: ok"
