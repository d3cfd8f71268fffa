#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

int main(int argc, char** argv) {
  // Tests pin the user's locale so that string and code page choices do not
  // follow the machine they run on; a test that needs another one sets it.
  setenv("LANG", "en_US.UTF-8", 1);
  unsetenv("LC_ALL");
  unsetenv("LC_CTYPE");
  unsetenv("LC_MESSAGES");
  unsetenv("LANGUAGE");
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
