#!/bin/sh
# Shows a screenshot as an eye without green cones (deuteranopia) sees it, to check that what the
# program tells by colour it also tells by shape or words.
#   deuteranopia.sh IN.png OUT.png [SIDE.png]
# With SIDE the original and the simulation are written side by side as well.
# The matrix is Machado, Oliveira and Fernandes' (2009) for full deuteranopia, applied to linear
# RGB (ImageMagick's "RGB" colour space), back to sRGB after it. ImageMagick's convert is called
# by its full path: another "convert" may come first on the PATH.
set -eu
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: deuteranopia.sh IN.png OUT.png [SIDE.png]" >&2
    exit 2
fi
CONVERT=${CONVERT:-/usr/bin/convert}
"$CONVERT" "$1" -colorspace RGB -color-matrix \
    "3x3: 0.367322 0.860646 -0.227968
          0.280085 0.672501  0.047413
         -0.011820 0.042940  0.968881" \
    -colorspace sRGB "$2"
if [ $# -eq 3 ]; then
    "$CONVERT" "$1" "$2" +append "$3"
fi
