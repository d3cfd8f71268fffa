#include "KyExportEntry.h"

#include <algorithm>
#include <cctype>

#include "codepage.h"

namespace kyexport {

namespace {

bool HasControl(const CString& text) {
  const char* p = text.str().data();
  for (int i = 0; i < text.GetLength(); ++i) {
    const unsigned char c = static_cast<unsigned char>(p[i]);
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

// "12, 30-39, 40" from stretches of ids, at most kShown of them; the ids
// left out are counted.
std::string IdList(const std::vector<IdRange>& stretches) {
  constexpr size_t kShown = 10;
  std::string out;
  long long hidden = 0;
  for (size_t i = 0; i < stretches.size(); ++i) {
    const IdRange& r = stretches[i];
    if (i >= kShown) {
      hidden += static_cast<long long>(r.last) - r.first + 1;
      continue;
    }
    out += (i ? ", " : "") + std::to_string(r.first);
    if (r.last != r.first) out += "-" + std::to_string(r.last);
  }
  if (hidden) out += " and " + std::to_string(hidden) + " more";
  return out;
}

// The ranges sorted, with overlapping and touching ones joined.
std::vector<IdRange> Merged(std::vector<IdRange> ranges) {
  std::sort(ranges.begin(), ranges.end(), [](const IdRange& a, const IdRange& b) { return a.first < b.first; });
  std::vector<IdRange> out;
  for (const IdRange& r : ranges) {
    if (!out.empty() && static_cast<long long>(r.first) <= static_cast<long long>(out.back().last) + 1) {
      out.back().last = std::max(out.back().last, r.last);
    } else {
      out.push_back(r);
    }
  }
  return out;
}

// Checks and converts one piece of library text; what names it in messages.
bool Decode(const CString& text, const NameDecoder& decode, const std::string& what, std::string* out,
            std::string* error) {
  if (HasControl(text)) {
    *error = what + " holds control characters";
    return false;
  }
  if (!decode(text, out)) {
    *error = what + " is not valid text of the library's code page (try --codepage)";
    return false;
  }
  return true;
}

bool GroupPathOf(CKyFillStyleLib& lib, long id, const NameDecoder& decode, std::string* path, std::string* error) {
  path->clear();
  CKyFillStyleGroup* root = lib.GetStyleGroup();
  const CKyFillStyleGroup* holder = root ? root->GetGroupWithItemID(id) : nullptr;
  // A style in the root group is shown under the root's name; below it the
  // path starts at the first sub-group, as a user names it.
  if (holder && holder == root) {
    return Decode(root->GetName(), decode, "the root group's name", path, error);
  }
  for (const CKyFillStyleGroup* g = holder; g && g != root; g = g->GetParentGroup()) {
    std::string name;
    if (!Decode(g->GetName(), decode, "a group name above style " + std::to_string(id), &name, error)) return false;
    *path = name + (path->empty() ? "" : "/" + *path);
  }
  return true;
}

}  // namespace

NameDecoder CodePageDecoder(UINT codePage) {
  return [codePage](const CString& text, std::string* utf8) {
    *utf8 = AfxCodePageToUtf8(text.str().data(), static_cast<size_t>(text.GetLength()), codePage);
    std::string back;
    return AfxUtf8ToCodePage(*utf8, back, codePage) && back == text.str();
  };
}

std::string SafeStem(long id, const std::string& name) {
  std::string out = std::to_string(id);
  std::string safe;
  for (size_t i = 0; i < name.size();) {
    const unsigned char c = static_cast<unsigned char>(name[i]);
    size_t len = 1;
    if (c >= 0xF0) len = 4;
    else if (c >= 0xE0) len = 3;
    else if (c >= 0xC0) len = 2;
    len = std::min(len, name.size() - i);
    if (safe.size() + len > 48) break;
    if (c >= 0x80) {
      safe.append(name, i, len);  // letters of other scripts are kept whole
    } else if (std::isalnum(c) || c == '-' || c == '_' || c == '.') {
      safe += static_cast<char>(c);
    } else {
      safe += '_';
    }
    i += len;
  }
  if (!safe.empty()) out += "-" + safe;
  return out;
}

bool CollectEntriesInRanges(CKyFillStyleLib& lib, const std::vector<IdRange>& ranges, const NameDecoder& decode,
                            std::vector<ExportEntry>* entries, std::string* error) {
  entries->clear();
  if (lib.GetCount() == 0) {
    *error = "the library has no styles to export";
    return false;
  }
  std::vector<long> present;
  for (long i = 0; i < lib.GetCount(); ++i) present.push_back(lib.FindIndex(i));
  std::sort(present.begin(), present.end());
  present.erase(std::unique(present.begin(), present.end()), present.end());
  std::vector<long> wanted;
  std::vector<IdRange> missing;
  if (ranges.empty()) wanted = present;
  // Walks the library's ids inside each range; the gaps between them are
  // the ids it lacks.
  for (const IdRange& r : Merged(ranges)) {
    long long next = r.first;
    for (auto it = std::lower_bound(present.begin(), present.end(), r.first); it != present.end() && *it <= r.last;
         ++it) {
      if (*it > next) missing.push_back({static_cast<long>(next), *it - 1});
      wanted.push_back(*it);
      next = static_cast<long long>(*it) + 1;
    }
    if (next <= r.last) missing.push_back({static_cast<long>(next), r.last});
  }
  if (!missing.empty()) {
    const bool one = missing.size() == 1 && missing[0].first == missing[0].last;
    *error = std::string(one ? "the library has no style " : "the library has no styles ") + IdList(missing);
    return false;
  }
  for (long id : wanted) {
    ExportEntry e;
    e.id = id;
    e.style = lib.GetFillStyle(lib.FindID(id));
    if (!Decode(e.style->GetFillStyleName(), decode, "the name of style " + std::to_string(id), &e.name, error) ||
        !GroupPathOf(lib, id, decode, &e.group, error)) {
      entries->clear();
      return false;
    }
    e.stem = SafeStem(id, e.name);
    entries->push_back(std::move(e));
  }
  return true;
}

bool CollectEntries(CKyFillStyleLib& lib, const std::vector<long>& ids, const NameDecoder& decode,
                    std::vector<ExportEntry>* entries, std::string* error) {
  std::vector<IdRange> ranges;
  for (long id : ids) ranges.push_back({id, id});
  return CollectEntriesInRanges(lib, ranges, decode, entries, error);
}

}  // namespace kyexport
