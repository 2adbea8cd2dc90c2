#include "recordset/IQtrHost.h"

namespace {
IQtrHost* g_host = nullptr;
}

void QtrSetHost(IQtrHost* host) { g_host = host; }

IQtrHost* QtrHost() { return g_host; }
