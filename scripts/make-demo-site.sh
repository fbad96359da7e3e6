#!/bin/sh
# Generates the demo site: fourteen synthetic raw pile tests (8 to 30 m; intact piles, a
# necking, a bulge, a broken pile, a weak toe, a socketed toe, one whose toe cannot be seen)
# with fixed seeds, so the same kxtool always makes the same bytes. examples/pile-example.kxd
# is a copy of pile 3; a test checks that it still matches.
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

# Every pile in the field model: soil along the shaft, material damping, a real hammer and
# accelerometer, a little noise, offset and drift, as a site's records look.
field="--field --pulse-ms 0.7 --offset 0.004 --drift 0.006"
soil="--soil-loss 0.35"   # the shaft's soil takes a third of the toe echo
quiet="--noise 0.004"

pile 1 $field --length 8 --speed 4000 --interval 10 $soil $quiet                         # intact, short
pile 2 $field --length 12 --speed 3800 --interval 10 $soil $quiet                        # intact
pile 3 $field --length 12 --speed 3800 --interval 10 --defect 4.5:1.5:0.65 $soil $quiet  # necking
pile 4 $field --length 15 --speed 3900 --defect 6:2:1.4 $soil $quiet                     # bulge
pile 5 $field --length 18 --speed 3700 --defect 7:0.8:0.25 $soil $quiet                  # broken
pile 6 $field --length 20 --speed 4100 --toe fixed $soil $quiet                          # socketed in rock
pile 7 $field --length 22 --speed 3700 --defect 20:2:0.55 $soil $quiet                   # deep weak toe
pile 8 $field --length 25 --speed 3600 --soil-loss 0.5 $quiet                            # intact, long
pile 9 $field --length 10 --speed 3800 --interval 10 --defect 3:1:0.85:0.4 --noise 0.01 $soil # slight necking
pile 10 $field --length 28 --speed 3800 --defect 12:2:0.7 $soil $quiet                   # deep necking
pile 11 $field --length 30 --speed 3500 --layout 123 --blows 6 --soil-loss 0.95 --noise 0.01 # toe lost in the soil
pile 12 $field --length 16 --speed 4000 --layout 123 --blows 3 --defect 4:1.5:1.3 --defect 10:1:0.7 $soil $quiet
pile 13 $field --length 14 --speed 3850 --interval 10 --pulse haversine $soil $quiet     # intact
pile 14 $field --length 18 --speed 3950 --soil-layers 1,2,3 $soil $quiet                 # intact, stiffer soil below
