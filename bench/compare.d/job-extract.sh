# Frames of videos as BMP files: a raw AVI and a Motion JPEG AVI of the photos
# at 1280 x 720 (3000 frames, 2 s a photo at 25 fps; the raw one is 8.3 GB) and
# a 600-frame GIF of them made by ffmpeg, against ffmpeg. These jobs
# write gigabytes, so the disk's own sequential write speed is measured first:
# the floor no program can go below.
JOBS+=(extract)

extract_video() {  # extract_video OUT.avi CODEC-OPTIONS...
  local out=$1; shift
  ffmpeg -v error -y -f concat -safe 0 -i "$scratch/photos.txt" -vf \
    "scale=1280:720:force_original_aspect_ratio=decrease,pad=1280:720:(ow-iw)/2:(oh-ih)/2,fps=25" \
    -frames:v 3000 "$@" "$out"
}

job_extract() {
  local p
  : >"$scratch/photos.txt"
  for p in "$photos"/photo*.jpg; do printf "file '%s'\nduration 2\n" "$p" >>"$scratch/photos.txt"; done
  local frames=$scratch/frames
  local write_floor
  write_floor=$( { /usr/bin/time -f '%e' dd if=/dev/zero of="$scratch/floor.bin" bs=8M count=1000 conv=fsync \
    status=none; } 2>&1 | tail -1)
  rm -f "$scratch/floor.bin"

  extract_video "$scratch/raw.avi" -c:v rawvideo -pix_fmt bgr24
  measure extract-raw-ours bash -c "rm -rf '$frames'; mkdir '$frames'; '$slideforge' extract-avi '$scratch/raw.avi' '$frames/f'"
  measure extract-raw-ffmpeg bash -c "rm -rf '$frames'; mkdir '$frames'; ffmpeg -v error -i '$scratch/raw.avi' '$frames/f%04d.bmp'"
  rm -f "$scratch/raw.avi"
  report "raw AVI 1280 x 720 -> 3000 BMP files" extract-raw-ours ffmpeg extract-raw-ffmpeg \
    "disk write floor: 8.4 GB in $write_floor s"

  extract_video "$scratch/mjpeg.avi" -c:v mjpeg -q:v 3
  measure extract-mjpeg-ours bash -c "rm -rf '$frames'; mkdir '$frames'; '$slideforge' extract-avi '$scratch/mjpeg.avi' '$frames/f'"
  measure extract-mjpeg-ffmpeg bash -c "rm -rf '$frames'; mkdir '$frames'; ffmpeg -v error -i '$scratch/mjpeg.avi' '$frames/f%04d.bmp'"
  rm -f "$scratch/mjpeg.avi"
  report "Motion JPEG AVI 1280 x 720 -> 3000 BMP files" extract-mjpeg-ours ffmpeg extract-mjpeg-ffmpeg

  ffmpeg -v error -y -f concat -safe 0 -i "$scratch/photos.txt" -filter_complex \
    "scale=640:360:force_original_aspect_ratio=decrease,pad=640:360:(ow-iw)/2:(oh-ih)/2,fps=10,split[a][b];[a]palettegen[p];[b][p]paletteuse" \
    -frames:v 600 "$scratch/anim.gif"
  measure extract-gif-ours bash -c "rm -rf '$frames'; mkdir '$frames'; '$slideforge' extract-gif '$scratch/anim.gif' '$frames/f'"
  measure extract-gif-ffmpeg bash -c "rm -rf '$frames'; mkdir '$frames'; ffmpeg -v error -i '$scratch/anim.gif' '$frames/f%04d.bmp'"
  rm -rf "$frames" "$scratch/anim.gif"
  report "GIF 640 x 360 -> 600 BMP files" extract-gif-ours ffmpeg extract-gif-ffmpeg
}
