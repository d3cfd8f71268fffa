// KyMapStyles: how each feature of a map is filled. A FillSpec is a whole
// area style (a library or built-in fill, or a gradient, its colours,
// background, opacity and outline); StyleRules picks one by the value of a
// field. Rules come from a STYLES.json file or from an automatic
// classification of the field's distinct values.
//
// STYLES.json:
//   { "field": "continent",
//     "default": { "style": 0, "fore": "#DDDDDD" },
//     "classes": {
//       "Africa": { "style": 72, "fore": "#2E7D32", "back": "#FFFFFF",
//                   "transparent": false, "rate": 100, "label": "Africa",
//                   "outline": { "colour": "#404040", "width": 0.2, "linestyle": 7 } },
//       "Asia":   { "gradient": "radial", "fore": "#FFFFFF", "back": "#1565C0",
//                   "angle": 0, "offset": [0, 0] } } }
// "style" is a library id (8 and above) or a built-in fill (0 solid, 1 none,
// 2 to 7 hatches); "gradient" is linear, radial, conical or square; outline
// width is in millimetres, 0 for none; "linestyle" a line style id (6-11).
// Graduated classes of a numeric field come as "ranges": an array of styles
// with "min" and "max" ([{"min": 0, "max": 1000, "style": 9}, ...]); a value
// takes the first range that holds it (min <= value <= max), after the
// classes of single values. Keys of "classes" of a numeric field are
// numbers ("140" matches 140 and 140.0 alike).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "KyMapTypes.h"
#include "windef.h"

class CDC;
class CKyFillStyleLib;

namespace kymap {

struct Outline {
  bool visible = true;
  COLORREF colour = RGB(0x40, 0x40, 0x40);
  double widthMm = 0.1;  // drawn at least one pixel wide
  long lineStyle = -1;   // a line style of the line-style module, -1 a plain pen
};

struct FillSpec {
  long style = 0;     // library id, or 0..7 built in
  long gradient = 0;  // 0 none, 1 linear, 2 radial, 3 conical, 4 square
  long angle = 0;     // gradients: tenths of a degree
  long hOffset = 0, vOffset = 0;
  COLORREF fore = RGB(0, 0, 0);
  COLORREF back = RGB(0xFF, 0xFF, 0xFF);
  bool transparent = false;
  long rate = 100;
  Outline outline;
  std::string label;
};

// The style of features whose value has no class of its own: a light grey
// solid fill with the default outline.
FillSpec DefaultFillSpec();

struct ValueRange {
  int cls;  // the class it fills with
  double min, max;
};

struct StyleRules {
  std::string field;  // "" : every feature takes the default
  // In legend order; a range's key is its label.
  std::vector<std::pair<std::string, FillSpec>> classes;
  std::vector<ValueRange> ranges;  // classes that hold a range of numbers
  FillSpec fallback = DefaultFillSpec();

  // The index of the class for the value (number: its value when the field
  // is numeric), or -1 for the fallback.
  int ClassOf(const std::string& value, bool isNull, double number = 0) const;
  // Fast lookup; rebuilt by Index() after the classes change.
  void Index();
  // Rewrites the keys of single values as the layer writes the values of a
  // field of that kind (numbers by FormatNumber). Throws MapError for a key
  // that is not a number of a numeric field, two keys of one number, or
  // ranges on a field that is not numeric.
  void MatchFieldKind(FieldKind kind);
  // Whether a class is a range: its bounds.
  const ValueRange* RangeOf(int cls) const;

 private:
  std::map<std::string, int> m_index;
};

// Reads STYLES.json. Throws MapError naming where the mistake is: the line
// and column of a syntax error, or the key path ("classes.Africa.fore").
StyleRules ParseStyles(const std::string& text);

// Gives each value a style of the library, in the library's order, spread
// over its styles so that neighbouring classes differ, and a colour of a
// qualitative palette; the labels are the values.
StyleRules ClassifyBy(const std::string& field, const std::vector<std::string>& values, CKyFillStyleLib& lib);

// Graduated classes of a numeric field: for each pair of neighbouring
// breaks a range, styled from light to dark (styles of the library ordered
// by how much of their tile the fore colour covers, on dc) with a sequential
// colour ramp; labels "1,000 – 5,000".
StyleRules Graduate(const std::string& field, const std::vector<double>& breaks, CKyFillStyleLib& lib, CDC& dc);

// "#RRGGBB" as a COLORREF; throws MapError for anything else.
COLORREF ParseColour(const std::string& text);

}  // namespace kymap
