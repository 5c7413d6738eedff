#include "image/fitting.h"

#include <exception>
#include <utility>

#include "image/resize.h"
#include "image/resize_filtered.h"

namespace sf {

namespace {

// The frame's size: the frame W x H arrives as reals and is cut to whole pixels.
int Whole(double value) { return static_cast<int>(value); }

}  // namespace

FitPlacement ComputeFitPlacement(int sw, int sh, double w, double h, int bw, int bh, bool maintain_aspect,
                                 bool zoom_in) {
  // The box inside the border.
  double fw = bw > 0 ? w - (bw * 0.01) * w : w;
  double fh = bh > 0 ? h - (bh * 0.01) * h : h;
  if (!zoom_in) {
    if (sw < fw) fw = sw;
    if (sh < fh) fh = sh;
  }

  int nw = static_cast<int>(fw);
  int nh = static_cast<int>(fh);
  if (maintain_aspect && (sw > fw || sh > fh || zoom_in)) {
    const double rw = sw / fw;
    const double rh = sh / fh;
    // The divisions by the ratio run in extended precision: the side that
    // should fill the box comes out a pixel short whenever the double ratio
    // was rounded upwards, and frames made elsewhere depend on that.
    if (rw > rh) {
      nw = static_cast<int>(static_cast<long double>(sw) / static_cast<long double>(rw));
      nh = static_cast<int>(static_cast<long double>(sh) / static_cast<long double>(rw));
    } else if (rh > rw) {
      nw = static_cast<int>(static_cast<long double>(sw) / static_cast<long double>(rh));
      nh = static_cast<int>(static_cast<long double>(sh) / static_cast<long double>(rh));
    }
  }

  // An odd margin puts the extra pixel on the right or at the bottom.
  const int left = static_cast<int>((static_cast<long double>(w) - nw) * 0.5L);
  const int top = static_cast<int>((static_cast<long double>(h) - nh) * 0.5L);
  return FitPlacement{nw, nh, left, top};
}

Bitmap BackgroundFrame(const Bitmap& background, ResizeMethod resize, int width, int height) {
  Bitmap frame(width, height);
  // The background always covers the whole frame, whatever its proportions;
  // an empty one leaves the frame white.
  if (!background.Empty()) {
    if (resize == ResizeMethod::kSmooth) {
      ResizeSmooth(background, frame);
    } else if (resize == ResizeMethod::kFiltered) {
      ResizeFiltered(background, frame);
    } else {
      ResizeStandard(background, frame, Rect{0, 0, frame.Width(), frame.Height()});
    }
  }
  return frame;
}

int GetAspectedImage(Bitmap& picture, const Bitmap& background, ResizeMethod resize, bool zoom_in,
                     bool maintain_aspect, PixelFormat pf, int bh, int bw, double h, double w, Reporter& reporter) {
  try {
    const FitPlacement place = ComputeFitPlacement(picture.Width(), picture.Height(), w, h, bw, bh,
                                                   maintain_aspect, zoom_in);
    Bitmap frame = BackgroundFrame(background, resize, Whole(w), Whole(h));
    if (resize == ResizeMethod::kSmooth || resize == ResizeMethod::kFiltered) {
      Bitmap fitted(place.width, place.height);
      if (resize == ResizeMethod::kSmooth) {
        ResizeSmooth(picture, fitted);
      } else {
        ResizeFiltered(picture, fitted);
      }
      frame.Draw(fitted, place.left, place.top);
    } else {
      ResizeStandard(picture, frame,
                     Rect{place.left, place.top, place.left + place.width, place.top + place.height});
    }

    if (pf == PixelFormat::kBits24) {
      picture = std::move(frame);
    } else {
      Bitmap out(frame.Width(), frame.Height(), pf);
      if (pf == PixelFormat::kBits8 && picture.Format() == PixelFormat::kBits8) out.SetPalette(picture.Palette());
      out.Draw(frame, 0, 0);
      picture = std::move(out);
    }
    return 0;
  } catch (const std::exception& failure) {
    reporter.Error(failure.what());
    reporter.Error("Error adjusting image to fit.\nGetAspectedImage()");
    return 1;
  }
}

}  // namespace sf
