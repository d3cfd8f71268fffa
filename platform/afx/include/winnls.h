// Language ids and the user interface language of the platform.
//
// A LANGID is a primary language in the low 10 bits and a sub-language in the
// high 6 bits; an LCID adds a sort id above it. The user's UI language is
// taken from the locale environment the way the C library picks the language
// of messages: LANGUAGE (first entry) unless the locale is C or POSIX, then
// LC_ALL, LC_MESSAGES, LANG. A Chinese locale (a name starting with "zh")
// gives 2052, anything else 1033: the two languages this system ships.
#pragma once

#include "windef.h"

typedef WORD LANGID;
typedef DWORD LCID;

#define MAKELANGID(p, s) ((((WORD)(s)) << 10) | (WORD)(p))
#define PRIMARYLANGID(lgid) ((WORD)(lgid)&0x3ff)
#define SUBLANGID(lgid) ((WORD)(lgid) >> 10)
#define MAKELCID(lgid, srtid) ((DWORD)((((DWORD)((WORD)(srtid))) << 16) | ((DWORD)((WORD)(lgid)))))
#define LANGIDFROMLCID(lcid) ((WORD)(lcid))
#define SORTIDFROMLCID(lcid) ((WORD)((((DWORD)(lcid)) >> 16) & 0xf))
#define SORT_DEFAULT 0x0

#define LANG_NEUTRAL 0x00
#define LANG_INVARIANT 0x7f
#define LANG_CHINESE 0x04
#define LANG_ENGLISH 0x09
#define LANG_GERMAN 0x07
#define LANG_FRENCH 0x0c
#define LANG_JAPANESE 0x11

#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define SUBLANG_SYS_DEFAULT 0x02
#define SUBLANG_CHINESE_TRADITIONAL 0x01
#define SUBLANG_CHINESE_SIMPLIFIED 0x02
#define SUBLANG_ENGLISH_US 0x01
#define SUBLANG_ENGLISH_UK 0x02

#define LANG_SYSTEM_DEFAULT (MAKELANGID(LANG_NEUTRAL, SUBLANG_SYS_DEFAULT))
#define LANG_USER_DEFAULT (MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT))
#define LOCALE_SYSTEM_DEFAULT (MAKELCID(LANG_SYSTEM_DEFAULT, SORT_DEFAULT))
#define LOCALE_USER_DEFAULT (MAKELCID(LANG_USER_DEFAULT, SORT_DEFAULT))

// 1033 and 2052, the languages of this system's resources.
#define LANGID_ENGLISH_US MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
#define LANGID_CHINESE_SIMPLIFIED MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED)

// The user's UI language from the locale environment (read at each call).
LANGID GetUserDefaultUILanguage();
LANGID GetSystemDefaultUILanguage();
LCID GetUserDefaultLCID();
// The calling thread's UI language: the one set by SetThreadUILanguage, else
// the user's. Resource lookups choose their language from it.
LANGID GetThreadUILanguage();
// Sets the calling thread's UI language and returns it; 0 goes back to the
// user's language and returns that. A language whose primary part is
// neutral (other than 0 itself) is refused: 0 and ERROR_INVALID_PARAMETER.
LANGID SetThreadUILanguage(LANGID LangId);
