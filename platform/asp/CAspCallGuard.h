#pragma once

#include "platform/asp/IAspScriptingContext.h"

#include <QString>

#include <exception>
#include <type_traits>

// The boundary between script and C++. Server objects throw on failure;
// an exception must not unwind through the script engine, so the guarded
// call that a script made reports it with RaiseError and returns an empty
// value. Calls nested inside it (one server object calling another) let the
// exception through to the outer one, so C++ callers still see it.
class CAspCallGuard
{
public:
    template <class Body>
    static auto Run(IAspScriptingContext* context, Body&& body) -> decltype(body())
    {
        using Result = decltype(body());
        Depth depth;
        try {
            return body();
        } catch (const std::exception& error) {
            if (depth.Outermost() && context) {
                context->RaiseError(QString::fromUtf8(error.what()));
                if constexpr (!std::is_void_v<Result>)
                    return Result();
                else
                    return;
            }
            throw;
        }
    }

    // The host opens one around every script run, so calls that script
    // makes count as outermost even when the script runs inside a C++ call.
    class ScriptScope
    {
    public:
        ScriptScope();
        ~ScriptScope();
        ScriptScope(const ScriptScope&) = delete;
        ScriptScope& operator=(const ScriptScope&) = delete;

    private:
        int m_saved;
    };

private:
    class Depth
    {
    public:
        Depth();
        ~Depth();
        bool Outermost() const { return m_outermost; }

    private:
        bool m_outermost;
    };
};
