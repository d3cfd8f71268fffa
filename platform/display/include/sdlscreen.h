// A real window that shows the screen to a person and gives the screen the
// person's mouse and keyboard, through SDL2. It works on any X11 or Wayland
// desktop and under Xvfb.
//
//   KySdlWindow* w = KySdlWindow::Open(KyScreen::Get(), "Fill styles");
//   if (w) dlg.DoModal();   // the modal loop now waits for real input
//   delete w;
#pragma once

#include "winscreen.h"

class KySdlWindow : public KyPresenter {
 public:
  // Opens a window and makes it the screen's presenter. The window shows
  // the part of the screen that the visible top-level windows cover (all of
  // it while there are none), sized to it, and moves on the desktop as that
  // part moves (a dialog dragged by its caption). NULL (and the reason on standard error) when no display can
  // be opened, e.g. without DISPLAY.
  static KySdlWindow* Open(KyScreen& screen, const char* title);
  ~KySdlWindow() override;  // closes the window; the screen is headless again

  void Present(const DWORD* pixels, int width, int height, const RECT& dirty) override;
  BOOL Wait(int timeoutMs) override;
  DWORD Now() override;
  void SetCursorShape(UINT idc) override;
  BOOL IsOpen() override { return m_open; }

  // Takes what SDL has queued without waiting; FALSE when nothing was there.
  BOOL Pump();

  // The part of the screen the window shows: what the visible top-level
  // windows cover (a dialog and the popups that reach past it), within the
  // screen; the whole screen when none is shown.
  static RECT ShownPart(const KyScreen& screen);

 private:
  KySdlWindow() = default;
  bool Translate(const void* sdlEvent);
  void FollowShownPart();

  KyScreen* m_screen = nullptr;
  void* m_window = nullptr;
  void* m_renderer = nullptr;
  void* m_texture = nullptr;
  void* m_cursors[20] = {nullptr};
  int m_width = 0, m_height = 0;
  RECT m_view{0, 0, 0, 0};       // the part of the screen shown
  int m_originX = 0, m_originY = 0;  // where the screen's (0, 0) is on the desktop
  bool m_placed = false;          // the first dialog has been centred
  bool m_open = false;
};
