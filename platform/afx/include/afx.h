// The framework's core: types, assertions, strings, value classes,
// collections and files. Module code includes this (or afxwin.h) only.
#pragma once

#include "afxassert.h"
#include "afxcoll.h"
#include "afxfile.h"
#include "afxobj.h"
#include "afxres.h"
#include "afxstr.h"
#include "atltypes.h"
#include "codepage.h"
#include "windef.h"
#include "winfile.h"
