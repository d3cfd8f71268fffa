// Writing a plan: all files or none.
#include "KyExportFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <set>

namespace {

namespace fs = std::filesystem;

struct TempDir {
  fs::path path;
  TempDir() {
    char tmpl[] = "/tmp/kyexport-test-XXXXXX";
    path = mkdtemp(tmpl);
  }
  ~TempDir() { fs::remove_all(path); }
};

std::string Read(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The names in a folder, hidden ones too.
std::set<std::string> Names(const fs::path& dir) {
  std::set<std::string> out;
  for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
  return out;
}

// Writes plainly, but fails on the file whose name holds failOn (files are
// written under a hidden name that holds their own).
kyexport::FileWriter Writer(const std::string& failOn) {
  return [failOn](const std::string& path, const std::string& content, std::string* error) {
    if (!failOn.empty() && fs::path(path).filename().string().find(failOn) != std::string::npos) {
      *error = "disk full";
      return false;
    }
    std::ofstream(path, std::ios::binary) << content;
    return true;
  };
}

const std::vector<kyexport::ExportFile> kFolderPlan = {{"index.html", "i"}, {"8-a.svg", "a"}, {"9-b.svg", "b"}};

TEST(ExportFiles, WritesEveryFileIntoANewFolderOrOneFile) {
  TempDir t;
  const fs::path out = t.path / "out";
  std::string error;
  ASSERT_TRUE(kyexport::WritePlan(kFolderPlan, out.string(), true, Writer(""), &error)) << error;
  EXPECT_EQ(Read(out / "index.html"), "i");
  EXPECT_EQ(Read(out / "9-b.svg"), "b");
  // A plan of one file without a name writes the path itself.
  const fs::path file = t.path / "style.xml";
  ASSERT_TRUE(kyexport::WritePlan({{"", "q"}}, file.string(), false, Writer(""), &error)) << error;
  EXPECT_EQ(Read(file), "q");
}

TEST(ExportFiles, AFailedWriteTakesBackWhatItWrote) {
  TempDir t;
  // Into a folder it made: the folder goes too.
  const fs::path fresh = t.path / "fresh";
  std::string error;
  EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, fresh.string(), true, Writer("9-b.svg"), &error));
  EXPECT_EQ(error, "cannot write '" + (fresh / "9-b.svg").string() + "': disk full (nothing was changed)");
  EXPECT_FALSE(fs::exists(fresh));
  // Into a folder that was there: every file is as it was, none is added.
  const fs::path old = t.path / "old";
  fs::create_directory(old);
  std::ofstream(old / "keep.txt") << "k";
  std::ofstream(old / "index.html") << "old index";
  std::ofstream(old / "8-a.svg") << "old a";
  EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, old.string(), true, Writer("9-b.svg"), &error));
  EXPECT_EQ(Read(old / "keep.txt"), "k");
  EXPECT_EQ(Read(old / "index.html"), "old index");
  EXPECT_EQ(Read(old / "8-a.svg"), "old a");
  EXPECT_EQ(Names(old), (std::set<std::string>{"8-a.svg", "index.html", "keep.txt"}));
  // A file that was there before is replaced on success, with no hidden
  // file left behind.
  ASSERT_TRUE(kyexport::WritePlan(kFolderPlan, old.string(), true, Writer(""), &error)) << error;
  EXPECT_EQ(Read(old / "index.html"), "i");
  EXPECT_EQ(Names(old), (std::set<std::string>{"8-a.svg", "9-b.svg", "index.html", "keep.txt"}));
}

// A name of the plan taken by a folder or a fifo stops the export before a
// single file changes: index.html, first in the plan, keeps its content.
TEST(ExportFiles, ANameTakenByAFolderOrSpecialFileChangesNothing) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> block;
    const char* reason;
  } cases[] = {
      {"folder", [](const fs::path& p) { fs::create_directory(p); }, "a folder has that name"},
      {"fifo", [](const fs::path& p) { ASSERT_EQ(0, mkfifo(p.c_str(), 0644)); }, "a special file has that name"},
  };
  for (const Case& c : cases) {
    TempDir t;
    std::ofstream(t.path / "index.html") << "old index";
    c.block(t.path / "9-b.svg");
    std::string error;
    EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, t.path.string(), true, Writer(""), &error)) << c.what;
    EXPECT_EQ(error, "cannot write '" + (t.path / "9-b.svg").string() + "': " + c.reason + " (nothing was changed)");
    EXPECT_EQ(Read(t.path / "index.html"), "old index") << c.what;
    EXPECT_EQ(Names(t.path), (std::set<std::string>{"9-b.svg", "index.html"})) << c.what;
  }
}

// A link in the folder under a file's name is replaced by the file; what it
// pointed at keeps its content.
TEST(ExportFiles, ALinkInTheFolderIsReplacedNotWrittenThrough) {
  TempDir t;
  std::ofstream(t.path / "victim.txt") << "precious";
  const fs::path out = t.path / "out";
  fs::create_directory(out);
  fs::create_symlink("../victim.txt", out / "index.html");
  std::string error;
  ASSERT_TRUE(kyexport::WritePlan(kFolderPlan, out.string(), true, Writer(""), &error)) << error;
  EXPECT_EQ(Read(t.path / "victim.txt"), "precious");
  EXPECT_FALSE(fs::is_symlink(out / "index.html"));
  EXPECT_EQ(Read(out / "index.html"), "i");
}

TEST(ExportFiles, FileAndFolderMixUpsAreRefused) {
  TempDir t;
  const fs::path file = t.path / "file.xml";
  std::ofstream(file) << "x";
  std::string error;
  EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, file.string(), true, Writer(""), &error));
  EXPECT_EQ(error, "'" + file.string() + "' is a file, but this format writes a folder");
  EXPECT_EQ(Read(file), "x");
  EXPECT_FALSE(kyexport::WritePlan({{"", "q"}}, (t.path / "full.xml").string(), false, Writer("full"), &error));
  EXPECT_EQ(error, "cannot write '" + (t.path / "full.xml").string() + "': disk full (nothing was changed)");
  EXPECT_FALSE(kyexport::WritePlan({{"", "q"}}, t.path.string(), false, Writer(""), &error));
  EXPECT_EQ(error, "'" + t.path.string() + "' is a folder, but this format writes one file");
  const fs::path nested = t.path / "no" / "such";
  EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, nested.string(), true, Writer(""), &error));
  EXPECT_EQ(error.rfind("cannot make the folder '" + nested.string() + "': ", 0), 0u) << error;
}

}  // namespace
