#pragma once

// The settings file's reading of the line-setting texts lives beside the
// texts themselves, so that one list maps texts and codes both ways.
#include "reader/interface_settings_texts.h"
