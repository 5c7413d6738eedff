# The 60 photos as an animated GIF of 640 x 360 at 10 frames per second, one
# second per photo (600 frames): Slideforge's classic and optimised GIF against
# ffmpeg's palettegen/paletteuse (one global palette) and ImageMagick. Besides
# the times it reports each file's size and its PSNR: one frame per photo (the
# middle of its second) against the photo fitted by ffmpeg's bicubic scaler at
# the geometry that side uses (Slideforge's from `slideforge fit`, ffmpeg's and
# ImageMagick's the centred 640 x 360 box).
JOBS+=(gif)

gif_filters='scale=640:360:force_original_aspect_ratio=decrease:flags=bicubic,pad=640:360:(ow-iw)/2:(oh-ih)/2'

# gif_ffmpeg_script SCRIPT OUT: ffmpeg's side as a script for `measure`: every
# photo its own input (their sizes differ), fitted, ten frames each, joined,
# one palette for all.
gif_ffmpeg_script() {
  local script=$1 out=$2 inputs="" graph="" n=0 p k
  for p in "$photos"/photo*.jpg; do
    inputs+=" -framerate 1 -t 1 -i '$p'"
    graph+="[$n:v]$gif_filters,setsar=1,fps=10[v$n];"
    n=$((n + 1))
  done
  for ((k = 0; k < n; k++)); do graph+="[v$k]"; done
  graph+="concat=n=$n:v=1:a=0,split[a][b];[a]palettegen[p];[b][p]paletteuse"
  printf 'exec ffmpeg -v error -y %s -filter_complex "%s" "%s"\n' "$inputs" "$graph" "$out" >"$script"
}

# gif_project OUT.sfg: the photos at 10 fps, 10 frames each, smooth resize, GIF output.
gif_project() {
  local out=$1 gif=$scratch/project.gif p
  {
    printf 'Slideforge_Project version1.0\r\n4 %d\r\n15 378 0 0 \r\n' 60
    printf '1 1 0 0 1 <001><0:00> reserved2 reserved3 reserved4 \r\n'
    printf '0 0 10 640 360 10 1 reserved5 reserved6 \r\n'
    printf '0 6 (none) %d %s 0  reserved7 reserved8 \r\n' "${#gif}" "$gif"
    for p in "$photos"/photo*.jpg; do printf '0  %d %s 0  0  \r\n' "${#p}" "$p"; done
  } >"$out"
}

# gif_references DIR MODE: one PNG per photo fitted by ffmpeg's bicubic scaler,
# at Slideforge's placement (MODE slideforge) or in ffmpeg's centred box.
gif_references() {
  local dir=$1 mode=$2 i=0 p place w h l t
  mkdir -p "$dir"
  for p in "$photos"/photo*.jpg; do
    if [[ $mode == slideforge ]]; then
      place=$("$slideforge" fit "$p" "$scratch/fit.bmp" --size 640x360 --smooth)
      read -r w h l t < <(sed -E 's/picture ([0-9]+)x([0-9]+) at \(([0-9]+), ([0-9]+)\).*/\1 \2 \3 \4/' <<<"$place")
      ffmpeg -v error -y -i "$p" -vf "scale=$w:$h:flags=bicubic,pad=640:360:$l:$t:black,format=rgb24" \
        "$dir/$(printf 'r%02d.png' "$i")"
    else
      ffmpeg -v error -y -i "$p" -vf "$gif_filters,format=rgb24" "$dir/$(printf 'r%02d.png' "$i")"
    fi
    i=$((i + 1))
  done
}

# gif_psnr GIF REFERENCE_DIR: the middle frame of every second against the references.
gif_psnr() {
  local gif=$1 refs=$2 dir
  dir=$(mktemp -d "$scratch/frames.XXXXXX")
  ffmpeg -v error -i "$gif" -vf "fps=10,select='eq(mod(n\,10)\,5)',format=rgb24" -fps_mode passthrough \
    "$dir/d%02d.png"
  ffmpeg -hide_banner -nostats -framerate 1 -start_number 0 -i "$refs/r%02d.png" -framerate 1 -start_number 1 \
    -i "$dir/d%02d.png" -lavfi psnr -f null - 2>&1 | sed -n 's/.*average:\([0-9.inf]*\).*/\1/p' | tail -1
}

gif_size_mb() { awk -v b="$(stat -c %s "$1")" 'BEGIN { printf "%.2f MB", b / 1e6 }'; }

job_gif() {
  local project=$scratch/gif.sfg
  gif_project "$project"
  measure gif-classic "$slideforge" compile "$project" --yes -o "$scratch/classic.gif"
  measure gif-optimised "$slideforge" compile "$project" --yes --gif-optimize -o "$scratch/optimised.gif"
  gif_ffmpeg_script "$scratch/ffmpeg-gif.sh" "$scratch/ffmpeg.gif"
  measure gif-ffmpeg bash "$scratch/ffmpeg-gif.sh"
  measure gif-magick convert -delay 100 -loop 0 "$photos/photo*.jpg[640x360]" -gravity center -background black \
    -extent 640x360 -layers Optimize "$scratch/magick.gif"

  gif_references "$scratch/refs-slideforge" slideforge
  gif_references "$scratch/refs-box" box
  local name file refs line=""
  for name in classic optimised ffmpeg magick; do
    file=$scratch/$name.gif refs=$scratch/refs-box
    [[ $name == classic || $name == optimised ]] && refs=$scratch/refs-slideforge
    line+="$name $(gif_size_mb "$file") $(gif_psnr "$file" "$refs") dB; "
  done
  report "GIF 60 photos 600 frames (classic)" gif-classic ffmpeg gif-ffmpeg
  report "GIF 60 photos 600 frames (--gif-optimize)" gif-optimised ffmpeg gif-ffmpeg "size, PSNR: $line"
  report "GIF 60 photos 600 frames (--gif-optimize)" gif-optimised ImageMagick gif-magick
}
