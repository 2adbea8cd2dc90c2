#include "server/core/Funzioni.h"

#include "server/core/LettoreNumeri.h"

#include "platform/mail/CMailQueue.h"
#include "platform/mail/SmtpMail.h"
#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoException.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspRegionalSettings.h"
#include "platform/asp/IAspScriptingContext.h"
#include "platform/utilities/QtrArrotonda.h"
#include "platform/utilities/QtrCipher.h"
#include "recordset/schema/QtrIdAllocator.h"
#include "server/core/CAdoSqlSession.h"

#include <QFile>
#include <QLocale>
#include <QMutex>
#include <QMutexLocker>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringDecoder>

#include <cmath>
#include <stdexcept>

namespace {

QMutex g_mutex;
QString g_delimitatoreData = QStringLiteral("#");
QString g_serverPosta = QStringLiteral("localhost");
quint16 g_portaPosta = 25;
CMailQueue* g_codaPosta = nullptr;
std::function<void(const QString&)> g_registro;

void ImpostaDelimitatore(const QString& delimitatore)
{
    QMutexLocker lock(&g_mutex);
    g_delimitatoreData = delimitatore;
}

// The first comma-delimited field of the file's first line, quotes removed.
QString PrimoCampo(const QString& percorso)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(("Impossibile leggere " + percorso + ": " + file.errorString()).toStdString());
    const QByteArray bytes = file.readAll();
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString testo = utf8(bytes);
    if (utf8.hasError())
        testo = QStringDecoder(QStringDecoder::System)(bytes);
    if (testo.startsWith(QChar(0xFEFF)))
        testo.remove(0, 1);
    QString riga = testo.section(QLatin1Char('\n'), 0, 0);
    riga.remove(QLatin1Char('\r'));
    riga = riga.section(QLatin1Char(','), 0, 0).trimmed();
    if (riga.size() >= 2 && riga.startsWith(QLatin1Char('"')) && riga.endsWith(QLatin1Char('"')))
        riga = riga.mid(1, riga.size() - 2);
    return riga;
}

QChar CarattereCasuale(char primo, int quanti)
{
    return QChar(primo + static_cast<int>(QRandomGenerator::system()->bounded(quanti)));
}

} // namespace

bool Funzioni::ModalitaLocale(const IAspScriptingContext* context)
{
    return context && context->IsLocalMode();
}

QString Funzioni::FormattaImporto(double importo, double arrotondamento)
{
    int decimali = 0;
    if (arrotondamento < 1)
        decimali = 1;
    if (arrotondamento < 0.1)
        decimali = 2;
    if (arrotondamento < 0.01)
        decimali = 3;
    if (arrotondamento < 0.001)
        decimali = 4;
    if (arrotondamento < 0.0001)
        decimali = 5;
    if (arrotondamento < 0.00001)
        decimali = 6;
    return CAspRegionalSettings::Fixed(importo, decimali);
}

double Funzioni::CalcolaScontoComposto(const QVariant& sconto)
{
    if (sconto.typeId() != QMetaType::QString && sconto.canConvert<double>() && !sconto.isNull())
        return sconto.toDouble();
    const QString testo = sconto.toString();
    if (const std::optional<double> valore = LettoreNumeri::Decimale(testo))
        return *valore;
    double fattore = 1;
    for (const QString& parte : testo.split(QLatin1Char('+'))) {
        const std::optional<double> valore = LettoreNumeri::Decimale(parte);
        if (!valore)
            throw std::invalid_argument(("Sconto non numerico: " + testo).toStdString());
        fattore = (1 - *valore / 100) * fattore;
    }
    return (1 - fattore) * 100;
}

double Funzioni::ConvertiPrezzo(double prezzo, double divisore, double moltiplicatore, double arrotondamento)
{
    if (divisore == 0 || moltiplicatore == 0)
        return 0;
    return Arrotonda(prezzo / divisore * moltiplicatore, arrotondamento);
}

double Funzioni::Arrotonda(double valore, double arrotondamento)
{
    return QtrArrotonda(valore, arrotondamento);
}

qint64 Funzioni::Minori(double valore, double unita)
{
    const double n = QtrUnitaIntere(valore, unita);
    if (!std::isfinite(n) || std::fabs(n) > 9e15)
        throw std::invalid_argument("Importo fuori misura.");
    return static_cast<qint64>(n);
}

double Funzioni::DaMinori(qint64 minori, double unita)
{
    return unita < 1 ? double(minori) / std::round(1 / unita) : double(minori) * unita;
}

QString Funzioni::StringaConnessione(const QString& cartella)
{
    const QString ini = cartella + QStringLiteral("/sqlserver.ini");
    if (QFile::exists(ini)) {
        ImpostaDelimitatore(QStringLiteral("'"));
        return PrimoCampo(ini);
    }
    ImpostaDelimitatore(QStringLiteral("#"));
    return QStringLiteral("DBQ=") + cartella
        + QStringLiteral("/database.mdb;Driver={Microsoft Access Driver (*.mdb)};DriverId=24;FIL=MS Access;");
}

QString Funzioni::DelimitatoreData()
{
    QMutexLocker lock(&g_mutex);
    return g_delimitatoreData;
}

QString Funzioni::DecifraTesto(const QString& testo) { return Decrypt(testo); }

QString Funzioni::NomeTabella(const QString& tabella)
{
    static const QRegularExpression identificatore(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    if (!identificatore.match(tabella).hasMatch())
        throw std::invalid_argument(("Nome di tabella non valido: " + tabella).toStdString());
    return tabella;
}

qint32 Funzioni::ProssimoID(const QString& tabella, CAdoConnection* conn, bool web)
{
    const QString nome = NomeTabella(tabella);
    if (!conn)
        throw CAdoException(QStringLiteral("La connessione al database non è aperta."));
    CAdoSqlSession session(*conn);
    return QtrIdAllocator::Next(session, nome, web ? QtrIdRange::Server : QtrIdRange::Desktop);
}

void Funzioni::GeneraUserIDPassword(QString& userID, QString& password, int lunghezza, bool numerico,
                                    const QString& nome, const QString& cognome, const QVariant& idCliente,
                                    CAdoConnection* conn)
{
    password.clear();
    if (lunghezza == 0)
        lunghezza = 6;
    CAdoRecordset rs;
    if (!numerico) {
        userID = (nome.left(1) + cognome.left(7)).toLower().trimmed();
        for (int i = 0; i < (lunghezza + 1) / 2; ++i)
            password += CarattereCasuale('a', 26);
        for (int i = 0; i < lunghezza / 2; ++i)
            password += CarattereCasuale('0', 10);
        if (userID.isEmpty()) {
            userID = QStringLiteral("usr") + idCliente.toString();
            return;
        }
        rs.Open(QStringLiteral("SELECT * FROM Clienti WHERE LOWER(UserID)=LOWER(?) AND UserID<>''"), conn, {userID});
        if (!rs.IsEOF())
            userID += idCliente.toString();
        return;
    }
    // The highest user ID made of digits, compared as a number: compared
    // as text "99" would pass "100" and the next ID would repeat one.
    rs.Open(QStringLiteral("SELECT Max(CLng(UserID)) AS MaxUserID FROM Clienti WHERE IsNumeric(UserID)=-1"),
            conn);
    if (!rs.IsEOF() && !rs.IsNull(QStringLiteral("MaxUserID")))
        userID = QString::number(rs.Field(QStringLiteral("MaxUserID")).toLongLong() + 1);
    for (int i = 0; i < lunghezza; ++i)
        password += CarattereCasuale('0', 10);
}

void Funzioni::InserisciConUserID(CAdoConnection* conn, QString& userID, const QVariant& idCliente,
                                  const std::function<void(const QString& userID)>& inserisci)
{
    const QString base = userID;
    for (int tentativo = 0;; ++tentativo) {
        conn->BeginTrans();
        try {
            inserisci(userID);
            conn->CommitTrans();
            return;
        } catch (const CAdoException&) {
            conn->RollbackTrans();
            CAdoRecordset preso;
            preso.Open(QStringLiteral("SELECT ID FROM Clienti WHERE LOWER(UserID)=LOWER(?) AND UserID<>''"), conn,
                       {userID});
            if (preso.IsEOF() || tentativo == 5)
                throw;
        }
        userID = base + idCliente.toString();
        if (tentativo > 0)
            for (int i = 0; i < 4; ++i)
                userID += CarattereCasuale('0', 10);
    }
}

QString Funzioni::FormattaData(const QDateTime& data)
{
    return CAspRegionalSettings::Current().toString(data.date(), QStringLiteral("MMM d, yyyy"));
}

QString Funzioni::EliminaTagHTML(const QString& testo)
{
    QString risultato;
    bool copia = true;
    for (const QChar c : testo) {
        if (c == QLatin1Char('<'))
            copia = false;
        else if (c == QLatin1Char('>'))
            copia = true;
        else if (copia)
            risultato += c;
    }
    return risultato;
}

void Funzioni::ImpostaServerPosta(const QString& server, quint16 porta)
{
    QMutexLocker lock(&g_mutex);
    g_serverPosta = server;
    g_portaPosta = porta;
}

void Funzioni::ImpostaCodaPosta(CMailQueue* coda)
{
    QMutexLocker lock(&g_mutex);
    g_codaPosta = coda;
}

void Funzioni::ImpostaRegistroErrori(std::function<void(const QString&)> registro)
{
    QMutexLocker lock(&g_mutex);
    g_registro = std::move(registro);
}

void Funzioni::RegistraErrore(const QString& messaggio)
{
    std::function<void(const QString&)> registro;
    {
        QMutexLocker lock(&g_mutex);
        registro = g_registro;
    }
    if (registro)
        registro(messaggio);
    else
        qWarning("%s", qUtf8Printable(messaggio));
}

void Funzioni::InviaEmail(const IAspScriptingContext* context, const QString& mittente,
                          const QString& destinatario, const QString& oggetto, const QString& testo,
                          const QString& rispondiA)
{
    if (ModalitaLocale(context))
        return;
    SmtpMail mail;
    mail.from = mittente.isEmpty() ? destinatario : mittente;
    mail.to = QStringList{destinatario};
    mail.replyTo = rispondiA;
    mail.subject = oggetto;
    mail.body = testo;
    CMailQueue* coda = nullptr;
    {
        QMutexLocker lock(&g_mutex);
        mail.server = g_serverPosta;
        mail.port = g_portaPosta;
        coda = g_codaPosta;
    }
    if (coda) {
        const QString errore = coda->Accoda(mail);
        if (!errore.isEmpty())
            throw std::runtime_error(("Invio e-mail non riuscito: " + errore).toStdString());
        return;
    }
    const SmtpResult result = SendSmtpMail(mail);
    if (!result.ok)
        throw std::runtime_error(("Invio e-mail non riuscito: " + result.error).toStdString());
}
