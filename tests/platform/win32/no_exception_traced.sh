#!/usr/bin/env bash
# Runs a test program under Wine with exception tracing on and fails on any
# exception it reports but two kinds that are no fault: a C++ throw (code
# 20474343, how MinGW raises one; the program throws its refusals and catches
# them itself) and a debugger message (4001000x, OutputDebugString).
#   no_exception_traced.sh PROGRAM [ARGS...]
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
WINEDEBUG=+seh /usr/lib/wine/wine64 "$@" >"$log" 2>&1
status=$?
grep -v ':seh:' "$log"
faults=$(grep -E ':seh:dispatch_exception code=' "$log" | grep -vE 'code=(20474343|4001000[0-9a-f]) ' || true)
if [[ -n $faults ]]; then
  echo "exceptions raised under tracing:"
  echo "$faults"
  exit 1
fi
echo "no exception but C++ throws and debugger messages under tracing"
exit $status
