#include "afxres.h"

#include "afxstr.h"

// FIXME: no module registers resources yet.
BOOL AfxLoadString(UINT, CString&) { return FALSE; }
