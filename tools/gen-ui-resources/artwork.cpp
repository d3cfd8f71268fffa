// Toolbars, bitmaps and the icon: the pictures of art_*.cpp encoded as the
// platform's resources.
#include <initializer_list>
#include <stdexcept>
#include <string>

#include "art.h"
#include "resource.h"
#include "resource_set.h"

namespace uires {

namespace {

enum : int { kTypeBitmap = 2, kTypeIcon = 3, kTypeGroupIcon = 14, kTypeToolbar = 241 };
enum : int { kBlack = 0, kSilver = 7, kMagenta = 13, kWhite = 15 };

// The palette's buttons in order: the nine drawing tools (a check group),
// then Invert, Import and New symbol fillStyle.
const int kToolButtons[] = {
    ID_EDITTOOL_SELECT, ID_EDITTOOL_ERASE, ID_EDITTOOL_PEN, ID_EDITTOOL_LINE, ID_EDITTOOL_QUARTER_ELLIPSE,
    ID_EDITTOOL_RECTANGLE, ID_EDITTOOL_ELLIPSE, ID_EDITTOOL_RECTANGLEFILL, ID_EDITTOOL_ELLIPSEFILL,
    ID_BRUSH_INVERT, ID_BRUSH_IMAGE, ID_FSL_EDITTOOL_SYMBOL,
};
// The command bar: library, group and style, clipboard, pattern, files; 0 is
// a separator.
const int kCommandButtons[] = {
    ID_BRUSHLIB_NEW, ID_BRUSHLIB_OPEN, ID_BRUSHLIB_SAVE, ID_BRUSHLIB_SAVEAS, ID_LOAD_SYSLIB, 0,
    ID_BRUSHLIB_SUBGROUP, ID_BRUSH_NEW, ID_BRUSH_DELETE, 0,
    ID_BRUSH_CUT, ID_BRUSH_COPY, ID_BRUSH_PASTE, ID_BRUSH_ARRANGEPASTE, 0,
    ID_BRUSH_CLEAR, ID_BRUSH_UNDO, 0,
    ID_FSL_EXPORT_BMP, ID_FSL_DIALOG_SETTING,
};

void Put16(Bytes& b, int v) {
  b.push_back(static_cast<uint8_t>(v & 0xFF));
  b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}
void Put32(Bytes& b, long v) {
  Put16(b, static_cast<int>(v & 0xFFFF));
  Put16(b, static_cast<int>((v >> 16) & 0xFFFF));
}

// RT_TOOLBAR: version 1, button width and height, count, then the ids.
Bytes ToolbarResource(const int* ids, size_t count) {
  Bytes b;
  Put16(b, 1);
  Put16(b, 16);
  Put16(b, 16);
  Put16(b, static_cast<int>(count));
  for (size_t i = 0; i < count; ++i) Put16(b, ids[i]);
  return b;
}

// A picture must not use its background colours itself: the toolbar maps
// grey to the button face, the image lists make magenta or black transparent.
void CheckColoursUnused(const PixelArt& art, std::initializer_list<int> colours, const char* what) {
  for (int y = 0; y < art.Height(); ++y)
    for (int x = 0; x < art.Width(); ++x)
      for (int c : colours)
        if (art.Get(x, y) == c)
          throw std::runtime_error(std::string(what) + " uses a background colour at (" + std::to_string(x) + ", " +
                                   std::to_string(y) + ")");
}

void AddBothLanguages(std::vector<Resource>& out, int type, int id, const Bytes& bytes, const std::string& what) {
  out.push_back({type, id, 1033, bytes, what});
  out.push_back({type, id, 2052, bytes, what});
}

}  // namespace

void AddArtwork(std::vector<Resource>& out) {
  const PixelArt tools = Strip(ToolImages());
  const PixelArt commands = Strip(CommandImages());
  size_t commandCount = 0;
  for (int id : kCommandButtons) commandCount += id != 0;
  if (tools.Width() != 16 * static_cast<int>(std::size(kToolButtons)) ||
      commands.Width() != 16 * static_cast<int>(commandCount))
    throw std::runtime_error("a toolbar has not one image per button");
  CheckColoursUnused(tools, {kSilver, kMagenta}, "the tool palette");
  CheckColoursUnused(commands, {kSilver, kMagenta}, "the command bar");
  CheckColoursUnused(TreeImages(), {kBlack}, "the group tree");

  // The toolbars' own bitmaps keep the button face grey of the classic
  // toolbar bitmaps; the image lists' copies are on magenta.
  AddBothLanguages(out, kTypeToolbar, IDR_FSL_EDITTOOL, ToolbarResource(kToolButtons, std::size(kToolButtons)),
                   "the tool palette, 12 buttons");
  AddBothLanguages(out, kTypeBitmap, IDR_FSL_EDITTOOL, EncodeDib4(tools, kSilver), "tool images on grey");
  AddBothLanguages(out, kTypeToolbar, IDR_FSL_BRUSHLIB,
                   ToolbarResource(kCommandButtons, std::size(kCommandButtons)), "the command bar");
  AddBothLanguages(out, kTypeBitmap, IDR_FSL_BRUSHLIB, EncodeDib4(commands, kSilver), "command images on grey");
  out.push_back({kTypeBitmap, IDB_FSL_BRUSHLIB16, 0, EncodeDib4(commands, kMagenta), "command images on magenta"});
  out.push_back({kTypeBitmap, IDB_FSL_EDITTOOL16, 0, EncodeDib4(tools, kMagenta), "tool images on magenta"});

  out.push_back({kTypeBitmap, IDB_FSL_NEW_STYLE, 0, EncodeDib4(NewStyleCell(), kWhite), "a brush with the word NEW"});
  out.push_back({kTypeBitmap, IDB_FSL_FOLDER, 0, EncodeDib4(FolderCell(), kWhite), "a folder"});
  out.push_back({kTypeBitmap, IDB_FSL_FOLDER_UP, 0, EncodeDib4(FolderUpCell(), kWhite), "a folder with an arrow up"});
  out.push_back({kTypeBitmap, IDB_FSL_GROUP_TREE, 0, EncodeDib4(TreeImages(), kBlack), "closed and open folder"});

  // The icon group: a 32 x 32 and a 16 x 16 image, icon images 1 and 2.
  const int sizes[] = {32, 16};
  Bytes group;
  Put16(group, 0);  // reserved
  Put16(group, 1);  // icons
  Put16(group, 2);
  for (int i = 0; i < 2; ++i) {
    Bytes image = EncodeIconImage(PickIcon(sizes[i]));
    group.push_back(static_cast<uint8_t>(sizes[i]));
    group.push_back(static_cast<uint8_t>(sizes[i]));
    group.push_back(16);  // colours
    group.push_back(0);
    Put16(group, 1);  // planes
    Put16(group, 4);  // bits per pixel
    Put32(group, static_cast<long>(image.size()));
    Put16(group, i + 1);
    out.push_back({kTypeIcon, i + 1, 0, image, "the picker's icon, " + std::to_string(sizes[i]) + " x " +
                                                   std::to_string(sizes[i])});
  }
  out.push_back({kTypeGroupIcon, IDI_FSL_PICK, 0, group, "the picker's icon: a folder with an arrow up"});
}

std::vector<NamedArt> ArtworkForReview() {
  return {
      {"4906-tools", Strip(ToolImages()), kSilver},
      {"4907-commands", Strip(CommandImages()), kSilver},
      {"4908-new", NewStyleCell(), kWhite},
      {"4909-folder", FolderCell(), kWhite},
      {"4910-folder-up", FolderUpCell(), kWhite},
      {"4911-tree", TreeImages(), kBlack},
      {"4912-icon32", PickIcon(32), kSilver},
      {"4912-icon16", PickIcon(16), kSilver},
      {"4916-commands", Strip(CommandImages()), kMagenta},
      {"4917-tools", Strip(ToolImages()), kMagenta},
  };
}

}  // namespace uires
