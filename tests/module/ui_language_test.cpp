// The user's UI language from the locale environment, and the thread's.
#include <gtest/gtest.h>

#include <cstdlib>

#include "afx.h"

namespace {

struct Env {
  const char* lcAll;
  const char* lcMessages;
  const char* lang;
  const char* language;
  LANGID expected;
} const kCases[] = {
    {nullptr, nullptr, "en_US.UTF-8", nullptr, 1033},
    {nullptr, nullptr, "zh_CN.UTF-8", nullptr, 2052},
    {nullptr, nullptr, "zh_TW.Big5", nullptr, 2052},
    {nullptr, nullptr, "de_DE", nullptr, 1033},
    {nullptr, nullptr, nullptr, nullptr, 1033},
    {nullptr, nullptr, "C", nullptr, 1033},
    {"zh_CN.GBK", nullptr, "en_US", nullptr, 2052},          // LC_ALL first
    {"en_GB", "zh_CN", "zh_CN", nullptr, 1033},
    {nullptr, "zh_SG", "en_US", nullptr, 2052},              // then LC_MESSAGES
    {nullptr, nullptr, "en_US", "zh_CN:en_US", 2052},        // LANGUAGE wins over the locale
    {nullptr, nullptr, "zh_CN", "fr_FR:zh_CN", 1033},        // only its first entry counts
    {nullptr, nullptr, "C", "zh_CN", 1033},                  // but not over the C locale
    {"POSIX", nullptr, nullptr, "zh_CN", 1033},
    {nullptr, nullptr, nullptr, "zh", 2052},
    {"", nullptr, "zh_CN", nullptr, 2052},                   // empty values are unset
};

void Put(const char* name, const char* value) {
  if (value) setenv(name, value, 1);
  else unsetenv(name);
}

class UILanguage : public ::testing::Test {
 protected:
  // The test program pins LANG; the other variables are cleared here too.
  void SetUp() override { TearDown(); }
  void TearDown() override {
    SetThreadUILanguage(0);
    setenv("LANG", "en_US.UTF-8", 1);
    unsetenv("LANGUAGE");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
  }
};

}  // namespace

TEST_F(UILanguage, FromTheLocaleEnvironment) {
  for (size_t i = 0; i < std::size(kCases); ++i) {
    const Env& c = kCases[i];
    Put("LC_ALL", c.lcAll);
    Put("LC_MESSAGES", c.lcMessages);
    Put("LANG", c.lang);
    Put("LANGUAGE", c.language);
    EXPECT_EQ(GetUserDefaultUILanguage(), c.expected) << "case " << i;
    EXPECT_EQ(GetThreadUILanguage(), c.expected) << "case " << i;
    EXPECT_EQ(LANGIDFROMLCID(GetUserDefaultLCID()), c.expected) << "case " << i;
  }
}

TEST_F(UILanguage, ThreadLanguageOverridesAndResets) {
  EXPECT_EQ(SetThreadUILanguage(2052), 2052);
  EXPECT_EQ(GetThreadUILanguage(), 2052);
  EXPECT_EQ(GetUserDefaultUILanguage(), 1033);  // the user's own is unchanged
  EXPECT_EQ(SetThreadUILanguage(0), 1033);
  EXPECT_EQ(GetThreadUILanguage(), 1033);

  SetLastError(0);
  EXPECT_EQ(SetThreadUILanguage(MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT)), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(GetThreadUILanguage(), 1033);
}
