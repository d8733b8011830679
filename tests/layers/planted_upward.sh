#!/bin/bash
# The layer check catches what it is there for: in a small tree of the project's folders, each
# planted include that runs upward (or from one backend into another) fails it, and the same
# tree without them passes.
set -eu
check="$(dirname "$0")/check_layers.py"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{runtime,platform/x11,platform/win32,clockface,skin,clockwindow,desktop,apps/x}
echo '#include "runtime/a.h"' >"$tree/clockface/a.h"
echo '#include "clockface/a.h"' >"$tree/skin/a.h"
echo '#include "skin/a.h"' >"$tree/desktop/a.h"
echo '#include "desktop/a.h"' >"$tree/platform/x11/a.cpp"
echo '#include "platform/x11/a.h"' >"$tree/apps/x/main.cpp"
touch "$tree/runtime/a.h" "$tree/platform/win32/a.h" "$tree/clockwindow/a.h"
python3 "$check" "$tree" >/dev/null || { echo "a tree without upward includes failed"; exit 1; }

plant() {  # file, include: must fail, then the file is emptied again
  echo "#include \"$2\"" >>"$tree/$1"
  if python3 "$check" "$tree" >/dev/null; then echo "not caught: $1 including $2"; exit 1; fi
  : >"$tree/$1"
}
plant runtime/a.h clockface/a.h
plant clockface/a.h skin/a.h
plant skin/a.h clockwindow/a.h
plant desktop/a.h platform/x11/a.h
plant platform/x11/a.cpp platform/win32/a.h
plant clockwindow/a.h platform/x11/a.h
plant clockwindow/a.h desktop/a.h
plant skin/a.h apps/x/main.h
echo "every planted upward include was caught"
