// The scenes of conformance/scenes.inc drawn by our GDI against the output
// the reference rasterizer gave for the same program (conformance/
// reference.txt). Scenes we do not yet match pixel for pixel are listed; the
// test fails when one of them starts to match too, so the list stays true.
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <fstream>

#include "gdi_fixture.h"

namespace conformance {
FILE* g_out = nullptr;
#define main RunScenes
#define printf(...) fprintf(conformance::g_out, __VA_ARGS__)
#define putchar(c) fputc(c, conformance::g_out)
#include "conformance/scenes.inc"
#undef main
#undef printf
#undef putchar
}  // namespace conformance

namespace {

std::map<std::string, std::string> Blocks(const std::string& text) {
  std::map<std::string, std::string> out;
  std::istringstream in(text);
  std::string line, name;
  while (std::getline(in, line)) {
    if (line.rfind("== ", 0) == 0)
      name = line.substr(3);
    else
      out[name] += line + "\n";
  }
  return out;
}

// This test's folder. The test data folder's sibling when the runner names
// it: a compiler cache may have made __FILE__ relative to the build folder,
// which is not where the tests run.
std::string Here() {
  if (const char* data = std::getenv("KY_TEST_DATA")) return std::string(data) + "/../gdi/";
  std::string f = __FILE__;
  return f.substr(0, f.find_last_of('/') + 1);
}

TEST(Conformance, ScenesMatchTheReferenceRasterizer) {
  std::ifstream ref(Here() + "conformance/reference.txt");
  ASSERT_TRUE(ref.good()) << "reference.txt missing";
  std::stringstream ss;
  ss << ref.rdbuf();
  char* buf = nullptr;
  size_t len = 0;
  conformance::g_out = open_memstream(&buf, &len);
  conformance::RunScenes();
  fclose(conformance::g_out);
  std::string ours(buf, len);
  free(buf);

  // FIXME: arcs pick their pixels by the angle of the pixel centre, which
  // takes a few more pixels near the end radial than the reference does and
  // keeps the end point; a 1 x 1 rectangle with a pen draws its pixel here
  // and nothing there.
  const std::set<std::string> known = {"arc whole", "arc quarter", "arc quarter 10", "rect 1x1"};
  std::map<std::string, std::string> want = Blocks(ss.str()), got = Blocks(ours);
  ASSERT_GT(want.size(), 40u);
  for (const auto& [name, pixels] : want) {
    if (known.count(name)) {
      EXPECT_NE(got[name], pixels) << name << " now matches: take it off the list";
      continue;
    }
    EXPECT_EQ(got[name], pixels) << name;
  }
}

}  // namespace
