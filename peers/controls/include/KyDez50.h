// The controls module's home header: everything a user of the module needs.
#pragma once

#include "KyBrushStyleFolder.h"
#include "KyButtonColorPicker.h"
#include "KyColorDlg.h"
#include "KyColorPopup.h"
#include "KyDez50Res.h"
#include "KyFlatButton.h"
