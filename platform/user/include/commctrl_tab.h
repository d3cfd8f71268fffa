// Common controls: tab control.
#pragma once

#include "winuser.h"
