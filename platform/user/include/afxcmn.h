// The framework's wrappers of the common controls.
#pragma once

#include "afxwin.h"
#include "commctrl.h"

#include "afxcmn_bars.h"
#include "afxcmn_tab.h"
