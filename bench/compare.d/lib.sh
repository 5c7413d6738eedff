# Shared by bench/compare's jobs: the photos, timing and the report table.
# A job file appends its name to JOBS and defines job_NAME, which calls
# `measure` for each side and `report` for the pair. Jobs read $photos,
# $slideforge and $runs and write only below $scratch.

JOBS=()
declare -A wall_seconds peak_mib

# make_photos DIR: 60 JPEG photos of several megapixels (24 at 1920 x 1080,
# 24 at 4000 x 3000, 12 portrait 1080 x 1920), enlarged from the corpus photos
# with grain added so they compress like camera pictures. Made once.
make_photos() {
  local dir=$1
  [[ -f "$dir/.complete" ]] && return 0
  mkdir -p "$dir"
  local corpus=$root/../shared/corpus/jpeg sources=()
  for name in pillow-flower.jpg pillow-flower2.jpg imagemagick-wizard.jpg \
              pillow-hopper.jpg pillow-pil_sample_rgb.jpg pillow-iptc.jpg; do
    [[ -f "$corpus/$name" ]] && sources+=("$corpus/$name")
  done
  echo "Making 60 photos in $dir ..." >&2
  local i size source
  for ((i = 0; i < 60; i++)); do
    if ((i < 24)); then size=1920x1080; elif ((i < 48)); then size=4000x3000; else size=1080x1920; fi
    if [[ ${#sources[@]} -gt 0 ]]; then
      source=${sources[i % ${#sources[@]}]}
      convert "$source" -modulate 100,$((80 + i % 40)),$((60 + i * 7 % 80)) -resize "$size^" \
        -gravity center -extent "$size" -attenuate 0.4 +noise Gaussian -quality 90 \
        "$dir/$(printf 'photo%02d.jpg' "$i")"
    else
      convert -size "$size" -seed "$i" plasma:fractal -blur 0x2 -attenuate 0.4 +noise Gaussian \
        -quality 90 "$dir/$(printf 'photo%02d.jpg' "$i")"
    fi
  done
  touch "$dir/.complete"
}

# measure KEY COMMAND...: runs COMMAND $runs times (output to /dev/null) and
# keeps the median wall time and the largest peak resident set of the runs.
measure() {
  local key=$1; shift
  local times=() peak=0 i line
  for ((i = 0; i < runs; i++)); do
    # time writes its figures to a file: the command's own stderr is silenced.
    /usr/bin/time -f '%e %M' -o "$scratch/.time" "$@" >/dev/null 2>/dev/null || true
    line=$(tail -1 "$scratch/.time")
    times+=("${line% *}")
    ((${line#* } > peak)) && peak=${line#* }
  done
  wall_seconds[$key]=$(printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
  peak_mib[$key]=$((peak / 1024))
}

print_header() {
  printf '| %-44s | %9s | %8s | %-28s | %9s | %8s | %6s |\n' job Slideforge MiB peer peer MiB ratio
  printf '|%s|%s|%s|%s|%s|%s|%s|\n' "$(printf -- '-%.0s' {1..46})" ----------: ---------: \
    "$(printf -- '-%.0s' {1..30})" ----------: ---------: -------:
}

# report TITLE OURS_KEY PEER_NAME PEER_KEY [NOTE]: one table row.
report() {
  local title=$1 ours=$2 peer=$3 theirs=$4 note=${5:-}
  local ratio
  ratio=$(awk -v a="${wall_seconds[$ours]}" -v b="${wall_seconds[$theirs]}" \
    'BEGIN { printf (b > 0 ? "%.2f" : "-"), a / b }')
  printf '| %-44s | %8ss | %8s | %-28s | %8ss | %8s | %6s |\n' "$title" "${wall_seconds[$ours]}" \
    "${peak_mib[$ours]}" "$peer" "${wall_seconds[$theirs]}" "${peak_mib[$theirs]}" "$ratio"
  [[ -n "$note" ]] && printf '|   %s\n' "$note"
  return 0
}

# psnr REFERENCE_VIDEO_OR_PICTURES DISTORTED: ffmpeg's average PSNR in dB.
psnr() {
  ffmpeg -hide_banner -nostats -i "$1" -i "$2" -lavfi psnr -f null - 2>&1 |
    sed -n 's/.*average:\([0-9.inf]*\).*/\1/p' | tail -1
}
