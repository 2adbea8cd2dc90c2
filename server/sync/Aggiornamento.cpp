#include "server/sync/Aggiornamento.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspResponse.h"
#include "platform/asp/IAspServer.h"
#include "recordset/sync/CSyncFileBody.h"
#include "recordset/sync/SyncProtocol.h"
#include "server/core/Funzioni.h"
#include "server/core/SchemaNegozio.h"
#include "server/sync/AggiornamentoAccesso.h"
#include "server/sync/AggiornamentoCD.h"
#include "server/sync/AggiornamentoFile.h"
#include "server/sync/AggiornamentoRecord.h"

#include <QDir>

#include <stdexcept>

QTR_ASP_REGISTER(Aggiornamento)

Aggiornamento::Aggiornamento(QObject* parent) : CQtrServerObject(parent) {}

void Aggiornamento::ImpostaPercorsoArchivi(const QVariant& percorso)
{
    Guard([&] { m_percorsoArchivi = QDir::cleanPath(percorso.toString()); });
}

QString Aggiornamento::Form(QLatin1StringView campo) const { return Request()->Form(QString(campo)); }

bool Aggiornamento::ControlloAccesso(const QString& codiceUtente, const QString& password)
{
    CAdoConnection host;
    host.Open(Funzioni::StringaConnessione(Server()->MapPath(QStringLiteral("/db"))));
    const AggiornamentoAccesso::Esito esito = AggiornamentoAccesso::Controlla(
        host, codiceUtente, password, Request()->ServerVariable(QStringLiteral("REMOTE_ADDR")));
    host.Close();
    m_cartellaNegozio = esito.cartella;
    m_erroreAccesso = esito.errore;
    return esito.riuscito;
}

void Aggiornamento::Esegui(const Lavoro& lavoro)
{
    EseguiConAccount(Form(SyncProtocol::kUserCode), Form(SyncProtocol::kPassword), lavoro);
}

void Aggiornamento::EseguiConAccount(const QString& codice, const QString& password, const Lavoro& lavoro)
{
    Guard([&] {
        if (!ControlloAccesso(codice, password)) {
            Response()->Write(m_erroreAccesso);
            return;
        }
        QString risposta;
        try {
            risposta = lavoro();
        } catch (const std::invalid_argument& rifiuto) {
            // A request that does not fit is answered with its reason; it
            // is never "OK", so the desktop stops at this step. A broken
            // file transfer is told in the protocol's own words.
            const QString motivo = QString::fromStdString(rifiuto.what());
            risposta = motivo == SyncProtocol::kTransmissionError ? motivo : QStringLiteral("Richiesta rifiutata: ") + motivo;
        }
        Response()->Write(risposta);
    });
}

QString Aggiornamento::Radice() const
{
    if (m_percorsoArchivi.isEmpty())
        throw std::runtime_error("Cartella degli archivi non impostata");
    AggiornamentoFile archivi(m_percorsoArchivi);
    return archivi.Cartella(m_cartellaNegozio);
}

AggiornamentoFile Aggiornamento::File() const { return AggiornamentoFile(Radice()); }

QString Aggiornamento::ConDatabase(const std::function<QString(AggiornamentoRecord&)>& lavoro) const
{
    CAdoConnection db;
    db.Open(Funzioni::StringaConnessione(Radice() + QStringLiteral("/db")));
    SchemaNegozio::AggiungiColonneMancanti(db);
    AggiornamentoRecord record(db);
    const QString risposta = lavoro(record);
    db.Close();
    return risposta;
}

void Aggiornamento::AggiornaDatiDaClient()
{
    Esegui([&] {
        const QString tabella = Form(SyncProtocol::kTableName);
        return ConDatabase([&](AggiornamentoRecord& record) {
            try {
                record.Aggiorna(tabella, Request()->FormFields());
            } catch (const AggiornamentoRecord::Conflitto& conflitto) {
                // The shop's change stays; the desktop reports the row and
                // goes on with the others.
                return QString::fromStdString(conflitto.what());
            }
            return QString(SyncProtocol::kOk);
        });
    });
}

void Aggiornamento::EliminaDatiDaClient()
{
    Esegui([&] {
        const QString tabella = Form(SyncProtocol::kTableName);
        const qint32 id = AggiornamentoRecord::Id(Request()->Form(QStringLiteral("ID")));
        AggiornamentoRecord::Tabella(tabella);
        // The row goes first and its files after the commit: a failure in
        // between leaves files that the repeated request removes, never a
        // row whose pictures are already gone.
        ConDatabase([&](AggiornamentoRecord& record) {
            record.Elimina(tabella, id);
            return QString();
        });
        File().EliminaFileRecord(tabella, id);
        return QString(SyncProtocol::kOk);
    });
}

void Aggiornamento::ScaricaDati()
{
    Esegui([&] {
        return ConDatabase([&](AggiornamentoRecord& record) {
            return record.Scarica(Form(SyncProtocol::kTableName), Form(SyncProtocol::kFromId));
        });
    });
}

void Aggiornamento::NotificaScaricamentoDati()
{
    Esegui([&] {
        const qint32 id = AggiornamentoRecord::Id(Form(SyncProtocol::kId));
        const QString versione = Form(SyncProtocol::kVersion);
        return ConDatabase([&](AggiornamentoRecord& record) {
            // A row changed since it was fetched keeps its mark: the
            // confirmation is still done, the change comes down next time.
            return record.Conferma(Form(SyncProtocol::kTableName), id, versione)
                           == AggiornamentoRecord::EsitoConferma::Assente
                       ? QString()
                       : QString(SyncProtocol::kOk);
        });
    });
}

void Aggiornamento::NotificaCancellazioneDati()
{
    Esegui([&] {
        return ConDatabase([&](AggiornamentoRecord& record) {
            return record.ProssimaCancellazione(Form(SyncProtocol::kFromId));
        });
    });
}

void Aggiornamento::ConfermaCancellazioneDati()
{
    Esegui([&] {
        const qint32 id = AggiornamentoRecord::Id(Form(SyncProtocol::kId));
        const QString tabella = Form(SyncProtocol::kTableName);
        return ConDatabase([&](AggiornamentoRecord& record) {
            // A notice confirmed twice (a run cut after its confirmation)
            // is no error: the shop's log no longer holds it either way.
            record.ConfermaCancellazione(tabella, id);
            return QString(SyncProtocol::kOk);
        });
    });
}

void Aggiornamento::AggiornaFileDaClient()
{
    Esegui([&] {
        bool primoOk = false;
        bool quantiOk = false;
        AggiornamentoFile::Pezzo pezzo;
        pezzo.percorso = Form(SyncProtocol::kPath);
        pezzo.nome = Form(SyncProtocol::kFileName);
        pezzo.primo = Form(SyncProtocol::kFlagFirst).toInt(&primoOk) == 1;
        const qint64 quanti = Form(SyncProtocol::kNumBytes).toLongLong(&quantiOk);
        if (!primoOk || !quantiOk || quanti < 0)
            throw std::invalid_argument("Errore di trasmissione.");
        pezzo.byte = QByteArray::fromBase64(Form(SyncProtocol::kBytes).toLatin1()).left(quanti);
        File().ScriviPezzo(pezzo);
        return QString(SyncProtocol::kOk);
    });
}

void Aggiornamento::AggiornaFileDaClient1()
{
    Guard([&] {
        const QByteArray corpo = Request()->Body();
        CSyncFileBody::Header testata;
        QByteArray byte;
        QString errore;
        if (corpo.isEmpty() || !CSyncFileBody::Parse(corpo, &testata, &byte, &errore)) {
            Response()->Write(QString(SyncProtocol::kTransmissionError));
            return;
        }
        EseguiConAccount(testata.userCode, testata.password, [&] {
            AggiornamentoFile::Pezzo pezzo;
            pezzo.percorso = testata.path;
            pezzo.nome = testata.fileName;
            pezzo.primo = testata.flagFirst == 1;
            pezzo.totale = testata.totalBytes;
            pezzo.posizione = testata.offset;
            pezzo.byte = byte;
            File().ScriviPezzo(pezzo);
            return QString(SyncProtocol::kOk);
        });
    });
}

void Aggiornamento::EliminaFile()
{
    Esegui([&] {
        File().EliminaFile(Form(SyncProtocol::kPath), Form(SyncProtocol::kFileName));
        return QString(SyncProtocol::kOk);
    });
}

void Aggiornamento::EliminaFilesProdotti()
{
    Esegui([&] {
        File().EliminaFilesProdotti(Form(SyncProtocol::kPath), Form(SyncProtocol::kFileName));
        return QString(SyncProtocol::kOk);
    });
}

void Aggiornamento::SvuotaCartellaImmagini()
{
    Esegui([&] {
        File().SvuotaCartellaImmagini(Form(SyncProtocol::kPath));
        return QString(SyncProtocol::kOk);
    });
}

void Aggiornamento::SvuotaHome()
{
    Esegui([&] {
        File().SvuotaHome(Form(SyncProtocol::kPath));
        return QString(SyncProtocol::kOk);
    });
}

void Aggiornamento::EseguiCD(const std::function<QByteArray(AggiornamentoCD&, qint32)>& lavoro)
{
    Guard([&] {
        QString cartella = SessionText(QStringLiteral("DbPath"));
        if (cartella.isEmpty())
            cartella = Server()->MapPath(QStringLiteral("/db"));
        CAdoConnection db;
        db.Open(Funzioni::StringaConnessione(cartella));
        QByteArray risposta;
        try {
            const qint32 idUtente = AggiornamentoRecord::Id(Form(QLatin1StringView("PF_IDUtente")));
            AggiornamentoCD cd(db);
            if (!cd.ControlloCredenziale(idUtente, Form(QLatin1StringView("PF_Credenziale"))))
                risposta = "Credenziale non valida";
            else
                risposta = lavoro(cd, idUtente);
        } catch (const std::invalid_argument& rifiuto) {
            risposta = QByteArray("Richiesta rifiutata: ") + rifiuto.what();
        }
        db.Close();
        Response()->BinaryWrite(risposta);
    });
}

void Aggiornamento::AggiornaOrdiniDaCD()
{
    EseguiCD([&](AggiornamentoCD& cd, qint32 idUtente) {
        return cd.AggiornaOrdine(idUtente, Form(SyncProtocol::kTableName), Request()->FormFields()).toUtf8();
    });
}

void Aggiornamento::ScaricaDatiCD()
{
    EseguiCD([&](AggiornamentoCD& cd, qint32 idUtente) {
        return cd.ScaricaDati(idUtente, Form(SyncProtocol::kTableName), Form(QLatin1StringView("PF_VersioneRecord")))
            .toUtf8();
    });
}

void Aggiornamento::ScaricaImmagini()
{
    EseguiCD([&](AggiornamentoCD& cd, qint32 idUtente) {
        return cd.ScaricaImmagine(idUtente, Form(QLatin1StringView("PF_Immagine")),
                                  Form(QLatin1StringView("PF_VersioneRecord")), Server()->MapPath(QStringLiteral("/images")));
    });
}

void Aggiornamento::EliminaDatiCD()
{
    EseguiCD([&](AggiornamentoCD& cd, qint32 idUtente) {
        return cd.EliminaDati(idUtente, Form(SyncProtocol::kTableName), Form(QLatin1StringView("PF_StartID"))).toUtf8();
    });
}
