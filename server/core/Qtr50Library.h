#pragma once

// The classes of qtr50 register their ProgIDs when the library is loaded.
// A host that otherwise names nothing of the library calls this once, so
// the linker keeps the library and the registrations happen.
void Qtr50EnsureLoaded();
