// The screen: the desktop's pixels and the queue of raw input that a person
// (or a test) gives it. The window system composes its windows into the
// screen and takes input from it; the screen knows nothing of windows.
//
// The pixels are a 32-bit top-down DIB section of the GDI, 0x00RRGGBB per
// pixel. Without a presenter the screen is headless: input comes only from
// Inject, and time is a virtual clock that moves only when a test says so
// (or each injected event moves it by its own time). A presenter (the SDL
// window of sdlscreen.h) shows the pixels and feeds the queue with real input
// and real time.
#pragma once

#include <deque>
#include <vector>

#include "windef.h"
#include "wingdi.h"

// One raw event. Coordinates are screen pixels; keys are virtual-key codes
// (VK_LCONTROL and VK_RCONTROL, VK_LSHIFT and VK_RSHIFT name the side);
// text is bytes of the ANSI code page, typed as one character.
struct KyInputEvent {
  enum Kind { kMouseMove, kButtonDown, kButtonUp, kWheel, kKeyDown, kKeyUp, kText };
  Kind kind = kMouseMove;
  int x = 0;
  int y = 0;
  int button = 0;  // VK_LBUTTON, VK_RBUTTON, VK_MBUTTON
  int vk = 0;
  int wheel = 0;   // multiples of WHEEL_DELTA, positive away from the user
  char text[8] = {0};
  DWORD time = 0;  // milliseconds; 0: the screen's clock at injection
};

// What shows the screen to a person. Present copies the pixels out; Wait
// blocks at most timeoutMs (-1: without limit) for input, pushes what arrived
// with Inject and returns TRUE when something did; Now is real time in ms.
class KyPresenter {
 public:
  virtual ~KyPresenter() = default;
  virtual void Present(const DWORD* pixels, int width, int height, const RECT& dirty) = 0;
  virtual BOOL Wait(int timeoutMs) = 0;
  virtual DWORD Now() = 0;
  virtual void SetCursorShape(UINT idc) = 0;
  virtual BOOL IsOpen() = 0;
};

class KyScreen {
 public:
  // The process's screen, made on first use: 1024 x 768, headless.
  static KyScreen& Get();

  // Resizes the desktop (its pixels are cleared to the desktop colour).
  // FALSE for a size that is not positive or above 8192.
  BOOL SetSize(int width, int height);
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  HBITMAP Bitmap() const { return m_hbm; }
  DWORD* Pixels() { return m_pixels; }
  const DWORD* Pixels() const { return m_pixels; }
  DWORD PixelAt(int x, int y) const;  // CLR_INVALID outside

  // Writes the pixels as a PNG. FALSE as GdiWritePngPixels.
  BOOL SavePng(const char* path) const;

  // Input.
  void Inject(const KyInputEvent& e);
  BOOL PopInput(KyInputEvent* e);
  BOOL HasInput() const { return !m_input.empty(); }

  // Time in ms: the presenter's, or the virtual clock.
  DWORD Now();
  void Advance(DWORD ms) { m_clock += ms; }

  // The presenter (not owned); NULL makes the screen headless again.
  void SetPresenter(KyPresenter* p) { m_presenter = p; }
  KyPresenter* Presenter() const { return m_presenter && m_presenter->IsOpen() ? m_presenter : nullptr; }
  // Waits for input through the presenter; FALSE at once when headless.
  BOOL WaitInput(int timeoutMs);
  // Called by the window system after it composed the pixels.
  void Present(const RECT& dirty);
  void SetCursorShape(UINT idc);
  UINT CursorShape() const { return m_cursor; }
  // Where the pointer is, as the last mouse event left it.
  POINT CursorPos() const { return m_cursorPos; }
  void SetCursorPos(POINT pt) { m_cursorPos = pt; }

  KyScreen(const KyScreen&) = delete;
  KyScreen& operator=(const KyScreen&) = delete;

 private:
  KyScreen();
  int m_width = 0;
  int m_height = 0;
  HBITMAP m_hbm = nullptr;
  DWORD* m_pixels = nullptr;
  std::vector<DWORD> m_fallback;  // when the GDI cannot make the DIB section
  std::deque<KyInputEvent> m_input;
  DWORD m_clock = 1000;
  KyPresenter* m_presenter = nullptr;
  UINT m_cursor = 32512;
  POINT m_cursorPos{0, 0};
};
