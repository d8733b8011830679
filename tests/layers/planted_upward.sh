#!/bin/bash
# The layer check catches what it is there for: in a small tree of the project's folders, each
# planted include that runs upward (or from one backend into another), and each backend line
# naming what the core decides (an error number, the caption, a message's text), fails it, and
# the same tree without them passes.
set -eu
check="$(dirname "$0")/check_layers.py"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{runtime,backends/x11,backends/win32,core/{clockface,skin,clockwindow,desktop},apps/x}
cp "$(dirname "$0")/../../src/layers.txt" "$tree/"
echo '#include "runtime/a.h"' >"$tree/core/clockface/a.h"
# The core may name them; a backend may say them in a comment and take them from the core.
echo 'throw RuntimeError(ErrorNumber::kFileNotFound, name); // kCaption' >"$tree/core/clockwindow/b.cpp"
printf '%s\n' '// Not ErrorNumber::kFileNotFound: the core numbers it.' \
  'throw ProgramStartError(FailureKind::kNotFound, name);' 'SetTitle(message.caption);' \
  >"$tree/backends/win32/b.cpp"
echo '#include "core/clockface/a.h"' >"$tree/core/skin/a.h"
echo '#include "core/skin/a.h"' >"$tree/core/desktop/a.h"
echo '#include "core/desktop/a.h"' >"$tree/backends/x11/a.cpp"
echo '#include "backends/x11/a.h"' >"$tree/apps/x/main.cpp"
touch "$tree/runtime/a.h" "$tree/backends/win32/a.h" "$tree/core/clockwindow/a.h"
python3 "$check" "$tree" >/dev/null || { echo "a tree without upward includes failed"; exit 1; }

plant() {  # file, include: must fail, then the file is emptied again
  echo "#include \"$2\"" >>"$tree/$1"
  if python3 "$check" "$tree" >/dev/null; then echo "not caught: $1 including $2"; exit 1; fi
  : >"$tree/$1"
}
plant runtime/a.h core/clockface/a.h
plant core/clockface/a.h core/skin/a.h
plant core/skin/a.h core/clockwindow/a.h
plant core/desktop/a.h backends/x11/a.h
plant backends/x11/a.cpp backends/win32/a.h
plant core/clockwindow/a.h backends/x11/a.h
plant core/clockwindow/a.h core/desktop/a.h
plant core/skin/a.h apps/x/main.h

plant_line() {  # backend file, line: must fail, then the file is emptied again
  echo "$2" >>"$tree/$1"
  if python3 "$check" "$tree" >/dev/null; then echo "not caught: $1 naming $2"; exit 1; fi
  : >"$tree/$1"
}
plant_line backends/win32/a.h 'throw RuntimeError(ErrorNumber::kFileNotFound, exeName);'
plant_line backends/x11/a.cpp 'if (error == kErrFileNotFound) return;'
plant_line backends/x11/a.cpp 'throw RuntimeError(53, text, file, {});'
plant_line backends/win32/a.h 'MessageBoxA(owner, text, kCaption, MB_OK);'
plant_line backends/x11/a.cpp 'painter.Button(rect, kMessageButton, true, false);'
plant_line backends/x11/a.cpp '#include "runtime/caption.h"'
plant_line backends/win32/a.h 'const char* text = ErrorText(53);'
echo "every planted upward include and backend rule was caught"
