// The folder pictures: the grid's cells (a folder, a folder with an arrow
// up, a brush with the word NEW, 48 x 48 on white), the group tree's 16 x 16
// closed and open folders (on black, the tree's mask colour, so the outlines
// are olive, never black), and the picker's icon, a folder with an arrow up.
#include "art.h"

namespace uires {

namespace {

enum : int { k = 0, r = 1, y = 3, b = 4, s = 7, d = 8, R = 9, Y = 11, B = 12, W = 15 };

// A closed folder in the box (x, y0) .. (x + w - 1, y0 + h - 1): a tab on
// the upper left, the body below it, a light edge along the top of the body
// and a shadow along its bottom.
void DrawFolder(PixelArt& a, int x, int y0, int w, int h) {
  const int tabW = w * 2 / 5, tabH = h / 7 > 2 ? h / 7 : 2;
  const int top = y0 + tabH;
  a.FillRect(x + 1, y0, x + tabW, top, Y);
  a.Line(x + 2, y0, x + tabW - 1, y0, y);
  a.Line(x + 1, y0 + 1, x + 1, top, y);
  a.Line(x + tabW, y0 + 1, x + tabW + 1, top, y);
  a.FillRect(x, top, x + w - 1, y0 + h - 1, Y);
  a.FrameRect(x, top, x + w - 1, y0 + h - 1, y);
  a.Line(x + 1, top + 1, x + w - 2, top + 1, W);
  a.Line(x + 1, y0 + h - 2, x + w - 2, y0 + h - 2, s);
}

// An arrow pointing up, its tip at (cx, top), `size` pixels tall, in red
// with a dark red edge.
void DrawUpArrow(PixelArt& a, int cx, int top, int size) {
  const int head = size / 2, shaft = size / 6 > 1 ? size / 6 : 1;
  for (int i = 0; i < head; ++i) a.Line(cx - i, top + i, cx + i, top + i, R);
  a.FillRect(cx - shaft, top + head, cx + shaft, top + size - 1, R);
  a.Line(cx, top, cx - head + 1, top + head - 1, r);
  a.Line(cx, top, cx + head - 1, top + head - 1, r);
  a.Line(cx - head + 1, top + head - 1, cx - shaft, top + head - 1, r);
  a.Line(cx + shaft, top + head - 1, cx + head - 1, top + head - 1, r);
  a.Line(cx - shaft, top + head, cx - shaft, top + size - 1, r);
  a.Line(cx + shaft, top + head, cx + shaft, top + size - 1, r);
  a.Line(cx - shaft, top + size - 1, cx + shaft, top + size - 1, r);
}

// Capital letters of five by seven pixels.
const std::vector<std::string> kLetterN = {"R...R", "RR..R", "R.R.R", "R.R.R", "R..RR", "R...R", "R...R"};
const std::vector<std::string> kLetterE = {"RRRRR", "R....", "R....", "RRRR.", "R....", "R....", "RRRRR"};
const std::vector<std::string> kLetterW = {"R...R", "R...R", "R...R", "R.R.R", "R.R.R", "RR.RR", "R...R"};

}  // namespace

PixelArt FolderCell() {
  PixelArt a(48, 48);
  DrawFolder(a, 3, 8, 42, 32);
  return a;
}

PixelArt FolderUpCell() {
  PixelArt a(48, 48);
  DrawFolder(a, 3, 8, 42, 32);
  DrawUpArrow(a, 24, 14, 22);
  return a;
}

// A broad brush lying on the diagonal, its tip down to the left, over the
// word NEW in red. Each part is a band of parallel strokes shifted sideways.
PixelArt NewStyleCell() {
  PixelArt a(48, 48);
  // The handle, maroon with dark edges, from the upper right corner.
  for (int i = 0; i <= 5; ++i) a.Line(40 + i, 2, 28 + i, 14, i == 0 || i == 5 ? k : r);
  // The ferrule, grey with a light stripe.
  for (int i = 0; i <= 7; ++i) a.Line(27 + i, 14, 22 + i, 19, i == 0 || i == 7 ? k : i == 2 ? W : d);
  // The bristles, a blue fan from the ferrule to the tip.
  for (int i = 0; i <= 16; ++i) a.Line(21 + i / 2, 20, 9 + i / 4, 28 + i / 4, B);
  a.Line(21, 20, 9, 28, b);
  a.Line(29, 20, 13, 32, b);
  a.Line(9, 28, 13, 32, b);
  // Strokes that run side by side leave pinholes between them; close them.
  for (int y = 20; y <= 32; ++y)
    for (int x = 9; x <= 29; ++x)
      if (a.Get(x, y) == kBackground && a.Get(x - 1, y) == B && a.Get(x + 1, y) == B) a.Set(x, y, B);
  // The word, twice as large as its letters.
  a.Blit(PixelArt::FromRows("N", kLetterN), 7, 33, 2);
  a.Blit(PixelArt::FromRows("E", kLetterE), 19, 33, 2);
  a.Blit(PixelArt::FromRows("W", kLetterW), 31, 33, 2);
  return a;
}

PixelArt TreeImages() {
  const PixelArt closed = PixelArt::FromRows("tree closed folder", {
      "................",
      "................",
      "..yyyy..........",
      ".yYYYYy.........",
      ".yYYYYYyyyyyyyy.",
      ".yWWWWWWWWWWWWy.",
      ".yYYYYYYYYYYYYy.",
      ".yYYYYYYYYYYYYy.",
      ".yYYYYYYYYYYYYy.",
      ".yYYYYYYYYYYYYy.",
      ".yYYYYYYYYYYYYy.",
      ".yYYYYYYYYYYYYy.",
      ".yssssssssssssy.",
      ".yyyyyyyyyyyyyy.",
      "................",
      "................",
  });
  const PixelArt open = PixelArt::FromRows("tree open folder", {
      "................",
      "................",
      "..yyyy..........",
      ".yYYYYy.........",
      ".yYYYYYyyyyyy...",
      ".yYWWWWWWWWWy...",
      ".yYyyyyyyyyyyyyy",
      ".yYyWWWWWWWWWWWy",
      ".yYyYYYYYYYYYYy.",
      ".yyYYYYYYYYYYYy.",
      ".yyYYYYYYYYYYy..",
      ".yYYYYYYYYYYYy..",
      ".yyyyyyyyyyyyy..",
      "................",
      "................",
      "................",
  });
  return Strip({closed, open});
}

PixelArt PickIcon(int size) {
  PixelArt a(size, size);
  if (size >= 32) {
    DrawFolder(a, 1, 5, 30, 24);
    DrawUpArrow(a, 16, 9, 17);
  } else {
    DrawFolder(a, 0, 2, 16, 13);
    DrawUpArrow(a, 8, 5, 9);
  }
  return a;
}

}  // namespace uires
