// Polygon geometry on its way from a data source to the painter: the
// polygonal parts of what a feature holds, made valid when they are not,
// and flattened into the rings the painter fills.
#pragma once

#include <memory>
#include <string>

#include <ogr_geometry.h>

#include "KyMapLayer.h"

namespace kymap {

// The polygonal parts of g (a polygon, a multipolygon, curved kinds made
// linear, the polygons of a collection) as one multipolygon; null when g
// holds none.
std::unique_ptr<OGRMultiPolygon> PolygonalParts(const OGRGeometry& g);

// Makes g valid in place when it is not: self-intersections, bow-ties,
// rings touching themselves, rings of too few points. A bow-tie becomes
// the union of its lobes (the structure of the rings is kept, not their
// even-odd remainder). Returns false when nothing drawable is left;
// reason receives the geometry engine's words for the fault (empty when g
// was valid).
bool Repair(std::unique_ptr<OGRMultiPolygon>& g, std::string& reason);

// True when g's polygons are rings without holes that plainly neither
// cross nor touch themselves or each other and do not lie in one another,
// so valid without asking the geometry engine; false on any doubt (points
// in a line or too near to tell, holes, a sweep that would take long),
// which the engine then settles.
bool PlainlyValid(const OGRMultiPolygon& g);

// Appends every ring of g to f (xy and ringSizes).
void AppendRings(const OGRMultiPolygon& g, PolygonFeature& f);

}  // namespace kymap
