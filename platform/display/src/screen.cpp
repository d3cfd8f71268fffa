#include "winscreen.h"

#include <cstring>

#include "gdipng.h"

namespace {
// The classic desktop teal.
constexpr DWORD kDesktopPixel = 0x00008080;
}  // namespace

KyScreen& KyScreen::Get() {
  static KyScreen* screen = new KyScreen();  // never destroyed: windows may outlive static objects
  return *screen;
}

KyScreen::KyScreen() { SetSize(1024, 768); }

BOOL KyScreen::SetSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > 8192 || height > 8192) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (m_hbm) DeleteObject(m_hbm);
  m_hbm = nullptr;
  m_pixels = nullptr;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  m_hbm = CreateDIBSection(nullptr, &bmi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (m_hbm && bits) {
    m_pixels = static_cast<DWORD*>(bits);
    m_fallback.clear();
  } else {
    m_fallback.assign(static_cast<size_t>(width) * height, 0);
    m_pixels = m_fallback.data();
  }
  m_width = width;
  m_height = height;
  for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i) m_pixels[i] = kDesktopPixel;
  return TRUE;
}

DWORD KyScreen::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= m_width || y >= m_height) return CLR_INVALID;
  return m_pixels[static_cast<size_t>(y) * m_width + x] & 0x00FFFFFF;
}

BOOL KyScreen::SavePng(const char* path) const {
  std::vector<DWORD> px(m_pixels, m_pixels + static_cast<size_t>(m_width) * m_height);
  for (DWORD& p : px) p &= 0x00FFFFFF;
  return GdiWritePngPixels(path, m_width, m_height, px.data());
}

void KyScreen::Inject(const KyInputEvent& e) {
  KyInputEvent ev = e;
  if (ev.time == 0) ev.time = Now();
  m_input.push_back(ev);
}

BOOL KyScreen::PopInput(KyInputEvent* e) {
  if (m_input.empty()) return FALSE;
  *e = m_input.front();
  m_input.pop_front();
  if (e->kind == KyInputEvent::kMouseMove || e->kind == KyInputEvent::kButtonDown ||
      e->kind == KyInputEvent::kButtonUp || e->kind == KyInputEvent::kWheel)
    m_cursorPos = POINT{e->x, e->y};
  return TRUE;
}

DWORD KyScreen::Now() {
  if (KyPresenter* p = Presenter()) return p->Now();
  return m_clock;
}

BOOL KyScreen::WaitInput(int timeoutMs) {
  KyPresenter* p = Presenter();
  if (!p) return FALSE;
  return p->Wait(timeoutMs);
}

void KyScreen::Present(const RECT& dirty) {
  if (KyPresenter* p = Presenter()) p->Present(m_pixels, m_width, m_height, dirty);
}

void KyScreen::SetCursorShape(UINT idc) {
  if (idc == m_cursor) return;
  m_cursor = idc;
  if (KyPresenter* p = Presenter()) p->SetCursorShape(idc);
}
