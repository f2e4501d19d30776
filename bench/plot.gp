# Time per cell against sheet size, from the sheets.tsv that bench/run.sh writes:
#   gnuplot -e "data='sheets.tsv'; out='time_per_cell.png'" bench/plot.gp
# Columns used: 2 side, 7 µs/cell (wall), 8 µs/cell net of the baseline run,
# 9 CPU µs/cell net. The dashed line is the target: 1.5 times the net cost at
# the smallest sheet.
if (!exists("data")) data = 'sheets.tsv'
if (!exists("out")) out = 'time_per_cell.png'

set datafile commentschars "#"
stats data using 8 every ::0::0 nooutput  # before the axes are set: their ranges would filter it
limit = 1.5 * STATS_min
stats data using 7 nooutput
top = 1.35 * STATS_max  # room for the key above the curves

set terminal pngcairo size 900,560 font "DejaVu Sans,11"
set output out
set title "pixcell: conversion time per 16x16 cell (median of runs)"
set xlabel "sheet size in pixels, and its number of 16x16 cells" offset 0,-1.2
set bmargin 5.5
set ylabel "microseconds per cell"
set logscale x 2
set xrange [360:5800]
set xtics ("512x512\n1,024 cells" 512, "1024x1024\n4,096 cells" 1024, "2048x2048\n16,384 cells" 2048, "4096x4096\n65,536 cells" 4096)
set yrange [0:top]
set grid ytics
set key top right box opaque

plot data using 2:7 with linespoints lw 2 pt 7 title "wall time / cells", \
     data using 2:8 with linespoints lw 2 pt 5 title "wall time net of start-up / cells", \
     data using 2:9 with linespoints lw 2 pt 9 title "CPU time net of start-up / cells", \
     limit with lines dt 2 lw 2 lc rgb "#c00000" title sprintf("target for the net wall time: 1.5 x its value at 512x512 = %.2f", limit)
