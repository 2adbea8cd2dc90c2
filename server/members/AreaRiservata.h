#pragma once

#include "server/core/CQtrServerObject.h"

class CAdoRecordset;

// The members' login as far as the shop's order pages need it: a customer
// or an agent logs in with his user ID and password, an agent then acts
// for one of his customers, and the logout ends it. Who is logged in lives
// in the Session, written and read through QtrVisitatore; the object
// reloads the member's data at every page start. Registration, profile, password recovery and the
// members' lists are still to come.
class AreaRiservata : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(qint32 IDUtente MEMBER IDUtente)
    Q_PROPERTY(qint32 IDAgente MEMBER IDAgente)
    Q_PROPERTY(qint32 IDGruppo MEMBER IDGruppo)
    Q_PROPERTY(int TipoUtente MEMBER TipoUtente)
    Q_PROPERTY(qint32 IDListino MEMBER IDListino)
    Q_PROPERTY(QString UserID MEMBER UserID)
    Q_PROPERTY(QString RagioneSociale MEMBER RagioneSociale)
    Q_PROPERTY(QString Cognome MEMBER Cognome)
    Q_PROPERTY(QString Nome MEMBER Nome)
    Q_PROPERTY(QString Email MEMBER Email)
    Q_PROPERTY(QString Errore MEMBER Errore)

public:
    explicit AreaRiservata(QObject* parent = nullptr);
    ~AreaRiservata() override;

    qint32 IDUtente = 0, IDAgente = 0, IDGruppo = 0, IDListino = 0;
    int TipoUtente = 0;
    QString UserID, RagioneSociale, Cognome, Nome, Email, Errore;

    Q_INVOKABLE bool ControlloUtenteCollegato();
    Q_INVOKABLE bool ControlloAgenteCollegato();
    // The visitor form (UserID, Password) or, while an agent is logged in,
    // the agent form (IDUtente: one of his customers).
    Q_INVOKABLE bool ValidazioneUtente();
    Q_INVOKABLE void ScollegaUtente();
    Q_INVOKABLE void SetConn(QObject* Connect);

protected:
    void Start() override;

private:
    void CaricaDatiUtente();
    void CaricaRiga(const CAdoRecordset& cliente);
    void Rifiuta();
    QString ChiaveTentativi(const QString& userID) const;
};
