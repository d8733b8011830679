# shellcheck shell=bash disable=SC2034  # source_dir, windows_build and work are the tests'
# What each check of the release zip starts with: the source and Windows build folders, a work
# folder removed at the end, and fail().
set -euo pipefail
source_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
windows_build=${1:?usage: $(basename "$0") WINDOWS-BUILD-FOLDER}
work=$(mktemp -d "${TMPDIR:-/tmp}/quarvel-dist-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
