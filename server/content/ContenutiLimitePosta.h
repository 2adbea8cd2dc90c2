#pragma once

#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

#include <functional>

// How often a visitor may make the shop mail someone (a form, a referral
// to a friend): a few messages to one address in an hour, whoever asks,
// so the shop cannot be used to flood a stranger's mailbox. The Session's
// own count is kept by the caller (ContenutiPosta). One per process; the
// addresses are kept in memory, bounded.
class ContenutiLimitePosta
{
public:
    static constexpr int kPerIndirizzoOra = 3;
    static constexpr int kPerSessione = 5;

    static ContenutiLimitePosta& Negozio();

    // True, and the message counted, when the address may receive one
    // more this hour; the address compares without regard to case.
    bool Consenti(const QString& indirizzo);
    void Dimentica();

    // Tests move time on (milliseconds); nullptr goes back to the clock.
    static void ImpostaOrologio(std::function<qint64()> orologio);

private:
    QMutex m_mutex;
    QHash<QString, QList<qint64>> m_invii;
};
