// CReplacingFile and AfxWriteFileReplacing: the target is whole or unchanged,
// links are written through, permissions kept, and no temporary file stays.
#include <gtest/gtest.h>

#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "afxreplacefile.h"

namespace {

class ReplacingFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kyreplace_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(tmpl));
    m_dir = tmpl;
  }
  void TearDown() override { std::system(("chmod -R u+w '" + m_dir + "'; rm -rf '" + m_dir + "'").c_str()); }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }
  void Put(const std::string& name, const std::string& content) { std::ofstream(Path(name)) << content; }
  std::string Get(const std::string& name) const {
    std::ifstream in(Path(name));
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::set<std::string> Names() const {
    std::set<std::string> out;
    DIR* d = opendir(m_dir.c_str());
    while (dirent* e = readdir(d)) {
      const std::string n = e->d_name;
      if (n != "." && n != "..") out.insert(n);
    }
    closedir(d);
    return out;
  }
  std::string m_dir;
};

TEST_F(ReplacingFileTest, WritesANewFile) {
  ASSERT_TRUE(AfxWriteFileReplacing(Path("new.bin").c_str(), "abc", 3));
  EXPECT_EQ("abc", Get("new.bin"));
  EXPECT_EQ(std::set<std::string>{"new.bin"}, Names());
}

TEST_F(ReplacingFileTest, ReplacesAnOldFileWhole) {
  Put("a.bin", "an older and longer content");
  ASSERT_TRUE(AfxWriteFileReplacing(Path("a.bin").c_str(), "new", 3));
  EXPECT_EQ("new", Get("a.bin"));
  EXPECT_EQ(std::set<std::string>{"a.bin"}, Names());
}

TEST_F(ReplacingFileTest, EmptyContentGivesAnEmptyFile) {
  Put("a.bin", "old");
  ASSERT_TRUE(AfxWriteFileReplacing(Path("a.bin").c_str(), nullptr, 0));
  EXPECT_EQ("", Get("a.bin"));
}

TEST_F(ReplacingFileTest, KeepsThePermissionBits) {
  static const struct {
    const char* name;
    mode_t mode;
  } cases[] = {{"640", 0640}, {"600", 0600}, {"664", 0664}, {"755", 0755}};
  for (const auto& c : cases) {
    Put(c.name, "old");
    ASSERT_EQ(0, chmod(Path(c.name).c_str(), c.mode)) << c.name;
    ASSERT_TRUE(AfxWriteFileReplacing(Path(c.name).c_str(), "new", 3)) << c.name;
    struct stat st;
    ASSERT_EQ(0, stat(Path(c.name).c_str(), &st)) << c.name;
    EXPECT_EQ(c.mode, st.st_mode & 07777) << c.name;
    EXPECT_EQ("new", Get(c.name)) << c.name;
  }
}

TEST_F(ReplacingFileTest, WritesThroughASymbolicLink) {
  Put("real.bru", "old");
  ASSERT_EQ(0, symlink("real.bru", Path("link.bru").c_str()));
  ASSERT_TRUE(AfxWriteFileReplacing(Path("link.bru").c_str(), "new", 3));
  struct stat st;
  ASSERT_EQ(0, lstat(Path("link.bru").c_str(), &st));
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_EQ("new", Get("real.bru"));
  EXPECT_EQ((std::set<std::string>{"link.bru", "real.bru"}), Names());
}

TEST_F(ReplacingFileTest, ADanglingLinkGetsItsTargetMade) {
  ASSERT_EQ(0, mkdir(Path("sub").c_str(), 0755));
  ASSERT_EQ(0, symlink("sub/later.bin", Path("link.bin").c_str()));
  ASSERT_TRUE(AfxWriteFileReplacing(Path("link.bin").c_str(), "made", 4));
  EXPECT_EQ("made", Get("sub/later.bin"));
}

TEST_F(ReplacingFileTest, AMissingFolderFailsAndWritesNothing) {
  CFileException e;
  EXPECT_FALSE(AfxWriteFileReplacing(Path("no/such/x.bin").c_str(), "abc", 3, &e));
  EXPECT_EQ(ERROR_PATH_NOT_FOUND, GetLastError());
  EXPECT_EQ(CFileException::badPath, e.m_cause);
  EXPECT_TRUE(Names().empty());
}

TEST_F(ReplacingFileTest, AFolderIsNotReplaced) {
  ASSERT_EQ(0, mkdir(Path("d").c_str(), 0755));
  EXPECT_FALSE(AfxWriteFileReplacing(Path("d").c_str(), "abc", 3));
  EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
}

// Special files keep their node and a loop of links is named as such; the
// folder is left without a temporary file. A device node is made only
// where the process may (as root).
TEST_F(ReplacingFileTest, SpecialFilesAndLinkLoopsAreRefused) {
  ASSERT_EQ(0, mkfifo(Path("fifo").c_str(), 0644));
  ASSERT_EQ(0, symlink("fifo", Path("to-fifo").c_str()));
  ASSERT_EQ(0, symlink("loop-b", Path("loop-a").c_str()));
  ASSERT_EQ(0, symlink("loop-a", Path("loop-b").c_str()));
  ASSERT_EQ(0, symlink("loop-a", Path("to-loop").c_str()));
  const bool device = mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
  struct Case {
    const char* name;
    DWORD error;
    mode_t kind;  // what the name must still be afterwards
    const char* message;
  } cases[] = {
      {"fifo", ERROR_BAD_FILE_TYPE, S_IFIFO, "it is not a regular file (a fifo, device or socket)"},
      {"to-fifo", ERROR_BAD_FILE_TYPE, S_IFLNK, "it is not a regular file (a fifo, device or socket)"},
      {"null", ERROR_BAD_FILE_TYPE, S_IFCHR, "it is not a regular file (a fifo, device or socket)"},
      {"loop-a", ERROR_CANT_RESOLVE_FILENAME, S_IFLNK, "the name is a loop of symbolic links"},
      {"to-loop", ERROR_CANT_RESOLVE_FILENAME, S_IFLNK, "the name is a loop of symbolic links"},
  };
  for (const Case& c : cases) {
    if (c.kind == S_IFCHR && !device) continue;
    CFileException e;
    SetLastError(0);
    EXPECT_FALSE(AfxWriteFileReplacing(Path(c.name).c_str(), "new", 3, &e)) << c.name;
    EXPECT_EQ(c.error, GetLastError()) << c.name;
    e.m_strFileName.Empty();
    EXPECT_STREQ(c.message, e.GetErrorMessage()) << c.name;
    struct stat st;
    ASSERT_EQ(0, lstat(Path(c.name).c_str(), &st)) << c.name;
    EXPECT_EQ(c.kind, st.st_mode & S_IFMT) << c.name;
  }
  std::set<std::string> expected{"fifo", "to-fifo", "loop-a", "loop-b", "to-loop"};
  if (device) expected.insert("null");
  EXPECT_EQ(expected, Names());
}

TEST_F(ReplacingFileTest, AbortLeavesTheTargetAndNoTemporaryFile) {
  Put("a.bin", "old");
  {
    CReplacingFile f;
    ASSERT_TRUE(f.Begin(Path("a.bin").c_str()));
    f.Write("half", 4);
    EXPECT_EQ(2u, Names().size());
  }  // destroyed without Commit
  EXPECT_EQ("old", Get("a.bin"));
  EXPECT_EQ(std::set<std::string>{"a.bin"}, Names());
}

// Under a file-size limit the write fails midway: the old file must come
// through whole and no temporary file may stay. The limit is set in a child
// process so that it does not reach the other tests.
TEST_F(ReplacingFileTest, AFileSizeLimitLeavesTheOldFileWhole) {
  const std::string old(100, 'o');
  Put("keep.bmp", old);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{1000, 1000};
    setrlimit(RLIMIT_FSIZE, &limit);
    const std::string big(5000, 'n');
    CFileException e;
    const BOOL ok = AfxWriteFileReplacing(Path("keep.bmp").c_str(), big.data(), big.size(), &e);
    _exit(ok ? 1 : GetLastError() == ERROR_FILE_TOO_LARGE && e.m_cause == CFileException::diskFull ? 0 : 2);
  }
  int status = 0;
  ASSERT_EQ(child, waitpid(child, &status, 0));
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status));
  EXPECT_EQ(old, Get("keep.bmp"));
  EXPECT_EQ(std::set<std::string>{"keep.bmp"}, Names());
}

TEST_F(ReplacingFileTest, AReadOnlyTargetIsRefused) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any file";
  Put("ro.bin", "old");
  ASSERT_EQ(0, chmod(Path("ro.bin").c_str(), 0444));
  EXPECT_FALSE(AfxWriteFileReplacing(Path("ro.bin").c_str(), "new", 3));
  EXPECT_EQ(ERROR_ACCESS_DENIED, GetLastError());
  EXPECT_EQ("old", Get("ro.bin"));
}

TEST_F(ReplacingFileTest, TheSizeLimitHasItsOwnMessage) {
  CFileException e(CFileException::diskFull, ERROR_FILE_TOO_LARGE, "x.png");
  EXPECT_STREQ("x.png: the file would be larger than allowed", e.GetErrorMessage());
}

}  // namespace
