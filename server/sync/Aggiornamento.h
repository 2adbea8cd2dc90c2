#pragma once

#include "server/core/CQtrServerObject.h"

#include <functional>

class AggiornamentoCD;
class AggiornamentoFile;
class AggiornamentoRecord;

// The shop's end of the synchronisation with the desktop. Each endpoint page
// creates the object, sets the archives folder, calls one method and frees
// it. Every method logs the caller in against the host database's accounts
// and then works on that shop's folder and database only; the reply is
// plain text ("OK", "EOF", a record, or an error text).
class Aggiornamento : public CQtrServerObject
{
    Q_OBJECT
public:
    Q_INVOKABLE explicit Aggiornamento(QObject* parent = nullptr);

    Q_INVOKABLE void ImpostaPercorsoArchivi(const QVariant& percorso);

    Q_INVOKABLE void AggiornaDatiDaClient();
    Q_INVOKABLE void EliminaDatiDaClient();
    Q_INVOKABLE void ScaricaDati();
    Q_INVOKABLE void NotificaScaricamentoDati();
    Q_INVOKABLE void NotificaCancellazioneDati();
    Q_INVOKABLE void ConfermaCancellazioneDati();
    Q_INVOKABLE void AggiornaFileDaClient();
    Q_INVOKABLE void AggiornaFileDaClient1();
    Q_INVOKABLE void EliminaFile();
    Q_INVOKABLE void EliminaFilesProdotti();
    Q_INVOKABLE void SvuotaCartellaImmagini();
    Q_INVOKABLE void SvuotaHome();

    // The offline catalogue of a CD edition. These run on the shop's own
    // site, on the database of the page's Session, and need the customer
    // (PF_IDUtente) and the credential issued with the customer's CD
    // (PF_Credenziale).
    Q_INVOKABLE void AggiornaOrdiniDaCD();
    Q_INVOKABLE void ScaricaDatiCD();
    Q_INVOKABLE void ScaricaImmagini();
    Q_INVOKABLE void EliminaDatiCD();

protected:
    void Start() override {}
    void ReleaseConnection() override {}

private:
    using Lavoro = std::function<QString()>;

    // Logs in with the posted account fields, runs work and writes its
    // reply; a refused request writes the reason and changes nothing.
    void Esegui(const Lavoro& lavoro);
    void EseguiConAccount(const QString& codice, const QString& password, const Lavoro& lavoro);
    bool ControlloAccesso(const QString& codiceUtente, const QString& password);
    QString Radice() const;
    QString Form(QLatin1StringView campo) const;
    // Runs work on a connection to the logged-in shop's database.
    QString ConDatabase(const std::function<QString(AggiornamentoRecord&)>& lavoro) const;
    AggiornamentoFile File() const;
    // Checks the customer's credential on the Session's shop database, runs
    // work and writes its reply; a refused request writes the reason.
    void EseguiCD(const std::function<QByteArray(AggiornamentoCD&, qint32)>& lavoro);

    QString m_percorsoArchivi;
    QString m_cartellaNegozio;
    QString m_erroreAccesso;
};
