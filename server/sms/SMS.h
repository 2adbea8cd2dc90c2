#pragma once

#include "server/core/CQtrServerObject.h"

class CAdoConnection;

// The SMS relay of the shop's host. The desktop's pages "/checksms50.asp"
// and "/sendsms50.asp" create it and call one method; each logs the
// desktop's account in against the host database (as the synchronisation
// does) and writes a plain-text reply: "OK" and the credit, "OK" for a
// message the gateway took, or the reason for a refusal.
class SMS : public CQtrServerObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit SMS(QObject* parent = nullptr);

    // Kept for the pages' sake; nothing here reads it.
    Q_INVOKABLE void ImpostaPercorsoArchivi(const QVariant& percorso);

    Q_INVOKABLE void ControlloCredito();
    Q_INVOKABLE void InvioMessaggio();

protected:
    void Start() override {}
    void ReleaseConnection() override {}

private:
    // Opens the host database, logs the posted account in and runs work
    // with it; a refused login writes its reason instead.
    void ConAccount(const std::function<QString(CAdoConnection&, const QString&)>& lavoro);
    QString Invia(CAdoConnection& host, const QString& codice);
    QString Form(const char* campo) const;

    QString m_percorsoArchivi;
};
