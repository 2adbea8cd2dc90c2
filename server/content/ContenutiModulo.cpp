#include "server/content/ContenutiModulo.h"

#include "platform/mail/CSmtpMessage.h"
#include "server/content/ContenutiTesti.h"
#include "server/core/catalogo/CatalogoValori.h"

#include <QDateTime>

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// A field's or an option's name in one language, empty when it has none.
QString NomeIn(CAdoConnection* connessione, const QString& sql, const QVariantList& valori, const QString& colonna)
{
    CAdoRecordset rs;
    rs.Open(sql, connessione, valori);
    return ContenutiTesti::Testo(rs, colonna);
}

} // namespace

void ContenutiModulo::ImpostaLingua(const QString& lingua, const QString& predefinita)
{
    m_lingua = lingua;
    m_predefinita = predefinita;
}

bool ContenutiModulo::Apri(CAdoConnection* connessione, qint32 idModulo, QString& nome, QString& descrizione)
{
    m_connessione = connessione;
    CAdoRecordset testi;
    ContenutiTesti::ApriInLingua(testi, connessione, QStringLiteral("ModuliLingue"), QStringLiteral("IDModulo"),
                                 idModulo, m_lingua, m_predefinita);
    nome = ContenutiTesti::Decifrato(testi, QStringLiteral("Nome"));
    descrizione = ContenutiTesti::Decifrato(testi, QStringLiteral("Descrizione"));
    m_rsOpzioni.Close();
    m_rsCampi.Open(QStringLiteral("SELECT * FROM ModuliCampi WHERE IDModulo=? ORDER BY Ordine, ID"), connessione,
                   {idModulo});
    m_gruppo = 0;
    if (m_rsCampi.IsEOF())
        return false;
    LeggiCampo();
    return true;
}

bool ContenutiModulo::CampoSuccessivo()
{
    if (!m_rsCampi.IsOpen())
        return false;
    m_rsCampi.MoveNext();
    if (m_rsCampi.IsEOF()) {
        m_rsCampi.Close();
        return false;
    }
    LeggiCampo();
    return true;
}

bool ContenutiModulo::OpzioneSuccessiva()
{
    if (!m_rsOpzioni.IsOpen())
        return false;
    m_rsOpzioni.MoveNext();
    if (m_rsOpzioni.IsEOF()) {
        m_rsOpzioni.Close();
        return false;
    }
    LeggiOpzione();
    return true;
}

void ContenutiModulo::LeggiCampo()
{
    const qint32 id = m_rsCampi.Field(QStringLiteral("ID")).toInt();
    m_campo.tipo = static_cast<qint16>(m_rsCampi.Field(QStringLiteral("Tipo")).toInt());
    m_campo.lunghezza = static_cast<qint16>(m_rsCampi.Field(QStringLiteral("Lunghezza")).toInt());
    m_campo.decimali = static_cast<qint16>(m_rsCampi.Field(QStringLiteral("Decimali")).toInt());
    m_campo.idOpzione = 0;
    if (m_campo.tipo == OpzioneEsclusiva) {
        if (m_gruppo == 0)
            m_gruppo = id;
        m_campo.idOpzione = id;
    } else {
        m_gruppo = 0;
    }
    m_campo.codice = QStringLiteral("FLD") + QString::number(m_gruppo != 0 ? m_gruppo : id);
    CAdoRecordset nome;
    ContenutiTesti::ApriInLingua(nome, m_connessione, QStringLiteral("ModuliCampiLingue"), QStringLiteral("IDCampo"), id,
                                 m_lingua, m_predefinita);
    m_campo.nome = ContenutiTesti::Testo(nome, QStringLiteral("Nome"));
    if (m_campo.tipo == MenuADiscesa) {
        m_rsOpzioni.Open(QStringLiteral("SELECT * FROM ModuliOpzioni WHERE IDCampo=? ORDER BY Ordine, ID"), m_connessione,
                         {id});
        if (!m_rsOpzioni.IsEOF())
            LeggiOpzione();
    }
}

void ContenutiModulo::LeggiOpzione()
{
    const qint32 id = m_rsOpzioni.Field(QStringLiteral("ID")).toInt();
    m_campo.idOpzione = id;
    CAdoRecordset testo;
    ContenutiTesti::ApriInLingua(testo, m_connessione, QStringLiteral("ModuliOpzioniLingue"), QStringLiteral("IDOpzione"),
                                 id, m_lingua, m_predefinita);
    m_campo.opzione = ContenutiTesti::Testo(testo, QStringLiteral("Opzione"));
}

bool ContenutiModulo::ComponiPosta(CAdoConnection* connessione, qint32 idModulo, const QString& predefinita,
                                   const std::function<QString(const QString&)>& valorePostato, Posta& posta)
{
    CAdoRecordset modulo;
    modulo.Open(QStringLiteral("SELECT * FROM Moduli WHERE ID=?"), connessione, {idModulo});
    if (modulo.IsEOF())
        return false;
    posta.oggetto = ContenutiTesti::Decifrato(modulo, QStringLiteral("OggettoMail"));
    posta.destinatario = ContenutiTesti::Decifrato(modulo, QStringLiteral("Email")).trimmed();

    QString corpo;
    CAdoRecordset testi;
    testi.Open(QStringLiteral("SELECT * FROM ModuliLingue WHERE IDModulo=? AND CodiceLingua=?"), connessione,
               {idModulo, predefinita});
    if (!testi.IsEOF() && !testi.IsNull(QStringLiteral("Nome")))
        corpo += ContenutiTesti::Decifrato(testi, QStringLiteral("Nome")) + kCrLf;
    if (!testi.IsEOF() && !testi.IsNull(QStringLiteral("Descrizione")))
        corpo += ContenutiTesti::Decifrato(testi, QStringLiteral("Descrizione")) + kCrLf;

    const QString sqlNome = QStringLiteral("SELECT Nome FROM ModuliCampiLingue WHERE IDCampo=? AND CodiceLingua=?");
    bool primoDelGruppo = true;
    CAdoRecordset campi;
    for (campi.Open(QStringLiteral("SELECT * FROM ModuliCampi WHERE IDModulo=? ORDER BY Ordine, ID"), connessione,
                    {idModulo});
         !campi.IsEOF(); campi.MoveNext()) {
        const qint32 id = campi.Field(QStringLiteral("ID")).toInt();
        const int tipo = campi.Field(QStringLiteral("Tipo")).toInt();
        const QString nome = NomeIn(connessione, sqlNome, {id, predefinita}, QStringLiteral("Nome"));
        const QString postato = valorePostato(QStringLiteral("FLD") + QString::number(id));
        if (tipo == Etichetta) {
            primoDelGruppo = true;
            corpo += kCrLf + kCrLf + nome;
        } else if (tipo == OpzioneEsclusiva) {
            if (!primoDelGruppo)
                continue;
            primoDelGruppo = false;
            // The chosen radio must be a radio of this same form.
            const auto scelto = CatalogoValori::Numero(postato);
            if (!scelto)
                continue;
            CAdoRecordset rs;
            rs.Open(QStringLiteral("SELECT ModuliCampiLingue.Nome FROM ModuliCampiLingue INNER JOIN ModuliCampi ON "
                                   "ModuliCampi.ID=ModuliCampiLingue.IDCampo WHERE ModuliCampi.ID=? AND "
                                   "ModuliCampi.IDModulo=? AND ModuliCampi.Tipo=12 AND ModuliCampiLingue.CodiceLingua=?"),
                    connessione, {*scelto, idModulo, predefinita});
            if (!rs.IsEOF() && !rs.IsNull(QStringLiteral("Nome")))
                corpo += QStringLiteral(": ") + ContenutiTesti::Testo(rs, QStringLiteral("Nome")) + kCrLf;
        } else if (tipo == MenuADiscesa) {
            primoDelGruppo = true;
            QString opzione;
            if (const auto scelta = CatalogoValori::Numero(postato)) {
                CAdoRecordset rs;
                rs.Open(QStringLiteral("SELECT ModuliOpzioniLingue.Opzione FROM ModuliOpzioniLingue INNER JOIN "
                                       "ModuliOpzioni ON ModuliOpzioni.ID=ModuliOpzioniLingue.IDOpzione WHERE "
                                       "ModuliOpzioni.ID=? AND ModuliOpzioni.IDCampo=? AND "
                                       "ModuliOpzioniLingue.CodiceLingua=?"),
                        connessione, {*scelta, id, predefinita});
                opzione = ContenutiTesti::Testo(rs, QStringLiteral("Opzione"));
            }
            corpo += kCrLf + nome + QStringLiteral(": ") + opzione;
        } else {
            primoDelGruppo = true;
            corpo += kCrLf + nome + QStringLiteral(": ") + postato;
        }
    }
    posta.corpo = corpo;
    return true;
}

QString ContenutiModulo::DatiMembro(CAdoConnection* connessione, qint32 cliente,
                                    const std::function<QString(const QString&)>& testo, QString& rispondiA)
{
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT RagioneSociale, Nome, Cognome, Email FROM Clienti WHERE ID=?"), connessione, {cliente});
    if (rs.IsEOF())
        return QString();
    QString blocco = QDateTime::currentDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) + kCrLf
                     + testo(QStringLiteral("PMTDATIUTENTE")) + kCrLf;
    const std::pair<const char*, const char*> righe[] = {
        {"PMTRAGIONESOCIALE", "RagioneSociale"}, {"PMTNOME", "Nome"}, {"PMTCOGNOME", "Cognome"}};
    for (const auto& [codice, colonna] : righe) {
        const QString valore = ContenutiTesti::Testo(rs, QString::fromLatin1(colonna));
        if (!valore.isEmpty())
            blocco += testo(QString::fromLatin1(codice)) + valore + kCrLf;
    }
    const QString email = ContenutiTesti::Testo(rs, QStringLiteral("Email")).trimmed();
    if (CSmtpMessage::CheckMailbox(email).isEmpty())
        rispondiA = email;
    return blocco;
}
