// Draws the program's icon, two playing cards with a red heart, and writes
// it as a 32 x 32, 16-colour .ico file (its six inks need no more: a
// 256-colour palette and a byte a pixel would add 1.5 KB to each program). A host program run by the build, so
// the artwork lives in the tree as source and not as a binary blob.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

constexpr int kSize = 32;
constexpr int kPaletteEntries = 16;
constexpr int kBitsPerPixel = 4;

enum Ink : std::uint8_t { Outline, Paper, Heart, BackDark, BackLight, Shade, Clear };
static_assert(Clear < kPaletteEntries, "every ink is a palette entry");

struct Rgb {
  std::uint8_t r, g, b;
};
constexpr std::array<Rgb, 6> kInks{{
    {0, 0, 0},        // Outline
    {255, 255, 255},  // Paper
    {206, 17, 38},    // Heart
    {16, 40, 128},    // BackDark
    {88, 128, 220},   // BackLight
    {176, 176, 176},  // Shade
}};

struct Card {
  int left, top, right, bottom;  // inclusive pixel edges
};
constexpr Card kBackCard{3, 1, 20, 24};
constexpr Card kFrontCard{11, 7, 28, 30};

using Canvas = std::array<std::array<Ink, kSize>, kSize>;

bool is_cut_corner(const Card& card, int x, int y) {
  const bool at_x = x == card.left || x == card.right;
  const bool at_y = y == card.top || y == card.bottom;
  return at_x && at_y;
}

bool on_edge(const Card& card, int x, int y) {
  return x == card.left || x == card.right || y == card.top || y == card.bottom ||
         ((x == card.left + 1 || x == card.right - 1) && (y == card.top + 1 || y == card.bottom - 1));
}

void draw_card(Canvas& canvas, const Card& card, bool face_up) {
  for (int y = card.top; y <= card.bottom; ++y) {
    for (int x = card.left; x <= card.right; ++x) {
      if (is_cut_corner(card, x, y)) continue;  // rounded corners, one pixel
      Ink ink;
      if (on_edge(card, x, y)) {
        ink = Outline;
      } else if (face_up) {
        ink = Paper;
      } else {
        const bool white_rim = x == card.left + 1 || x == card.right - 1 || y == card.top + 1 || y == card.bottom - 1;
        const bool lattice = (x + y) % 4 == 0 || (x - y + 64) % 4 == 0;
        ink = white_rim ? Paper : (lattice ? BackLight : BackDark);
      }
      canvas[y][x] = ink;
    }
  }
}

// A heart as two round lobes over a point: the lobes are circles of radius
// r beside the centre line, the point a triangle that meets them at the
// widest part.
bool inside_heart(double x, double y, double centre_x, double top, double r) {
  const double lobe_y = top + r;
  const double dx_left = x - (centre_x - r * 0.95);
  const double dx_right = x - (centre_x + r * 0.95);
  const double dy = y - lobe_y;
  if (dx_left * dx_left + dy * dy <= r * r || dx_right * dx_right + dy * dy <= r * r) return true;
  const double point_y = lobe_y + r * 2.3;
  if (y < lobe_y || y > point_y) return false;
  const double half_width = r * 1.95 * (point_y - y) / (point_y - lobe_y);
  return std::fabs(x - centre_x) <= half_width;
}

void draw_heart(Canvas& canvas, double centre_x, double top, double r) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (inside_heart(x + 0.5, y + 0.5, centre_x, top, r)) canvas[y][x] = Heart;
    }
  }
}

void draw_shadow(Canvas& canvas, const Card& card) {
  for (int y = card.top + 2; y <= card.bottom + 1 && y < kSize; ++y) {
    if (card.right + 1 < kSize && canvas[y][card.right + 1] == Clear) canvas[y][card.right + 1] = Shade;
  }
  for (int x = card.left + 2; x <= card.right + 1 && x < kSize; ++x) {
    if (card.bottom + 1 < kSize && canvas[card.bottom + 1][x] == Clear) canvas[card.bottom + 1][x] = Shade;
  }
}

Canvas draw_icon() {
  Canvas canvas;
  for (auto& row : canvas) row.fill(Clear);
  draw_card(canvas, kBackCard, false);
  draw_card(canvas, kFrontCard, true);
  draw_shadow(canvas, kFrontCard);
  draw_heart(canvas, 20.0, 12.0, 3.0);  // the heart in the middle of the face
  return canvas;
}

void put16(std::vector<std::uint8_t>& out, unsigned value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, unsigned value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

std::vector<std::uint8_t> encode_ico(const Canvas& canvas) {
  constexpr unsigned kHeaderBytes = 40;
  constexpr unsigned kPaletteBytes = kPaletteEntries * 4;
  constexpr unsigned kColourBytes = kSize * kSize * kBitsPerPixel / 8;  // rows of 16 bytes, already 4-aligned
  constexpr unsigned kMaskBytes = kSize * (kSize / 8);          // one bit a pixel, 4 bytes a row
  constexpr unsigned kImageBytes = kHeaderBytes + kPaletteBytes + kColourBytes + kMaskBytes;
  constexpr unsigned kDirectoryBytes = 6 + 16;

  std::vector<std::uint8_t> out;
  put16(out, 0);  // reserved
  put16(out, 1);  // an icon
  put16(out, 1);  // one image
  out.push_back(kSize);
  out.push_back(kSize);
  out.push_back(kPaletteEntries);
  out.push_back(0);
  put16(out, 1);  // planes
  put16(out, kBitsPerPixel);
  put32(out, kImageBytes);
  put32(out, kDirectoryBytes);

  put32(out, kHeaderBytes);
  put32(out, kSize);
  put32(out, kSize * 2);  // colour and mask, stacked
  put16(out, 1);
  put16(out, kBitsPerPixel);
  put32(out, 0);  // BI_RGB
  put32(out, kColourBytes + kMaskBytes);
  put32(out, 0);
  put32(out, 0);
  put32(out, kPaletteEntries);
  put32(out, 0);

  for (int i = 0; i < kPaletteEntries; ++i) {
    const Rgb rgb = i < static_cast<int>(kInks.size()) ? kInks[i] : Rgb{0, 0, 0};
    out.push_back(rgb.b);
    out.push_back(rgb.g);
    out.push_back(rgb.r);
    out.push_back(0);
  }
  for (int y = kSize - 1; y >= 0; --y) {  // bottom-up rows
    for (int x = 0; x < kSize; x += 2) {  // two pixels a byte, the left one high
      const auto ink = [&](int at) { return canvas[y][at] == Clear ? 0 : canvas[y][at]; };
      out.push_back(static_cast<std::uint8_t>(ink(x) << 4 | ink(x + 1)));
    }
  }
  for (int y = kSize - 1; y >= 0; --y) {
    for (int byte = 0; byte < kSize / 8; ++byte) {
      std::uint8_t bits = 0;
      for (int bit = 0; bit < 8; ++bit) {
        if (canvas[y][byte * 8 + bit] == Clear) bits |= static_cast<std::uint8_t>(0x80 >> bit);
      }
      out.push_back(bits);
    }
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.ico\n", argv[0]);
    return 2;
  }
  const std::vector<std::uint8_t> bytes = encode_ico(draw_icon());
  std::FILE* file = std::fopen(argv[1], "wb");
  if (!file) {
    std::perror(argv[1]);
    return 1;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  if (std::fclose(file) != 0 || !written) {
    std::fprintf(stderr, "%s: could not write the icon\n", argv[1]);
    return 1;
  }
  return 0;
}
