// SPDX-License-Identifier: MIT
// The console's completion list and call tips come from the engine's function table.
#pragma once

#include "engine/function_table.h"
