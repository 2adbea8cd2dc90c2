#pragma once

#include <QLocale>

// The regional settings that server objects write amounts and dates in on
// the calling thread: the shop's, which the page host sets before each
// page (the preview and the shop server alike); the process's locale on a
// thread where no host set one. Per thread, because one server runs pages
// of several shops on the same threads, one after another.
class CAspRegionalSettings
{
public:
    static void Set(const QLocale& locale);
    static void Clear();
    static QLocale Current();

    // value with the given decimals in the current settings, as
    // QLocale::toString(value, 'f', decimals) writes it.
    static QString Fixed(double value, int decimals);
};
