#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest. Wine's service processes inherit the stderr of
# the first program of a prefix; keeping that away from CTest's pipe stops CTest from waiting on
# them, so the program's stderr goes through a file.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_prefix_ready
err=$(mktemp)
"$WINE64" "$@" 2>"$err"
rc=$?
cat "$err" >&2
rm -f "$err"
exit $rc
