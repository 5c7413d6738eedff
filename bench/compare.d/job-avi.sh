# The 60 photos shown 2 s each at 25 frames a second in 1280 x 720 (3000
# frames), compiled to an uncompressed AVI (8.3 GB) and to a Motion JPEG AVI,
# against ffmpeg writing rawvideo and mjpeg AVIs of the same pictures. The
# uncompressed side is bound by the disk: the write floor is the time dd takes
# to write as many bytes the way the compiles write them (through the page
# cache, not synced). The Motion JPEG pair compares sizes and PSNR
# against Slideforge's fitted frames, ffmpeg given those frames too. Each file
# goes as soon as it has been measured.
JOBS+=(avi)

avi_ours_quality=94
avi_ffmpeg_qscale=2

job_avi() {
  local dir=$scratch/avi
  # The mp4 job's show and helpers (job-mp4.sh), with an AVI output.
  mp4_show "$dir" "$dir/ours.avi"
  local scale="scale=1280:720:force_original_aspect_ratio=decrease:eval=frame,pad=1280:720:(ow-iw)/2:(oh-ih)/2:eval=frame"
  local hold="fps=25,tpad=stop_mode=clone:stop_duration=2"

  pushd "$dir" >/dev/null
  measure avi_raw_ours "$slideforge" compile show.sfg --yes
  popd >/dev/null
  local bytes
  bytes=$(stat -c %s "$dir/ours.avi")
  rm -f "$dir/ours.avi"
  measure avi_raw_ffmpeg ffmpeg -y -reinit_filter 0 -f concat -safe 0 -i "$dir/photos.txt" -vf "$scale,$hold" \
    -frames:v 3000 -c:v rawvideo -pix_fmt bgr24 "$dir/ffmpeg.avi"
  rm -f "$dir/ffmpeg.avi"
  measure avi_raw_floor dd if=/dev/zero of="$dir/floor" bs=8M count=$(((bytes + 8388607) / 8388608))
  rm -f "$dir/floor"
  report "60 photos 720p25 2 s each to raw AVI" avi_raw_ours "ffmpeg rawvideo" avi_raw_ffmpeg \
    "$bytes bytes; the write floor for them (dd): ${wall_seconds[avi_raw_floor]}s"

  pushd "$dir" >/dev/null
  measure avi_mjpeg_ours "$slideforge" compile show.sfg --yes --codec mjpeg --quality "$avi_ours_quality"
  popd >/dev/null
  measure avi_mjpeg_ffmpeg ffmpeg -y -f concat -safe 0 -i "$dir/fitted.txt" -vf "$hold" -frames:v 3000 \
    -c:v mjpeg -q:v "$avi_ffmpeg_qscale" "$dir/ffmpeg.avi"
  local fitted_ref=(-f concat -safe 0 -i "$dir/fitted.txt")
  local size_ours size_ffmpeg psnr_ours psnr_ffmpeg
  size_ours=$(stat -c %s "$dir/ours.avi")
  size_ffmpeg=$(stat -c %s "$dir/ffmpeg.avi")
  psnr_ours=$(mp4_psnr "${fitted_ref[@]}" -- "$dir/ours.avi")
  psnr_ffmpeg=$(mp4_psnr "${fitted_ref[@]}" -- "$dir/ffmpeg.avi")
  report "  the same, Motion JPEG (quality $avi_ours_quality)" avi_mjpeg_ours "ffmpeg mjpeg -q:v $avi_ffmpeg_qscale" \
    avi_mjpeg_ffmpeg "size $size_ours / $size_ffmpeg bytes; PSNR vs our fitted frames $psnr_ours / $psnr_ffmpeg dB"
  rm -f "$dir/ours.avi" "$dir/ffmpeg.avi"
}
