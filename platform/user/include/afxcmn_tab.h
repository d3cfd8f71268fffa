// The framework wrapper of the tab control.
#pragma once

#include "afxwin.h"
#include "commctrl.h"
