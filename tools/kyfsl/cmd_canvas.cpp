// kyfsl canvas: the pattern canvas alone in a window, to try its drawing
// tools by hand before the editor dialog places it. Keys: 1 to 9 choose the
// tool (Select, Erase, Pen, Line, Quarter ellipse, Rectangle, Ellipse,
// Filled rectangle, Filled ellipse), I inverts, Ctrl+Z undoes (twice redoes),
// Ctrl+C copies the floating selection, Ctrl+X cuts it, Ctrl+V pastes at the
// top-left corner, Delete drops the selection, + and - zoom, S writes the
// pattern back to FILE as a 1-bit BMP, Escape ends.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>

#include "KyFSLEditHost.h"
#include "KyFSLEditWnd.h"
#include "kyfsl.h"
#include "winscreen.h"
#ifdef KYFSL_HAVE_SDL
#include "sdlscreen.h"
#endif

namespace kyfsl {

namespace {

constexpr int kScreenW = 820, kScreenH = 640;
constexpr int kWidthEdit = 23417, kHeightEdit = 23419, kStatus = 23413, kCanvasId = 23412;

const char* const kToolNames[] = {"Select", "Erase", "Pen", "Line", "Quarter ellipse", "Rectangle", "Ellipse",
                                  "Filled rectangle", "Filled Ellipse"};

// The window around the canvas: what the editor dialog will be to it.
class CanvasFrame : public CWnd, public CKyFSLEditHost {
 public:
  BOOL Make() {
    WNDCLASS wc{};
    if (!GetClassInfoA(nullptr, "KyfslCanvasFrame", &wc)) {
      wc.lpfnWndProc = ::DefWindowProcA;
      wc.lpszClassName = "KyfslCanvasFrame";
      wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_3DFACE + 1);
      RegisterClass(&wc);
    }
    if (!CreateEx(0, "KyfslCanvasFrame", "", WS_POPUP | WS_VISIBLE, 0, 0, kScreenW, kScreenH, nullptr, nullptr))
      return FALSE;
    m_width.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY, CRect(6, 6, 56, 26), this, kWidthEdit);
    m_height.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY, CRect(60, 6, 110, 26), this, kHeightEdit);
    m_status.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_READONLY, CRect(114, 6, 420, 26), this, kStatus);
    m_tool.Create("", WS_CHILD | WS_VISIBLE, CRect(426, 8, kScreenW - 6, 26), this);
    m_help.Create("1-9 tools  I invert  Ctrl+Z/C/X/V  Del drop  +/- zoom  S save  Esc quit", WS_CHILD | WS_VISIBLE,
                  CRect(6, kScreenH - 22, kScreenW - 6, kScreenH - 4), this);
    if (!canvas.CreateEx(WS_EX_CLIENTEDGE, CKyFSLEditWnd::kClassName, "", WS_CHILD | WS_VISIBLE,
                         CRect(6, 32, kScreenW - 6, kScreenH - 28), this, kCanvasId))
      return FALSE;
    CRect rc;
    canvas.GetClientRect(&rc);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    si.nMax = rc.Height() / 58 - 1;
    si.nPage = static_cast<UINT>(rc.Height() / 58);
    canvas.SetScrollInfo(SB_VERT, &si);
    canvas.SetScrollInfo(SB_HORZ, &si);
    return TRUE;
  }

  CWnd* GetCanvasWidthEdit() override { return &m_width; }
  CWnd* GetCanvasHeightEdit() override { return &m_height; }
  CString& GetCanvasStatus() override { return m_strStatus; }
  void FillStyleSymbolAtt(int) override {}
  void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, kStatus, m_strStatus); }

  void Say(const std::string& text) {
    m_strStatus = text.c_str();
    UpdateData(FALSE);
  }
  void ShowSize() {
    char t[16];
    std::snprintf(t, sizeof t, "%d", canvas.m_nWidth);
    m_width.SetWindowText(t);
    std::snprintf(t, sizeof t, "%d", canvas.m_nHeight);
    m_height.SetWindowText(t);
  }
  void ShowTool() {
    const int i = canvas.m_nTool - KY_TOOL_SELECT;
    std::string t = std::string("tool: ") + (i >= 0 && i < 9 ? kToolNames[i] : "?") + "   cell " +
                    std::to_string(canvas.m_nCellSize);
    m_tool.SetWindowText(t.c_str());
  }
  void Refresh() {
    canvas.ScrollChange(0, 0);
    canvas.ReDraw();
    canvas.InsertSelect(1, FALSE);
    canvas.DrawSelect(TRUE);
    ShowSize();
    ShowTool();
  }

  CKyFSLEditWnd canvas;
  CString m_strStatus;

 private:
  CEdit m_width, m_height, m_status;
  CStatic m_tool, m_help;
};

void Commit(CKyFSLEditWnd& c) { c.InsertSelect(1, TRUE); }

void DropSelection(CKyFSLEditWnd& c) {
  c.InsertSelect(0, TRUE);
  c.m_rcSelect.SetRectEmpty();
  c.m_arrFloat.RemoveAll();
  c.ReDraw();
}

void Save(CanvasFrame& f, const std::string& path) {
  if (path.empty()) {
    f.Say("no FILE was given: nothing to write to");
    return;
  }
  Commit(f.canvas);
  CByteArray bytes;
  if (!f.canvas.ToByteBuffer(bytes)) {
    f.Say("the canvas is empty: nothing written");
    return;
  }
  try {
    WriteFileReplacing(path, bytes.GetData(), static_cast<size_t>(bytes.GetSize()));
    f.Say("wrote " + path);
  } catch (const Failure& e) {
    f.Say(e.message);
  }
}

// The keys of the editor's tool bar and shortcuts; TRUE when the key was one.
bool HandleKey(CanvasFrame& f, UINT vk, const std::string& path, bool& quit) {
  CKyFSLEditWnd& c = f.canvas;
  const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  if (!ctrl && vk >= '1' && vk <= '9') {
    Commit(c);
    c.m_nTool = KY_TOOL_SELECT + static_cast<int>(vk - '1');
    f.ShowTool();
    return true;
  }
  if (ctrl && vk == 'Z') {
    if (c.m_nWidth == 0 || c.m_nHeight == 0) return true;
    Commit(c);
    std::swap(c.m_nWidth, c.m_nUndoWidth);
    std::swap(c.m_nHeight, c.m_nUndoHeight);
    CByteArray t;
    t.Copy(c.m_arrBits);
    c.m_arrBits.Copy(c.m_arrUndo);
    c.m_arrUndo.Copy(t);
    f.Refresh();
    return true;
  }
  if (ctrl && (vk == 'C' || vk == 'X')) {
    if (c.m_arrFloat.IsEmpty() || c.m_rcSelect.IsRectEmpty()) return true;
    c.m_rcCopy.SetRect(0, 0, c.m_rcSelect.Width(), c.m_rcSelect.Height());
    c.m_arrCopy.Copy(c.m_arrFloat);
    if (vk == 'X') DropSelection(c);
    return true;
  }
  if (ctrl && vk == 'V') {
    if (c.m_arrCopy.IsEmpty() || c.m_nWidth == 0 || c.m_nHeight == 0) return true;
    Commit(c);
    c.SaveUndo();
    // Without the dialog's question a larger block enlarges the pattern.
    if (c.m_rcCopy.Width() > c.m_nWidth || c.m_rcCopy.Height() > c.m_nHeight) {
      c.m_nWidth = std::max(c.m_nWidth, static_cast<int>(c.m_rcCopy.Width()));
      c.m_nHeight = std::max(c.m_nHeight, static_cast<int>(c.m_rcCopy.Height()));
      c.DragBrush();
      f.Refresh();
    }
    c.m_rcSelect = c.m_rcCopy;
    c.m_arrFloat.Copy(c.m_arrCopy);
    c.m_nTool = KY_TOOL_SELECT;
    c.InsertSelect(1, FALSE);
    c.DrawSelect(TRUE);
    f.ShowTool();
    return true;
  }
  if (ctrl) return false;
  switch (vk) {
    case 'I':
      Commit(c);
      if (c.InvertBrush()) c.ReDraw();
      return true;
    case VK_DELETE:
      if (!c.m_arrFloat.IsEmpty()) DropSelection(c);
      return true;
    case VK_ADD:
    case VK_OEM_PLUS:
    case VK_SUBTRACT:
    case VK_OEM_MINUS: {
      const bool in = vk == VK_ADD || vk == VK_OEM_PLUS;
      c.m_nCellSize = std::clamp(c.m_nCellSize + (in ? 1 : -1), 1, 40);
      f.Refresh();
      return true;
    }
    case 'S':
      Save(f, path);
      return true;
    case VK_ESCAPE:
      quit = true;
      return true;
    default:
      return false;
  }
}

void Load(CKyFSLEditWnd& c, const std::string& path) {
  std::ifstream probe(path, std::ios::binary);
  if (!path.empty() && probe) {
    const std::vector<unsigned char> bytes = ReadWholeFile(path);
    CByteArray buf;
    buf.SetSize(static_cast<INT_PTR>(bytes.size()));
    if (!bytes.empty()) std::memcpy(buf.GetData(), bytes.data(), bytes.size());
    if (!c.FromByteBuffer(buf)) {
      throw Failure{"'" + path + "' is not a BMP image the canvas can show (at most 999 x 999 pixels)"};
    }
    return;
  }
  // No file yet: a new 32 x 32 pattern, as the editor's New makes one.
  c.m_nWidth = c.m_nUndoWidth = 32;
  c.m_nHeight = c.m_nUndoHeight = 32;
  c.m_arrBits.SetSize(128);
  c.m_arrUndo.Copy(c.m_arrBits);
}

void RunCanvas(const std::string& path, int cell, bool headless, const std::string& png, int afterMs) {
  // Headless, the picture is all there is to show.
  if (headless && png.empty()) throw Failure{"--headless draws into a picture: give --png FILE", 2};
  KyScreen::Get().SetSize(kScreenW, kScreenH);
  std::unique_ptr<KyPresenter> window;
  if (!headless) {
#ifdef KYFSL_HAVE_SDL
    window.reset(KySdlWindow::Open(KyScreen::Get(), path.empty() ? "kyfsl canvas" : ("kyfsl canvas " + path).c_str()));
#endif
    if (!window) {
      throw Failure{"the display cannot be opened for a window; --headless --png FILE draws to a file", 2};
    }
  }
  CanvasFrame frame;
  if (!frame.Make()) throw Failure{"the canvas window cannot be created"};
  Load(frame.canvas, path);
  frame.canvas.m_nCellSize = cell;
  frame.Refresh();
  if (!frame.canvas.m_arrImage.IsEmpty()) frame.Say("not 1 bit per pixel: shown, not editable");

  bool quit = false;
  if (!headless && afterMs >= 0) {
    static bool* s_quit = nullptr;
    s_quit = &quit;
    SetTimer(nullptr, 0, static_cast<UINT>(afterMs), [](HWND, UINT, UINT_PTR, DWORD) { *s_quit = true; });
  }
  MSG m;
  if (headless) {
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  } else {
    while (!quit && GetMessage(&m, nullptr, 0, 0) > 0) {
      if (m.message == WM_KEYDOWN && HandleKey(frame, static_cast<UINT>(m.wParam), path, quit)) continue;
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
  if (!png.empty()) {
    PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);  // composes the screen
    if (!KyScreen::Get().SavePng(png.c_str())) throw Failure{"cannot write '" + png + "'"};
  }
  frame.canvas.DestroyWindow();
  frame.DestroyWindow();
}

}  // namespace

void RegisterCanvas(CLI::App& app, const Globals&, Outcome& out) {
  auto* sub = app.add_subcommand("canvas", "draw a 1-bit pattern by hand in the editor's pattern canvas");
  auto path = std::make_shared<std::string>();
  auto cell = std::make_shared<int>(6);
  auto headless = std::make_shared<bool>(false);
  auto png = std::make_shared<std::string>();
  auto after = std::make_shared<int>(-1);
  sub->add_option("FILE", *path, ".bmp file to edit; S writes it (a new 32 x 32 pattern when it does not exist)");
  sub->add_option("--cell", *cell, "edge of one cell in screen pixels")->check(CLI::Range(1, 40));
  sub->add_flag("--headless", *headless, "draw without a window (with --png)");
  sub->add_option("--png", *png, "write the screen to this PNG at the end");
  sub->add_option("--after", *after, "end a windowed run after this many milliseconds");
  sub->callback([path, cell, headless, png, after, &out] {
    RunCanvas(*path, *cell, *headless, *png, *after);
    out.status = 0;
  });
}

}  // namespace kyfsl
