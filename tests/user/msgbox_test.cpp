// Message boxes: the buttons of each type, the answers they return to
// clicks and keys, icons, the default button, and AfxMessageBox by string id.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialog_harness.h"
#include "resimage.h"

namespace {

constexpr UINT IDS_SAVE_FILE = 23007;

const AFX_RESOURCE_STRING kStrings[] = {{IDS_SAVE_FILE, LANGID_ENGLISH_US, "Save File?"}};
AFX_RESOURCE_SECTION(RegisterMessageBoxStrings) { AfxRegisterStrings(hModule, kStrings, 1); }

struct Button {
  int id;
  std::string text;
  bool operator==(const Button& o) const { return id == o.id && text == o.text; }
};
std::ostream& operator<<(std::ostream& os, const Button& b) { return os << "{" << b.id << "," << b.text << "}"; }

// The push buttons of the box that is up, in their order.
std::vector<Button> Buttons() {
  std::vector<Button> out;
  for (HWND c = GetWindow(DialogHarness::Active(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char cls[32] = {0};
    GetClassName(c, cls, sizeof cls);
    if (std::string(cls) == "Button") out.push_back({GetDlgCtrlID(c), DialogHarness::Text(c)});
  }
  return out;
}

TEST(MsgBox, EachTypeHasItsButtons) {
  struct Case {
    const char* name;
    UINT type;
    std::vector<Button> buttons;
  };
  const Case cases[] = {
      {"ok", MB_OK, {{IDOK, "OK"}}},
      {"okcancel", MB_OKCANCEL, {{IDOK, "OK"}, {IDCANCEL, "Cancel"}}},
      {"yesnocancel", MB_YESNOCANCEL, {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}}},
      {"yesno", MB_YESNO, {{IDYES, "&Yes"}, {IDNO, "&No"}}},
      {"retrycancel", MB_RETRYCANCEL, {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}}},
      {"abortretryignore", MB_ABORTRETRYIGNORE, {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}}},
  };
  for (const Case& c : cases) {
    DialogHarness h;
    h.Then([&] {
      EXPECT_EQ(Buttons(), c.buttons) << c.name;
      EXPECT_EQ(h.MessageBoxText(), "Text") << c.name;
      EXPECT_EQ(h.Text(h.Active()), "Caption") << c.name;
      h.Click(c.buttons.back().id);
    });
    EXPECT_EQ(MessageBox(nullptr, "Text", "Caption", c.type), c.buttons.back().id) << c.name;
    EXPECT_EQ(h.StepsLeft(), 0u) << c.name;
  }
}

TEST(MsgBox, KeysAnswerAsTheBoxAllows) {
  struct Case {
    const char* name;
    UINT type;
    std::vector<int> keys;  // pressed in turn, each in a step of its own
    int result;
  };
  const Case cases[] = {
      {"enter takes the first button", MB_YESNOCANCEL, {VK_RETURN}, IDYES},
      {"the second default button", MB_YESNOCANCEL | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
      {"the third default button", MB_YESNOCANCEL | MB_DEFBUTTON3, {VK_RETURN}, IDCANCEL},
      {"escape cancels", MB_YESNOCANCEL, {VK_ESCAPE}, IDCANCEL},
      {"escape in ok-cancel", MB_OKCANCEL, {VK_ESCAPE}, IDCANCEL},
      {"escape answers a lone OK", MB_OK, {VK_ESCAPE}, IDOK},
      {"yes-no has no cancel", MB_YESNO, {VK_ESCAPE, VK_TAB, VK_RETURN}, IDNO},
  };
  for (const Case& c : cases) {
    DialogHarness h;
    for (int k : c.keys) h.Then([&h, k] { h.Key(k); });
    EXPECT_EQ(MessageBox(nullptr, "Question", "Keys", c.type), c.result) << c.name;
    EXPECT_EQ(h.StepsLeft(), 0u) << c.name;
  }
}

TEST(MsgBox, IconsShowBesideTheText) {
  for (UINT icon : std::vector<UINT>{MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONHAND, MB_ICONASTERISK, 0}) {
    DialogHarness h;
    int icons = 0;
    h.Then([&] {
      for (HWND c = GetWindow(h.Active(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if ((GetWindowLong(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && DialogHarness::Text(c).empty()) {
          char cls[16] = {0};
          GetClassName(c, cls, sizeof cls);
          if (std::string(cls) == "Static") ++icons;
        }
      h.Key(VK_RETURN);
    });
    EXPECT_EQ(MessageBox(nullptr, "Text", "Icon", MB_OK | icon), IDOK);
    EXPECT_EQ(icons, icon ? 1 : 0) << icon;
  }
}

TEST(MsgBox, AfxMessageBoxLoadsItsTextAndIsModalToTheActiveWindow) {
  DialogHarness h;
  AfxSetResourceHandle(GetModuleHandle(nullptr));
  HWND owner = CreateWindowEx(0, "Static", "Owner", WS_POPUP | WS_VISIBLE, 10, 10, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
  SetActiveWindow(owner);
  h.Then([&] {
    EXPECT_EQ(h.MessageBoxText(), "Save File?");
    EXPECT_FALSE(IsWindowEnabled(owner));
    EXPECT_EQ(GetWindow(h.Active(), GW_OWNER), owner);
    EXPECT_TRUE(DialogHarness::Screenshot(testing::TempDir() + "message_box_yesnocancel.png"));
    h.Click(IDNO);
  });
  EXPECT_EQ(AfxMessageBox(IDS_SAVE_FILE, MB_YESNOCANCEL), IDNO);
  EXPECT_EQ(h.StepsLeft(), 0u);
  EXPECT_TRUE(IsWindowEnabled(owner));
  DestroyWindow(owner);
}

TEST(MsgBox, ABoxThatNobodyAnswersGivesUp) {
  DialogHarness h;  // no steps: the headless queue can never fill
  EXPECT_EQ(MessageBox(nullptr, "Nobody", "Alone", MB_YESNO), 0);
}

}  // namespace
