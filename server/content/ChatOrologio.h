#pragma once

#include <QDateTime>

#include <functional>

// The chat's clock: whole seconds since the start of 1 December 2002,
// local time, the unit in which presence and message lifetimes are kept.
class ChatOrologio
{
public:
    ChatOrologio() = delete;

    static QDateTime Adesso();
    static qint64 Secondi(const QDateTime& momento);
    static qint64 SecondiAdesso() { return Secondi(Adesso()); }

    // Tests move time on; nullptr goes back to the system clock.
    static void Imposta(std::function<QDateTime()> orologio);
};
