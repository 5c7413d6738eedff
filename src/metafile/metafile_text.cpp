#include "metafile/metafile_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>

#include "metafile/metafile_paint.h"

namespace sf {

namespace {

// Characters 0x80-0x9F of the Windows Western code page; the rest match Latin-1.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// Sizes for a font of height 0, in device pixels.
constexpr double kDefaultEm = 16;
constexpr double kMaxEm = 5000;

std::string Utf8(char32_t c) {
  if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

bool Contains(const std::string& lower, const char* word) { return lower.find(word) != std::string::npos; }

double Length(double x, double y) { return std::hypot(x, y); }

// The em size in pixels for the selected font under the mapping m.
double EmInPixels(const MetafileCanvas& canvas, const cairo_matrix_t& m, cairo_t* cr) {
  const MetafileFont& font = canvas.Dc().font;
  const double y_scale = Length(m.xy, m.yy);
  if (font.height < 0) return -font.height * y_scale;
  if (font.height > 0) {
    // A positive height is the whole cell: ascent plus descent.
    cairo_set_font_size(cr, 1);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    const double cell = fe.ascent + fe.descent;
    return cell > 0 ? font.height * y_scale / cell : font.height * y_scale;
  }
  const cairo_matrix_t& d = canvas.DeviceToOutput();
  return kDefaultEm * Length(d.xy, d.yy);
}

struct Layout {
  cairo_matrix_t mapping;       // logical units to pixels
  Point2 origin;                // the first character's baseline start, in pixels
  Point2 along;                 // unit vector along the baseline
  Point2 down;                  // unit vector from the baseline towards the descenders
  double ascent = 0;
  double descent = 0;
  double total = 0;             // pixels from the first character's start to the end
  std::vector<double> offsets;  // pixels from origin to each character, when advances are given
  // Horizontal squeeze of the glyphs, below 1 when the record's advances are
  // narrower than our font's, so that neighbours do not overlap.
  double squeeze = 1;
};

void FillQuad(cairo_t* cr, const Layout& l, double from, double to, double up, double below, ColorRef color) {
  const auto at = [&](double s, double t) {
    return Point2{l.origin.x + l.along.x * s + l.down.x * t, l.origin.y + l.along.y * s + l.down.y * t};
  };
  const Point2 corners[4] = {at(from, -up), at(to, -up), at(to, below), at(from, below)};
  cairo_move_to(cr, corners[0].x, corners[0].y);
  for (int i = 1; i < 4; ++i) cairo_line_to(cr, corners[i].x, corners[i].y);
  cairo_close_path(cr);
  SetSourceColor(cr, color);
  cairo_fill(cr);
}

void AddBox(cairo_t* cr, const TextBox& box, const cairo_matrix_t& m) {
  cairo_save(cr);
  cairo_set_matrix(cr, &m);
  cairo_rectangle(cr, std::min(box.a.x, box.b.x), std::min(box.a.y, box.b.y), std::fabs(box.b.x - box.a.x),
                  std::fabs(box.b.y - box.a.y));
  cairo_restore(cr);
}

// The baseline start for a reference point in pixels under the alignment.
Point2 AlignedOrigin(Point2 at, const Layout& l, std::uint32_t align) {
  double shift_along = 0;
  if ((align & kAlignCenter) == kAlignCenter) {
    shift_along = -l.total / 2;
  } else if (align & kAlignRight) {
    shift_along = -l.total;
  }
  double shift_down = l.ascent;
  if ((align & kAlignBaseline) == kAlignBaseline) {
    shift_down = 0;
  } else if (align & kAlignBottom) {
    shift_down = -l.descent;
  }
  return {at.x + l.along.x * shift_along + l.down.x * shift_down,
          at.y + l.along.y * shift_along + l.down.y * shift_down};
}

Layout MakeLayout(const MetafileCanvas& canvas, cairo_t* cr, const cairo_matrix_t& m, Point2 reference,
                  const TextRun& run, const std::string& text) {
  const DcState& dc = canvas.Dc();
  Layout l;
  l.mapping = m;
  const double angle = -dc.font.escapement * std::numbers::pi / 1800;
  l.along = {std::cos(angle), std::sin(angle)};
  l.down = {-l.along.y, l.along.x};
  cairo_font_extents_t fe;
  cairo_font_extents(cr, &fe);
  l.ascent = fe.ascent;
  l.descent = fe.descent;
  cairo_text_extents_t te;
  cairo_text_extents(cr, text.c_str(), &te);
  l.total = te.x_advance;
  if (!run.advances.empty()) {
    const double x_scale = Length(m.xx, m.yx);
    double total = 0;
    for (const double advance : run.advances) {
      l.offsets.push_back(total);
      total += advance * x_scale;
    }
    if (total > 0 && total < l.total) l.squeeze = std::max(0.5, total / l.total);
    l.total = total;
  }
  double x = reference.x, y = reference.y;
  cairo_matrix_transform_point(&m, &x, &y);
  l.origin = AlignedOrigin({x, y}, l, dc.text_align);
  return l;
}

void ShowCharacters(cairo_t* cr, const Layout& l, const TextRun& run, const std::string& text, double em) {
  cairo_matrix_t font_matrix;
  cairo_matrix_init_rotate(&font_matrix, std::atan2(l.along.y, l.along.x));
  cairo_matrix_scale(&font_matrix, em * l.squeeze, em);
  cairo_set_font_matrix(cr, &font_matrix);
  if (l.offsets.empty()) {
    cairo_move_to(cr, l.origin.x, l.origin.y);
    cairo_show_text(cr, text.c_str());
    return;
  }
  for (std::size_t i = 0; i < run.chars.size() && i < l.offsets.size(); ++i) {
    cairo_move_to(cr, l.origin.x + l.along.x * l.offsets[i], l.origin.y + l.along.y * l.offsets[i]);
    cairo_show_text(cr, Utf8(run.chars[i]).c_str());
  }
}

// The characters with their background box, underline and strike-out; clip:
// a logical box the text is cut to.
void PaintRun(cairo_t* cr, const DcState& dc, const Layout& l, const TextRun& run, const std::string& text, double em,
              std::optional<TextBox> clip, bool background_box) {
  cairo_save(cr);
  if (clip) {
    AddBox(cr, *clip, l.mapping);
    cairo_clip(cr);
  }
  if (background_box && dc.opaque_background) {
    FillQuad(cr, l, 0, l.total, l.ascent, l.descent, dc.background_color);
  }
  SetSourceColor(cr, dc.text_color);
  ShowCharacters(cr, l, run, text, em);
  const double thickness = std::max(1.0, em / 14);
  if (dc.font.underline) FillQuad(cr, l, 0, l.total, 0, thickness, dc.text_color);
  if (dc.font.strike_out) FillQuad(cr, l, 0, l.total, l.ascent * 0.3 + thickness, -l.ascent * 0.3, dc.text_color);
  cairo_restore(cr);
  cairo_new_path(cr);
}

}  // namespace

TextRun Utf16Run(std::span<const std::uint16_t> units, std::span<const double> advances) {
  TextRun run;
  const bool with_advances = advances.size() >= units.size();
  for (std::size_t i = 0; i < units.size(); ++i) {
    char32_t c = units[i];
    double advance = with_advances ? advances[i] : 0;
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
                      units[i + 1] <= 0xDFFF;
    if (pair) {
      c = 0x10000 + ((c - 0xD800) << 10) + (units[i + 1] - 0xDC00);
      if (with_advances) advance += advances[i + 1];
      ++i;
    }
    run.chars += c;
    if (with_advances) run.advances.push_back(advance);
  }
  return run;
}

TextRun AnsiRun(std::span<const std::uint8_t> bytes, std::span<const double> advances) {
  TextRun run;
  for (const std::uint8_t b : bytes) run.chars += (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char32_t{b};
  if (advances.size() >= bytes.size()) run.advances.assign(advances.begin(), advances.begin() + bytes.size());
  return run;
}

const char* FamilyForFace(const std::string& face) {
  std::string lower;
  for (const char c : face) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* word : {"courier", "mono", "consol", "fixed", "terminal", "typewriter"}) {
    if (Contains(lower, word)) return "DejaVu Sans Mono";
  }
  if (Contains(lower, "sans")) return "DejaVu Sans";
  for (const char* word : {"times", "roman", "serif", "georgia", "garamond", "century", "palatino", "bookman",
                           "cambria", "schoolbook"}) {
    if (Contains(lower, word)) return "DejaVu Serif";
  }
  return "DejaVu Sans";
}

void DrawText(MetafileCanvas& canvas, Point2 reference, const TextRun& run, std::uint32_t options,
              std::optional<TextBox> box) {
  const cairo_matrix_t m = canvas.LogicalToOutput();
  if (!UsableMatrix(m)) return;
  DcState& dc = canvas.Dc();
  const bool update_cp = (dc.text_align & kAlignUpdateCp) != 0;
  if (update_cp) reference = dc.current_position;
  cairo_t* cr = canvas.Context();
  if (box && (options & kTextOpaque)) {
    AddBox(cr, *box, m);
    SetSourceColor(cr, dc.background_color);
    cairo_fill(cr);
  }
  cairo_select_font_face(cr, FamilyForFace(dc.font.face),
                         dc.font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                         dc.font.weight >= 600 ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  const double em = EmInPixels(canvas, m, cr);
  if (run.chars.empty() || !std::isfinite(em) || em < 0.5 || em > kMaxEm) return;
  cairo_set_font_size(cr, em);
  std::string text;
  for (const char32_t c : run.chars) text += Utf8(c);
  const Layout l = MakeLayout(canvas, cr, m, reference, run, text);
  PaintRun(cr, dc, l, run, text, em, (options & kTextClipped) ? box : std::nullopt,
           !(box && (options & kTextOpaque)));
  if (update_cp) {
    const double x_scale = Length(m.xx, m.yx);
    if (x_scale > 0) dc.current_position.x += l.total / x_scale;
  }
}

}  // namespace sf
