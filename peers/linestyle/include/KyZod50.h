// The line-style module's home header: everything a user of the module needs.
#pragma once

#include "KyLineStyleLib.h"
#include "KyLineStyleObj.h"
#include "KyLineStylePickerDlg.h"
#include "KyLslExtSymPickerDlg.h"
#include "KyZod50Res.h"
