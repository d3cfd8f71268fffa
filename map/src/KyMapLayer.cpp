#include "KyMapLayer.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <mutex>
#include <map>
#include <set>
#include <sys/stat.h>

namespace kymap {

namespace {

// GDAL prints its errors on stderr unless told otherwise; ours carry the
// message instead.
class QuietErrors {
 public:
  QuietErrors() {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    CPLErrorReset();
  }
  ~QuietErrors() { CPLPopErrorHandler(); }
  QuietErrors(const QuietErrors&) = delete;
  QuietErrors& operator=(const QuietErrors&) = delete;
  static std::string Last() {
    const char* m = CPLGetLastErrorMsg();
    return m && *m ? std::string(": ") + m : std::string();
  }
};

void RegisterDrivers() {
  static std::once_flag once;
  std::call_once(once, [] { GDALAllRegister(); });
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

GDALDataset* OpenVector(const std::string& path) {
  return GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, nullptr, nullptr);
}

std::string CrsName(const OGRSpatialReference* srs) {
  if (!srs) return "";
  const char* auth = srs->GetAuthorityName(nullptr);
  const char* code = srs->GetAuthorityCode(nullptr);
  if (auth && code) return std::string(auth) + ":" + code;
  const char* name = srs->GetName();
  return name ? name : "unnamed";
}

bool IsNumeric(OGRFieldType t) { return t == OFTInteger || t == OFTInteger64 || t == OFTReal; }

// Appends the rings of a polygonal geometry; false for any other kind.
bool AppendRings(const OGRGeometry* g, PolygonFeature& f) {
  switch (wkbFlatten(g->getGeometryType())) {
    case wkbPolygon: {
      const auto* poly = g->toPolygon();
      for (const OGRLinearRing* ring : *poly) {
        const int n = ring->getNumPoints();
        for (int i = 0; i < n; ++i) {
          f.xy.push_back(ring->getX(i));
          f.xy.push_back(ring->getY(i));
        }
        f.ringSizes.push_back(n);
      }
      return true;
    }
    case wkbMultiPolygon:
    case wkbGeometryCollection: {
      bool any = false;
      for (const OGRGeometry* part : *g->toGeometryCollection()) any = AppendRings(part, f) || any;
      return any;
    }
    case wkbCurvePolygon:
    case wkbMultiSurface: {
      std::unique_ptr<OGRGeometry> linear(g->getLinearGeometry());
      return linear && AppendRings(linear.get(), f);
    }
    default:
      return false;
  }
}

// Coordinates past 1e100 are as unusable as infinite ones: no map unit is
// that large, and scaling them to pixels would overflow.
bool AllFinite(const std::vector<double>& xy) {
  return std::all_of(xy.begin(), xy.end(), [](double v) { return std::isfinite(v) && std::fabs(v) < 1e100; });
}

Extent BoundsOf(const std::vector<double>& xy) {
  Extent e{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  for (size_t i = 0; i + 1 < xy.size(); i += 2) {
    e.minX = std::min(e.minX, xy[i]);
    e.maxX = std::max(e.maxX, xy[i]);
    e.minY = std::min(e.minY, xy[i + 1]);
    e.maxY = std::max(e.maxY, xy[i + 1]);
  }
  return e;
}

}  // namespace

struct Layer::Impl {
  GDALDatasetUniquePtr ds;
  OGRLayer* layer = nullptr;
  OGRSpatialReference target;
  std::unique_ptr<OGRCoordinateTransformation> transform;

  int FieldIndex(const std::string& field) const {
    return field.empty() ? -1 : layer->GetLayerDefn()->GetFieldIndex(field.c_str());
  }
  // Reads only the class field (and the geometry when wanted).
  void IgnoreAllBut(const std::string& field, bool geometry) {
    std::vector<std::string> names;
    OGRFeatureDefn* defn = layer->GetLayerDefn();
    for (int i = 0; i < defn->GetFieldCount(); ++i) {
      if (field != defn->GetFieldDefn(i)->GetNameRef()) names.push_back(defn->GetFieldDefn(i)->GetNameRef());
    }
    names.push_back("OGR_STYLE");
    if (!geometry) names.push_back("OGR_GEOMETRY");
    std::vector<const char*> list;
    for (const std::string& n : names) list.push_back(n.c_str());
    list.push_back(nullptr);
    layer->SetIgnoredFields(list.data());
  }
};

Layer::Layer(const std::string& spec) : m(std::make_unique<Impl>()) {
  RegisterDrivers();
  QuietErrors quiet;
  std::string data = spec, name;
  m->ds.reset(OpenVector(data));
  // "DATA:LAYER" when the whole text is not a source of its own.
  if (!m->ds) {
    const size_t colon = spec.rfind(':');
    if (colon != std::string::npos && colon > 0) {
      data = spec.substr(0, colon);
      name = spec.substr(colon + 1);
      m->ds.reset(OpenVector(data));
    }
  }
  if (!m->ds) {
    const std::string why = QuietErrors::Last();
    if (!Exists(data)) throw MapError("cannot open '" + spec + "': no such file or data source");
    throw MapError("cannot open '" + data + "' as vector data" + why);
  }
  if (m->ds->GetLayerCount() < 1) throw MapError("'" + data + "' has no layers");
  if (name.empty()) {
    m->layer = m->ds->GetLayer(0);
  } else {
    m->layer = m->ds->GetLayerByName(name.c_str());
    char* end = nullptr;
    const long index = std::strtol(name.c_str(), &end, 10);
    if (!m->layer && *end == '\0' && index >= 0 && index < m->ds->GetLayerCount()) {
      m->layer = m->ds->GetLayer(static_cast<int>(index));
    }
  }
  if (!m->layer) {
    std::string names;
    for (int i = 0; i < m->ds->GetLayerCount(); ++i) {
      names += (i ? ", " : "") + std::string(m->ds->GetLayer(i)->GetName());
    }
    throw MapError("'" + data + "' has no layer '" + name + "' (it has: " + names + ")");
  }
}

Layer::~Layer() = default;

std::string Layer::Name() const { return m->layer->GetName(); }

std::string Layer::SourceCrs() const { return CrsName(m->layer->GetSpatialRef()); }

std::string Layer::MapCrs() const { return m->transform ? CrsName(&m->target) : SourceCrs(); }

std::vector<std::string> Layer::FieldNames() const {
  std::vector<std::string> out;
  OGRFeatureDefn* defn = m->layer->GetLayerDefn();
  for (int i = 0; i < defn->GetFieldCount(); ++i) out.push_back(defn->GetFieldDefn(i)->GetNameRef());
  return out;
}

void Layer::RequireField(const std::string& field) const {
  if (m->FieldIndex(field) >= 0) return;
  std::string names;
  for (const std::string& n : FieldNames()) names += (names.empty() ? "" : ", ") + n;
  throw MapError("the layer '" + Name() + "' has no field '" + field + "' (it has: " + names + ")");
}

void Layer::RequirePolygons() const {
  const OGRwkbGeometryType type = wkbFlatten(m->layer->GetGeomType());
  switch (type) {
    case wkbUnknown:
    case wkbPolygon:
    case wkbMultiPolygon:
    case wkbGeometryCollection:
    case wkbCurvePolygon:
    case wkbMultiSurface:
      return;
    case wkbNone:
      throw MapError("the layer '" + Name() + "' has no geometry");
    default:
      throw MapError("the layer '" + Name() + "' holds " + OGRGeometryTypeToName(type) + " geometries, not polygons");
  }
}

void Layer::SetTargetCrs(const std::string& crs) {
  QuietErrors quiet;
  const OGRSpatialReference* source = m->layer->GetSpatialRef();
  if (!source) throw MapError("the layer '" + Name() + "' has no CRS to reproject from");
  if (m->target.SetFromUserInput(crs.c_str()) != OGRERR_NONE) {
    throw MapError("the CRS '" + crs + "' is not understood" + QuietErrors::Last());
  }
  m->target.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  OGRSpatialReference from(*source);
  from.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
  m->transform.reset(OGRCreateCoordinateTransformation(&from, &m->target));
  if (!m->transform) throw MapError("no transformation from " + SourceCrs() + " to '" + crs + "'" + QuietErrors::Last());
}

Extent Layer::MapExtent() {
  QuietErrors quiet;
  OGREnvelope env;
  if (m->layer->GetExtent(&env, TRUE) != OGRERR_NONE) throw MapError("the layer '" + Name() + "' has no extent");
  Extent e{env.MinX, env.MinY, env.MaxX, env.MaxY};
  if (m->transform) {
    // The bounds of the projected layer, read from the projected features:
    // a world extent does not project as a whole into many CRSs.
    Extent p{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    FeatureCounts ignored;
    ForEachPolygon("", [&p](const PolygonFeature& f) {
      p.minX = std::min(p.minX, f.bounds.minX);
      p.minY = std::min(p.minY, f.bounds.minY);
      p.maxX = std::max(p.maxX, f.bounds.maxX);
      p.maxY = std::max(p.maxY, f.bounds.maxY);
      return true;
    }, ignored);
    e = p;
  }
  if (!std::isfinite(e.minX) || !std::isfinite(e.maxX) || !std::isfinite(e.minY) || !std::isfinite(e.maxY)) {
    throw MapError("the layer '" + Name() + "' has no drawable extent");
  }
  return e;
}

long long Layer::FeatureCount() { return m->layer->GetFeatureCount(FALSE); }

std::vector<std::string> Layer::DistinctValues(const std::string& field) {
  RequireField(field);
  const int index = m->FieldIndex(field);
  const bool numeric = IsNumeric(m->layer->GetLayerDefn()->GetFieldDefn(index)->GetType());
  // Values are named as the features' own text names them (the text the
  // classes are matched by); numbers are ordered by value.
  std::set<std::string> text;
  std::map<double, std::string> numbers;
  m->IgnoreAllBut(field, false);
  m->layer->ResetReading();
  for (auto& feature : *m->layer) {
    if (!feature->IsFieldSetAndNotNull(index)) continue;
    if (numeric) {
      numbers.emplace(feature->GetFieldAsDouble(index), feature->GetFieldAsString(index));
    } else {
      text.insert(feature->GetFieldAsString(index));
    }
  }
  m->layer->SetIgnoredFields(nullptr);
  if (!numeric) return {text.begin(), text.end()};
  std::vector<std::string> out;
  for (const auto& [value, name] : numbers) out.push_back(name);
  return out;
}

void Layer::ForEachPolygon(const std::string& field, const std::function<bool(const PolygonFeature&)>& draw,
                           FeatureCounts& counts, const std::function<void(long long)>& progress) {
  QuietErrors quiet;
  const int index = m->FieldIndex(field);
  m->IgnoreAllBut(field, true);
  m->layer->ResetReading();
  PolygonFeature f;
  for (auto& feature : *m->layer) {
    ++counts.read;
    if (progress && counts.read % 256 == 0) progress(counts.read);
    const OGRGeometry* g = feature->GetGeometryRef();
    if (!g) {
      counts.Skip(SkipCause::kEmpty);
      continue;
    }
    f.xy.clear();
    f.ringSizes.clear();
    if (!AppendRings(g, f)) {
      counts.Skip(SkipCause::kNotPolygon);
      continue;
    }
    if (f.xy.empty()) {
      counts.Skip(SkipCause::kEmpty);
      continue;
    }
    if (!AllFinite(f.xy)) {
      counts.Skip(SkipCause::kNotFinite);
      continue;
    }
    if (std::any_of(f.ringSizes.begin(), f.ringSizes.end(), [](int n) { return n < 4; }) || !g->IsValid()) {
      counts.Skip(SkipCause::kInvalid);
      continue;
    }
    if (m->transform) {
      const int n = static_cast<int>(f.xy.size() / 2);
      std::vector<double> x(n), y(n);
      for (int i = 0; i < n; ++i) {
        x[i] = f.xy[2 * i];
        y[i] = f.xy[2 * i + 1];
      }
      std::vector<int> ok(n, 0);
      const bool all = m->transform->Transform(n, x.data(), y.data(), nullptr, ok.data());
      if (!all || std::find(ok.begin(), ok.end(), 0) != ok.end()) {
        counts.Skip(SkipCause::kNotProjectable);
        continue;
      }
      for (int i = 0; i < n; ++i) {
        f.xy[2 * i] = x[i];
        f.xy[2 * i + 1] = y[i];
      }
      if (!AllFinite(f.xy)) {
        counts.Skip(SkipCause::kNotProjectable);
        continue;
      }
    }
    f.valueIsNull = index < 0 || !feature->IsFieldSetAndNotNull(index);
    f.value = f.valueIsNull ? std::string() : std::string(feature->GetFieldAsString(index));
    f.bounds = BoundsOf(f.xy);
    if (draw(f)) {
      ++counts.drawn;
    } else {
      counts.Skip(SkipCause::kOutside);
    }
  }
  m->layer->SetIgnoredFields(nullptr);
  if (progress) progress(counts.read);
}

}  // namespace kymap
