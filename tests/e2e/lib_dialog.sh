# shellcheck shell=bash disable=SC2034  # DLG_ variables are read by the scripts that source this
# Helpers for the tests of the first-run dialog, the saved settings and the clock's round window.
# Sourced after lib.sh:
#   source "$(dirname "$0")/lib.sh"
#   source "$(dirname "$0")/lib_dialog.sh"

# The first-run dialog: its client area and where that lies on the 1024 x 768 screen (the X
# window Wine maps for a managed dialog is exactly the client area; openbox draws the caption).
DLG_W=372
DLG_H=202
DLG_X=184
DLG_Y=250
DLG_WINDOW=""         # set by dlg_wait_dialog

# ---------------------------------------------------------------------------------------------
# Windows

dlg_guard_no_clock() {
  [ -z "$(e2e_find_clock)" ] ||
    e2e_fail "the clock came up without the first-run dialog (no settings.ini next to the exe)"
}

dlg_guard_no_dialog() {
  [ -z "$(e2e_find_quarvel "$DLG_W" "$DLG_H")" ] ||
    e2e_fail "the first-run dialog came up although settings.ini lies next to the exe"
}

# Waits for the first-run dialog and sets DLG_WINDOW; fails at once should the clock come up
# without it or the program end.
dlg_wait_dialog() { # [seconds=15]
  E2E_WAIT_GUARD=dlg_guard_no_clock e2e_wait_quarvel "$DLG_W" "$DLG_H" "first-run dialog" "${1:-15}"
  DLG_WINDOW=$E2E_FOUND
}

# Waits for the clock (size x size) and fails at once should the first-run dialog show instead.
dlg_wait_clock_without_dialog() { # [size=200] [seconds=15]
  E2E_WAIT_GUARD=dlg_guard_no_dialog e2e_wait_clock "$@"
}

# True while the X window exists and is mapped.
dlg_viewable() { # <window id>
  xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Waits until the X window is unmapped or destroyed; returns 1 on timeout.
dlg_wait_gone() { # <window id> [seconds=5]
  local deadline=$((${EPOCHREALTIME/[.,]/} + ${2:-5} * 1000000))
  while dlg_viewable "$1"; do
    [ "${EPOCHREALTIME/[.,]/}" -lt "$deadline" ] || return 1
    sleep 0.05
  done
}

# Gives the window the X focus through openbox; keys typed afterwards go to it.
dlg_activate() { # <window id>
  timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
    e2e_fail "could not activate window $1"
  local active
  active=$(xdotool getactivewindow 2>/dev/null || true)
  [ "$active" = "$1" ] || e2e_fail "window $1 activated, but the active window is '$active'"
}

dlg_wm_state() { # <window id> -> the _NET_WM_STATE atoms, comma separated
  xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/^_NET_WM_STATE(ATOM) = //p'
}

# top-most: openbox keeps a top-most Win32 window in its "above" layer.
dlg_assert_topmost() { # <window id> yes|no
  local state
  state=$(dlg_wm_state "$1")
  if [ "$2" = yes ]; then
    grep -q '_NET_WM_STATE_ABOVE' <<<"$state" ||
      e2e_fail "the clock is not top-most: _NET_WM_STATE = '$state' (no _NET_WM_STATE_ABOVE)"
  else
    ! grep -q '_NET_WM_STATE_ABOVE' <<<"$state" ||
      e2e_fail "the clock is top-most: _NET_WM_STATE = '$state', expected no _NET_WM_STATE_ABOVE"
  fi
}

dlg_assert_geometry() { # <window id> <x> <y> <w> <h> <what>
  e2e_geometry "$1"
  [ "$E2E_X,$E2E_Y,$E2E_W,$E2E_H" = "$2,$3,$4,$5" ] ||
    e2e_fail "$6 at ($E2E_X,$E2E_Y) size ${E2E_W}x$E2E_H, expected ($2,$3) size ${4}x$5"
}

# _MOTIF_WM_HINTS as Wine sets it from the window style: prints "<functions> <decorations>"
# in decimal. Functions: 0x20 close. Decorations: 0x8 title bar, 0x10 window menu.
dlg_motif_hints() { # <window id>
  local values
  values=$(xprop -id "$1" _MOTIF_WM_HINTS 2>/dev/null | sed -n 's/^_MOTIF_WM_HINTS([^)]*) = //p')
  [ -n "$values" ] || e2e_fail "window $1 has no _MOTIF_WM_HINTS"
  IFS=', ' read -r -a hint <<<"$values"
  echo "$((hint[1])) $((hint[2]))"
}

# ---------------------------------------------------------------------------------------------
# The winprobe's view of the dialogs

# From `winprobe list` output: the lines of the visible #32770 dialog titled <title>, its
# window line first, then its controls.
dlg_dialog_block() { # <winprobe list output> [title=QUARVEL]
  awk -v want="class=\"#32770\" title=\"${2:-QUARVEL}\"" '
    /^window / { inbox = index($0, want) > 0 } inbox' <<<"$1"
}

# The winprobe's text="..." field, escapes and all, of a window or control line.
dlg_text_field() { # <line>
  sed -n 's/.* text="\(\([^"\\]\|\\.\)*\)" .*/\1/p' <<<"$1"
}

# Prints "left top width height" of the rect= field of an winprobe line.
dlg_rect_field() { # <line>
  local l t r b
  IFS=, read -r l t r b < <(sed -n 's/.* rect=\([-0-9,]*\) .*/\1/p' <<<"$1")
  echo "$l $t $((r - l)) $((b - t))"
}

# ---------------------------------------------------------------------------------------------
# Files

# Compares a file with the bytes printf makes of <format>; on a difference fails showing both.
dlg_expect_bytes() { # <file> <printf format> <what>
  local expected=$E2E_TMP/expected-bytes
  # shellcheck disable=SC2059  # the format is the expected content
  printf "$2" >"$expected"
  [ -f "$1" ] || e2e_fail "$3: $1 does not exist"
  cmp -s "$expected" "$1" ||
    e2e_fail "$3: $(basename "$1") differs; expected:"$'\n'"$(od -An -c "$expected")"$'\n'"got:" \
      $'\n'"$(od -An -c "$1")"
}

# ---------------------------------------------------------------------------------------------
# Pixels

# Number of dark pixels (grey level under 50 %) in the rectangle: text drawn in black.
dlg_dark_count() { # <png> <x> <y> <w> <h>
  convert "$1" -crop "$4x$5+$2+$3" +repage -alpha off -colorspace gray -threshold 50% -negate \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# The longest stretch of a text line that is one picture repeated. Pixels darker than 80 %
# grey are ink; the rectangle is cut into text lines at the rows without ink, and for each line
# and each pitch from 4 to 24 pixels it finds the longest run of columns whose ink count equals
# the count one pitch further on. Prints "<columns> <pitch>". A font without the characters
# draws the same box (or "?") for each of them: a row of nine boxes repeats over about 100
# columns at the box's pitch. Real text repeats over a few columns at most (the labels of the
# first-run dialog: 10 or less), since its characters differ.
dlg_longest_repeat() { # <png> <x> <y> <w> <h>
  convert "$1" -crop "$4x$5+$2+$3" +repage -alpha off -colorspace gray -threshold 80% \
    -depth 8 txt:- |
    awk -F'[,: ]+' -v w="$4" -v h="$5" '
      NR > 1 && /gray\(0\)|#000000/ { ink[$1, $2] = 1; row[$2]++ }
      END {
        best = 0; pitch = 0
        for (top = 0; top < h; top = bottom) {
          while (top < h && !row[top]) top++
          for (bottom = top; bottom < h && row[bottom]; bottom++) {}
          if (top >= h) break
          for (x = 0; x < w; x++) {
            v[x] = 0
            for (y = top; y < bottom; y++) v[x] += ink[x, y]
          }
          for (p = 4; p <= 24; p++) {
            run = 0; inked = 0
            for (x = 0; x + p < w; x++) {
              if (v[x] == v[x + p]) { run++; if (v[x] > 0) inked = 1 } else { run = 0; inked = 0 }
              if (inked && run > best) { best = run; pitch = p }
            }
          }
        }
        print best, pitch
      }'
}

# The clock's window is round: the screen shows through the square's corners (Xvfb's root is
# black, and the faces used here have no black), the circle reaches the middle of every edge,
# the black inside the square is about what a circle leaves of it, and X has a shape for the
# window (xwininfo says "No window shape defined" for a rectangular one).
# NOTE: under Wine the region's outside comes out black even over another window (checked
# with a bare Win32 window and SetWindowRgn over a coloured X window), so black is all a test
# can expect there, whatever lies beneath.
dlg_assert_round() { # <png> <window id> <x> <y> <size>
  local png=$1 id=$2 x=$3 y=$4 s=$5 px py rgb black low high
  for px in 1 $((s - 2)); do
    for py in 1 $((s - 2)); do
      rgb=$(e2e_pixel "$png" $((x + px)) $((y + py)))
      [ "$rgb" = 0,0,0 ] ||
        e2e_fail "the clock's square shows $rgb at its corner ($((x + px)),$((y + py))), not" \
          "the black screen behind it: the window is not round ($(basename "$png"))"
    done
  done
  for px in "$((s / 2)) 1" "1 $((s / 2))" "$((s / 2)) $((s - 2))" "$((s - 2)) $((s / 2))"; do
    read -r px py <<<"$px"
    rgb=$(e2e_pixel "$png" $((x + px)) $((y + py)))
    [ "$rgb" != 0,0,0 ] ||
      e2e_fail "the clock shows black at the middle of an edge ($((x + px)),$((y + py))):" \
        "its circle does not fill the square ($(basename "$png"))"
  done
  black=$(e2e_count_colour "$png" 0,0,0 "$x" "$y" "$s" "$s")
  # A circle of diameter s - 1 (an elliptic region leaves out the last row and column).
  read -r low high < <(awk -v s="$s" 'BEGIN {
    out = s * s - 3.14159265 * (s - 1) * (s - 1) / 4; printf "%d %d\n", out * 0.9, out * 1.1 }')
  if [ "$black" -lt "$low" ] || [ "$black" -gt "$high" ]; then
    e2e_fail "$black black pixels in the clock's ${s}x$s square, expected $low to $high (what" \
      "a circle leaves of the square) ($(basename "$png"))"
  fi
  xwininfo -id "$id" -shape 2>/dev/null | grep -q 'Window shape extents' ||
    e2e_fail "X has no shape for the clock window $id: $(xwininfo -id "$id" -shape | grep -i shape)"
  e2e_log "round: black corners, $black black pixels in the square ($low..$high), X shape set"
}
