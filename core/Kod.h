#pragma once

// The program's module: catalogue and module data, calculations, calculation log, number reading
// and formatting, and the small drawing helpers.
#include "core/CalcLog.h"
#include "core/Calculations.h"
#include "core/Catalogue.h"
#include "core/Cp1250.h"
#include "core/Drawing.h"
#include "core/Numbers.h"
#include "core/Platform.h"
