#pragma once

// Colours are shared by every window model, also those below app/.
#include "common/rgb.h"
