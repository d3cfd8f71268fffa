// The window manager's records. Internal to the window system.
//
// Every window is a Wnd, reached from its handle through the handle table.
// Children are kept in z-order, topmost first; a new child goes to the
// bottom, so that the creation order of a dialog's controls is both their
// z-order and their tab order. Top-level windows are children of the desktop
// record.
//
// A Wnd lives until it is destroyed and no call on it is still running:
// DestroyWindow takes the handle out of the table at once (so every later
// call fails as for a dead window) but frees the record only when the last
// message being handled by it returns.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "winuser.h"

namespace kyuser {

struct WndClass {
  std::string name;       // as registered
  std::string upperName;  // for lookups
  UINT style = 0;
  WNDPROC proc = nullptr;
  int cbWndExtra = 0;
  HINSTANCE hInstance = nullptr;
  HCURSOR hCursor = nullptr;
  HICON hIcon = nullptr;
  HBRUSH hbrBackground = nullptr;
  bool system = false;
};

struct ScrollBarState {
  int nMin = 0;
  int nMax = 100;
  UINT nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
  bool shown = false;
  bool disabled = false;
};

// A control's own state object (list box items, edit text, ...): freed with
// the record, never while one of its messages runs.
struct ControlState {
  virtual ~ControlState() = default;
};

struct Wnd {
  HWND handle = nullptr;
  WndClass* cls = nullptr;
  WNDPROC proc = nullptr;
  Wnd* parent = nullptr;  // the desktop record for top-level windows
  Wnd* owner = nullptr;
  std::vector<Wnd*> children;  // z-order, topmost first
  DWORD style = 0;
  DWORD exStyle = 0;
  std::string text;
  UINT_PTR id = 0;
  HINSTANCE hInstance = nullptr;
  LONG_PTR userData = 0;
  std::vector<BYTE> extra;
  std::map<std::string, HANDLE> props;
  RECT rcWindow{};  // in the parent's client coordinates (the screen for top-level windows)
  RECT rcClient{};  // in window coordinates (0, 0 = the window's top left)
  HFONT font = nullptr;
  DWORD listStyle = 0;  // a combo box's scroll bar styles, given to its list

  // Painting: the region still to be painted, in client coordinates.
  HRGN updateRgn = nullptr;
  bool erase = false;
  bool frameDirty = false;
  bool redraw = true;  // WM_SETREDRAW
  // What the window shows: the whole window and, on top of it, the client area.
  HBITMAP frameBmp = nullptr;
  DWORD* frameBits = nullptr;
  HBITMAP clientBmp = nullptr;
  DWORD* clientBits = nullptr;

  ScrollBarState hscroll, vscroll;
  std::unique_ptr<ControlState> control;

  int busy = 0;  // messages being handled right now
  bool destroying = false;
  bool dead = false;

  // Dialogs.
  LONG_PTR dlgResult = 0;
  DLGPROC dlgProc = nullptr;
  LONG_PTR dlgUser = 0;
  bool isDialog = false;
  bool dlgEnded = false;
  INT_PTR dlgEndResult = 0;
  HWND dlgFocus = nullptr;  // control to give the focus back to
  int dlgBaseX = 0;
  int dlgBaseY = 0;
  HFONT dlgFont = nullptr;
  bool dlgOwnsFont = false;

  int Width() const { return rcWindow.right - rcWindow.left; }
  int Height() const { return rcWindow.bottom - rcWindow.top; }
  int ClientWidth() const { return rcClient.right - rcClient.left; }
  int ClientHeight() const { return rcClient.bottom - rcClient.top; }
  bool IsChild() const { return (style & WS_CHILD) != 0; }
};

// Keeps a record alive across a call into its window procedure.
class WndRef {
 public:
  explicit WndRef(Wnd* w);
  ~WndRef();
  WndRef(const WndRef&) = delete;
  WndRef& operator=(const WndRef&) = delete;

 private:
  Wnd* m_w;
};

// The handle table and the class list.
Wnd* FromHandle(HWND h);        // NULL (and ERROR_INVALID_WINDOW_HANDLE) for a dead or unknown handle
Wnd* FromHandleQuiet(HWND h);   // the same without touching the last error
Wnd* Desktop();
WndClass* FindClass(const char* name, HINSTANCE hInstance);
void RegisterSystemClasses();
void ReleaseRecord(Wnd* w);     // frees a dead record once it is not busy

// Geometry.
POINT ClientOrigin(const Wnd* w);  // the client area's top left in screen coordinates
RECT ScreenWindowRect(const Wnd* w);
RECT ScreenClientRect(const Wnd* w);
void RecalcClient(Wnd* w);         // WM_NCCALCSIZE and the frame bitmaps
bool IsVisibleChain(const Wnd* w);

// Messages.
LRESULT Send(Wnd* w, UINT msg, WPARAM wp, LPARAM lp);
void NotifyParent(Wnd* w, UINT code);  // WM_COMMAND to the parent
void OnWindowDying(Wnd* w);            // drops focus, capture and queue entries

// Where the parts of a window's frame are, in window coordinates.
struct NcLayout {
  int frame = 0;        // border, dialog frame or sizing frame, each side
  bool thickFrame = false;
  bool dlgFrame = false;
  bool thinBorder = false;
  RECT caption{};       // empty without WS_CAPTION
  RECT close{};
  int clientEdge = 0;   // 2 for WS_EX_CLIENTEDGE, 1 for WS_EX_STATICEDGE
  RECT edgeRect{};      // the rectangle the client edge is drawn around
  RECT vscroll{}, hscroll{}, sizebox{};
  RECT client{};
};

NcLayout Layout(const Wnd* w);
LRESULT CtlColorDefault(HDC hdc, UINT msg);
// WM_CTLCOLORMSGBOX to WM_CTLCOLORSTATIC, the colour questions a control asks.
inline bool IsCtlColor(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Painting and the screen.
void EnsureSurfaces(Wnd* w);
void MarkScreenDirty();
void ComposeScreen(bool force);
bool FindPaintWork(MSG* msg);   // WM_PAINT for a window that needs it; sends WM_NCPAINT on the way
void DrawFrame(Wnd* w, HDC hdc);  // the default non-client area
HDC CreateWindowDCFor(Wnd* w, bool client);
void DrawWindowScrollBars(Wnd* w, HDC hdc);
int ScrollBarHitTest(Wnd* w, POINT ptScreen);
void TrackWindowScrollBar(Wnd* w, int bar, POINT ptScreen);

// Input state.
void SetKeyDown(int vk, bool down);
HWND CurrentFocus();
void SetFocusInternal(Wnd* w);

// Fonts and metrics.
HFONT DefaultGuiFont();
HFONT BoldGuiFont();
}  // namespace kyuser
void KyFontBaseUnits(HFONT font, int* cx, int* cy);
namespace kyuser {
int Metric(int index);

// Dialog helpers shared by the controls.
Wnd* GetDialogOf(Wnd* w);  // the nearest dialog ancestor, or NULL

// The standard controls' window procedures.
LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboLBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ScrollBarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DialogClassProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DesktopProc(HWND, UINT, WPARAM, LPARAM);

}  // namespace kyuser
