// Dialog templates: the binary form the dialog manager reads, and a builder
// that writes it, so that a module's dialogs can be declared in code and
// registered as RT_DIALOG resources.
//
// The bytes are exactly the home platform's DLGTEMPLATE: a header (packed
// to 2 bytes), the menu, class and caption as 0xFFFF + ordinal or UTF-16
// strings, the point size and face name when DS_SETFONT is set, then each
// item on a 4-byte boundary: DLGITEMTEMPLATE, class, title, and a count of
// creation bytes. DLGTEMPLATEEX (the extended form, signature 0xFFFF) is read
// as well. Texts are given to the builder as bytes of a code page (the ANSI
// one unless said) and come back out of the dialog manager in the ANSI code
// page, the form in which this system keeps text.
//
//   static KyDialogTemplate t(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
//                             0, 0, 200, 100, "Options", 8, "MS Sans Serif");
//   t.DefPushButton("OK", IDOK, 140, 80, 50, 14);
//   AFX_RESOURCE_ITEM item{RT_DIALOG, MAKEINTRESOURCE(4905), 1033, t.Data(), t.Size()};
#pragma once

#include <string>
#include <vector>

#include "codepage.h"
#include "winuser.h"

// Class ordinals of the predefined controls in templates.
#define KY_DLG_BUTTON 0x0080
#define KY_DLG_EDIT 0x0081
#define KY_DLG_STATIC 0x0082
#define KY_DLG_LISTBOX 0x0083
#define KY_DLG_SCROLLBAR 0x0084
#define KY_DLG_COMBOBOX 0x0085

class KyDialogTemplate {
 public:
  KyDialogTemplate(DWORD style, short x, short y, short cx, short cy, const char* caption, WORD pointSize = 0,
                   const char* faceName = nullptr, DWORD exStyle = 0, UINT codePage = CP_ACP);

  // A window class of the dialog's own instead of the dialog class.
  void SetClassName(const char* className);

  // Adds one control; the style is taken as it is (WS_CHILD is added by the
  // dialog manager). className NULL uses classOrdinal; text NULL leaves the
  // title empty; titleOrdinal, when not 0, names a resource (an icon of SS_ICON).
  void Control(const char* text, WORD id, const char* className, DWORD style, short x, short y, short cx,
               short cy, DWORD exStyle = 0);
  void ControlOrd(const char* text, WORD id, WORD classOrdinal, DWORD style, short x, short y, short cx, short cy,
                  DWORD exStyle = 0, WORD titleOrdinal = 0);

  // The resource script's statements, with their default styles; `style` is
  // added to them.
  void PushButton(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void DefPushButton(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void AutoCheckBox(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void AutoRadioButton(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void GroupBox(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void LText(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void CText(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void RText(const char* text, WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void EditText(WORD id, short x, short y, short cx, short cy, DWORD style = 0, DWORD exStyle = 0);
  void ListBox(WORD id, short x, short y, short cx, short cy, DWORD style = 0, DWORD exStyle = 0);
  void ComboBox(WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void ScrollBar(WORD id, short x, short y, short cx, short cy, DWORD style = 0);
  void Icon(WORD iconId, WORD id, short x, short y, DWORD style = 0);

  // The finished template (valid until the next change).
  LPCDLGTEMPLATE Get() const { return reinterpret_cast<LPCDLGTEMPLATE>(Bytes().data()); }
  const void* Data() const { return Bytes().data(); }
  DWORD Size() const { return static_cast<DWORD>(Bytes().size()); }
  const std::vector<BYTE>& Bytes() const;

 private:
  struct Item {
    DWORD style, exStyle;
    short x, y, cx, cy;
    WORD id;
    WORD classOrdinal;
    std::u16string className;
    WORD titleOrdinal;
    std::u16string title;
  };
  std::u16string Wide(const char* s) const;

  DWORD m_style, m_exStyle;
  short m_x, m_y, m_cx, m_cy;
  std::u16string m_caption, m_class, m_face;
  WORD m_pointSize;
  UINT m_codePage;
  std::vector<Item> m_items;
  mutable std::vector<BYTE> m_bytes;
  mutable bool m_built = false;
};

// A template read back: what the dialog manager makes windows from. Texts are
// in the ANSI code page.
struct KyDialogItemInfo {
  DWORD style = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DWORD id = 0;
  std::string className;  // "Button" ... for the ordinals
  std::string title;
  WORD titleOrdinal = 0;  // when the title is a resource ordinal
  std::vector<BYTE> creationData;
};
struct KyDialogInfo {
  DWORD style = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  std::string menu, className, caption;
  WORD pointSize = 0;
  WORD weight = FW_NORMAL;
  BYTE italic = 0, charset = DEFAULT_CHARSET;
  std::string faceName;
  std::vector<KyDialogItemInfo> items;
};

// Reads a DLGTEMPLATE or DLGTEMPLATEEX of cb bytes. FALSE (ERROR_INVALID_DATA)
// for a template that ends early or whose strings run past its end.
BOOL KyParseDialogTemplate(const void* pData, size_t cb, KyDialogInfo* out);

// The dialog manager's own steps, for the framework's CDialog: make a dialog
// from a template already read (NULL on failure, with the last error of the
// control or window that could not be made), and ask whether EndDialog has
// been called on it (TRUE with its result).
HWND KyCreateDialogFromInfo(HINSTANCE hInstance, const KyDialogInfo& info, HWND hWndParent, DLGPROC lpDialogFunc,
                            LPARAM dwInitParam);
BOOL KyDialogEnded(HWND hDlg, INT_PTR* pResult);
void KyDialogResetEnd(HWND hDlg);
// Shows the dialog and runs the modal loop until EndDialog; the result, or -1
// when the queue gave up (see GetMessage) or the dialog was destroyed.
INT_PTR KyRunDialogLoop(HWND hDlg);
