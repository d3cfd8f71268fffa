// Resources of the loaded modules, found along the framework's resource chain:
// first the current state's resource handle, then each extension library
// joined to the current state, in the order they joined.
#pragma once

#include "afxdll_.h"
#include "windef.h"
#include "winres.h"

class CString;

// The module that holds the resource: the first along the chain that has
// it, else the current resource handle (whose FindResource then fails).
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
// The first module along the chain whose string table has a non-empty nID;
// NULL when none has it.
HINSTANCE AfxFindStringResourceHandle(UINT nID);

// Finds string nID along the resource chain, in the thread's UI language as
// FindResource chooses it. FALSE (and out emptied) when no module has it.
BOOL AfxLoadString(UINT nID, CString& out);
// The same into a buffer of nMaxBuf bytes, as ::LoadString; 0 when not found.
int AfxLoadString(UINT nID, LPSTR lpszBuf, UINT nMaxBuf);
