# shellcheck shell=bash
# A Wine prefix for the programs that compare our code with Windows' own under Wine without a
# display (LoadImage, CreateEllipticRgn): made on first use, then reused.
#   source headless_wine.sh; headless_wine <prefix> <log folder>
headless_wine() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  unset DISPLAY
  [ -f "$WINEPREFIX/.quarvel-prefix-ready" ] && return 0
  wineboot -i >"$2/wineboot.log" 2>&1 && wineserver -w ||
    { tail -n 5 "$2/wineboot.log" >&2; return 1; }
  touch "$WINEPREFIX/.quarvel-prefix-ready"
}
