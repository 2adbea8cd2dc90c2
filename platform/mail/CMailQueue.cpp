#include "platform/mail/CMailQueue.h"

#include "platform/mail/CSmtpMessage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <algorithm>
#include <atomic>

namespace {

const QString kEstensione = QStringLiteral(".mail");
const QString kScartate = QStringLiteral("scartate");

QString ControllaIndirizzi(const SmtpMail& mail)
{
    const QString mittente = CSmtpMessage::CheckAddress(mail.from.trimmed());
    if (!mittente.isEmpty())
        return QStringLiteral("Mittente: ") + mittente;
    if (!mail.replyTo.trimmed().isEmpty()) {
        const QString risposta = CSmtpMessage::CheckMailbox(mail.replyTo.trimmed());
        if (!risposta.isEmpty())
            return QStringLiteral("Rispondi a: ") + risposta;
    }
    QStringList destinatari;
    for (const QString& a : mail.to)
        destinatari << CSmtpMessage::SplitAddresses(a);
    if (destinatari.isEmpty())
        return QStringLiteral("Destinatario: ") + CSmtpMessage::CheckAddress(QString());
    for (const QString& a : destinatari) {
        const QString errore = CSmtpMessage::CheckAddress(a);
        if (!errore.isEmpty())
            return QStringLiteral("Destinatario: ") + errore;
    }
    return QString();
}

bool Scrivi(const QString& percorso, const QJsonObject& messaggio)
{
    QSaveFile file(percorso);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(messaggio).toJson(QJsonDocument::Compact));
    return file.commit();
}

QString NuovoNome()
{
    static std::atomic<quint64> contatore{0};
    return QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMddHHmmsszzz"))
        + QStringLiteral("-%1-%2").arg(QCoreApplication::applicationPid()).arg(++contatore, 6, 10, QChar('0'))
        + kEstensione;
}

} // namespace

CMailQueue::CMailQueue(Settings settings) : m_settings(std::move(settings))
{
    QDir().mkpath(m_settings.folder);
}

CMailQueue::~CMailQueue()
{
    Ferma();
}

void CMailQueue::Registra(const QString& riga) const
{
    if (m_settings.log)
        m_settings.log(riga);
}

QString CMailQueue::Accoda(const SmtpMail& mail)
{
    const QString errore = ControllaIndirizzi(mail);
    if (!errore.isEmpty())
        return errore;
    const QDateTime adesso = QDateTime::currentDateTimeUtc();
    QJsonObject m{{"from", mail.from.trimmed()},
                  {"replyTo", mail.replyTo.trimmed()},
                  {"to", QJsonArray::fromStringList(mail.to)},
                  {"subject", mail.subject},
                  {"body", mail.body},
                  {"html", mail.html},
                  {"created", adesso.toString(Qt::ISODateWithMs)},
                  {"due", adesso.toString(Qt::ISODateWithMs)},
                  {"attempts", 0}};
    if (!QDir().mkpath(m_settings.folder) || !Scrivi(QDir(m_settings.folder).filePath(NuovoNome()), m))
        return QStringLiteral("La coda della posta non si può scrivere: %1").arg(m_settings.folder);
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_nuova = true;
    }
    m_sveglia.notify_one();
    return QString();
}

int CMailQueue::InAttesa() const
{
    return int(QDir(m_settings.folder).entryList({QStringLiteral("*") + kEstensione}, QDir::Files).size());
}

int CMailQueue::InviaScadute(const QDateTime& adesso, bool anchePrima)
{
    const QDir cartella(m_settings.folder);
    int inviate = 0;
    for (const QString& nome : cartella.entryList({QStringLiteral("*") + kEstensione}, QDir::Files, QDir::Name)) {
        {
            std::lock_guard<std::mutex> lock(m_lock);
            if (m_fermo)
                break;
        }
        if (InviaFile(cartella.filePath(nome), adesso, anchePrima))
            ++inviate;
    }
    return inviate;
}

// False when the message was not due, or the relay did not take it.
bool CMailQueue::InviaFile(const QString& percorso, const QDateTime& adesso, bool anchePrima)
{
    QFile file(percorso);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QJsonObject m = QJsonDocument::fromJson(file.readAll()).object();
    file.close();
    const QString nome = QFileInfo(percorso).fileName();
    if (m.isEmpty()) {
        Registra(QStringLiteral("Posta: messaggio illeggibile, messo da parte: %1").arg(nome));
        QDir(m_settings.folder).mkpath(kScartate);
        QFile::rename(percorso, QDir(m_settings.folder).filePath(kScartate + QLatin1Char('/') + nome));
        return false;
    }
    if (!anchePrima && QDateTime::fromString(m.value("due").toString(), Qt::ISODateWithMs) > adesso)
        return false;

    SmtpMail mail;
    mail.from = m.value("from").toString();
    for (const QJsonValue& a : m.value("to").toArray())
        mail.to << a.toString();
    mail.replyTo = m.value("replyTo").toString();
    mail.subject = m.value("subject").toString();
    mail.body = m.value("body").toString();
    mail.html = m.value("html").toBool();
    mail.server = m_settings.server;
    mail.port = m_settings.port;
    mail.timeout = m_settings.timeoutMs;
    const SmtpResult esito = SendSmtpMail(mail);
    if (esito.ok) {
        QFile::remove(percorso);
        return true;
    }

    const int tentativi = m.value("attempts").toInt() + 1;
    const QString errore = esito.error.trimmed();
    const QDateTime creato = QDateTime::fromString(m.value("created").toString(), Qt::ISODateWithMs);
    if (creato.isValid() && creato.secsTo(adesso) >= m_settings.longestAgeSeconds) {
        Registra(QStringLiteral("Posta per %1 non consegnata dopo %2 tentativi, messa da parte (%3): %4")
                     .arg(mail.to.join(QStringLiteral(", "))).arg(tentativi).arg(nome, errore));
        QDir(m_settings.folder).mkpath(kScartate);
        QFile::rename(percorso, QDir(m_settings.folder).filePath(kScartate + QLatin1Char('/') + nome));
        return false;
    }
    const qint64 attesa = std::min<qint64>(qint64(m_settings.firstRetrySeconds) << std::min(tentativi - 1, 20),
                                           m_settings.longestRetrySeconds);
    m.insert("attempts", tentativi);
    m.insert("error", errore);
    m.insert("due", adesso.addSecs(attesa).toString(Qt::ISODateWithMs));
    Scrivi(percorso, m);
    Registra(QStringLiteral("Posta per %1 non consegnata (tentativo %2, il prossimo fra %3 s): %4")
                 .arg(mail.to.join(QStringLiteral(", "))).arg(tentativi).arg(attesa).arg(errore));
    return false;
}

void CMailQueue::Avvia()
{
    std::lock_guard<std::mutex> lock(m_lock);
    if (m_thread.joinable())
        return;
    m_fermo = false;
    m_thread = std::thread([this] { Ciclo(); });
}

void CMailQueue::Ferma()
{
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_fermo = true;
    }
    m_sveglia.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

// Every pass looks at the whole folder, so a message written by an
// earlier run, or whose wait ran out, goes at the latest a little after
// it is due. The first pass tries every message at once: a restart often
// follows a mended relay, and nobody should wait an hour for that.
void CMailQueue::Ciclo()
{
    bool primo = true;
    for (;;) {
        InviaScadute(QDateTime::currentDateTimeUtc(), primo);
        primo = false;
        std::unique_lock<std::mutex> lock(m_lock);
        m_sveglia.wait_for(lock, std::chrono::seconds(15), [this] { return m_fermo || m_nuova; });
        if (m_fermo)
            return;
        m_nuova = false;
    }
}
