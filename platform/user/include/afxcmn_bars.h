// The framework wrappers of toolbars and tooltips.
#pragma once

#include "afxwin.h"
#include "commctrl.h"
