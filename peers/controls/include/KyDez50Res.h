// Resource ids of the controls module: its colour chooser's template, the
// chooser's controls and its strings. The module's range is 25300 to 25499.
#pragma once

#define IDD_KYDEZ_COLOR 25300  // the colour chooser

// Controls of the colour chooser.
#define IDC_KYDEZ_HUESAT 25310   // the hue (across) and saturation (down) field
#define IDC_KYDEZ_LUM 25311      // the lightness bar beside it
#define IDC_KYDEZ_SAMPLE 25312   // the chosen colour, painted
#define IDC_KYDEZ_RED 25313      // edits 0..255
#define IDC_KYDEZ_GREEN 25314
#define IDC_KYDEZ_BLUE 25315
#define IDC_KYDEZ_HUE 25316      // edits 0..359, 0..100, 0..100
#define IDC_KYDEZ_SAT 25317
#define IDC_KYDEZ_LIGHT 25318

// Strings.
#define IDS_KYDEZ_MORE 25400     // "More..." entry of the popup
#define IDS_KYDEZ_CAPTION 25401  // caption of the colour chooser
