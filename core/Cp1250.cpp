#include "core/Cp1250.h"
