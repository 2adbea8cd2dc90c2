#include "platform/asp/CAspCallGuard.h"

namespace {
thread_local int t_depth = 0;
}

CAspCallGuard::ScriptScope::ScriptScope() : m_saved(t_depth) { t_depth = 0; }

CAspCallGuard::ScriptScope::~ScriptScope() { t_depth = m_saved; }

CAspCallGuard::Depth::Depth() : m_outermost(t_depth == 0) { ++t_depth; }

CAspCallGuard::Depth::~Depth() { --t_depth; }
