// The styles an export writes, with their names and group paths already in
// UTF-8 and a file name stem that is safe on every file system.
//
// Library text is bytes of a code page (the built-in library's is GB2312);
// a NameDecoder turns it into UTF-8 and refuses bytes that are not text of
// that page. Names may hold anything else: the stem is made safe, the XML
// writers escape the full name.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "KyFillStyleLib.h"

namespace kyexport {

struct ExportEntry {
  long id = -1;
  std::string name;   // UTF-8, as in the library
  std::string group;  // "Vegetation/Forest" below the root group; the root's name in the root; "" in none
  std::string stem;   // "23-Forest_edge": the id, then the name with unsafe characters replaced
  CKyFillStyle* style = nullptr;  // borrowed from the library
};

// Converts library text to UTF-8. Returns false when the bytes are not
// valid text of the code page.
using NameDecoder = std::function<bool(const CString& text, std::string* utf8)>;

// A decoder for a code page (0: the platform's ANSI page) that refuses bytes
// which do not convert to UTF-8 and back unchanged.
NameDecoder CodePageDecoder(UINT codePage);

// Ids from first to last, both included.
struct IdRange {
  long first = 0;
  long last = 0;
};

// The entries for the ids in the ranges (all styles when ranges is empty),
// ascending by id, each once; the ranges are never expanded, so their
// width costs nothing. Returns false with *error set to one line when the
// library is empty, when the ranges name ids the library lacks (the first
// ten stretches of them, then "and N more"), or when a name or group name
// holds control characters or is not valid text of the decoder's page.
bool CollectEntriesInRanges(CKyFillStyleLib& lib, const std::vector<IdRange>& ranges, const NameDecoder& decode,
                            std::vector<ExportEntry>* entries, std::string* error);

// The same for single ids.
bool CollectEntries(CKyFillStyleLib& lib, const std::vector<long>& ids, const NameDecoder& decode,
                    std::vector<ExportEntry>* entries, std::string* error);

// The file name stem for an id and UTF-8 name: letters, digits (any
// script), '-', '_' and '.' are kept, everything else becomes '_', at most
// 48 bytes of the name, cut between characters.
std::string SafeStem(long id, const std::string& name);

}  // namespace kyexport
