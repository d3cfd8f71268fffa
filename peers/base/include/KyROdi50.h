// The base module's home header: everything the fill style module uses of it.
#pragma once

#include "KyByteArrayEx.h"
#include "KyDib.h"
#include "KyErrorMsg.h"
#include "KyGeoStyle.h"
#include "KyOperator.h"
#include "KyToolkit.h"
