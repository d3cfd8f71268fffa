// The symbol module's home header: everything the fill style module uses of it.
#pragma once

#include "KySampleSymbols.h"
#include "KySymLib.h"
#include "KySymStroke.h"
#include "KySymbol.h"
#include "KySymbolParameter.h"
