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

// Controls of the picker dialog 4905. -1 (IDC_STATIC) marks the labels and
// group boxes; OK and Cancel are IDOK and IDCANCEL.
#define IDC_PICK_GROUP_COMBO 23434     // group combo with the drop-down tree
#define IDC_PICK_BACK_COLOR 23435      // background colour button
#define IDC_PICK_TRANSPARENT 23436     // "BkTransparent"
#define IDC_PICK_FRONT_COLOR 23437     // foreground colour button
#define IDC_PICK_PREVIOUS 23438        // previous group (icon button)
#define IDC_PICK_INFO 23439            // read-only info line
#define IDC_PICK_HIDDEN_DEFAULT 23409  // hidden, disabled default push button
#define IDC_PICK_PREVIEW 23440         // preview area
#define IDC_PICK_STYLE_LIST 23441      // style list
#define IDC_PICK_BACK_LABEL 23442      // "BkColor"
#define IDC_PICK_LINESTYLE 23443       // "LineStyle"
#define IDC_PICK_GRADIENT 23444        // "Gradient"
#define IDC_PICK_ANGLE 23464           // gradient angle edit
#define IDC_PICK_ANGLE_SPIN 23465      // its up-down
#define IDC_PICK_RATE 23466            // opacity rate edit ("Rate:")
#define IDC_PICK_GRADIENT_TYPE 23467   // "Type" combo
#define IDC_PICK_HOFFSET 23468         // "HOffset" edit
#define IDC_PICK_HOFFSET_SPIN 23469    // its up-down
#define IDC_PICK_VOFFSET 23470         // "VOffset" edit
#define IDC_PICK_VOFFSET_SPIN 23471    // its up-down
#define IDC_PICK_EDITOR 23472          // "FillStyle Editor"
#define IDC_PICK_FIND_CODE 23473       // "Code" find box
#define IDC_PICK_FIND_NAME 23474       // "Name" find box

// Controls of the editor dialog 4901.
#define IDC_EDITOR_EDIT 23401           // ">>" (Edit)
#define IDC_EDITOR_CODE_COMBO 23402     // "Code" combo of the grid's cells
#define IDC_EDITOR_CODE 23403           // code of the edited style
#define IDC_EDITOR_CODE_SPIN 23404      // its up-down
#define IDC_EDITOR_HIDDEN_DEFAULT 23410 // hidden, disabled default push button
#define IDC_EDITOR_GRID 23411           // browser grid, class "BRUSHLISTBOX", made at start-up
#define IDC_EDITOR_CANVAS 23412         // pattern canvas, class "BRUSHWND", made at start-up
#define IDC_EDITOR_STATUS 23413         // canvas status line
#define IDC_EDITOR_SAVE 23414           // "<<" (Save)
#define IDC_EDITOR_SAVE_AS 23415        // "<--" (Save as)
#define IDC_EDITOR_WIDTH 23417          // width of the edited pattern
#define IDC_EDITOR_NAME 23418           // "Name" of the edited style
#define IDC_EDITOR_HEIGHT 23419         // height of the edited pattern
#define IDC_EDITOR_SEL_WIDTH 23420      // width of the style selected in the grid
#define IDC_EDITOR_SEL_HEIGHT 23421     // height of the style selected in the grid
#define IDC_EDITOR_NAME_COMBO 23422     // "Name" combo of the grid's cells
#define IDC_EDITOR_GROUP 23423          // "Group" name of the current group
#define IDC_EDITOR_WIDTH_SPIN 23428     // up-down of the width
#define IDC_EDITOR_HEIGHT_SPIN 23429    // up-down of the height

// Controls of the arrange-paste dialog 4902.
#define IDC_ARRANGE_X 23424        // "XCoordinate"
#define IDC_ARRANGE_Y 23425        // "YCoordinate"
#define IDC_ARRANGE_Y_SPACE 23426  // "YSpace"
#define IDC_ARRANGE_X_SPACE 23427  // "XSpace"

// Controls of the options pages 4903 ("Style") and 4904 ("Open").
#define IDC_OPTION_APPEND 23430      // "Append the current Lib"
#define IDC_OPTION_ZOOM 23431        // "Zoom In" list
#define IDC_OPTION_RESOLUTION 23432  // "Resolution" list
#define IDC_OPTION_OVERWRITE 23433   // "Overwrited the same ID?"

// Controls of the symbol pattern dialog 4914. The point list shares its
// number with the picker's gradient box; the two never meet in one dialog.
#define IDC_SYMBOL_POINTS 23444       // point list, columns "X" and "Y"
#define IDC_SYMBOL_SELECT 23445       // "Select Symbol" (owner-drawn)
#define IDC_SYMBOL_WIDTH 23446        // "Width" of the tile
#define IDC_SYMBOL_WIDTH_SPIN 23447   // its up-down
#define IDC_SYMBOL_HEIGHT 23448       // "Height" of the tile
#define IDC_SYMBOL_HEIGHT_SPIN 23449  // its up-down
#define IDC_SYMBOL_SIZE 23450         // "Symbol Size:"
#define IDC_SYMBOL_SIZE_SPIN 23451    // its up-down
#define IDC_SYMBOL_ANGLE 23452        // "Symbol Angle:"
#define IDC_SYMBOL_ANGLE_SPIN 23453   // its up-down
#define IDC_SYMBOL_POINT_X 23454      // X of the point being entered
#define IDC_SYMBOL_POINT_Y 23455      // Y of the point being entered
#define IDC_SYMBOL_ADD 23456          // "Add"
#define IDC_SYMBOL_DELETE 23457       // "Delete"
#define IDC_SYMBOL_MODIFY 23458       // "Modify"

// Controls of the export dialog 4915.
#define IDC_EXPORT_PATH 23459        // path of the file written
#define IDC_EXPORT_BROWSE 23460      // "..."
#define IDC_EXPORT_FRONT_COLOR 23461 // "Front Color:" picker
#define IDC_EXPORT_BACK_COLOR 23462  // "Back Color:" picker
