// Ids of the module's resources. Dialogs, toolbars and bitmaps come in
// English (1033) and Chinese (2052) where a text is shown on them; the
// string table holds both languages of every text.
#pragma once

// Dialogs.
#define IDD_FSL_EDIT 4901           // "FillStyle Editor"
#define IDD_FSL_ARRANGE_PASTE 4902  // "Arrange Paste"
#define IDD_FSL_OPTION_STYLE 4903   // options page "Style"
#define IDD_FSL_OPTION_OPEN 4904    // options page "Open"
#define IDD_FSL_PICK 4905           // "FillStye Picker"
#define IDD_FSL_SYMBOL 4914         // "Symbol FillStyle"
#define IDD_FSL_EXPORT_BMP 4915     // "Export BMP File"

// Toolbars, each with the bitmap of the same id.
#define IDR_FSL_EDITTOOL 4906  // the canvas tools, 12 buttons
#define IDR_FSL_BRUSHLIB 4907  // the editor's command buttons

// Bitmaps.
#define IDB_FSL_NEW_STYLE 4908   // grid cell of a new style: a brush with the word NEW
#define IDB_FSL_FOLDER 4909      // grid cell of a sub-group, 48 x 48
#define IDB_FSL_FOLDER_UP 4910   // grid cell of the parent group: a folder with an arrow up
#define IDB_FSL_GROUP_TREE 4911  // 16 x 16 images of the picker's group tree
#define IDB_FSL_BRUSHLIB16 4916  // 16 x 16 images of the command bar
#define IDB_FSL_EDITTOOL16 4917  // 16 x 16 images of the tool palette

// Icon group of the picker dialog.
#define IDI_FSL_PICK 4912

// The built-in default fill style library (custom type, one language).
#define IDR_KYFSLBMP 4913
#define RT_KYFSLBMP "KYFSLBMP"

// Strings.
#define IDS_EDIT 23001
#define IDS_SAVE 23002
#define IDS_SAVE_AS 23003
#define IDS_FILTER_BRU 23004
#define IDS_GO_UP 23005
#define IDS_OVERWRITE_SAME_ID 23006
#define IDS_SAVE_FILE 23007
#define IDS_FILTER_BMP 23008
#define IDS_ROOT_GROUP 23009
#define IDS_NEW_FILLSTYLE 23010
#define IDS_NEW_GROUP 23011
#define IDS_SETTING 23012
#define IDS_CLIPBOARD_LARGER 23013
#define IDS_PREVIOUS 23014
#define IDS_COL_NAME 23015
#define IDS_COL_GROUP_NAME 23016
#define IDS_COL_RESOLUTION 23017
#define IDS_COL_SIZE 23018
#define IDS_COL_ITEM_COUNT 23019
#define IDS_COL_SUBGROUP_COUNT 23020
#define IDS_COL_CODE 23021
#define IDS_GRADIENT_LINEAR 23022
#define IDS_GRADIENT_RADIAL 23023
#define IDS_GRADIENT_CONICAL 23024
#define IDS_GRADIENT_SQUARE 23025

// Editor commands; each id is also the string id of its tooltip.
#define ID_EDITTOOL_SELECT 23301
#define ID_EDITTOOL_ERASE 23302
#define ID_EDITTOOL_PEN 23303
#define ID_EDITTOOL_LINE 23304
#define ID_EDITTOOL_QUARTER_ELLIPSE 23305
#define ID_EDITTOOL_RECTANGLE 23306
#define ID_EDITTOOL_ELLIPSE 23307
#define ID_EDITTOOL_RECTANGLEFILL 23308
#define ID_EDITTOOL_ELLIPSEFILL 23309
#define ID_BRUSH_INVERT 23310
#define ID_BRUSH_IMAGE 23311
#define ID_FSL_EDITTOOL_SYMBOL 23312
#define ID_BRUSHLIB_NEW 23313
#define ID_BRUSHLIB_OPEN 23314
#define ID_BRUSHLIB_SAVE 23315
#define ID_BRUSHLIB_SAVEAS 23316
#define ID_LOAD_SYSLIB 23317
#define ID_BRUSHLIB_SUBGROUP 23318
#define ID_BRUSH_NEW 23319
#define ID_BRUSH_DELETE 23320
#define ID_BRUSH_CUT 23321
#define ID_BRUSH_COPY 23322
#define ID_BRUSH_PASTE 23323
#define ID_BRUSH_ARRANGEPASTE 23324
#define ID_BRUSH_CLEAR 23325
#define ID_BRUSH_UNDO 23326
#define ID_FSL_EXPORT_BMP 23327
#define ID_FSL_DIALOG_SETTING 23328

// The ranges of the string table.
#define IDS_FIRST 23001
#define IDS_LAST 23025
#define ID_EDITOR_FIRST 23301
#define ID_EDITOR_LAST 23328
