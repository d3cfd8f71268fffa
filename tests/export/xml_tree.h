// A small tree of XML elements read with expat, so that the tests check the
// exported documents as a parser sees them, not as strings.
#pragma once

#include <expat.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace kytest {

struct XmlNode {
  std::string name;  // with its prefix, as written ("se:Rule")
  std::map<std::string, std::string> attrs;
  std::string text;  // character data directly inside, concatenated
  std::vector<std::unique_ptr<XmlNode>> children;

  // Children with the name.
  std::vector<const XmlNode*> All(const std::string& n) const {
    std::vector<const XmlNode*> out;
    for (const auto& c : children) {
      if (c->name == n) out.push_back(c.get());
    }
    return out;
  }
  // The first child with the name, or null.
  const XmlNode* First(const std::string& n) const {
    for (const auto& c : children) {
      if (c->name == n) return c.get();
    }
    return nullptr;
  }
  // The first element along a path of names ("se:Fill/se:GraphicFill"), or null.
  const XmlNode* Path(const std::string& path) const {
    const XmlNode* at = this;
    size_t start = 0;
    while (at && start <= path.size()) {
      const size_t slash = path.find('/', start);
      at = at->First(path.substr(start, slash == std::string::npos ? std::string::npos : slash - start));
      if (slash == std::string::npos) break;
      start = slash + 1;
    }
    return at;
  }
  std::string Attr(const std::string& a) const {
    auto it = attrs.find(a);
    return it == attrs.end() ? std::string() : it->second;
  }
};

// Parses a whole document; null (and *error set) when it is not well formed.
inline std::unique_ptr<XmlNode> ParseXml(const std::string& text, std::string* error) {
  struct State {
    std::unique_ptr<XmlNode> root;
    std::vector<XmlNode*> stack;
  } st;
  XML_Parser p = XML_ParserCreate("UTF-8");
  XML_SetUserData(p, &st);
  XML_SetElementHandler(
      p,
      [](void* data, const XML_Char* name, const XML_Char** atts) {
        auto* s = static_cast<State*>(data);
        auto node = std::make_unique<XmlNode>();
        node->name = name;
        for (int i = 0; atts[i]; i += 2) node->attrs[atts[i]] = atts[i + 1];
        XmlNode* raw = node.get();
        if (s->stack.empty()) {
          s->root = std::move(node);
        } else {
          s->stack.back()->children.push_back(std::move(node));
        }
        s->stack.push_back(raw);
      },
      [](void* data, const XML_Char*) { static_cast<State*>(data)->stack.pop_back(); });
  XML_SetCharacterDataHandler(p, [](void* data, const XML_Char* s, int len) {
    auto* st2 = static_cast<State*>(data);
    if (!st2->stack.empty()) st2->stack.back()->text.append(s, static_cast<size_t>(len));
  });
  const bool ok = XML_Parse(p, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
  if (!ok && error) {
    *error = std::string(XML_ErrorString(XML_GetErrorCode(p))) + " at line " +
             std::to_string(XML_GetCurrentLineNumber(p));
  }
  XML_ParserFree(p);
  return ok ? std::move(st.root) : nullptr;
}

}  // namespace kytest
