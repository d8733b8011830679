# Rectangles "<d> left,top,right,bottom..." as one rectangle a row, in region_rows' form: a
# region may keep rows of the same width as one taller rectangle (X does, Windows may).
{
  printf "%s", $1
  for (i = 2; i <= NF; i++) {
    split($i, r, ",")
    for (y = r[2]; y < r[4]; y++) printf " %d,%d,%d,%d", r[1], y, r[3], y + 1
  }
  print ""
}
