// Writing a plan: all files or none.
#include "KyExportFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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

// Writes plainly, but fails on the file named failOn.
kyexport::FileWriter Writer(const std::string& failOn) {
  return [failOn](const std::string& path, const std::string& content, std::string* error) {
    if (!failOn.empty() && fs::path(path).filename() == failOn) {
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
  EXPECT_EQ(error, "disk full");
  EXPECT_FALSE(fs::exists(fresh));
  // Into a folder that was there: its other files stay, new ones go.
  const fs::path old = t.path / "old";
  fs::create_directory(old);
  std::ofstream(old / "keep.txt") << "k";
  std::ofstream(old / "index.html") << "old index";
  EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, old.string(), true, Writer("9-b.svg"), &error));
  EXPECT_EQ(Read(old / "keep.txt"), "k");
  EXPECT_TRUE(fs::exists(old / "index.html"));  // replaced whole, not removed
  EXPECT_FALSE(fs::exists(old / "8-a.svg"));
  EXPECT_FALSE(fs::exists(old / "9-b.svg"));
}

TEST(ExportFiles, FileAndFolderMixUpsAreRefused) {
  TempDir t;
  const fs::path file = t.path / "file.xml";
  std::ofstream(file) << "x";
  std::string error;
  EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, file.string(), true, Writer(""), &error));
  EXPECT_EQ(error, "'" + file.string() + "' is a file, but this format writes a folder");
  EXPECT_EQ(Read(file), "x");
  EXPECT_FALSE(kyexport::WritePlan({{"", "q"}}, t.path.string(), false, Writer(""), &error));
  EXPECT_EQ(error, "'" + t.path.string() + "' is a folder, but this format writes one file");
  const fs::path nested = t.path / "no" / "such";
  EXPECT_FALSE(kyexport::WritePlan(kFolderPlan, nested.string(), true, Writer(""), &error));
  EXPECT_EQ(error.rfind("cannot make the folder '" + nested.string() + "': ", 0), 0u) << error;
}

}  // namespace
