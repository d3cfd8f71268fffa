#include "KySampleSymbols.h"

#include <cmath>
#include <initializer_list>
#include <vector>

namespace {

// Line weight of the outlined samples, in symbol sizes.
constexpr double kLine = 0.06;

class SymbolBuilder {
 public:
  SymbolBuilder(DWORD id, const char* name) : m_sym(new CKySymbol) {
    m_sym->SetSymId(id);
    m_sym->SetSymName(name);
  }
  void Polyline(std::initializer_list<CPoint2D> pts) {
    const std::vector<CPoint2D> v(pts);
    auto* s = new CKySymStroke;
    VERIFY(s->MakeStroke_Polyline(v.data(), static_cast<int>(v.size()), kLine, 0, FALSE, 0));
    m_sym->AddStroke(s);
  }
  void Outline(const std::vector<CPoint2D>& v) {
    auto* s = new CKySymStroke;
    VERIFY(s->MakeStroke_Polygon(v.data(), static_cast<int>(v.size()), kLine, FALSE, 0, 0, FALSE, FALSE, 0));
    m_sym->AddStroke(s);
  }
  void FilledPolygon(const std::vector<CPoint2D>& v) {
    auto* s = new CKySymStroke;
    VERIFY(s->MakeStroke_FilledPolygon(v.data(), static_cast<int>(v.size()), 0, FALSE, 0));
    m_sym->AddStroke(s);
  }
  void FilledEllipse(CPoint2D a, CPoint2D b) {
    auto* s = new CKySymStroke;
    VERIFY(s->MakeStroke_FilledEllipse(a, b, 0, FALSE, 0));
    m_sym->AddStroke(s);
  }
  void FilledRectangle(CPoint2D a, CPoint2D b) {
    auto* s = new CKySymStroke;
    VERIFY(s->MakeStroke_Rectangle(a, b, 0.0, TRUE, 0, 0, FALSE, FALSE, 0));
    m_sym->AddStroke(s);
  }
  void AddTo(CKySymLib& lib) { VERIFY(lib.AddSymbol(m_sym)); }

 private:
  CKySymbol* m_sym;
};

std::vector<CPoint2D> StarPoints() {
  // Five outer points on radius 0.5 and five inner ones on 0.2, starting at
  // the top (y grows downward) and going clockwise.
  std::vector<CPoint2D> v;
  for (int i = 0; i < 10; ++i) {
    const double r = (i % 2) ? 0.2 : 0.5;
    const double a = i * M_PI / 5.0;
    v.emplace_back(r * std::sin(a), -r * std::cos(a));
  }
  return v;
}

}  // namespace

CKySymLib KySampleSymbols() {
  CKySymLib lib;

  SymbolBuilder dot(kySampleDot, "dot");
  dot.FilledEllipse({-0.125, -0.125}, {0.125, 0.125});
  dot.AddTo(lib);

  SymbolBuilder cross(kySampleCross, "cross");
  cross.Polyline({{-0.5, 0.0}, {0.5, 0.0}});
  cross.Polyline({{0.0, -0.5}, {0.0, 0.5}});
  cross.AddTo(lib);

  SymbolBuilder star(kySampleStar, "star");
  star.FilledPolygon(StarPoints());
  star.AddTo(lib);

  SymbolBuilder tree(kySampleTree, "tree");
  tree.FilledRectangle({-0.06, 0.1}, {0.06, 0.5});
  tree.FilledEllipse({-0.35, -0.5}, {0.35, 0.15});
  tree.AddTo(lib);

  SymbolBuilder reed(kySampleReedTuft, "reed tuft");
  reed.Polyline({{-0.04, 0.5}, {-0.25, 0.1}, {-0.45, -0.15}});
  reed.Polyline({{-0.02, 0.5}, {-0.12, 0.0}, {-0.22, -0.4}});
  reed.Polyline({{0.0, 0.5}, {0.0, -0.5}});
  reed.Polyline({{0.02, 0.5}, {0.12, 0.0}, {0.22, -0.4}});
  reed.Polyline({{0.04, 0.5}, {0.25, 0.1}, {0.45, -0.15}});
  reed.AddTo(lib);

  SymbolBuilder rock(kySampleRock, "rock");
  // Outlined, so that the crack shows: a line over a fill of the same
  // colour would vanish.
  rock.Outline({{-0.45, 0.3}, {-0.35, -0.1}, {-0.1, -0.3}, {0.2, -0.25}, {0.45, 0.05}, {0.4, 0.3}});
  rock.Polyline({{-0.1, -0.3}, {0.0, -0.02}, {0.12, 0.14}});
  rock.AddTo(lib);

  return lib;
}
