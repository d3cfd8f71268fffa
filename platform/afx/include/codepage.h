// The ANSI code page of the process and the multibyte helpers that go with it.
// Text in this system is bytes of the ANSI code page; only code page 936
// (GBK/GB2312) has double-byte characters, every other page we know is single
// byte. The page is taken from the user's locale at first use (a Chinese
// locale gives 936, anything else 1252) and can be set by a host or a test.
#pragma once

#include <string>

#include "windef.h"

#define CP_ACP 0
#define CP_UTF8 65001

// The process's ANSI code page.
UINT GetACP();
// Overrides the ANSI code page (the platform's locale settings, not module
// configuration). 0 goes back to the page taken from the locale.
void AfxSetCodePage(UINT codePage);

// TRUE when byte b starts a double-byte character in the code page.
BOOL IsDBCSLeadByteEx(UINT codePage, BYTE b);
BOOL IsDBCSLeadByte(BYTE b);

// Converts text of a code page to UTF-8. Bytes that do not form a character
// of the page become U+FFFD; never fails.
std::string AfxCodePageToUtf8(const char* bytes, size_t length, UINT codePage = CP_ACP);
// Converts UTF-8 to a code page. Returns false (and leaves out empty) when a
// character has no form in the page.
bool AfxUtf8ToCodePage(const std::string& utf8, std::string& out, UINT codePage = CP_ACP);
