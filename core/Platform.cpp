#include "core/Platform.h"
