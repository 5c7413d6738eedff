# job mp4: the 60 photos shown 2 s each at 25 frames a second in 1280 x 720,
# compiled to an MP4 with the default quality and preset, against ffmpeg's
# libx264 at "medium" and CRF 20 on the same pictures at the same size and
# rate: once scaling and padding the photos itself (the concat demuxer), once
# given the frames Slideforge fits (the same pixels, so the encoders alone are
# compared). Reports each side's size and its PSNR against the frames it was
# given, and ffmpeg's against Slideforge's fitted frames.
JOBS+=(mp4)

# mp4_project DIR OUT: the show as a project file (CR LF lines; every cell length-counted).
mp4_project() {
  local dir=$1 out=$2 photo
  {
    printf 'Slideforge_Project version1.0\r\n4 60\r\n15 378 0 0 \r\n'
    printf '1 1 0 0 1 <100><0:00> reserved2 reserved3 reserved4 \r\n'
    printf '0 0 25 1280 720 50 2 reserved5 reserved6 \r\n'
    printf '0 6 (none) %d %s 0  reserved7 reserved8 \r\n' "${#out}" "$out"
    for photo in "$photos"/photo*.jpg; do printf '0  %d %s 0  0  \r\n' "${#photo}" "$photo"; done
  } >"$dir/show.sfg"
}

# mp4_concat LIST FILE...: a concat demuxer list showing each file for 2 s.
mp4_concat() {
  local list=$1 file; shift
  for file in "$@"; do printf "file '%s'\nduration 2\n" "$file"; done >"$list"
}

# mp4_psnr REFERENCE_ARGS... -- DISTORTED: the average PSNR over the 3000
# frames, matched by frame number (the streams' time bases differ).
mp4_psnr() {
  local args=() distorted
  while [[ $1 != -- ]]; do args+=("$1"); shift; done
  distorted=$2
  ffmpeg -hide_banner -nostats "${args[@]}" -i "$distorted" -lavfi \
    "[0:v]fps=25,tpad=stop_mode=clone:stop_duration=2,format=yuv420p,setpts=N/(25*TB)[r];[1:v]setpts=N/(25*TB)[d];[d][r]psnr" \
    -frames:v 3000 -f null - 2>&1 | sed -n 's/.*average:\([0-9.inf]*\).*/\1/p' | tail -1
}

# mp4_show DIR OUT: in DIR the project compiling to OUT, the photos as
# Slideforge fits them (fitted/), and concat lists of the photos and of the
# fitted frames (photos.txt, fitted.txt).
mp4_show() {
  local dir=$1 out=$2 photo fitted=()
  mkdir -p "$dir/fitted"
  mp4_project "$dir" "$out"
  for photo in "$photos"/photo*.jpg; do
    "$slideforge" fit "$photo" "$dir/fitted/$(basename "$photo" .jpg).bmp" --size 1280x720 >/dev/null
    fitted+=("$dir/fitted/$(basename "$photo" .jpg).bmp")
  done
  mp4_concat "$dir/photos.txt" "$photos"/photo*.jpg
  mp4_concat "$dir/fitted.txt" "${fitted[@]}"
}

job_mp4() {
  local dir=$scratch/mp4
  mp4_show "$dir" "$dir/ours.mp4"
  # The photos differ in size: one filter graph scales and pads every one of
  # them (-reinit_filter 0, eval=frame). tpad holds the last picture for its
  # 2 s: the concat demuxer ends at its first frame.
  local scale="scale=1280:720:force_original_aspect_ratio=decrease:eval=frame,pad=1280:720:(ow-iw)/2:(oh-ih)/2:eval=frame"
  local x264=(-c:v libx264 -preset medium -crf 20 -pix_fmt yuv420p -frames:v 3000)

  # The compile keeps its list log in the current folder.
  pushd "$dir" >/dev/null
  measure mp4_ours "$slideforge" compile show.sfg --yes
  popd >/dev/null
  measure mp4_ffmpeg ffmpeg -y -reinit_filter 0 -f concat -safe 0 -i "$dir/photos.txt" \
    -vf "$scale,fps=25,tpad=stop_mode=clone:stop_duration=2" "${x264[@]}" "$dir/ffmpeg.mp4"
  measure mp4_ffmpeg_fitted ffmpeg -y -f concat -safe 0 -i "$dir/fitted.txt" \
    -vf "fps=25,tpad=stop_mode=clone:stop_duration=2" "${x264[@]}" "$dir/ffmpeg-fitted.mp4"

  local file frames=()
  for file in ours ffmpeg ffmpeg-fitted; do
    frames+=("$(ffprobe -v error -count_frames -select_streams v -show_entries stream=nb_read_frames -of csv=p=0 \
      "$dir/$file.mp4")")
  done
  local size_ours size_ffmpeg size_fitted
  size_ours=$(stat -c %s "$dir/ours.mp4")
  size_ffmpeg=$(stat -c %s "$dir/ffmpeg.mp4")
  size_fitted=$(stat -c %s "$dir/ffmpeg-fitted.mp4")
  local fitted_ref=(-f concat -safe 0 -i "$dir/fitted.txt")
  local psnr_ours psnr_ffmpeg_own psnr_ffmpeg psnr_fitted
  psnr_ours=$(mp4_psnr "${fitted_ref[@]}" -- "$dir/ours.mp4")
  psnr_fitted=$(mp4_psnr "${fitted_ref[@]}" -- "$dir/ffmpeg-fitted.mp4")
  psnr_ffmpeg=$(mp4_psnr "${fitted_ref[@]}" -- "$dir/ffmpeg.mp4")
  psnr_ffmpeg_own=$(ffmpeg -hide_banner -nostats -reinit_filter 0 -f concat -safe 0 -i "$dir/photos.txt" -i "$dir/ffmpeg.mp4" -lavfi \
    "[0:v]$scale,fps=25,tpad=stop_mode=clone:stop_duration=2,format=yuv420p,setpts=N/(25*TB)[r];[1:v]setpts=N/(25*TB)[d];[d][r]psnr" \
    -frames:v 3000 -f null - 2>&1 | sed -n 's/.*average:\([0-9.inf]*\).*/\1/p' | tail -1)

  report "60 photos 720p25 2 s each to .mp4" mp4_ours "ffmpeg x264 medium crf 20" mp4_ffmpeg \
    "frames ${frames[0]} / ${frames[1]}; size $size_ours / $size_ffmpeg bytes; PSNR $psnr_ours dB (ours vs our fitted frames) / $psnr_ffmpeg_own dB (ffmpeg vs its own scaled frames), $psnr_ffmpeg dB vs our fitted frames"
  report "  the same, ffmpeg given our fitted frames" mp4_ours "ffmpeg x264 medium crf 20" mp4_ffmpeg_fitted \
    "frames ${frames[0]} / ${frames[2]}; size $size_ours / $size_fitted bytes; PSNR vs our fitted frames $psnr_ours / $psnr_fitted dB"
}
