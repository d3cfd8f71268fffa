#include <cstdio>
#include <cstdlib>

#include "afxassert.h"

void AfxAssertFailed(const char* expr, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: assertion failed: %s\n", file, line, expr);
  std::abort();
}
