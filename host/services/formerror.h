#pragma once

// FormDataError and ReadFormText live in the data library beside the message list.
#include "data/formtext.h"
