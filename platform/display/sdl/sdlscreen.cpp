// The SDL2 presenter: the screen's pixels go to a streaming texture, SDL's
// events come back as the screen's raw input.
//
// SDL2 is opened with the first window, not linked: it brings some forty
// libraries (audio, Wayland, X input) whose loading and symbol binding
// would add to the start of every program that links the display and never
// shows a window (a map drawn from the command line).
#include "sdlscreen.h"

#include <SDL.h>
#include <dlfcn.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "codepage.h"
#include "winuser.h"

namespace {

// The SDL functions the window calls, looked up in the library once.
#define KY_SDL_FUNCTIONS(X) \
  X(CreateRenderer)         \
  X(CreateSystemCursor)     \
  X(CreateTexture)          \
  X(CreateWindow)           \
  X(DestroyRenderer)        \
  X(DestroyTexture)         \
  X(DestroyWindow)          \
  X(FreeCursor)             \
  X(GetCurrentVideoDriver)  \
  X(GetDisplayBounds)       \
  X(GetError)               \
  X(GetMouseState)          \
  X(GetTicks)               \
  X(GetWindowDisplayIndex)  \
  X(InitSubSystem)          \
  X(PollEvent)              \
  X(QuitSubSystem)          \
  X(RenderClear)            \
  X(RenderCopy)             \
  X(RenderPresent)          \
  X(RenderSetLogicalSize)   \
  X(RenderWindowToLogical)  \
  X(SetCursor)              \
  X(SetWindowPosition)      \
  X(SetWindowSize)          \
  X(ShowCursor)             \
  X(StartTextInput)         \
  X(UpdateTexture)          \
  X(WaitEvent)              \
  X(WaitEventTimeout)

struct SdlApi {
#define KY_SDL_POINTER(name) decltype(&::SDL_##name) SDL_##name = nullptr;
  KY_SDL_FUNCTIONS(KY_SDL_POINTER)
#undef KY_SDL_POINTER
};

// NULL (and the reason on standard error) when SDL2 cannot be loaded.
const SdlApi* Sdl() {
  static const SdlApi* api = []() -> const SdlApi* {
    void* lib = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!lib) {
      fprintf(stderr, "KySdlWindow: SDL2 cannot be loaded: %s\n", dlerror());
      return nullptr;
    }
    static SdlApi loaded;
#define KY_SDL_LOOKUP(name)                                                                    \
  loaded.SDL_##name = reinterpret_cast<decltype(loaded.SDL_##name)>(dlsym(lib, "SDL_" #name)); \
  if (!loaded.SDL_##name) {                                                                    \
    fprintf(stderr, "KySdlWindow: SDL2 lacks SDL_%s\n", #name);                                \
    return nullptr;                                                                            \
  }
    KY_SDL_FUNCTIONS(KY_SDL_LOOKUP)
#undef KY_SDL_LOOKUP
    return &loaded;
  }();
  return api;
}

int VirtualKey(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return VK_F1 + (k - SDLK_F1);
  if (k >= SDLK_KP_1 && k <= SDLK_KP_9) return VK_NUMPAD0 + 1 + (k - SDLK_KP_1);
  switch (k) {
    case SDLK_KP_0: return VK_NUMPAD0;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VK_RETURN;
    case SDLK_ESCAPE: return VK_ESCAPE;
    case SDLK_BACKSPACE: return VK_BACK;
    case SDLK_TAB: return VK_TAB;
    case SDLK_SPACE: return VK_SPACE;
    case SDLK_DELETE: return VK_DELETE;
    case SDLK_INSERT: return VK_INSERT;
    case SDLK_HOME: return VK_HOME;
    case SDLK_END: return VK_END;
    case SDLK_PAGEUP: return VK_PRIOR;
    case SDLK_PAGEDOWN: return VK_NEXT;
    case SDLK_LEFT: return VK_LEFT;
    case SDLK_RIGHT: return VK_RIGHT;
    case SDLK_UP: return VK_UP;
    case SDLK_DOWN: return VK_DOWN;
    case SDLK_LCTRL: return VK_LCONTROL;
    case SDLK_RCTRL: return VK_RCONTROL;
    case SDLK_LSHIFT: return VK_LSHIFT;
    case SDLK_RSHIFT: return VK_RSHIFT;
    case SDLK_LALT: return VK_LMENU;
    case SDLK_RALT: return VK_RMENU;
    case SDLK_MINUS: return VK_OEM_MINUS;
    case SDLK_EQUALS: return VK_OEM_PLUS;
    case SDLK_COMMA: return VK_OEM_COMMA;
    case SDLK_PERIOD: return VK_OEM_PERIOD;
    case SDLK_SLASH: return VK_OEM_2;
    case SDLK_SEMICOLON: return VK_OEM_1;
    case SDLK_KP_MINUS: return VK_SUBTRACT;
    case SDLK_KP_PLUS: return VK_ADD;
  }
  return 0;
}

SDL_SystemCursor CursorFor(UINT idc) {
  switch (idc) {
    case 32513: return SDL_SYSTEM_CURSOR_IBEAM;
    case 32514: return SDL_SYSTEM_CURSOR_WAIT;
    case 32515: return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case 32642: return SDL_SYSTEM_CURSOR_SIZENWSE;
    case 32643: return SDL_SYSTEM_CURSOR_SIZENESW;
    case 32644: return SDL_SYSTEM_CURSOR_SIZEWE;
    case 32645: return SDL_SYSTEM_CURSOR_SIZENS;
    case 32646:
    case 32640: return SDL_SYSTEM_CURSOR_SIZEALL;
    case 32648: return SDL_SYSTEM_CURSOR_NO;
    case 32649: return SDL_SYSTEM_CURSOR_HAND;
    case 32650: return SDL_SYSTEM_CURSOR_WAITARROW;
  }
  return SDL_SYSTEM_CURSOR_ARROW;
}

}  // namespace

RECT KySdlWindow::ShownPart(const KyScreen& screen) {
  RECT all{0, 0, screen.Width(), screen.Height()};
  RECT u{0, 0, 0, 0};
  for (HWND h = GetWindow(GetDesktopWindow(), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
    RECT r{};
    if (!IsWindowVisible(h) || !GetWindowRect(h, &r) || r.right <= r.left || r.bottom <= r.top) continue;
    if (u.right <= u.left) {
      u = r;
    } else {
      u.left = std::min(u.left, r.left);
      u.top = std::min(u.top, r.top);
      u.right = std::max(u.right, r.right);
      u.bottom = std::max(u.bottom, r.bottom);
    }
  }
  RECT v{std::max(u.left, all.left), std::max(u.top, all.top), std::min(u.right, all.right),
         std::min(u.bottom, all.bottom)};
  return v.right > v.left && v.bottom > v.top ? v : all;
}

KySdlWindow* KySdlWindow::Open(KyScreen& screen, const char* title) {
  // Every other call below is made on a window opened here, with SDL2 loaded.
  if (!Sdl()) return nullptr;
  if (Sdl()->SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    fprintf(stderr, "KySdlWindow: no display: %s\n", Sdl()->SDL_GetError());
    return nullptr;
  }
  // When the desktop named by DISPLAY is not running, SDL falls back to a
  // driver without a screen: a window there is seen by nobody and a modal
  // loop on it waits for ever. Only a person who asks for such a driver
  // gets it.
  const char* driver = Sdl()->SDL_GetCurrentVideoDriver();
  const char* asked = std::getenv("SDL_VIDEODRIVER");
  if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
      !(asked && *asked)) {
    const char* display = std::getenv("DISPLAY");
    fprintf(stderr, "KySdlWindow: the display %s cannot be opened\n", display && *display ? display : "(none)");
    Sdl()->SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return nullptr;
  }
  auto* w = new KySdlWindow();
  w->m_screen = &screen;
  w->m_width = screen.Width();
  w->m_height = screen.Height();
  w->m_view = RECT{0, 0, w->m_width, w->m_height};
  SDL_Window* win = Sdl()->SDL_CreateWindow(title ? title : "", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w->m_width,
                                     w->m_height, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
  if (!win) {
    fprintf(stderr, "KySdlWindow: cannot open a window: %s\n", Sdl()->SDL_GetError());
    delete w;
    return nullptr;
  }
  w->m_window = win;
  SDL_Renderer* r = Sdl()->SDL_CreateRenderer(win, -1, SDL_RENDERER_SOFTWARE);
  if (!r) r = Sdl()->SDL_CreateRenderer(win, -1, 0);
  w->m_renderer = r;
  w->m_texture = r ? Sdl()->SDL_CreateTexture(r, SDL_PIXELFORMAT_RGB888, SDL_TEXTUREACCESS_STREAMING, w->m_width, w->m_height)
                   : nullptr;
  if (!r || !w->m_texture) {
    fprintf(stderr, "KySdlWindow: cannot draw: %s\n", Sdl()->SDL_GetError());
    delete w;
    return nullptr;
  }
  Sdl()->SDL_StartTextInput();
  w->m_open = true;
  screen.SetPresenter(w);
  w->Present(screen.Pixels(), screen.Width(), screen.Height(), RECT{0, 0, screen.Width(), screen.Height()});
  return w;
}

KySdlWindow::~KySdlWindow() {
  if (m_screen && m_screen->Presenter() == this) m_screen->SetPresenter(nullptr);
  else if (m_screen) m_screen->SetPresenter(nullptr);
  for (void* c : m_cursors)
    if (c) Sdl()->SDL_FreeCursor(static_cast<SDL_Cursor*>(c));
  if (m_texture) Sdl()->SDL_DestroyTexture(static_cast<SDL_Texture*>(m_texture));
  if (m_renderer) Sdl()->SDL_DestroyRenderer(static_cast<SDL_Renderer*>(m_renderer));
  if (m_window) Sdl()->SDL_DestroyWindow(static_cast<SDL_Window*>(m_window));
  Sdl()->SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

// The desktop window shows only the part of the screen the windows cover,
// and moves with it: dragging a dialog by its caption moves the desktop
// window on the person's desktop. The first part shown is centred there.
void KySdlWindow::FollowShownPart() {
  const RECT v = ShownPart(*m_screen);
  if (EqualRect(&v, &m_view)) return;
  auto* win = static_cast<SDL_Window*>(m_window);
  const int w = v.right - v.left, h = v.bottom - v.top;
  if (!m_placed) {
    SDL_Rect desk{0, 0, 0, 0};
    if (Sdl()->SDL_GetDisplayBounds(std::max(Sdl()->SDL_GetWindowDisplayIndex(win), 0), &desk) != 0) desk = SDL_Rect{0, 0, w, h};
    m_originX = desk.x + (desk.w - w) / 2 - v.left;
    m_originY = desk.y + (desk.h - h) / 2 - v.top;
    m_placed = v.right - v.left < m_screen->Width() || v.bottom - v.top < m_screen->Height();
  }
  if (w != m_view.right - m_view.left || h != m_view.bottom - m_view.top) Sdl()->SDL_SetWindowSize(win, w, h);
  Sdl()->SDL_SetWindowPosition(win, m_originX + v.left, m_originY + v.top);
  m_view = v;
}

void KySdlWindow::Present(const DWORD* pixels, int width, int height, const RECT&) {
  if (!m_open || width != m_width || height != m_height) return;
  FollowShownPart();
  auto* tex = static_cast<SDL_Texture*>(m_texture);
  auto* ren = static_cast<SDL_Renderer*>(m_renderer);
  Sdl()->SDL_UpdateTexture(tex, nullptr, pixels, width * 4);
  Sdl()->SDL_RenderClear(ren);
  const SDL_Rect src{m_view.left, m_view.top, m_view.right - m_view.left, m_view.bottom - m_view.top};
  Sdl()->SDL_RenderSetLogicalSize(ren, src.w, src.h);
  Sdl()->SDL_RenderCopy(ren, tex, &src, nullptr);
  Sdl()->SDL_RenderPresent(ren);
}

DWORD KySdlWindow::Now() { return Sdl()->SDL_GetTicks(); }

void KySdlWindow::SetCursorShape(UINT idc) {
  if (!m_open) return;
  if (idc == 0) {
    Sdl()->SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  Sdl()->SDL_ShowCursor(SDL_ENABLE);
  SDL_SystemCursor id = CursorFor(idc);
  if (!m_cursors[id]) m_cursors[id] = Sdl()->SDL_CreateSystemCursor(id);
  if (m_cursors[id]) Sdl()->SDL_SetCursor(static_cast<SDL_Cursor*>(m_cursors[id]));
}

bool KySdlWindow::Translate(const void* p) {
  const SDL_Event& e = *static_cast<const SDL_Event*>(p);
  KyInputEvent ev;
  ev.time = Sdl()->SDL_GetTicks();
  if (ev.time == 0) ev.time = 1;
  switch (e.type) {
    case SDL_QUIT:
      m_open = false;
      return true;
    case SDL_WINDOWEVENT:
      // A window the person resized shows the screen's part scaled to fit
      // (the renderer's logical size), and the renderer scales the mouse
      // back to it.
      if (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
        Present(m_screen->Pixels(), m_screen->Width(), m_screen->Height(), RECT{0, 0, m_width, m_height});
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) m_open = false;
      return e.window.event == SDL_WINDOWEVENT_CLOSE;
    case SDL_MOUSEMOTION:
      ev.kind = KyInputEvent::kMouseMove;
      ev.x = e.motion.x + m_view.left;
      ev.y = e.motion.y + m_view.top;
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      ev.kind = e.type == SDL_MOUSEBUTTONDOWN ? KyInputEvent::kButtonDown : KyInputEvent::kButtonUp;
      ev.x = e.button.x + m_view.left;
      ev.y = e.button.y + m_view.top;
      ev.button = e.button.button == SDL_BUTTON_RIGHT ? VK_RBUTTON : e.button.button == SDL_BUTTON_MIDDLE ? VK_MBUTTON : VK_LBUTTON;
      break;
    case SDL_MOUSEWHEEL: {
      ev.kind = KyInputEvent::kWheel;
      int x = 0, y = 0;
      Sdl()->SDL_GetMouseState(&x, &y);
      float lx = static_cast<float>(x), ly = static_cast<float>(y);
      Sdl()->SDL_RenderWindowToLogical(static_cast<SDL_Renderer*>(m_renderer), x, y, &lx, &ly);
      ev.x = static_cast<int>(lx) + m_view.left;
      ev.y = static_cast<int>(ly) + m_view.top;
      ev.wheel = e.wheel.y;
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      ev.kind = e.type == SDL_KEYDOWN ? KyInputEvent::kKeyDown : KyInputEvent::kKeyUp;
      ev.vk = VirtualKey(e.key.keysym.sym);
      if (!ev.vk) return false;
      break;
    case SDL_TEXTINPUT: {
      // One event for each character, in the ANSI code page.
      std::string utf8 = e.text.text;
      for (size_t i = 0; i < utf8.size();) {
        size_t n = 1;
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0xF0) n = 4;
        else if (c >= 0xE0) n = 3;
        else if (c >= 0xC0) n = 2;
        std::string ansi;
        if (AfxUtf8ToCodePage(utf8.substr(i, n), ansi) && !ansi.empty() && ansi.size() < sizeof ev.text) {
          KyInputEvent t;
          t.kind = KyInputEvent::kText;
          t.time = ev.time;
          for (size_t k = 0; k < ansi.size(); ++k) t.text[k] = ansi[k];
          m_screen->Inject(t);
        }
        i += n;
      }
      return true;
    }
    default:
      return false;
  }
  m_screen->Inject(ev);
  return true;
}

BOOL KySdlWindow::Pump() {
  bool any = false;
  SDL_Event e;
  while (Sdl()->SDL_PollEvent(&e))
    if (Translate(&e)) any = true;
  return any;
}

BOOL KySdlWindow::Wait(int timeoutMs) {
  if (!m_open) return FALSE;
  if (Pump()) return TRUE;
  SDL_Event e;
  int got = timeoutMs < 0 ? Sdl()->SDL_WaitEvent(&e) : Sdl()->SDL_WaitEventTimeout(&e, timeoutMs);
  bool any = false;
  if (got && Translate(&e)) any = true;
  if (Pump()) any = true;
  return any;
}
