#include "core/Drawing.h"
