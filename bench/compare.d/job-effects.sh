# Effects on a 1920 x 1080 photo, read as JPEG and written as BMP, against
# their nearest ImageMagick counterparts.
JOBS+=(effects)

job_effects() {
  local photo=$photos/photo00.jpg
  local pairs=(
    "Twist=100|-swirl 100"
    "Blur Gaussian=3|-gaussian-blur 0x3"
    "Emboss=1|-emboss 1"
    "Fisheye=1|-implode -0.5"
    "Solarize=128|-solarize 50%"
    "Posterize=8|-posterize 8"
    "Mosaic=10|-scale 10% -scale 1000%"
  )
  local pair effect magick key
  for pair in "${pairs[@]}"; do
    effect=${pair%%|*} magick=${pair#*|}
    key=${effect%%=*}
    measure "effect-$key" "$slideforge" effects "$photo" "$scratch/ours.bmp" "1<$effect>"
    # shellcheck disable=SC2086 # the ImageMagick options are words
    measure "magick-$key" convert "$photo" $magick "$scratch/theirs.bmp"
    report "effect $effect on 1920 x 1080" "effect-$key" "convert $magick" "magick-$key"
  done
}
