// The 16 x 16 images of the editor's command bar, one per button in the
// bar's order (separators have no image).
#include "art.h"

namespace uires {

namespace {

enum : int { k = 0, R = 9, W = 15 };

PixelArt NewLib() {
  return PixelArt::FromRows("new lib", {
      "................",
      "...kkkkkkk......",
      "...kWWWWWkk.....",
      "...kWWWWWkWk....",
      "...kWWWWWkkkk...",
      "...kWWWWWWWWk...",
      "...kWWWWWWWWk...",
      "...kWWWWWWWWk...",
      "...kWWWWWWWWk...",
      "...kWWWWWWWWk...",
      "...kWWWWWWWWk...",
      "...kWWWWWWWWk...",
      "...kWWWWWWWWk...",
      "...kkkkkkkkkk...",
      "................",
      "................",
  });
}

PixelArt OpenLib() {
  return PixelArt::FromRows("open lib", {
      "................",
      "................",
      "..kkkk..........",
      ".kYYYYk.........",
      ".kYYYYYkkkkkk...",
      ".kYWWWWWWWWWk...",
      ".kYkkkkkkkkkkkkk",
      ".kYkYYYYYYYYYYYk",
      ".kYkYYYYYYYYYYk.",
      ".kkYYYYYYYYYYYk.",
      ".kkYYYYYYYYYYk..",
      ".kYYYYYYYYYYYk..",
      ".kkkkkkkkkkkkk..",
      "................",
      "................",
      "................",
  });
}

PixelArt SaveLib() {
  return PixelArt::FromRows("save", {
      "................",
      ".kkkkkkkkkkkkkk.",
      ".kbkWWWWWWWWkbk.",
      ".kbkWWWWWWWWkbk.",
      ".kbkWWWWWWWWkbk.",
      ".kbkWWWWWWWWkbk.",
      ".kbbkkkkkkkkbbk.",
      ".kbbbbbbbbbbbbk.",
      ".kbbkkkkkkkkbbk.",
      ".kbbkWWkkkkkbbk.",
      ".kbbkWWkkkkkbbk.",
      ".kbbkWWkkkkkbbk.",
      ".kbbkWWkkkkkbbk.",
      "..kkkkkkkkkkkkk.",
      "................",
      "................",
  });
}

PixelArt SaveLibAs() {
  return PixelArt::FromRows("save as", {
      "................",
      ".kkkkkkkkkkkk...",
      ".kbkWWWWWWkbk...",
      ".kbkWWWWWWkbk...",
      ".kbkWWWWWWkbk...",
      ".kbbkkkkkkbbk...",
      ".kbbbbbbbbbbk...",
      ".kbbkkkkkkbbk...",
      ".kbbkWWkkkbbk.k.",
      ".kbbkWWkkkbbkkYk",
      ".kbbkWWkkkbbkYk.",
      "..kkkkkkkkkkYk..",
      "...........kYk..",
      "..........kdk...",
      "..........kk....",
      "................",
  });
}

PixelArt LoadSysLib() {
  // Three books standing side by side: the library that comes with the system.
  return PixelArt::FromRows("load default lib", {
      "................",
      "................",
      "..kkk.kkk.......",
      "..kRk.kBk.kkk...",
      "..kRk.kBk.kGk...",
      "..kWk.kWk.kGk...",
      "..kRk.kBk.kWk...",
      "..kRk.kBk.kGk...",
      "..kRk.kBk.kGk...",
      "..kRk.kBk.kGk...",
      "..kRk.kBk.kGk...",
      "..kWk.kWk.kWk...",
      "..kRk.kBk.kGk...",
      "..kkk.kkk.kkk...",
      ".kkkkkkkkkkkkkk.",
      "................",
  });
}

PixelArt NewSubgroup() {
  return PixelArt::FromRows("new subgroup", {
      "................",
      "................",
      "..kkkk..........",
      ".kYYYYk.........",
      ".kYYYYYkkkkkkk..",
      ".kWWWWWWWWWWWk..",
      ".kYYYYYYYYYYYk..",
      ".kYYYYYYYYYYYk..",
      ".kYYYYYYYYYGGG..",
      ".kYYYYYYYYYGgG..",
      ".kYYYYYYYGGGgGGG",
      ".kYYYYYYYGgggggG",
      ".kkkkkkkkGGGgGGG",
      "...........GgG..",
      "...........GGG..",
      "................",
  });
}

PixelArt NewFillStyle() {
  return PixelArt::FromRows("new fillstyle", {
      "................",
      ".kkkkkkkkkk.....",
      ".kBWBWBWBWk.....",
      ".kWBWBWBWBk.....",
      ".kBWBWBWBWk.....",
      ".kWBWBWBWBk.....",
      ".kBWBWBWBWk.....",
      ".kWBWBWBWBk.....",
      ".kBWBWBWBWkGGG..",
      ".kWBWBWBWBkGgG..",
      ".kBWBWBWBGGGgGGG",
      ".kWBWBWBWGgggggG",
      ".kkkkkkkkGGGgGGG",
      "...........GgG..",
      "...........GGG..",
      "................",
  });
}

PixelArt DeleteStyle() {
  PixelArt a(16, 16);
  for (int i = 0; i < 2; ++i) {
    a.Line(3 + i, 3, 12 + i - 1, 12, R);
    a.Line(12 - i, 3, 3 - i + 1, 12, R);
  }
  a.Line(3, 3, 12, 12, R);
  a.Line(12, 3, 3, 12, R);
  return a;
}

PixelArt Cut() {
  return PixelArt::FromRows("cut", {
      "................",
      "...k.......k....",
      "...k.......k....",
      "...kk.....kk....",
      "....k.....k.....",
      "....kk...kk.....",
      ".....k...k......",
      ".....kk.kk......",
      "......kkk.......",
      "......bkb.......",
      "....bbb.bbb.....",
      "...b..b.b..b....",
      "..b...b.b...b...",
      "..b...b.b...b...",
      "...bbb...bbb....",
      "................",
  });
}

PixelArt Copy() {
  return PixelArt::FromRows("copy", {
      "................",
      ".kkkkkkk........",
      ".kWWWWWk........",
      ".kWkkkWk........",
      ".kWWWWWk........",
      ".kWkkkkkkkkk....",
      ".kWWWkWWWWWkk...",
      ".kWkkkWkkkWkWk..",
      ".kWWWkWWWWWkkkk.",
      ".kkkkkWkkkkkkWk.",
      ".....kWWWWWWWWk.",
      ".....kWkkkkkkWk.",
      ".....kWWWWWWWWk.",
      ".....kkkkkkkkkk.",
      "................",
      "................",
  });
}

PixelArt Paste() {
  return PixelArt::FromRows("paste", {
      "................",
      ".....kkkkk......",
      "..kkkkdddkkkk...",
      ".kyyykkkkkyyyk..",
      ".kyyyyyyyyyyyk..",
      ".kyyykkkkkkkkkk.",
      ".kyyykWWWWWWWWk.",
      ".kyyykWkkkkkkWk.",
      ".kyyykWWWWWWWWk.",
      ".kyyykWkkkkkkWk.",
      ".kyyykWWWWWWWWk.",
      ".kyyykWkkkkWWWk.",
      ".kyyykWWWWWWWWk.",
      ".kkkkkkkkkkkkkk.",
      "................",
      "................",
  });
}

PixelArt ArrangePaste() {
  // Three by three copies of a small block: the clipboard laid out in rows.
  PixelArt a(16, 16);
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col) {
      const int x = 1 + col * 5, y = 1 + row * 5;
      a.FillRect(x, y, x + 3, y + 3, 12);
      a.FrameRect(x, y, x + 3, y + 3, k);
    }
  return a;
}

PixelArt Clear() {
  return PixelArt::FromRows("clear", {
      "................",
      ".kkkkkkkkkkkk...",
      ".kWWWWWWWWWWk...",
      ".kWWWWWWWWWWk...",
      ".kWWWWWWWWWWk...",
      ".kWWWWWWWWWWk...",
      ".kWWWWWWWWWWk...",
      ".kWWWWWWWWWkkkk.",
      ".kWWWWWWWWkWWWWk",
      ".kWWWWWWWkWWWWk.",
      ".kWWWWWWkRkWWk..",
      ".kWWWWWkRRRkk...",
      ".kkkkkkRRRk.....",
      "......kRRk......",
      ".......kk.......",
      "................",
  });
}

PixelArt Undo() {
  return PixelArt::FromRows("undo", {
      "................",
      "................",
      "....B...........",
      "...BB...........",
      "..BBBBBBBBB.....",
      ".BBBBBBBBBBBB...",
      "..BBBBBBBBBBBB..",
      "...BB......BBB..",
      "....B.......BBB.",
      "............BBB.",
      "............BBB.",
      "...........BBB..",
      "..........BBB...",
      "........BBBB....",
      "................",
      "................",
  });
}

PixelArt ExportBmp() {
  return PixelArt::FromRows("export bmp", {
      "................",
      "kkkkkkkkkk......",
      "kWWWWWWWWk......",
      "kWCCCCCCWk......",
      "kWCCYYCCWk......",
      "kWCCYYCCWk......",
      "kWGGCCGGWk......",
      "kWGGGGGGWk..G...",
      "kWWWWWWWWk..GG..",
      "kkkkkkkkkGGGGGG.",
      ".........GGGGGGG",
      ".........GGGGGG.",
      "............GG..",
      "............G...",
      "................",
      "................",
  });
}

PixelArt Option() {
  // A small form: two ticked boxes and a line of text each.
  return PixelArt::FromRows("option", {
      "................",
      ".kkkkkkkkkkkkkk.",
      ".kWWWWWWWWWWWWk.",
      ".kWkkkkWWWWWWWk.",
      ".kWkWWkWkkkkkWk.",
      ".kWkWkkWWWWWWWk.",
      ".kWkkkkWWWWWWWk.",
      ".kWWWWWWWWWWWWk.",
      ".kWkkkkWWWWWWWk.",
      ".kWkWWkWkkkkkWk.",
      ".kWkWkkWWWWWWWk.",
      ".kWkkkkWWWWWWWk.",
      ".kWWWWWWWWWWWWk.",
      ".kkkkkkkkkkkkkk.",
      "................",
      "................",
  });
}

}  // namespace

std::vector<PixelArt> CommandImages() {
  return {NewLib(),       OpenLib(), SaveLib(), SaveLibAs(),    LoadSysLib(), NewSubgroup(), NewFillStyle(),
          DeleteStyle(),  Cut(),     Copy(),    Paste(),        ArrangePaste(), Clear(),     Undo(),
          ExportBmp(),    Option()};
}

}  // namespace uires
