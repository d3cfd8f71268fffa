// Resource ids of the line-style module: its two dialogs, their controls and
// its strings. The module's range is 25000 to 25299.
#pragma once

#define IDD_KYZOD_LINESTYLE 25000  // the line style picker
#define IDD_KYZOD_SYMBOL 25001     // the symbol picker

// Line style picker.
#define IDC_KYZOD_STYLES 25010      // owner-drawn list of swatches
#define IDC_KYZOD_WIDTH 25011       // width edit
#define IDC_KYZOD_WIDTH_SPIN 25012  // its up-down control
#define IDC_KYZOD_COLOR 25013       // colour button (controls module)
#define IDC_KYZOD_NAME 25014        // name of the selected style
#define IDC_KYZOD_PREVIEW 25015     // the style drawn at the chosen width

// Symbol picker.
#define IDC_KYZOD_SYMBOLS 25020     // owner-drawn multi-column list of symbols
#define IDC_KYZOD_SYMNAME 25021     // name of the selected symbol

// Strings: the six pen styles' names, then the library's own styles.
#define IDS_KYZOD_PEN_SOLID 25100
#define IDS_KYZOD_PEN_DASH 25101
#define IDS_KYZOD_PEN_DOT 25102
#define IDS_KYZOD_PEN_DASHDOT 25103
#define IDS_KYZOD_PEN_DASHDOTDOT 25104
#define IDS_KYZOD_PEN_NULL 25105
#define IDS_KYZOD_STYLE_FIRST 25110  // + (id - 6) for the built-in library's styles
#define IDS_KYZOD_OWN_SYMBOLS 25130  // "Own symbols" / resource symbols headings
#define IDS_KYZOD_RES_SYMBOLS 25131
