// A harness that drives dialogs the way a person would, headless: it clicks
// controls, types, presses keys, answers modal loops with scripted steps,
// reads control states and compares screenshots.
//
//   DialogHarness h;
//   h.Then([&] { h.Type(IDC_RATE, "150"); h.Key(VK_RETURN); });   // in the modal loop
//   h.Then([&] { EXPECT_EQ(h.MessageBoxText(), "..."); h.Key(VK_RETURN); });  // in the box's loop
//   h.Then([&] { h.Click(IDCANCEL); });
//   INT_PTR r = dlg.DoModal();
//
// Steps run one at a time, each when the loop that is running (a modal
// dialog's, a message box's, or Pump's) has nothing left to do; then the
// loop handles what the step caused. When no step is left, a modal loop on
// the headless screen gives up and DoModal returns -1.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "afxwin.h"
#include "commdlg.h"
#include "gdipng.h"
#include "winscreen.h"

class DialogHarness {
 public:
  DialogHarness() {
    m_prevHook = KySetIdleHook(&DialogHarness::Idle, this, &m_prevCtx);
    KyScreen::Get().SetPresenter(nullptr);
  }
  ~DialogHarness() {
    KySetIdleHook(m_prevHook, m_prevCtx, nullptr);
    // Leave no input for the next test.
    KyInputEvent e;
    while (KyScreen::Get().PopInput(&e)) {
    }
    KyClearFileDialogAnswers();
  }
  DialogHarness(const DialogHarness&) = delete;
  DialogHarness& operator=(const DialogHarness&) = delete;

  // A step to run at the next idle point.
  void Then(std::function<void()> step) { m_steps.push_back(std::move(step)); }
  size_t StepsLeft() const { return m_steps.size(); }

  // Handles everything queued (for modeless dialogs), running steps as the
  // queue runs dry, until no step is left.
  void Pump() {
    for (;;) {
      MSG m;
      while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) Route(m);
      if (m_steps.empty()) break;
      RunStep();
    }
  }

  // The window the dialog (or message box) being tested is: the active one.
  static HWND Active() { return GetActiveWindow(); }
  static HWND Item(int id, HWND dlg = nullptr) { return GetDlgItem(dlg ? dlg : Active(), id); }

  // Mouse, in screen coordinates.
  void MoveTo(POINT p) { Inject(KyInputEvent::kMouseMove, p, 0); }
  void Click(POINT p, int button = VK_LBUTTON) {
    KyScreen::Get().Advance(1000);  // never a double click with the click before
    Inject(KyInputEvent::kMouseMove, p, 0);
    Inject(KyInputEvent::kButtonDown, p, button);
    Inject(KyInputEvent::kButtonUp, p, button);
  }
  void DoubleClick(POINT p) {
    Click(p);
    KyScreen::Get().Advance(50);
    Inject(KyInputEvent::kButtonDown, p, VK_LBUTTON);
    Inject(KyInputEvent::kButtonUp, p, VK_LBUTTON);
  }
  void Press(POINT p) {
    KyScreen::Get().Advance(1000);
    Inject(KyInputEvent::kMouseMove, p, 0);
    Inject(KyInputEvent::kButtonDown, p, VK_LBUTTON);
  }
  void Release(POINT p) { Inject(KyInputEvent::kButtonUp, p, VK_LBUTTON); }
  // Turns the wheel at p: notches away from the user when positive.
  static void Wheel(POINT p, int notches) {
    KyInputEvent e;
    e.kind = KyInputEvent::kWheel;
    e.x = p.x;
    e.y = p.y;
    e.wheel = notches;
    KyScreen::Get().Advance(1);
    KyScreen::Get().Inject(e);
  }
  // The centre of a window, or a point given in its client coordinates.
  static POINT Centre(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  }
  static POINT At(HWND h, int x, int y) {
    POINT p{x, y};
    ClientToScreen(h, &p);
    return p;
  }
  // Clicks the control id of the active dialog (or of dlg).
  void Click(int id, HWND dlg = nullptr) { Click(Centre(Item(id, dlg))); }
  void DoubleClick(int id, HWND dlg = nullptr) { DoubleClick(Centre(Item(id, dlg))); }

  // Keys: vk with its own press and release; modifiers held around it.
  void KeyDown(int vk) { InjectKey(KyInputEvent::kKeyDown, vk); }
  void KeyUp(int vk) { InjectKey(KyInputEvent::kKeyUp, vk); }
  void Key(int vk, std::initializer_list<int> held = {}) {
    for (int m : held) KeyDown(m);
    KeyDown(vk);
    KeyUp(vk);
    for (auto it = held.end(); it != held.begin();) KeyUp(*--it);
  }
  // Types text (bytes of the ANSI code page) as a person would: each
  // character's key and the character itself.
  void Type(const std::string& text) {
    for (size_t i = 0; i < text.size(); ++i) {
      KyInputEvent e;
      e.kind = KyInputEvent::kText;
      e.text[0] = text[i];
      if (IsDBCSLeadByte(static_cast<BYTE>(text[i])) && i + 1 < text.size()) e.text[1] = text[++i];
      KyScreen::Get().Inject(e);
    }
  }
  // Clicks into an edit, selects all its text and types over it.
  void Type(int id, const std::string& text, HWND dlg = nullptr) {
    HWND h = Item(id, dlg);
    Click(Centre(h));
    // Selected with the keys, after the click has put the caret somewhere.
    Key(VK_HOME, {VK_LCONTROL});
    Key(VK_END, {VK_LCONTROL, VK_LSHIFT});
    Type(text);
  }

  // Reading what the dialog shows.
  static std::string Text(HWND h) {
    char buf[4096] = {0};
    GetWindowText(h, buf, sizeof buf);
    return buf;
  }
  static std::string Text(int id, HWND dlg = nullptr) { return Text(Item(id, dlg)); }
  // The text of the message box that is up (its static of id 0xFFFF).
  static std::string MessageBoxText() {
    HWND h = GetDlgItem(Active(), 0xFFFF);
    return h ? Text(h) : std::string();
  }
  static bool IsChecked(int id, HWND dlg = nullptr) { return SendMessage(Item(id, dlg), BM_GETCHECK, 0, 0) == BST_CHECKED; }

  // Screenshots of the whole screen, composed now.
  static bool Screenshot(const std::string& path) {
    MSG m;
    PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);  // the queue composes when it looks
    return KyScreen::Get().SavePng(path.c_str()) != FALSE;
  }
  // Pixels of a rectangle of the screen, 0x00RRGGBB, rows top first.
  static std::vector<DWORD> Capture(RECT r) {
    MSG m;
    PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);
    std::vector<DWORD> out;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) out.push_back(KyScreen::Get().PixelAt(x, y));
    return out;
  }
  // Counts the pixels of the screen that differ from the PNG at path by more
  // than tolerance in some channel; -1 when the file is missing or of another size.
  static long DiffPixels(const std::string& path, int tolerance = 0) {
    int w = 0, h = 0;
    std::vector<DWORD> px;
    if (!GdiReadPngPixels(path.c_str(), &w, &h, &px)) return -1;
    KyScreen& s = KyScreen::Get();
    MSG m;
    PeekMessage(&m, nullptr, 0, 0, PM_NOREMOVE);
    if (w != s.Width() || h != s.Height()) return -1;
    long diff = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        DWORD a = px[static_cast<size_t>(y) * w + x], b = s.PixelAt(x, y);
        for (int sh = 0; sh < 24; sh += 8) {
          int d = static_cast<int>((a >> sh) & 0xFF) - static_cast<int>((b >> sh) & 0xFF);
          if (d > tolerance || d < -tolerance) {
            ++diff;
            break;
          }
        }
      }
    return diff;
  }

 private:
  static BOOL Idle(void* ctx) {
    auto* self = static_cast<DialogHarness*>(ctx);
    if (self->m_steps.empty()) return FALSE;
    self->RunStep();
    return TRUE;
  }
  void RunStep() {
    std::function<void()> step = std::move(m_steps.front());
    m_steps.pop_front();
    step();
  }
  static void Route(MSG& m) {
    for (HWND w = m.hwnd; w; w = GetParent(w)) {
      CWnd* p = CWnd::FromHandlePermanent(w);
      if (p && p->PreTranslateMessage(&m)) return;
    }
    HWND root = m.hwnd ? GetAncestor(m.hwnd, GA_ROOT) : nullptr;
    char cls[16] = {0};
    if (root) GetClassName(root, cls, sizeof cls);
    if (root && std::string(cls) == "#32770" && IsDialogMessage(root, &m)) return;
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
  static void Inject(KyInputEvent::Kind k, POINT p, int button) {
    KyInputEvent e;
    e.kind = k;
    e.x = p.x;
    e.y = p.y;
    e.button = button;
    KyScreen::Get().Advance(1);
    KyScreen::Get().Inject(e);
  }
  static void InjectKey(KyInputEvent::Kind k, int vk) {
    KyInputEvent e;
    e.kind = k;
    e.vk = vk;
    KyScreen::Get().Inject(e);
  }

  std::deque<std::function<void()>> m_steps;
  KYIDLEHOOK m_prevHook = nullptr;
  void* m_prevCtx = nullptr;
};
