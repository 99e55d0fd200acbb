#pragma once

// The edit masks live in the data library, so that documents show tax ids the same way.
#include "data/editmask.h"
