#pragma once

#include <QString>

// The shop's address as the general parameters hold it (URLSito): with a
// scheme ("https://negozio.example") or without one, which means http.
// Every request carries the site account's password, so plain http to a
// machine other than this one shows it to anyone on the way: the jobs ask
// the merchant before they send it so.
class CSiteAddress
{
public:
    // True for plain http to a host that is not this machine's loopback.
    static bool IsPlainRemote(const QString& address);
    // The question put to the merchant before such a run.
    static QString PlainQuestion(const QString& address);
    // What a run without a window (or answered no) says instead.
    static QString PlainRefusal(const QString& address);
};
