// Module handles and the platform's resource calls.
//
// Every loaded shared object is a module; its handle (HINSTANCE, HMODULE) is
// the address at which the object is mapped, the value dladdr reports as the
// object's base. A module's resources are typed (an integer type such as
// RT_STRING or a name such as "KYFSLBMP"), named (an integer id or a name)
// and tagged with a language; they are registered when the object is loaded
// (see resimage.h) and stay until it is unloaded.
//
// Failures are reported as on the home platform: FindResource gives NULL with
// ERROR_RESOURCE_DATA_NOT_FOUND (the module has no resources),
// ERROR_RESOURCE_TYPE_NOT_FOUND, ERROR_RESOURCE_NAME_NOT_FOUND or, for an
// explicit language, ERROR_RESOURCE_LANG_NOT_FOUND.
#pragma once

#include "windef.h"
#include "winnls.h"

#ifndef WINAPI
#define WINAPI
#endif
#ifndef APIENTRY
#define APIENTRY WINAPI
#endif

#ifndef DECLARE_HANDLE
#define DECLARE_HANDLE(name) \
  struct name##__ {          \
    int unused;              \
  };                         \
  typedef struct name##__* name
#endif

typedef void* HANDLE;
DECLARE_HANDLE(HINSTANCE);
typedef HINSTANCE HMODULE;
DECLARE_HANDLE(HRSRC);
typedef HANDLE HGLOBAL;

#ifndef ERROR_MOD_NOT_FOUND
#define ERROR_MOD_NOT_FOUND 126L
#endif

// Integer resource names and types travel in a pointer whose value is below
// 0x10000; a string of the form "#123" names the integer 123 as well.
#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
// The framework's toolbar resource.
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// The executable's handle for NULL. Otherwise the loaded object whose file
// name is lpModuleName, or lib<name>.so, or <name>.so ("KyROZ50" finds
// libKyROZ50.so); NULL and ERROR_MOD_NOT_FOUND when none is loaded.
HMODULE GetModuleHandle(LPCSTR lpModuleName);
// The path of a module's file, NUL-terminated and cut to nSize - 1 bytes.
// Returns the length copied, 0 on failure (ERROR_MOD_NOT_FOUND,
// ERROR_INSUFFICIENT_BUFFER when cut).
DWORD GetModuleFileName(HMODULE hModule, LPSTR lpFilename, DWORD nSize);

// Finds a resource of hModule (NULL: the executable) in the calling thread's
// UI language, else neutral, else 1033, else the lowest language it has.
// NULL on failure, with the last error as described above.
HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
// As FindResource, but in exactly the language wLanguage; language 0
// (neutral) searches as FindResource does.
HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
// The resource's bytes; NULL and ERROR_INVALID_HANDLE for a handle that is
// not a live resource of hModule (hModule NULL accepts any module).
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
// The first byte of a loaded resource; NULL for NULL.
LPVOID LockResource(HGLOBAL hResData);
// Size in bytes; 0 and ERROR_INVALID_HANDLE for an unknown handle.
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Resources stay with their module until it is unloaded; always FALSE.
BOOL FreeResource(HGLOBAL hResData);

// Copies string uID of hInstance into lpBuffer (at most cchBufferMax - 1
// bytes, never half a double-byte character, then a NUL) and returns the
// bytes copied. 0 when the module has no such string (last error as
// FindResource's, or ERROR_RESOURCE_NAME_NOT_FOUND for an empty slot of a
// table) and, with ERROR_INVALID_PARAMETER, for no buffer.
int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
