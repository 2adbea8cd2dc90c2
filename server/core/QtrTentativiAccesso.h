#pragma once

#include <QHash>
#include <QMutex>
#include <QString>

#include <functional>

// Slows password guessing down without holding a page thread: after a few
// failed logins from one address, or for one user ID, every further
// failure shuts that address or user ID out for a while, doubling up to a
// limit, and a login tried meanwhile is refused at once, unchecked (the
// right password included). Failures are forgotten after a quiet spell; a
// successful login clears its user ID's count. One per process and kind of
// login; the counts live in memory, bounded.
class QtrTentativiAccesso
{
public:
    struct Regole
    {
        int liberiUtente = 5;         // failures per user ID that bring the first pause
        int liberiIndirizzo = 20;     // failures per address that bring the first pause
        qint64 primaPausaMs = 1000;   // then 1 s, 2 s, 4 s ...
        qint64 pausaMassimaMs = 5 * 60 * 1000;
        qint64 oblioMs = 15 * 60 * 1000;   // a count this long without failures starts again
        int voci = 20000;             // most addresses and user IDs kept
    };

    explicit QtrTentativiAccesso(const Regole& regole);
    QtrTentativiAccesso() : QtrTentativiAccesso(Regole{}) {}

    // The members' login and the desktop's synchronisation login.
    static QtrTentativiAccesso& Membri();
    static QtrTentativiAccesso& Sincronizzazione();

    // True while the address or the user ID is shut out.
    bool Sospeso(const QString& indirizzo, const QString& utente) const;
    void Fallito(const QString& indirizzo, const QString& utente);
    void Riuscito(const QString& utente);
    void Dimentica();

    // Tests move time on; nullptr goes back to the clock.
    static void ImpostaOrologio(std::function<qint64()> orologio);

private:
    struct Voce
    {
        int fallimenti = 0;
        qint64 ultimo = 0;
        qint64 sospesoFino = 0;
    };

    bool SospesoVoce(const QString& chiave, qint64 adesso) const;
    void Conta(const QString& chiave, int liberi, qint64 adesso);
    void Sfoltisci(qint64 adesso);

    const Regole m_regole;
    mutable QMutex m_mutex;
    QHash<QString, Voce> m_voci;
};
