#include "KyMapStyles.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "KyMapBreaks.h"

#include <cctype>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <set>
#include <vector>

namespace kymap {

namespace {

using nlohmann::json;

// Control characters (a NUL among them) written out, so that a message
// holds all of a key.
std::string Printable(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
      char esc[8];
      std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned char>(c));
      out += esc;
    } else {
      out += c;
    }
  }
  return out;
}

[[noreturn]] void Fail(const std::string& where, const std::string& what) {
  throw MapError("STYLES.json: " + Printable(where) + ": " + Printable(what));
}

long Integer(const json& v, const std::string& where, long lo, long hi) {
  if (!v.is_number_integer()) Fail(where, "must be a whole number");
  if (v.is_number_unsigned() && v.get<unsigned long long>() > static_cast<unsigned long long>(LLONG_MAX)) {
    Fail(where, "must be " + std::to_string(lo) + " to " + std::to_string(hi));
  }
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

double Number(const json& v, const std::string& where) {
  if (!v.is_number()) Fail(where, "must be a number");
  return v.get<double>();
}

FillSpec ReadSpec(const json& v, const std::string& where, FillSpec spec, bool range = false) {
  if (!v.is_object()) Fail(where, "must be an object");
  for (const auto& [key, item] : v.items()) {
    const std::string at = where + "." + key;
    if (range && (key == "min" || key == "max")) continue;
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
      Fail(at, std::string("is not a key of a ") + (range ? "range" : "style") +
                   " (" + (range ? "min, max, " : "") +
                   "style, gradient, angle, offset, fore, back, transparent, rate, label, outline)");
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

int StyleRules::ClassOf(const std::string& value, bool isNull, double number) const {
  if (isNull) return -1;
  const auto it = m_index.find(value);
  if (it != m_index.end()) return it->second;
  for (const ValueRange& r : ranges) {
    if (number >= r.min && number <= r.max) return r.cls;
  }
  return -1;
}

void StyleRules::Index() {
  m_index.clear();
  for (size_t i = 0; i < classes.size(); ++i) {
    if (!RangeOf(static_cast<int>(i))) m_index.emplace(classes[i].first, static_cast<int>(i));
  }
}

const ValueRange* StyleRules::RangeOf(int cls) const {
  for (const ValueRange& r : ranges) {
    if (r.cls == cls) return &r;
  }
  return nullptr;
}

void StyleRules::MatchFieldKind(FieldKind kind) {
  if (kind == FieldKind::kText) {
    if (!ranges.empty()) throw MapError("STYLES.json: ranges: the field '" + field + "' holds text, not numbers");
    return;
  }
  std::set<std::string> seen;
  for (size_t i = 0; i < classes.size(); ++i) {
    if (RangeOf(static_cast<int>(i))) continue;
    std::string& key = classes[i].first;
    const char* text = key.c_str();
    char* end = nullptr;
    std::string canonical;
    errno = 0;
    if (kind == FieldKind::kInteger) {
      const long long v = std::strtoll(text, &end, 10);
      if (end != text && *end == '\0' && errno == 0 && key.size() == std::strlen(text)) {
        canonical = std::to_string(v);
      } else {
        // "140.0" or "1.4e2" of a whole number field.
        const double d = std::strtod(text, &end);
        if (end != text && *end == '\0' && d == std::floor(d) && std::fabs(d) < 9.2e18) {
          canonical = std::to_string(static_cast<long long>(d));
        }
      }
    } else {
      const double d = std::strtod(text, &end);
      if (end != text && *end == '\0' && key.size() == std::strlen(text)) canonical = FormatNumber(d);
    }
    if (canonical.empty()) {
      throw MapError("STYLES.json: classes." + Printable(key) + ": the field '" + field +
                     "' holds numbers, and this key is not one");
    }
    if (!seen.insert(canonical).second) {
      throw MapError("STYLES.json: classes." + Printable(key) + ": the number " + canonical + " has a class already");
    }
    key = canonical;
  }
  Index();
}

StyleRules ParseStyles(const std::string& text) {
  json doc;
  // Keys of each object seen so far: a key given twice is a mistake that a
  // plain parse would hide (the last one would win).
  std::vector<std::set<std::string>> keys;
  const json::parser_callback_t noRepeats = [&keys](int, json::parse_event_t event, json& parsed) {
    if (event == json::parse_event_t::object_start) {
      keys.emplace_back();
    } else if (event == json::parse_event_t::object_end) {
      keys.pop_back();
    } else if (event == json::parse_event_t::key && !keys.empty()) {
      const std::string key = parsed.get<std::string>();
      if (!keys.back().insert(key).second) Fail(key, "is given twice");
    }
    return true;
  };
  try {
    doc = json::parse(text, noRepeats);
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
    } else if (key == "ranges") {
      if (!item.is_array()) Fail("ranges", "must be an array of styles with min and max");
      for (size_t i = 0; i < item.size(); ++i) {
        const std::string at = "ranges[" + std::to_string(i) + "]";
        const json& r = item[i];
        if (!r.is_object() || !r.contains("min") || !r.contains("max")) Fail(at, "must be a style with min and max");
        const double lo = Number(r["min"], at + ".min"), hi = Number(r["max"], at + ".max");
        if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi) Fail(at, "min must not be above max");
        FillSpec base;
        base.label = RangeLabel(lo, hi);
        const FillSpec spec = ReadSpec(r, at, base, true);
        rules.ranges.push_back({static_cast<int>(rules.classes.size()), lo, hi});
        rules.classes.emplace_back(base.label, spec);
      }
    } else {
      Fail(key, "is not a key of a style file (field, classes, ranges, default)");
    }
  }
  if (!rules.classes.empty() && rules.field.empty()) Fail("field", "is missing: the classes need a field");
  // Ranges come after the classes of single values in the legend.
  std::vector<std::pair<std::string, FillSpec>> single, graded;
  for (size_t i = 0; i < rules.classes.size(); ++i) {
    (rules.RangeOf(static_cast<int>(i)) ? graded : single).push_back(std::move(rules.classes[i]));
  }
  for (ValueRange& r : rules.ranges) r.cls = static_cast<int>(single.size() + (&r - rules.ranges.data()));
  rules.classes = std::move(single);
  for (auto& c : graded) rules.classes.push_back(std::move(c));
  rules.Index();
  return rules;
}

}  // namespace kymap
