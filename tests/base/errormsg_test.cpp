#include <gtest/gtest.h>

#include "KyROdi50.h"

namespace {

TEST(KyGetErrorMsgObj, IsOneObjectForTheProcess) {
  EXPECT_NE(nullptr, KyGetErrorMsgObj());
  EXPECT_EQ(KyGetErrorMsgObj(), KyGetErrorMsgObj());
}

TEST(CKyErrorMsg, CatchLastErrorReadsBackSetLastError) {
  CKyErrorMsg* e = KyGetErrorMsgObj();
  e->Reset();
  EXPECT_EQ(0u, e->GetLastErrorCode());
  EXPECT_EQ(0, e->GetCount());
  const DWORD codes[] = {ERROR_RESOURCE_NAME_NOT_FOUND, ERROR_NOT_ENOUGH_MEMORY, ERROR_INVALID_BITMAP_HANDLE, 0};
  long n = 0;
  for (DWORD code : codes) {
    SetLastError(code);
    EXPECT_EQ(code, e->CatchLastError()) << code;
    EXPECT_EQ(code, e->GetLastErrorCode()) << code;
    EXPECT_EQ(++n, e->GetCount()) << "every catch counts, also of 0";
    EXPECT_EQ(code, GetLastError()) << "catching does not change the last error";
  }
  e->SetError(ERROR_ACCESS_DENIED);
  EXPECT_EQ(static_cast<DWORD>(ERROR_ACCESS_DENIED), e->GetLastErrorCode());
  EXPECT_EQ(n + 1, e->GetCount());
  e->Reset();
  EXPECT_EQ(0u, e->GetLastErrorCode());
  EXPECT_EQ(0, e->GetCount());
}

TEST(CKyErrorMsg, TextNamesTheCode) {
  struct { DWORD code; const char* text; } cases[] = {
      {ERROR_SUCCESS, "no error"},
      {ERROR_FILE_NOT_FOUND, "file not found"},
      {ERROR_ACCESS_DENIED, "access denied"},
      {ERROR_NOT_ENOUGH_MEMORY, "not enough memory"},
      {ERROR_OUTOFMEMORY, "not enough memory"},
      {ERROR_INVALID_PARAMETER, "invalid parameter"},
      {ERROR_RESOURCE_TYPE_NOT_FOUND, "resource type not found"},
      {ERROR_RESOURCE_NAME_NOT_FOUND, "resource name not found"},
      {ERROR_RESOURCE_DATA_NOT_FOUND, "resource data not found"},
      {4321, "system error 4321"},
  };
  CKyErrorMsg e;
  for (auto& c : cases) {
    e.SetError(c.code);
    EXPECT_EQ(std::string(c.text), e.GetLastErrorText().str()) << c.code;
  }
}

}  // namespace
