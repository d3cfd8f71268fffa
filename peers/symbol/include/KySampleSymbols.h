// A small library of sample symbols for tests, tools and the default
// artwork: ids 10 to 15, in symbol sizes (see KySymStroke.h), every stroke
// following the drawing parameter's colour.
//
//   10 "dot"        one filled ellipse (type 11), a quarter of the size across
//   11 "cross"      two polylines, the full size
//   12 "star"       one filled five-pointed polygon (type 10)
//   13 "tree"       a filled rectangle trunk under a filled ellipse crown
//   14 "reed tuft"  five polylines fanning out from the base
//   15 "rock"       an outlined polygon and a polyline crack
//
// Outlined strokes draw with a pen of 0.06 symbol sizes: about a pixel and
// a half at the 6 mm a symbol pattern tile gives its symbols on a screen.
#pragma once

#include "KySymLib.h"

enum {
  kySampleDot = 10,
  kySampleCross = 11,
  kySampleStar = 12,
  kySampleTree = 13,
  kySampleReedTuft = 14,
  kySampleRock = 15,
};

CKySymLib KySampleSymbols();
