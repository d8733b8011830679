#!/usr/bin/env bash
# Windows' answers kept as data: lines "<name> <text>" become "<name> <sha256 of the text>".
#   line_hashes.sh                        hashes the lines on stdin
#   line_hashes.sh <expected> <command>…  hashes the command's lines and compares them with the
#                                         file, naming every line that differs
set -euo pipefail
hashes() { perl -MDigest::SHA=sha256_hex -ne '/^(\S+) ?(.*)$/ && print "$1 ", sha256_hex($2), "\n"'; }
[ $# -ge 2 ] || { hashes; exit 0; }
expected=$1
shift
differ=$(diff "$expected" <("$@" | hashes)) || {
  echo "$* differs from $(basename "$expected") (< the committed answer, > this one):" >&2
  head -n 20 <<<"$differ" >&2
  exit 1
}
echo "$(wc -l <"$expected") lines as in $(basename "$expected")"
