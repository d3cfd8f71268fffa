// Writing and reading binary dialog templates.
#include "dlgtemplate.h"

#include <cstring>

namespace {

std::u16string Utf8ToUtf16(const std::string& s) {
  std::u16string out;
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    char32_t cp;
    int n;
    if (c < 0x80) cp = c, n = 1;
    else if ((c >> 5) == 6) cp = c & 0x1F, n = 2;
    else if ((c >> 4) == 14) cp = c & 0x0F, n = 3;
    else cp = c & 0x07, n = 4;
    if (i + n > s.size()) break;
    for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    i += n;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

std::string Utf16ToUtf8(const std::u16string& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    char32_t cp = s[i];
    if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < s.size()) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
      ++i;
    }
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
  }
  return out;
}

std::string Utf16ToAnsi(const std::u16string& s) {
  std::string ansi;
  if (!AfxUtf8ToCodePage(Utf16ToUtf8(s), ansi, CP_ACP)) {
    // A character the ANSI page cannot hold becomes '?', as the home platform's conversion does.
    ansi.clear();
    for (char16_t c : s) ansi.push_back(c < 0x80 ? static_cast<char>(c) : '?');
  }
  return ansi;
}

void PutWord(std::vector<BYTE>& b, WORD w) {
  b.push_back(static_cast<BYTE>(w & 0xFF));
  b.push_back(static_cast<BYTE>(w >> 8));
}
void PutDword(std::vector<BYTE>& b, DWORD d) {
  PutWord(b, static_cast<WORD>(d & 0xFFFF));
  PutWord(b, static_cast<WORD>(d >> 16));
}
void PutString(std::vector<BYTE>& b, const std::u16string& s) {
  for (char16_t c : s) PutWord(b, static_cast<WORD>(c));
  PutWord(b, 0);
}
void Align4(std::vector<BYTE>& b) {
  while (b.size() % 4) b.push_back(0);
}

const char* OrdinalClass(WORD ord) {
  switch (ord) {
    case KY_DLG_BUTTON:
      return "Button";
    case KY_DLG_EDIT:
      return "Edit";
    case KY_DLG_STATIC:
      return "Static";
    case KY_DLG_LISTBOX:
      return "ListBox";
    case KY_DLG_SCROLLBAR:
      return "ScrollBar";
    case KY_DLG_COMBOBOX:
      return "ComboBox";
  }
  return nullptr;
}

class Reader {
 public:
  Reader(const BYTE* p, size_t n) : m_p(p), m_n(n) {}
  bool Word(WORD* w) {
    if (m_pos + 2 > m_n) return m_ok = false;
    *w = static_cast<WORD>(m_p[m_pos] | (m_p[m_pos + 1] << 8));
    m_pos += 2;
    return true;
  }
  bool Dword(DWORD* d) {
    WORD lo = 0, hi = 0;
    if (!Word(&lo) || !Word(&hi)) return false;
    *d = lo | (static_cast<DWORD>(hi) << 16);
    return true;
  }
  bool Short(short* s) {
    WORD w = 0;
    if (!Word(&w)) return false;
    *s = static_cast<short>(w);
    return true;
  }
  bool Byte(BYTE* b) {
    if (m_pos + 1 > m_n) return m_ok = false;
    *b = m_p[m_pos++];
    return true;
  }
  bool String(std::u16string* s) {
    s->clear();
    for (;;) {
      WORD c = 0;
      if (!Word(&c)) return false;
      if (c == 0) return true;
      s->push_back(static_cast<char16_t>(c));
    }
  }
  // sz_Or_Ord: 0 nothing, 0xFFFF an ordinal, else a string.
  bool SzOrOrd(std::u16string* s, WORD* ord) {
    *ord = 0;
    s->clear();
    WORD first = 0;
    if (!Word(&first)) return false;
    if (first == 0) return true;
    if (first == 0xFFFF) return Word(ord);
    s->push_back(static_cast<char16_t>(first));
    std::u16string rest;
    if (!String(&rest)) return false;
    *s += rest;
    return true;
  }
  bool Bytes(size_t n, std::vector<BYTE>* out) {
    if (m_pos + n > m_n) return m_ok = false;
    out->assign(m_p + m_pos, m_p + m_pos + n);
    m_pos += n;
    return true;
  }
  void Align4() { m_pos = (m_pos + 3) & ~static_cast<size_t>(3); }
  bool Ok() const { return m_ok; }

 private:
  const BYTE* m_p;
  size_t m_n;
  size_t m_pos = 0;
  bool m_ok = true;
};

}  // namespace

KyDialogTemplate::KyDialogTemplate(DWORD style, short x, short y, short cx, short cy, const char* caption,
                                   WORD pointSize, const char* faceName, DWORD exStyle, UINT codePage)
    : m_style(style), m_exStyle(exStyle), m_x(x), m_y(y), m_cx(cx), m_cy(cy), m_pointSize(pointSize),
      m_codePage(codePage) {
  m_caption = Wide(caption);
  if (faceName) {
    m_face = Wide(faceName);
    m_style |= DS_SETFONT;
  }
}

std::u16string KyDialogTemplate::Wide(const char* s) const {
  if (!s) return std::u16string();
  return Utf8ToUtf16(AfxCodePageToUtf8(s, strlen(s), m_codePage));
}

void KyDialogTemplate::SetClassName(const char* className) {
  m_class = Wide(className);
  m_built = false;
}

void KyDialogTemplate::Control(const char* text, WORD id, const char* className, DWORD style, short x, short y,
                               short cx, short cy, DWORD exStyle) {
  m_items.push_back(Item{style, exStyle, x, y, cx, cy, id, 0, Wide(className), 0, Wide(text)});
  m_built = false;
}

void KyDialogTemplate::ControlOrd(const char* text, WORD id, WORD classOrdinal, DWORD style, short x, short y,
                                  short cx, short cy, DWORD exStyle, WORD titleOrdinal) {
  m_items.push_back(Item{style, exStyle, x, y, cx, cy, id, classOrdinal, u"", titleOrdinal, Wide(text)});
  m_built = false;
}

void KyDialogTemplate::PushButton(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON | s, x, y, cx, cy);
}
void KyDialogTemplate::DefPushButton(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON | s, x, y, cx, cy);
}
void KyDialogTemplate::AutoCheckBox(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_BUTTON, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX | s, x, y, cx, cy);
}
void KyDialogTemplate::AutoRadioButton(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_BUTTON, WS_VISIBLE | BS_AUTORADIOBUTTON | s, x, y, cx, cy);
}
void KyDialogTemplate::GroupBox(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_BUTTON, WS_VISIBLE | BS_GROUPBOX | s, x, y, cx, cy);
}
void KyDialogTemplate::LText(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_STATIC, WS_VISIBLE | WS_GROUP | SS_LEFT | s, x, y, cx, cy);
}
void KyDialogTemplate::CText(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_STATIC, WS_VISIBLE | WS_GROUP | SS_CENTER | s, x, y, cx, cy);
}
void KyDialogTemplate::RText(const char* t, WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(t, id, KY_DLG_STATIC, WS_VISIBLE | WS_GROUP | SS_RIGHT | s, x, y, cx, cy);
}
void KyDialogTemplate::EditText(WORD id, short x, short y, short cx, short cy, DWORD s, DWORD ex) {
  ControlOrd(nullptr, id, KY_DLG_EDIT, WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_LEFT | s, x, y, cx, cy, ex);
}
void KyDialogTemplate::ListBox(WORD id, short x, short y, short cx, short cy, DWORD s, DWORD ex) {
  ControlOrd(nullptr, id, KY_DLG_LISTBOX, WS_VISIBLE | WS_TABSTOP | WS_BORDER | LBS_NOTIFY | s, x, y, cx, cy, ex);
}
void KyDialogTemplate::ComboBox(WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(nullptr, id, KY_DLG_COMBOBOX, WS_VISIBLE | WS_TABSTOP | s, x, y, cx, cy);
}
void KyDialogTemplate::ScrollBar(WORD id, short x, short y, short cx, short cy, DWORD s) {
  ControlOrd(nullptr, id, KY_DLG_SCROLLBAR, WS_VISIBLE | s, x, y, cx, cy);
}
void KyDialogTemplate::Icon(WORD iconId, WORD id, short x, short y, DWORD s) {
  ControlOrd(nullptr, id, KY_DLG_STATIC, WS_VISIBLE | SS_ICON | s, x, y, 0, 0, 0, iconId);
}

const std::vector<BYTE>& KyDialogTemplate::Bytes() const {
  if (m_built) return m_bytes;
  std::vector<BYTE>& b = m_bytes;
  b.clear();
  PutDword(b, m_style);
  PutDword(b, m_exStyle);
  PutWord(b, static_cast<WORD>(m_items.size()));
  PutWord(b, static_cast<WORD>(m_x));
  PutWord(b, static_cast<WORD>(m_y));
  PutWord(b, static_cast<WORD>(m_cx));
  PutWord(b, static_cast<WORD>(m_cy));
  PutWord(b, 0);  // no menu
  if (m_class.empty())
    PutWord(b, 0);
  else
    PutString(b, m_class);
  PutString(b, m_caption);
  if (m_style & DS_SETFONT) {
    PutWord(b, m_pointSize);
    PutString(b, m_face);
  }
  for (const Item& it : m_items) {
    Align4(b);
    PutDword(b, it.style);
    PutDword(b, it.exStyle);
    PutWord(b, static_cast<WORD>(it.x));
    PutWord(b, static_cast<WORD>(it.y));
    PutWord(b, static_cast<WORD>(it.cx));
    PutWord(b, static_cast<WORD>(it.cy));
    PutWord(b, it.id);
    if (it.classOrdinal) {
      PutWord(b, 0xFFFF);
      PutWord(b, it.classOrdinal);
    } else {
      PutString(b, it.className);
    }
    if (it.titleOrdinal) {
      PutWord(b, 0xFFFF);
      PutWord(b, it.titleOrdinal);
    } else {
      PutString(b, it.title);
    }
    PutWord(b, 0);  // no creation data
  }
  m_built = true;
  return b;
}

BOOL KyParseDialogTemplate(const void* pData, size_t cb, KyDialogInfo* out) {
  if (!pData || !out) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  KyDialogInfo info;
  Reader r(static_cast<const BYTE*>(pData), cb);
  WORD w0 = 0, w1 = 0;
  if (!r.Word(&w0) || !r.Word(&w1)) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  bool ex = w0 == 1 && w1 == 0xFFFF;
  WORD count = 0;
  if (ex) {
    DWORD help = 0;
    r.Dword(&help);
    r.Dword(&info.exStyle);
    r.Dword(&info.style);
  } else {
    info.style = w0 | (static_cast<DWORD>(w1) << 16);
    r.Dword(&info.exStyle);
  }
  r.Word(&count);
  r.Short(&info.x);
  r.Short(&info.y);
  r.Short(&info.cx);
  r.Short(&info.cy);
  std::u16string s;
  WORD ord = 0;
  r.SzOrOrd(&s, &ord);
  info.menu = ord ? "#" + std::to_string(ord) : Utf16ToAnsi(s);
  r.SzOrOrd(&s, &ord);
  info.className = ord ? "#" + std::to_string(ord) : Utf16ToAnsi(s);
  r.String(&s);
  info.caption = Utf16ToAnsi(s);
  if (info.style & DS_SETFONT) {
    r.Word(&info.pointSize);
    if (ex) {
      r.Word(&info.weight);
      r.Byte(&info.italic);
      r.Byte(&info.charset);
    }
    r.String(&s);
    info.faceName = Utf16ToAnsi(s);
  }
  for (WORD i = 0; i < count && r.Ok(); ++i) {
    KyDialogItemInfo it;
    r.Align4();
    if (ex) {
      DWORD help = 0;
      r.Dword(&help);
      r.Dword(&it.exStyle);
      r.Dword(&it.style);
    } else {
      r.Dword(&it.style);
      r.Dword(&it.exStyle);
    }
    r.Short(&it.x);
    r.Short(&it.y);
    r.Short(&it.cx);
    r.Short(&it.cy);
    if (ex) {
      r.Dword(&it.id);
    } else {
      WORD id = 0;
      r.Word(&id);
      it.id = id;
    }
    r.SzOrOrd(&s, &ord);
    if (ord) {
      const char* name = OrdinalClass(ord);
      it.className = name ? name : "#" + std::to_string(ord);
    } else {
      it.className = Utf16ToAnsi(s);
    }
    r.SzOrOrd(&s, &ord);
    it.titleOrdinal = ord;
    if (!ord) it.title = Utf16ToAnsi(s);
    WORD extra = 0;
    r.Word(&extra);
    if (extra) {
      // The count includes itself in the classic form.
      size_t n = ex ? extra : (extra >= 2 ? extra - 2u : 0u);
      r.Bytes(n, &it.creationData);
    }
    info.items.push_back(std::move(it));
  }
  if (!r.Ok()) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  *out = std::move(info);
  return TRUE;
}
