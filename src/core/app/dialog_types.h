#pragma once

// Message boxes and file dialogs are shared by every window model, also those below app/.
#include "common/dialog_types.h"
