#!/usr/bin/env bash
# Runs a test program under Wine with exception tracing on and fails on any
# fault it reports: an exception whose code has the error or warning severity
# (c... such as c0000005, an access violation; 8... such as 80000003, a
# breakpoint). Other codes are no fault: a C++ throw (20474343, how MinGW
# raises one; the program throws its refusals and catches them itself), a
# debugger message (4001000x) and the RPC status Wine's own ole32 raises in a
# fresh prefix (6ba).
#   no_exception_traced.sh PROGRAM [ARGS...]
set -uo pipefail
log=$(mktemp)
trap 'rm -f "$log"' EXIT
WINEDEBUG=+seh /usr/lib/wine/wine64 "$@" >"$log" 2>&1
status=$?
grep -v ':seh:' "$log"
faults=$(grep -E ':seh:dispatch_exception code=' "$log" | grep -E 'code=[89a-f][0-9a-f]{7} ' || true)
if [[ -n $faults ]]; then
  echo "exceptions raised under tracing:"
  echo "$faults"
  exit 1
fi
echo "no fault under tracing"
exit $status
