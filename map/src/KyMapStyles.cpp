#include "KyMapStyles.h"

#include <nlohmann/json.hpp>

#include <cctype>
#include <cstdlib>
#include <set>

namespace kymap {

namespace {

using nlohmann::json;

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw MapError("STYLES.json: " + where + ": " + what);
}

long Integer(const json& v, const std::string& where, long lo, long hi) {
  if (!v.is_number_integer()) Fail(where, "must be a whole number");
  const long long n = v.get<long long>();
  if (n < lo || n > hi) Fail(where, "must be " + std::to_string(lo) + " to " + std::to_string(hi));
  return static_cast<long>(n);
}

COLORREF Colour(const json& v, const std::string& where) {
  if (!v.is_string()) Fail(where, "must be a colour \"#RRGGBB\"");
  try {
    return ParseColour(v.get<std::string>());
  } catch (const MapError& e) {
    Fail(where, e.what());
  }
}

long GradientKind(const json& v, const std::string& where) {
  if (v.is_number_integer()) return Integer(v, where, 0, 4);
  if (!v.is_string()) Fail(where, "must be none, linear, radial, conical or square");
  static const char* const kNames[] = {"none", "linear", "radial", "conical", "square"};
  for (long i = 0; i < 5; ++i) {
    if (v.get<std::string>() == kNames[i]) return i;
  }
  Fail(where, "'" + v.get<std::string>() + "' is not none, linear, radial, conical or square");
}

Outline ReadOutline(const json& v, const std::string& where) {
  Outline o;
  if (v.is_boolean()) {
    o.visible = v.get<bool>();
    return o;
  }
  if (v.is_string() && v.get<std::string>() == "none") {
    o.visible = false;
    return o;
  }
  if (!v.is_object()) Fail(where, "must be an object, false or \"none\"");
  for (const auto& [key, item] : v.items()) {
    const std::string at = where + "." + key;
    if (key == "colour" || key == "color") {
      o.colour = Colour(item, at);
    } else if (key == "width") {
      if (!item.is_number() || item.get<double>() < 0 || item.get<double>() > 50) Fail(at, "must be 0 to 50 (mm)");
      o.widthMm = item.get<double>();
      o.visible = o.widthMm > 0;
    } else if (key == "linestyle") {
      o.lineStyle = Integer(item, at, -1, 1000000);
    } else {
      Fail(at, "is not a key of an outline (colour, width, linestyle)");
    }
  }
  return o;
}

FillSpec ReadSpec(const json& v, const std::string& where, FillSpec spec) {
  if (!v.is_object()) Fail(where, "must be an object");
  for (const auto& [key, item] : v.items()) {
    const std::string at = where + "." + key;
    if (key == "style") {
      spec.style = Integer(item, at, 0, 0x7FFFFFFF);
    } else if (key == "gradient") {
      spec.gradient = GradientKind(item, at);
    } else if (key == "angle") {
      spec.angle = Integer(item, at, -36000, 36000);
    } else if (key == "offset") {
      if (!item.is_array() || item.size() != 2) Fail(at, "must be [horizontal, vertical] in percent");
      spec.hOffset = Integer(item[0], at + "[0]", -100, 100);
      spec.vOffset = Integer(item[1], at + "[1]", -100, 100);
    } else if (key == "fore") {
      spec.fore = Colour(item, at);
    } else if (key == "back") {
      spec.back = Colour(item, at);
    } else if (key == "transparent") {
      if (!item.is_boolean()) Fail(at, "must be true or false");
      spec.transparent = item.get<bool>();
    } else if (key == "rate") {
      spec.rate = Integer(item, at, 0, 100);
    } else if (key == "label") {
      if (!item.is_string()) Fail(at, "must be text");
      spec.label = item.get<std::string>();
    } else if (key == "outline") {
      spec.outline = ReadOutline(item, at);
    } else {
      Fail(at, "is not a key of a style (style, gradient, angle, offset, fore, back, transparent, rate, label, "
               "outline)");
    }
  }
  return spec;
}

}  // namespace

FillSpec DefaultFillSpec() {
  FillSpec s;
  s.style = 0;
  s.fore = RGB(0xDD, 0xDD, 0xDD);
  s.label = "other";
  return s;
}

COLORREF ParseColour(const std::string& text) {
  if (text.size() != 7 || text[0] != '#') throw MapError("colour '" + text + "' is not #RRGGBB");
  for (size_t i = 1; i < 7; ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) throw MapError("colour '" + text + "' is not #RRGGBB");
  }
  const unsigned long v = std::strtoul(text.c_str() + 1, nullptr, 16);
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

int StyleRules::ClassOf(const std::string& value, bool isNull) const {
  if (isNull) return -1;
  const auto it = m_index.find(value);
  return it == m_index.end() ? -1 : it->second;
}

void StyleRules::Index() {
  m_index.clear();
  for (size_t i = 0; i < classes.size(); ++i) m_index.emplace(classes[i].first, static_cast<int>(i));
}

StyleRules ParseStyles(const std::string& text) {
  json doc;
  try {
    doc = json::parse(text);
  } catch (const json::exception& e) {
    // "[json.exception.parse_error.101] parse error at line 3, column 5: ...",
    // or a number too large for a double: "[json.exception.out_of_range.406] ..."
    std::string what = e.what();
    const size_t at = what.find("] ");
    throw MapError("STYLES.json: " + (at == std::string::npos ? what : what.substr(at + 2)));
  }
  if (!doc.is_object()) Fail("(top)", "must be an object with field, classes and default");
  StyleRules rules;
  for (const auto& [key, item] : doc.items()) {
    if (key == "field") {
      if (!item.is_string() || item.get<std::string>().empty()) Fail("field", "must be the name of a field");
      rules.field = item.get<std::string>();
    } else if (key == "default") {
      rules.fallback = ReadSpec(item, "default", DefaultFillSpec());
    } else if (key == "classes") {
      if (!item.is_object()) Fail("classes", "must be an object of value: style");
      for (const auto& [value, spec] : item.items()) {
        FillSpec base;
        base.label = value;
        rules.classes.emplace_back(value, ReadSpec(spec, "classes." + value, base));
      }
    } else {
      Fail(key, "is not a key of a style file (field, classes, default)");
    }
  }
  if (!rules.classes.empty() && rules.field.empty()) Fail("field", "is missing: the classes need a field");
  rules.Index();
  return rules;
}

}  // namespace kymap
