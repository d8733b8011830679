#!/usr/bin/env bash
# A packager's build: BUILD_TESTING=OFF configures and builds the programs while GoogleTest and
# Google Benchmark can't be found, QtTest and MinGW are not looked for, and warnings are not
# errors unless QUARVEL_WERROR asks for it.
#   no_test_frameworks.sh <source folder> <build folder, kept between runs>
set -euo pipefail
source_dir=$1 build=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
cmake -S "$source_dir" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$build.log"
cmake --build "$build" -j 2 --target quarvel qvedit quarvel-preview >>"$build.log"
for program in quarvel qvedit quarvel-preview; do
  [ -x "$build/bin/$program" ] || fail "no $program built"
done
! grep -q -- -Werror "$build/compile_commands.json" || fail "-Werror without QUARVEL_WERROR"
! grep -qiE '^(GTest|benchmark|Qt6Test)_DIR:PATH=/' "$build/CMakeCache.txt" ||
  fail "a test framework was looked for"
echo "ok: quarvel, qvedit and quarvel-preview built with BUILD_TESTING=OFF, no test frameworks"
