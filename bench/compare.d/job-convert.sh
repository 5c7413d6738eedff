# The 60 photos to 800 x 600 JPEG at quality 85, kept in proportion, against
# vipsthumbnail and ImageMagick's mogrify.
JOBS+=(convert)

job_convert() {
  local out=$scratch/convert
  rm -rf "$out"
  mkdir -p "$out"
  measure convert-ours bash -c "rm -f '$out'/*; '$slideforge' convert '$photos'/photo*.jpg --out '$out' \
    --format jpg --size 800x600 --aspect 1 --smooth --quality 85 --if-exists overwrite"
  measure convert-vips bash -c "rm -f '$out'/*; vipsthumbnail '$photos'/photo*.jpg --size 800x600 \
    -o '$out/%s.jpg[Q=85]'"
  measure convert-mogrify bash -c "rm -f '$out'/*; mogrify -path '$out' -resize 800x600 -quality 85 '$photos'/photo*.jpg"
  report "convert 60 photos to 800 x 600 JPEG q85" convert-ours vipsthumbnail convert-vips
  report "convert 60 photos to 800 x 600 JPEG q85" convert-ours mogrify convert-mogrify
  rm -rf "$out"
}
