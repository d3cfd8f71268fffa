// The English string table (language 1033).
#include <iterator>

#include "resimage.h"
#include "resource.h"

namespace {

const AFX_RESOURCE_STRING kEnglish[] = {
    {IDS_EDIT, 1033, "Edit"},
    {IDS_SAVE, 1033, "Save"},
    {IDS_SAVE_AS, 1033, "Save as"},
    {IDS_FILTER_BRU, 1033, "FillStyleLib File(*.bru)|*.bru||"},
    {IDS_GO_UP, 1033, "Go up?"},
    {IDS_OVERWRITE_SAME_ID, 1033, "Overwrited the same ID?"},
    {IDS_SAVE_FILE, 1033, "Save File?"},
    {IDS_FILTER_BMP, 1033, "Image file(*.bmp)|*.bmp||"},
    {IDS_ROOT_GROUP, 1033, "Root Group"},
    {IDS_NEW_FILLSTYLE, 1033, "New FillStyle"},
    {IDS_NEW_GROUP, 1033, "New Group"},
    {IDS_SETTING, 1033, "Setting..."},
    {IDS_CLIPBOARD_LARGER, 1033, "The image in the clipboard is larger than the bitmap ,would you like the bitmap enlarged?"},
    {IDS_PREVIOUS, 1033, "Previous"},
    {IDS_COL_NAME, 1033, "Name"},
    {IDS_COL_GROUP_NAME, 1033, "Group name"},
    {IDS_COL_RESOLUTION, 1033, "Resolution"},
    {IDS_COL_SIZE, 1033, "Size"},
    {IDS_COL_ITEM_COUNT, 1033, "Item Count"},
    {IDS_COL_SUBGROUP_COUNT, 1033, "Sub Group Count"},
    {IDS_COL_CODE, 1033, "Code"},
    {IDS_GRADIENT_LINEAR, 1033, "Linear"},
    {IDS_GRADIENT_RADIAL, 1033, "Radial"},
    {IDS_GRADIENT_CONICAL, 1033, "Conical"},
    {IDS_GRADIENT_SQUARE, 1033, "Square"},
    {ID_EDITTOOL_SELECT, 1033, "Select"},
    {ID_EDITTOOL_ERASE, 1033, "Erase"},
    {ID_EDITTOOL_PEN, 1033, "Pen"},
    {ID_EDITTOOL_LINE, 1033, "Line"},
    {ID_EDITTOOL_QUARTER_ELLIPSE, 1033, "Quarter ellipse"},
    {ID_EDITTOOL_RECTANGLE, 1033, "Rectangle"},
    {ID_EDITTOOL_ELLIPSE, 1033, "Ellipse"},
    {ID_EDITTOOL_RECTANGLEFILL, 1033, "Filled rectangle"},
    {ID_EDITTOOL_ELLIPSEFILL, 1033, "Filled Ellipse"},
    {ID_BRUSH_INVERT, 1033, "Invert"},
    {ID_BRUSH_IMAGE, 1033, "Import the image file"},
    {ID_FSL_EDITTOOL_SYMBOL, 1033, "New symbol fillStyle"},
    {ID_BRUSHLIB_NEW, 1033, "New Lib"},
    {ID_BRUSHLIB_OPEN, 1033, "Open Lib"},
    {ID_BRUSHLIB_SAVE, 1033, "Save "},
    {ID_BRUSHLIB_SAVEAS, 1033, "Save as"},
    {ID_LOAD_SYSLIB, 1033, "Load the system default Lib"},
    {ID_BRUSHLIB_SUBGROUP, 1033, "New subgroup"},
    {ID_BRUSH_NEW, 1033, "New fillStyle"},
    {ID_BRUSH_DELETE, 1033, "Delete"},
    {ID_BRUSH_CUT, 1033, "Cut"},
    {ID_BRUSH_COPY, 1033, "Copy"},
    {ID_BRUSH_PASTE, 1033, "Paste"},
    {ID_BRUSH_ARRANGEPASTE, 1033, "Arrange paste"},
    {ID_BRUSH_CLEAR, 1033, "Clear"},
    {ID_BRUSH_UNDO, 1033, "Undo"},
    {ID_FSL_EXPORT_BMP, 1033, "Export BMP File"},
    {ID_FSL_DIALOG_SETTING, 1033, "Option"},
    {IDS_LIB_UNREADABLE, 1033, "The file could not be read as a fill style library; the library is unchanged."},
    {IDS_LIB_NOT_STORED, 1033, "The library could not be saved to the file."},
    {IDS_STYLE_NOT_EDITABLE, 1033, "This fill style cannot be loaded into the editor."},
    {IDS_IMPORT_FAILED, 1033, "These files could not be read as BMP images and were not imported:"},
    {IDS_EXPORT_FAILED, 1033, "The BMP file could not be written."},
    {IDS_BAD_CODE, 1033, "The code must be a whole number of 8 or more."},
};

}  // namespace

AFX_RESOURCE_SECTION(RegisterEnglishStrings) {
  AfxRegisterStrings(hModule, kEnglish, std::size(kEnglish));
}
