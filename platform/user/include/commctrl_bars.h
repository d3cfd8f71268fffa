// Common controls: toolbars and tooltips.
#pragma once

#include "winuser.h"
