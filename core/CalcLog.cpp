#include "core/CalcLog.h"
