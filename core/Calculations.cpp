#include "core/Calculations.h"
