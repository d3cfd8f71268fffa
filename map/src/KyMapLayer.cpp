#include "KyMapLayer.h"

#include <gdal_priv.h>
#include <ogr_spatialref.h>
#include <ogrsf_frmts.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <map>
#include <mutex>
#include <set>
#include <sys/stat.h>

#include "KyMapGeometry.h"
#include "KyMapProjection.h"

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

// The drivers a map opens without --allow-network: files and local
// databases, none that reach the network or read other files by reference.
const char* const kLocalDrivers[] = {
    "ESRI Shapefile", "GPKG", "GeoJSON", "GeoJSONSeq", "ESRIJSON", "TopoJSON", "FlatGeobuf", "SQLite",
    "OpenFileGDB", "MapInfo File", "KML", "LIBKML", "GPX", "GML", "CSV", "DXF", "Parquet", "Arrow",
    "PostgreSQL", nullptr};

// Names that only the network or a virtual file system can serve.
bool NeedsNetwork(const std::string& name) {
  static const char* const kPrefixes[] = {"/vsicurl", "/vsis3", "/vsigs", "/vsiaz", "/vsiadls", "/vsioss",
                                          "/vsiswift", "/vsiwebhdfs", "/vsihdfs", "http://", "https://",
                                          "ftp://", "WFS:", "OAPIF:", "<"};
  std::string lower;
  for (char c : name) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  for (const char* p : kPrefixes) {
    std::string prefix;
    for (const char* c = p; *c; ++c) prefix += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    if (lower.compare(0, prefix.size(), prefix) == 0) return true;
  }
  return false;
}

GDALDataset* OpenVector(const std::string& path, bool allowNetwork) {
  return GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, allowNetwork ? nullptr : kLocalDrivers,
                           nullptr, nullptr);
}

std::string CrsName(const OGRSpatialReference* srs) {
  if (!srs) return "";
  const char* auth = srs->GetAuthorityName(nullptr);
  const char* code = srs->GetAuthorityCode(nullptr);
  if (auth && code) return std::string(auth) + ":" + code;
  const char* name = srs->GetName();
  return name ? name : "unnamed";
}

FieldKind KindOfType(OGRFieldType t) {
  if (t == OFTInteger || t == OFTInteger64) return FieldKind::kInteger;
  if (t == OFTReal) return FieldKind::kReal;
  return FieldKind::kText;
}

// Coordinates past 1e100 are as unusable as infinite ones: no map unit is
// that large, and scaling them to pixels would overflow.
bool AllFinite(const std::vector<double>& xy) {
  return std::all_of(xy.begin(), xy.end(), [](double v) { return std::isfinite(v) && std::fabs(v) < 1e100; });
}

// A polygon or a multipolygon: any other geometry is taken apart first, so
// that a point is counted as one and not as a small feature.
bool IsPolygonal(const OGRGeometry& g) {
  const OGRwkbGeometryType t = wkbFlatten(g.getGeometryType());
  return t == wkbPolygon || t == wkbMultiPolygon;
}

// The feature's polygonal parts as one multipolygon, null when it has none.
// A polygon or a multipolygon is taken from the feature as it is, without
// a copy (the feature is done with after this).
std::unique_ptr<OGRMultiPolygon> TakePolygons(OGRFeature& feature) {
  const OGRGeometry* g = feature.GetGeometryRef();
  const OGRwkbGeometryType t = g ? wkbFlatten(g->getGeometryType()) : wkbUnknown;
  if (t == wkbMultiPolygon) return std::unique_ptr<OGRMultiPolygon>(feature.StealGeometry()->toMultiPolygon());
  if (t == wkbPolygon) {
    auto out = std::make_unique<OGRMultiPolygon>();
    out->addGeometryDirectly(feature.StealGeometry());
    return out;
  }
  return g ? PolygonalParts(*g) : nullptr;
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

void Include(Extent& e, const Extent& b) {
  e.minX = std::min(e.minX, b.minX);
  e.minY = std::min(e.minY, b.minY);
  e.maxX = std::max(e.maxX, b.maxX);
  e.maxY = std::max(e.maxY, b.maxY);
}

// Real numbers in a total order: by value, -0 before 0, NaN after all.
struct TotalLess {
  bool operator()(double a, double b) const {
    if (std::isnan(a) || std::isnan(b)) return !std::isnan(a) && std::isnan(b);
    if (a != b) return a < b;
    return std::signbit(a) && !std::signbit(b);
  }
};

}  // namespace

struct Layer::Impl {
  GDALDatasetUniquePtr ds;
  OGRLayer* layer = nullptr;
  OGRSpatialReference target;
  std::unique_ptr<Projection> projection;
  std::unique_ptr<OGRCoordinateTransformation> inverse;  // made by the first spatial filter
  int nameIndex = -1;
  bool keepGoing = false;
  std::function<bool(const Extent&)> earlyTooSmall;

  int FieldIndex(const std::string& field) const {
    return field.empty() ? -1 : layer->GetLayerDefn()->GetFieldIndex(field.c_str());
  }
  // Reads only the class and name fields (and the geometry when wanted).
  void IgnoreAllBut(const std::string& field, bool geometry) {
    std::vector<std::string> names;
    OGRFeatureDefn* defn = layer->GetLayerDefn();
    for (int i = 0; i < defn->GetFieldCount(); ++i) {
      if (field != defn->GetFieldDefn(i)->GetNameRef() && !(geometry && i == nameIndex)) {
        names.push_back(defn->GetFieldDefn(i)->GetNameRef());
      }
    }
    names.push_back("OGR_STYLE");
    if (!geometry) names.push_back("OGR_GEOMETRY");
    std::vector<const char*> list;
    for (const std::string& n : names) list.push_back(n.c_str());
    list.push_back(nullptr);
    layer->SetIgnoredFields(list.data());
  }
  // The class value of a feature as PolygonFeature carries it.
  void Value(OGRFeature& feature, int index, PolygonFeature& f) const {
    f.valueIsNull = index < 0 || !feature.IsFieldSetAndNotNull(index);
    f.number = 0;
    if (f.valueIsNull) {
      f.value.clear();
      return;
    }
    switch (KindOfType(layer->GetLayerDefn()->GetFieldDefn(index)->GetType())) {
      case FieldKind::kInteger: {
        const long long v = feature.GetFieldAsInteger64(index);
        f.number = static_cast<double>(v);
        f.value = std::to_string(v);
        break;
      }
      case FieldKind::kReal:
        f.number = feature.GetFieldAsDouble(index);
        f.value = FormatNumber(f.number);
        break;
      case FieldKind::kText:
        f.value = feature.GetFieldAsString(index);
        break;
    }
  }
  // A read must reach the layer's last feature: a damaged file ends early.
  // failure: the error that ended the read, if one did (a database whose
  // connection was lost ends its features with one, and counts none).
  void CheckComplete(long long read, FeatureCounts* counts, const std::string& failure = {}) const {
    // Under a spatial filter the count is the index's (a GeoPackage's R-tree
    // holds boxes rounded outwards to floats) and may name a feature the
    // read rightly leaves out: only an error ends such a read early.
    const long long expected = layer->GetSpatialFilter() ? -1 : layer->GetFeatureCount(FALSE);
    const bool failed = !failure.empty() || CPLGetLastErrorType() >= CE_Failure;
    if (failure.empty() && (expected >= 0 ? read >= expected : !failed)) return;
    if (keepGoing && counts && expected >= 0) {
      for (long long i = read; i < expected; ++i) counts->Skip(SkipCause::kUnreadable);
      return;
    }
    std::string what = "reading the layer '" + std::string(layer->GetName()) + "' stopped after " +
                       std::to_string(read) + " features";
    if (expected > read) what += " of " + std::to_string(expected);
    const char* m = CPLGetLastErrorMsg();
    const std::string why = !failure.empty() ? failure : m ? m : "";
    if (!why.empty()) what += " (" + why + ")";
    if (expected >= 0 && expected <= read) throw MapError(what + "; the rest could not be read");
    throw MapError(what + "; the source is damaged (--keep-going draws what can be read)");
  }
};

Layer::Layer(const std::string& spec, bool allowNetwork) : m(std::make_unique<Impl>()) {
  RegisterDrivers();
  QuietErrors quiet;
  if (!allowNetwork && NeedsNetwork(spec)) {
    throw MapError("'" + spec + "' is read over the network or through a virtual file system; --allow-network "
                   "permits it");
  }
  std::string data = spec, name;
  m->ds.reset(OpenVector(data, allowNetwork));
  // "DATA:LAYER" when the whole text is not a source of its own.
  if (!m->ds) {
    const size_t colon = spec.rfind(':');
    if (colon != std::string::npos && colon > 0) {
      data = spec.substr(0, colon);
      name = spec.substr(colon + 1);
      m->ds.reset(OpenVector(data, allowNetwork));
    }
  }
  if (!m->ds) {
    const std::string why = QuietErrors::Last();
    if (!Exists(data) && !Exists(spec) && data.rfind("PG:", 0) != 0) {
      throw MapError("cannot open '" + spec + "': no such file or data source");
    }
    if (!allowNetwork && GDALDataset::Open(data.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY) != nullptr) {
      throw MapError("'" + data + "' is read through a driver that may reach the network or other files; "
                     "--allow-network permits it");
    }
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
  const std::string nameField = NameField();
  m->nameIndex = m->FieldIndex(nameField);
}

Layer::~Layer() = default;

std::string Layer::Name() const { return m->layer->GetName(); }

std::string Layer::SourceCrs() const { return CrsName(m->layer->GetSpatialRef()); }

bool Layer::SourceIsWgs84LonLat() const {
  const OGRSpatialReference* srs = m->layer->GetSpatialRef();
  if (!srs || !srs->IsGeographic()) return false;
  OGRSpatialReference wgs84;
  wgs84.SetWellKnownGeogCS("WGS84");
  if (!srs->IsSameGeogCS(&wgs84) || std::fabs(srs->GetAngularUnits() - M_PI / 180) > 1e-12 ||
      srs->GetPrimeMeridian() != 0) {
    return false;
  }
  // The data's first axis is the CRS's east-pointing one.
  const std::vector<int>& mapping = srs->GetDataAxisToSRSAxisMapping();
  if (mapping.size() < 2) return false;
  OGRAxisOrientation orientation = OAO_Other;
  srs->GetAxis("GEOGCS", std::abs(mapping[0]) - 1, &orientation);
  return orientation == OAO_East && mapping[0] > 0;
}

void Layer::SetEarlyTooSmall(std::function<bool(const Extent& source)> tooSmall) {
  m->earlyTooSmall = std::move(tooSmall);
}

std::string Layer::MapCrs() const { return m->projection ? CrsName(&m->target) : SourceCrs(); }

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

FieldKind Layer::KindOf(const std::string& field) const {
  const int index = m->FieldIndex(field);
  if (index < 0) return FieldKind::kText;
  return KindOfType(m->layer->GetLayerDefn()->GetFieldDefn(index)->GetType());
}

std::string Layer::NameField() const {
  const std::vector<std::string> names = FieldNames();
  auto lower = [](std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  };
  for (const char* want : {"name", "name_en", "admin", "label", "title"}) {
    for (const std::string& n : names) {
      if (lower(n) == want && KindOf(n) == FieldKind::kText) return n;
    }
  }
  for (const std::string& n : names) {
    if (lower(n).find("name") != std::string::npos && KindOf(n) == FieldKind::kText) return n;
  }
  return "";
}

void Layer::SetKeepGoing(bool keepGoing) { m->keepGoing = keepGoing; }

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
  try {
    m->projection = std::make_unique<Projection>(*source, m->target);
  } catch (const MapError&) {
    throw MapError("no transformation from " + SourceCrs() + " to '" + crs + "'" + QuietErrors::Last());
  }
}

Extent Layer::MapExtent(FeatureCounts* counts) {
  QuietErrors quiet;
  // Read from the features themselves: a header's extent counts features
  // that cannot be drawn (one far point hides every other feature), and a
  // world extent does not project as a whole into many CRSs.
  Extent e{HUGE_VAL, HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  FeatureCounts ignored;
  ForEachPolygon(
      "",
      [&e](const PolygonFeature& f) {
        Include(e, f.bounds);
        return Drawn::kDrawn;
      },
      ignored);
  if (counts) *counts = ignored;
  if (!e.HasArea() && !(std::isfinite(e.minX) && std::isfinite(e.minY))) {
    throw MapError("the layer '" + Name() + "' has no drawable extent");
  }
  return e;
}

bool Layer::WorldBounds(Extent& bounds) const {
  if (!m->projection) return false;
  QuietErrors quiet;
  bounds = m->projection->WorldBounds();
  return bounds.HasArea();
}

namespace {

// A projection from the layer's own CRS to itself, for lines drawn in
// longitude and latitude on an unprojected map.
std::unique_ptr<Projection> SelfProjection(const OGRLayer& layer) {
  const OGRSpatialReference* source = const_cast<OGRLayer&>(layer).GetSpatialRef();
  if (!source) throw MapError("the layer has no CRS: meridians and parallels cannot be placed");
  return std::make_unique<Projection>(*source, *source);
}

}  // namespace

std::vector<std::vector<double>> Layer::Graticule(double step) const {
  QuietErrors quiet;
  if (m->projection) return m->projection->Graticule(step);
  return SelfProjection(*m->layer)->Graticule(step);
}

std::vector<std::vector<double>> Layer::NeatLine() const {
  QuietErrors quiet;
  if (m->projection) return m->projection->NeatLine();
  return SelfProjection(*m->layer)->NeatLine();
}

void Layer::SetSpatialFilter(const Extent* b) {
  if (!b) {
    m->layer->SetSpatialFilter(nullptr);
    return;
  }
  QuietErrors quiet;
  double minX = b->minX, minY = b->minY, maxX = b->maxX, maxY = b->maxY;
  if (m->projection) {
    if (!m->inverse) {
      const OGRSpatialReference* source = m->layer->GetSpatialRef();
      if (source) {
        OGRSpatialReference to(*source);
        to.SetAxisMappingStrategy(OAMS_TRADITIONAL_GIS_ORDER);
        m->inverse.reset(OGRCreateCoordinateTransformation(&m->target, &to));
      }
    }
    // The edges are densified: a straight edge in one CRS is a curve in the
    // other, and its corners alone would miss what bulges past them.
    if (!m->inverse || !m->inverse->TransformBounds(b->minX, b->minY, b->maxX, b->maxY, &minX, &minY, &maxX, &maxY, 21)) {
      throw MapError("the area cannot be taken back into the CRS of the layer '" + Name() + "'" + QuietErrors::Last());
    }
  }
  m->layer->SetSpatialFilterRect(minX, minY, maxX, maxY);
}

long long Layer::FeatureCount() { return m->layer->GetFeatureCount(FALSE); }

std::vector<std::string> Layer::DistinctValues(const std::string& field) {
  RequireField(field);
  QuietErrors quiet;
  const int index = m->FieldIndex(field);
  const FieldKind kind = KindOf(field);
  std::set<std::string> text;
  std::set<long long> integers;
  std::set<double, TotalLess> reals;
  m->IgnoreAllBut(field, false);
  m->layer->ResetReading();
  long long read = 0;
  for (auto& feature : *m->layer) {
    ++read;
    if (!feature->IsFieldSetAndNotNull(index)) continue;
    switch (kind) {
      case FieldKind::kInteger:
        integers.insert(feature->GetFieldAsInteger64(index));
        break;
      case FieldKind::kReal:
        reals.insert(feature->GetFieldAsDouble(index));
        break;
      case FieldKind::kText:
        text.insert(feature->GetFieldAsString(index));
        break;
    }
  }
  m->layer->SetIgnoredFields(nullptr);
  m->CheckComplete(read, nullptr);
  std::vector<std::string> out;
  for (long long v : integers) out.push_back(std::to_string(v));
  for (double v : reals) out.push_back(FormatNumber(v));
  out.insert(out.end(), text.begin(), text.end());
  return out;
}

std::vector<double> Layer::NumericValues(const std::string& field) {
  RequireField(field);
  QuietErrors quiet;
  const int index = m->FieldIndex(field);
  std::vector<double> out;
  m->IgnoreAllBut(field, false);
  m->layer->ResetReading();
  long long read = 0;
  for (auto& feature : *m->layer) {
    ++read;
    if (!feature->IsFieldSetAndNotNull(index)) continue;
    const double v = KindOf(field) == FieldKind::kInteger ? static_cast<double>(feature->GetFieldAsInteger64(index))
                                                          : feature->GetFieldAsDouble(index);
    if (!std::isnan(v)) out.push_back(v);
  }
  m->layer->SetIgnoredFields(nullptr);
  m->CheckComplete(read, nullptr);
  std::sort(out.begin(), out.end());
  return out;
}

void Layer::ForEachPolygon(const std::string& field, const std::function<Drawn(const PolygonFeature&)>& draw,
                           FeatureCounts& counts, const std::function<void(long long)>& progress) {
  QuietErrors quiet;
  const int index = m->FieldIndex(field);
  m->IgnoreAllBut(field, true);
  m->layer->ResetReading();
  PolygonFeature f;
  long long read = 0;
  std::string reason;
  // The errors of a feature read and drawn are forgotten once it is done,
  // so that what is left after the loop is the error that ended it.
  struct ForgetErrors {
    ~ForgetErrors() { CPLErrorReset(); }
  };
  for (auto& feature : *m->layer) {
    const ForgetErrors forget;
    ++counts.read;
    ++read;
    if (progress && counts.read % 256 == 0) progress(counts.read);
    const OGRGeometry* g = feature->GetGeometryRef();
    // Judged on the feature as read: what it is made of once valid lies
    // within that extent, so a feature too small to draw is neither taken
    // apart nor repaired (most features of a large layer at a low zoom).
    if (m->earlyTooSmall && g && IsPolygonal(*g)) {
      OGREnvelope e;
      g->getEnvelope(&e);
      if (!g->IsEmpty() && m->earlyTooSmall(Extent{e.MinX, e.MinY, e.MaxX, e.MaxY})) {
        counts.Skip(SkipCause::kTooSmall);
        continue;
      }
    }
    FeatureNote note;
    note.fid = feature->GetFID();
    if (m->nameIndex >= 0 && feature->IsFieldSetAndNotNull(m->nameIndex)) {
      note.name = feature->GetFieldAsString(m->nameIndex);
    }
    if (!g || g->IsEmpty()) {
      counts.Skip(SkipCause::kEmpty, note);
      continue;
    }
    std::unique_ptr<OGRMultiPolygon> shape = TakePolygons(*feature);
    if (!shape) {
      counts.Skip(SkipCause::kNotPolygon, note);
      continue;
    }
    f.xy.clear();
    f.ringSizes.clear();
    AppendRings(*shape, f);
    if (f.xy.empty()) {
      counts.Skip(SkipCause::kEmpty, note);
      continue;
    }
    if (!AllFinite(f.xy)) {
      counts.Skip(SkipCause::kNotFinite, note);
      continue;
    }
    if (!Repair(shape, reason)) {
      note.detail = reason;
      counts.Skip(SkipCause::kInvalid, note);
      continue;
    }
    f.repaired = !reason.empty();
    if (f.repaired) {
      FeatureNote repaired = note;
      repaired.detail = reason;
      counts.Repaired(repaired);
    }
    if (m->projection) {
      const Projection::Result r = m->projection->Apply(shape);
      if (r == Projection::Result::kNothingLeft) {
        counts.Skip(SkipCause::kOutside);
        continue;
      }
      if (r == Projection::Result::kFailed) {
        counts.Skip(SkipCause::kNotProjectable, note);
        continue;
      }
    }
    // The rings as read stand unless they were repaired or projected.
    if (f.repaired || m->projection) {
      f.xy.clear();
      f.ringSizes.clear();
      AppendRings(*shape, f);
    }
    if (f.xy.empty() || !AllFinite(f.xy)) {
      counts.Skip(m->projection ? SkipCause::kNotProjectable : SkipCause::kEmpty, note);
      continue;
    }
    m->Value(*feature, index, f);
    f.bounds = BoundsOf(f.xy);
    f.fid = note.fid;
    f.name = note.name;
    switch (draw(f)) {
      case Drawn::kDrawn:
        ++counts.drawn;
        break;
      case Drawn::kOutside:
        counts.Skip(SkipCause::kOutside);
        break;
      case Drawn::kTooSmall:
        counts.Skip(SkipCause::kTooSmall);
        break;
    }
  }
  std::string failure;
  if (CPLGetLastErrorType() >= CE_Failure) {
    const char* message = CPLGetLastErrorMsg();
    failure = message && *message ? message : "the read failed";
    while (!failure.empty() && std::isspace(static_cast<unsigned char>(failure.back()))) failure.pop_back();
  }
  m->layer->SetIgnoredFields(nullptr);
  if (progress) progress(counts.read);
  m->CheckComplete(read, &counts, failure);
}

}  // namespace kymap
