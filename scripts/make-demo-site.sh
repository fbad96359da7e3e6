#!/bin/sh
# Generates the demo site: twelve synthetic raw pile tests (8 to 30 m; intact piles, a
# necking, a bulge, a severe defect, a weak toe, a socketed toe) with fixed seeds, so the same
# kxtool always makes the same bytes. examples/pile-example.kxd is a copy of pile 3; a test
# checks that it still matches.
#
# Usage: scripts/make-demo-site.sh KXTOOL OUTDIR
set -eu

if [ $# -ne 2 ]; then
    echo "usage: $0 KXTOOL OUTDIR" >&2
    exit 1
fi
kxtool=$1
out=$2
mkdir -p "$out"

# pile NUMBER OPTION... : pile NUMBER of the site, seeded by its number.
pile() {
    n=$1
    shift
    "$kxtool" synth --site "滨江花园演示工地" --pile "$n#" --seed "$n" "$@" -o "$out/$n.kxd"
}

pile 1 --length 8 --speed 4000 --interval 10                                # intact, short
pile 2 --length 12 --speed 3800 --interval 10                               # intact
pile 3 --length 12 --speed 3800 --interval 10 --defect 4.5:1.5:0.65         # necking
pile 4 --length 15 --speed 3900 --defect 6:2:1.4                            # bulge
pile 5 --length 18 --speed 3700 --defect 7:0.8:0.25                         # severe defect
pile 6 --length 20 --speed 4100 --toe fixed                                 # socketed in rock
pile 7 --length 22 --speed 3700 --defect 20:2:0.55                          # deep weak toe
pile 8 --length 25 --speed 3600                                             # intact, long
pile 9 --length 10 --speed 3800 --interval 10 --defect 3:1:0.85 --noise 0.02  # slight necking
pile 10 --length 28 --speed 3800 --defect 12:2:0.7                          # deep necking
pile 11 --length 30 --speed 3500 --layout 123 --blows 6                     # intact, 6 blows
pile 12 --length 16 --speed 4000 --layout 123 --blows 3 --defect 4:1.5:1.3 --defect 10:1:0.7
