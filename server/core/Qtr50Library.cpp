#include "server/core/Qtr50Library.h"

void Qtr50EnsureLoaded() {}
