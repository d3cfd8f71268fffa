// The symbol library's byte image; the layout is documented in KySymLib.h.
//
// The reader builds the whole library aside and swaps it in only at the end,
// so a malformed image leaves no half-built symbol behind. Every count is
// checked against the bytes that remain before it sizes anything, and every
// loop consumes at least one fixed-size record per turn, so the work is
// bounded by the length of the image.
#include <cstring>
#include <new>

#include "KySymLib.h"

namespace {

constexpr size_t kSymbolMinBytes = 12;  // id, empty name, stroke count
constexpr size_t kStrokeFixedBytes = 20;
constexpr size_t kPointBytes = 16;

enum : BYTE { flagFill = 1, flagPenFix = 2, flagBrushFix = 4, flagsKnown = 7 };

void AddByte(CKyByteArrayEx& ar, BYTE b) { ar.Add(&b, 1); }

void AddDouble(CKyByteArrayEx& ar, double v) {
  uint64_t u;
  std::memcpy(&u, &v, sizeof u);
  BYTE b[8];
  for (int i = 0; i < 8; ++i) b[i] = static_cast<BYTE>(u >> (8 * i));
  ar.Add(b, 8);
}

void StoreStroke(CKyByteArrayEx& ar, const CKySymStroke& s) {
  AddByte(ar, s.GetStrokeType());
  AddByte(ar, static_cast<BYTE>((s.IsFilled() ? flagFill : 0) | (s.IsPenFix() ? flagPenFix : 0) |
                                (s.IsBrushFix() ? flagBrushFix : 0)));
  AddByte(ar, static_cast<BYTE>(s.GetPenStyle()));
  AddByte(ar, static_cast<BYTE>(s.GetBrushStyle()));
  AddDouble(ar, s.GetPenWidth());
  ar.Add(static_cast<long>(s.GetColor()));
  ar.Add(static_cast<long>(s.GetPointCount()));
  for (int i = 0; i < s.GetPointCount(); ++i) {
    const CPoint2D p = s.GetPoint(i);
    AddDouble(ar, p.x);
    AddDouble(ar, p.y);
  }
}

// Reads over the raw bytes with its own bounds, so that a malformed image
// does not raise the stream's sticky read-error flag for the caller.
class Reader {
 public:
  explicit Reader(const CKyByteArrayEx& ar)
      : m_p(ar.GetData()), m_n(static_cast<size_t>(ar.GetSize())) {}

  bool Ok() const { return m_ok; }
  size_t Left() const { return m_n - m_pos; }
  bool AtEnd() const { return m_ok && m_pos == m_n; }

  bool Bytes(void* out, size_t k) {
    if (!m_ok || k > Left()) return m_ok = false;
    if (k) std::memcpy(out, m_p + m_pos, k);
    m_pos += k;
    return true;
  }
  BYTE Byte() {
    BYTE b = 0;
    Bytes(&b, 1);
    return b;
  }
  long Long() {
    BYTE b[4] = {0, 0, 0, 0};
    return Bytes(b, 4) ? static_cast<long>(KyReadLE32(b)) : 0;
  }
  double Double() {
    BYTE b[8] = {};
    if (!Bytes(b, 8)) return 0.0;
    uint64_t u = 0;
    for (int i = 0; i < 8; ++i) u |= static_cast<uint64_t>(b[i]) << (8 * i);
    double v;
    std::memcpy(&v, &u, sizeof v);
    return v;
  }
  // A count of records of at least `each` bytes that the rest can hold.
  bool Count(long& n, size_t each) {
    n = Long();
    if (!m_ok || n < 0 || static_cast<size_t>(n) > Left() / each) return m_ok = false;
    return true;
  }
  bool String(CString& s) {
    long n = 0;
    if (!Count(n, 1)) return false;
    s = CString(reinterpret_cast<const char*>(m_p + m_pos), static_cast<int>(n));
    m_pos += static_cast<size_t>(n);
    return true;
  }
  void Fail() { m_ok = false; }

 private:
  const BYTE* m_p;
  size_t m_n;
  size_t m_pos = 0;
  bool m_ok = true;
};

std::unique_ptr<CKySymStroke> LoadStroke(Reader& in) {
  const BYTE type = in.Byte();
  const BYTE flags = in.Byte();
  const BYTE penStyle = in.Byte();
  const BYTE brushStyle = in.Byte();
  const double penWidth = in.Double();
  const COLORREF colour = static_cast<COLORREF>(in.Long());
  long n = 0;
  if (!in.Count(n, kPointBytes) || (flags & ~flagsKnown) || n > CKySymStroke::kMaxPoints) return nullptr;
  std::vector<CPoint2D> pts(static_cast<size_t>(n));
  for (CPoint2D& p : pts) {
    p.x = in.Double();
    p.y = in.Double();
  }
  if (!in.Ok()) return nullptr;
  auto s = std::make_unique<CKySymStroke>();
  if (!s->Make(type, pts.data(), static_cast<int>(n), penWidth, (flags & flagFill) != 0, penStyle, brushStyle,
               (flags & flagPenFix) != 0, (flags & flagBrushFix) != 0, colour))
    return nullptr;
  return s;
}

std::unique_ptr<CKySymbol> LoadSymbol(Reader& in) {
  auto sym = std::make_unique<CKySymbol>();
  const long id = in.Long();
  CString name;
  long strokes = 0;
  if (!in.Ok() || id < 0 || !in.String(name) || !in.Count(strokes, kStrokeFixedBytes)) return nullptr;
  sym->SetSymId(static_cast<DWORD>(id));
  sym->SetSymName(name);
  for (long i = 0; i < strokes; ++i) {
    std::unique_ptr<CKySymStroke> s = LoadStroke(in);
    if (!s) return nullptr;
    sym->AddStroke(s.release());
  }
  return sym;
}

}  // namespace

void CKySymLib::StoreEx(CKyByteArrayEx& ar) const {
  ar.Add(kMagic);
  ar.Add(kVersion);
  ar.Add(GetSymbolCount());
  for (const auto& sym : m_symbols) {
    ar.Add(static_cast<long>(sym->GetSymId()));
    ar.Add(sym->GetSymName());
    ar.Add(static_cast<long>(sym->GetCount()));
    for (int i = 0; i < sym->GetCount(); ++i) StoreStroke(ar, *sym->GetLastStroke(i));
  }
}

BOOL CKySymLib::LoadEx(CKyByteArrayEx& ar, int bAppend) {
  try {
    Reader in(ar);
    long count = 0;
    if (in.Long() != kMagic || in.Long() != kVersion || !in.Count(count, kSymbolMinBytes)) return FALSE;
    std::vector<std::unique_ptr<CKySymbol>> loaded;
    loaded.reserve(static_cast<size_t>(count));
    for (long i = 0; i < count; ++i) {
      std::unique_ptr<CKySymbol> sym = LoadSymbol(in);
      if (!sym) return FALSE;
      if (!loaded.empty() && sym->GetSymId() <= loaded.back()->GetSymId()) return FALSE;
      loaded.push_back(std::move(sym));
    }
    if (!in.AtEnd()) return FALSE;

    if (!bAppend || m_symbols.empty()) {
      m_symbols.swap(loaded);
      return TRUE;
    }
    // Both lists ascend. An id on both sides refuses the whole image; that is
    // checked before anything moves, so the library stays as it was.
    for (size_t a = 0, b = 0; a < m_symbols.size() && b < loaded.size();) {
      const DWORD x = m_symbols[a]->GetSymId(), y = loaded[b]->GetSymId();
      if (x == y) return FALSE;
      if (x < y)
        ++a;
      else
        ++b;
    }
    std::vector<std::unique_ptr<CKySymbol>> merged;
    merged.reserve(m_symbols.size() + loaded.size());
    size_t a = 0, b = 0;
    while (a < m_symbols.size() || b < loaded.size()) {
      if (b == loaded.size() || (a < m_symbols.size() && m_symbols[a]->GetSymId() < loaded[b]->GetSymId()))
        merged.push_back(std::move(m_symbols[a++]));
      else
        merged.push_back(std::move(loaded[b++]));
    }
    m_symbols.swap(merged);
    return TRUE;
  } catch (const std::bad_alloc&) {
    return FALSE;
  }
}
