// CKySymLib: a library of symbols, kept in ascending id order.
//
// Ids and positions. A symbol's id is its key (0 .. 0x7FFFFFFF; larger ids
// are refused so that every id is also a non-negative signed 32-bit value).
// A position is a symbol's place in the library, 0 .. count - 1, in
// ascending id order: position 0 holds the lowest id and the last position
// the highest. Adding or removing a symbol therefore moves the positions of
// the symbols after it.
//
// Ownership. The library owns every symbol it holds: AddSymbol takes the
// pointer over when it returns TRUE (on FALSE the caller still owns it), and
// RemoveSymbol, RemoveAll, LoadEx and the destructor delete symbols.
// Pointers handed out by GetSymbol stay valid until that symbol is removed or
// the library is emptied, loaded or destroyed. Copying a library copies every
// symbol deeply.
//
// Byte image (StoreEx writes it, LoadEx reads it). Every number is
// little-endian; "long" is 4 bytes, two's complement; "double" is an IEEE 754
// binary64 in 8 bytes; "string" is a long byte count n (0 or more) and then n
// bytes of the ANSI code page, no terminator.
//
//   library
//     0   4  magic, the bytes 'K' 'Y' 'S' 'L' (4B 59 53 4C)
//     4   4  version, long 1
//     8   4  symbol count, long, 0 or more
//    12      the symbols, each as below, ids strictly ascending
//   symbol
//     0   4  id, long, 0 .. 0x7FFFFFFF
//     4      name, string
//     .   4  stroke count, long, 0 or more
//     .      the strokes, each as below, in drawing order
//   stroke (20 bytes + 16 per point)
//     0   1  type (0, 1, 2, 3, 4, 10 or 11; see KySymStroke.h)
//     1   1  flags: bit 0 filled, bit 1 pen fix, bit 2 brush fix; other bits 0
//     2   1  pen style, 0 .. 5
//     3   1  brush style, 0 .. 6
//     4   8  pen width, double, symbol sizes
//    12   4  colour, COLORREF
//    16   4  point count n, long
//    20 16n  the points, each x then y, double, symbol sizes
//
// An empty library is the 12 bytes 4B 59 53 4C 01 00 00 00 00 00 00 00.
// The image runs to the end of the stream: bytes after the last symbol make
// it malformed, as do an unknown magic or version, a count that the remaining
// bytes cannot hold, ids out of order or out of range, a stroke that
// CKySymStroke::Make would refuse, and anything cut short.
#pragma once

#include <memory>
#include <vector>

#include "KySymbol.h"

class CKySymLib {
 public:
  static constexpr long kMagic = 0x4C53594B;  // "KYSL" as stored
  static constexpr long kVersion = 1;
  static constexpr DWORD kMaxId = 0x7FFFFFFF;

  CKySymLib() = default;
  CKySymLib(const CKySymLib& src) { *this = src; }
  CKySymLib(CKySymLib&&) noexcept = default;
  // A deep copy of every symbol; the target's symbols are deleted.
  CKySymLib& operator=(const CKySymLib& src);
  CKySymLib& operator=(CKySymLib&&) noexcept = default;
  ~CKySymLib() = default;

  long GetSymbolCount() const { return static_cast<long>(m_symbols.size()); }
  // The id at a position, -1 when the position is out of range.
  long GetSymbolID(long position) const;
  // The symbol with the id, still owned by the library; null when absent.
  CKySymbol* GetSymbol(unsigned long id) const;
  // The same lookup as GetSymbol; kept for the callers that use this name.
  CKySymbol* GetSymbolEx(unsigned long id) const { return GetSymbol(id); }
  // The symbol at a position, null out of range.
  CKySymbol* GetSymbolAt(long position) const;
  // The position of the symbol with the id, -1 when absent.
  long FindID(long id) const;

  // Takes the symbol over under the id it carries (GetSymId). FALSE, and
  // nothing taken, for a null symbol, an id above kMaxId or an id already in
  // the library.
  BOOL AddSymbol(CKySymbol* pSymbol);
  // Deletes the symbol with the id; FALSE when there is none.
  BOOL RemoveSymbol(long id);
  // Deletes every symbol.
  void RemoveAll() { m_symbols.clear(); }

  // Appends the byte image described above to the stream.
  void StoreEx(CKyByteArrayEx& ar) const;
  // Reads a byte image that starts at the beginning of the stream and runs to
  // its end. With bAppend 0 the library's symbols are replaced by the image's
  // (an image of an empty library empties it); with bAppend non-zero the
  // image's symbols are added to those here, and an id found on both sides
  // makes the whole load fail. FALSE for a malformed image; the library is
  // then exactly as it was, and the stream's read-error flag is not touched.
  BOOL LoadEx(CKyByteArrayEx& ar, int bAppend = 0);

  bool operator==(const CKySymLib& o) const;
  bool operator!=(const CKySymLib& o) const { return !(*this == o); }

 private:
  // Index of the first symbol whose id is not below id.
  size_t LowerBound(DWORD id) const;
  std::vector<std::unique_ptr<CKySymbol>> m_symbols;
};
