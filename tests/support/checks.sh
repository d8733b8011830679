# shellcheck shell=bash
# The checks of the test scripts that need no display: `check <what> <expected> <actual>` prints
# ok or FAIL with both, `checks_done` prints the count and fails if any check did.
check_failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok   $1"; else
    echo "FAIL $1"; echo "  expected: $2"; echo "  actual:   $3"; check_failures=$((check_failures + 1)); fi
}
checks_done() {
  echo "$check_failures failed"
  [ "$check_failures" -eq 0 ]
}
# A PNG's width and height, "WxH": big-endian at bytes 16 and 20.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $3 * 256 + $4 "x" $7 * 256 + $8}'; }
