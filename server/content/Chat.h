#pragma once

#include "server/content/ForumArgomenti.h"

#include <QDateTime>

// The shop's chat: rooms (the topics of Tipo 1), a visitor's entry under
// a nickname no one present in the room uses, his lines and the room's
// recent messages. Who the visitor is in the chat lives in his Session,
// set by the entry: no request value names him. Users who stop
// refreshing leave after three refresh periods; messages expire after
// the configured lifetime.
class Chat : public ForumArgomenti
{
    Q_OBJECT
    Q_PROPERTY(qint32 NumeroUtentiArgomento MEMBER NumeroUtentiArgomento)
    Q_PROPERTY(qint32 IDUtente MEMBER IDUtente)
    Q_PROPERTY(QString Nickname MEMBER Nickname)
    Q_PROPERTY(QDateTime DataIntervento MEMBER DataIntervento)
    Q_PROPERTY(QDateTime OraIntervento MEMBER OraIntervento)
    Q_PROPERTY(QString TestoIntervento MEMBER TestoIntervento)
    Q_PROPERTY(QString IndirizzoIP MEMBER IndirizzoIP)
    Q_PROPERTY(qint32 LunghezzaPaginaMessaggi MEMBER LunghezzaPaginaMessaggi)
    Q_PROPERTY(qint32 FrequenzaAggiornamento MEMBER FrequenzaAggiornamento)

public:
    explicit Chat(QObject* parent = nullptr);
    ~Chat() override;

    // What the server keeps of a nickname and of one line.
    static constexpr int kNickname = 30;
    static constexpr int kTesto = 1000;

    qint32 NumeroUtentiArgomento = 0;
    qint32 IDUtente = 0;
    QString Nickname;
    QDateTime DataIntervento;
    QDateTime OraIntervento;
    QString TestoIntervento;
    QString IndirizzoIP;
    qint32 LunghezzaPaginaMessaggi = 0;
    qint32 FrequenzaAggiornamento = 0;

    Q_INVOKABLE void ImpostaCalcoloUtentiArgomento(const QVariant& F);
    // Enters the visitor into the request's room (IDArgomento) under the
    // request's Nickname; false with Errore when refused.
    Q_INVOKABLE bool IngressoUtente();
    // Posts the request's Testo, if any, for the Session's chat user.
    Q_INVOKABLE void AggiornaMessaggi();
    // Keeps the Session's chat user present, expires old messages and
    // reads the newest of his room; false when he is in no room (never
    // entered, or gone as idle) or the room has no message.
    Q_INVOKABLE bool ApriPaginaInterventi();
    Q_INVOKABLE bool LeggiInterventoSuccessivo();
    Q_INVOKABLE void ChiudiPaginaInterventi();

protected:
    void Start() override;
    void CalcolaConteggi(const QList<qint32>& argomenti) override;
    bool ConteggiRichiesti() const override;

private:
    void EliminaUtentiInattivi();
    // The Session's chat user, his presence renewed; false when his row
    // is gone.
    bool UtentePresente();
    void AggiungiMessaggio(qint32 stanza, const QString& nickname, const QString& testo);
    void LeggiDatiMessaggio();
    qint32 SessioneNumero(const char* chiave) const;

    CAdoRecordset m_rsMessaggi;
};
