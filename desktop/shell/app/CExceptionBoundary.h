#pragma once

#include <QString>

#include <exception>
#include <functional>

// The one place where an exception that no command caught ends: the
// merchant sees the engine's own text in a message box and the program
// goes on, instead of ending. CTindaApplication runs every event through it.
class CExceptionBoundary
{
public:
    // Runs step; when it throws, shows the error and returns fallback.
    static bool Run(const std::function<bool()>& step, bool fallback = false);

    // The text an exception carries: a database error's own message, else
    // what() of a standard exception, else a general text.
    static QString MessageOf(std::exception_ptr error);
};
