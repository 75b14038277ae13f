#include "base/gblnCancel.h"

bool gblnCancel = false;
