#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "afx.h"
#include "afxfileerrors.h"

namespace {

// A fresh directory per test, removed with everything in it afterwards.
class CFileTest : public testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/kyfile_XXXXXX";
    ASSERT_NE(nullptr, mkdtemp(tmpl));
    m_dir = tmpl;
  }
  void TearDown() override { std::system(("rm -rf '" + m_dir + "'").c_str()); }
  std::string Path(const char* name) const { return m_dir + "/" + name; }
  void WriteFile(const char* name, const std::string& content) {
    CFile f;
    ASSERT_TRUE(f.Open(Path(name).c_str(), CFile::modeCreate | CFile::modeWrite));
    f.Write(content.data(), static_cast<UINT>(content.size()));
  }
  std::string ReadFile(const char* name) {
    CFile f;
    EXPECT_TRUE(f.Open(Path(name).c_str(), CFile::modeRead));
    std::string s(static_cast<size_t>(f.GetLength()), '\0');
    EXPECT_EQ(s.size(), f.Read(s.data(), static_cast<UINT>(s.size())));
    return s;
  }
  std::string m_dir;
};

// Runs f and returns the cause of the CFileException* it throws, deleting
// it; -1 when nothing is thrown.
template <class F>
int ThrownCause(F f) {
  try {
    f();
  } catch (CFileException* e) {
    const int cause = e->m_cause;
    e->Delete();
    return cause;
  }
  return -1;
}

TEST_F(CFileTest, WriteThenReadBack) {
  CFile f;
  ASSERT_TRUE(f.Open(Path("a.bin").c_str(), CFile::modeCreate | CFile::modeWrite));
  EXPECT_TRUE(f.IsOpen());
  EXPECT_EQ(CString(Path("a.bin").c_str()), f.GetFilePath());
  f.Write("hello", 5);
  f.Write("", 0);
  EXPECT_EQ(5u, f.GetLength());
  EXPECT_EQ(5u, f.GetPosition());
  f.Close();
  EXPECT_FALSE(f.IsOpen());
  f.Close();  // closing a closed file does nothing

  ASSERT_TRUE(f.Open(Path("a.bin").c_str(), CFile::modeRead | CFile::shareDenyWrite));
  char buf[16] = {};
  EXPECT_EQ(3u, f.Read(buf, 3));
  EXPECT_EQ(std::string("hel"), std::string(buf, 3));
  EXPECT_EQ(2u, f.Read(buf, sizeof buf)) << "a short read returns what is left";
  EXPECT_EQ(0u, f.Read(buf, sizeof buf)) << "0 at the end";
  EXPECT_EQ(1u, f.Seek(1, CFile::begin));
  EXPECT_EQ(2u, f.Read(buf, 2));
  EXPECT_EQ(std::string("el"), std::string(buf, 2));
  EXPECT_EQ(5u, f.SeekToEnd());
  EXPECT_EQ(4u, f.Seek(-1, CFile::current));
}

TEST_F(CFileTest, CreateTruncatesUnlessNoTruncate) {
  struct Case {
    const char* name;
    UINT flags;
    bool exists;
    std::string after;
  } cases[] = {
      {"create truncates", CFile::modeCreate | CFile::modeWrite, true, "xy"},
      {"create no-truncate keeps", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite, true, "xyllo"},
      {"create no-truncate makes a missing file", CFile::modeCreate | CFile::modeNoTruncate | CFile::modeWrite,
       false, "xy"},
      {"read-write without create keeps", CFile::modeReadWrite, true, "xyllo"},
  };
  for (const Case& c : cases) {
    ::unlink(Path("t").c_str());
    if (c.exists) WriteFile("t", "hello");
    CFile f;
    ASSERT_TRUE(f.Open(Path("t").c_str(), c.flags)) << c.name;
    f.Write("xy", 2);
    f.Close();
    EXPECT_EQ(c.after, ReadFile("t")) << c.name;
  }
}

TEST_F(CFileTest, OpenFailuresAreReportedByResultAndException) {
  const std::string dir = m_dir;
  const std::string missing = Path("missing");
  const std::string inMissingDir = Path("nodir/file");
  struct Case {
    const char* name;
    std::string path;
    UINT flags;
    int cause;
    LONG os;
  } cases[] = {
      {"missing file", missing, CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
      {"missing file for writing", missing, CFile::modeWrite, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
      {"missing directory", inMissingDir, CFile::modeCreate | CFile::modeWrite, CFileException::badPath,
       ERROR_PATH_NOT_FOUND},
      {"a directory", dir, CFile::modeRead, CFileException::accessDenied, ERROR_ACCESS_DENIED},
      {"empty name", "", CFile::modeRead, CFileException::badPath, ERROR_PATH_NOT_FOUND},
      {"bad access bits", missing, 3, CFileException::genericException, ERROR_INVALID_PARAMETER},
  };
  for (const Case& c : cases) {
    CFile f;
    CFileException e;
    SetLastError(0);
    EXPECT_FALSE(f.Open(c.path.c_str(), c.flags, &e)) << c.name;
    EXPECT_FALSE(f.IsOpen()) << c.name;
    EXPECT_EQ(c.cause, e.m_cause) << c.name;
    EXPECT_EQ(c.os, e.m_lOsError) << c.name;
    EXPECT_EQ(static_cast<DWORD>(c.os), GetLastError()) << c.name;
    EXPECT_EQ(CString(c.path.c_str()), e.m_strFileName) << c.name;
    EXPECT_FALSE(f.Open(c.path.c_str(), c.flags)) << c.name << ": no exception object is fine";
  }
  EXPECT_EQ(CFileException::fileNotFound,
            ThrownCause([&] { CFile f(missing.c_str(), CFile::modeRead); }));
  // Only regular files open: a fifo with no writer is refused at once
  // instead of waiting, and a loop of links is named as such.
  ASSERT_EQ(0, mkfifo(Path("fifo").c_str(), 0644));
  ASSERT_EQ(0, symlink("loop", Path("loop").c_str()));
  const struct {
    std::string path;
    UINT flags;
    LONG os;
    const char* message;
  } special[] = {
      {Path("fifo"), CFile::modeRead, ERROR_BAD_FILE_TYPE, "it is not a regular file (a fifo, device or socket)"},
      {Path("fifo"), CFile::modeReadWrite, ERROR_BAD_FILE_TYPE, "it is not a regular file (a fifo, device or socket)"},
      {"/dev/null", CFile::modeRead, ERROR_BAD_FILE_TYPE, "it is not a regular file (a fifo, device or socket)"},
      {Path("loop"), CFile::modeRead, ERROR_CANT_RESOLVE_FILENAME, "the name is a loop of symbolic links"},
  };
  for (const auto& c : special) {
    CFile f;
    CFileException e;
    EXPECT_FALSE(f.Open(c.path.c_str(), c.flags, &e)) << c.path;
    EXPECT_EQ(c.os, e.m_lOsError) << c.path;
    EXPECT_EQ(CString((c.path + ": " + c.message).c_str()), e.GetErrorMessage()) << c.path;
  }
  CFileException e(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "x.bru");
  EXPECT_EQ(CString("x.bru: the file was not found"), e.GetErrorMessage());
}

TEST_F(CFileTest, ShareExclusiveKeepsOutASecondOpen) {
  WriteFile("s", "x");
  CFile a, b;
  ASSERT_TRUE(a.Open(Path("s").c_str(), CFile::modeReadWrite | CFile::shareExclusive));
  CFileException e;
  EXPECT_FALSE(b.Open(Path("s").c_str(), CFile::modeRead | CFile::shareExclusive, &e));
  EXPECT_EQ(CFileException::sharingViolation, e.m_cause);
  a.Close();
  EXPECT_TRUE(b.Open(Path("s").c_str(), CFile::modeRead | CFile::shareExclusive));
}

TEST_F(CFileTest, ReadWriteAndLengthFailuresThrow) {
  WriteFile("r", "abc");
  CFile closed;
  char buf[4];
  EXPECT_EQ(CFileException::invalidFile, ThrownCause([&] { closed.Read(buf, 1); }));
  EXPECT_EQ(CFileException::invalidFile, ThrownCause([&] { closed.Write("x", 1); }));
  EXPECT_EQ(CFileException::invalidFile, ThrownCause([&] { closed.GetLength(); }));
  EXPECT_EQ(CFileException::invalidFile, ThrownCause([&] { closed.Seek(0, CFile::begin); }));

  CFile ro;
  ASSERT_TRUE(ro.Open(Path("r").c_str(), CFile::modeRead));
  EXPECT_EQ(CFileException::accessDenied, ThrownCause([&] { ro.Write("x", 1); }))
      << "writing a file opened for reading";
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), GetLastError());
  EXPECT_EQ(CFileException::badSeek, ThrownCause([&] { ro.Seek(-10, CFile::begin); }));
  EXPECT_EQ(static_cast<DWORD>(ERROR_NEGATIVE_SEEK), GetLastError());
  EXPECT_EQ(CFileException::badSeek, CFileException::OsErrorToException(ERROR_NEGATIVE_SEEK));

  CFile wo;
  ASSERT_TRUE(wo.Open(Path("r").c_str(), CFile::modeWrite));
  EXPECT_EQ(CFileException::accessDenied, ThrownCause([&] { wo.Read(buf, 1); }));
  wo.SetLength(1);
  EXPECT_EQ(1u, wo.GetLength());
  wo.Close();
  EXPECT_EQ("a", ReadFile("r"));

  EXPECT_EQ(CFileException::fileNotFound, ThrownCause([&] { CFile::Remove(Path("none").c_str()); }));
  CFile::Rename(Path("r").c_str(), Path("r2").c_str());
  EXPECT_EQ("a", ReadFile("r2"));
  EXPECT_EQ(CFileException::fileNotFound,
            ThrownCause([&] { CFile::Rename(Path("r").c_str(), Path("r3").c_str()); }));
}

}  // namespace
