#include "core/Catalogue.h"
