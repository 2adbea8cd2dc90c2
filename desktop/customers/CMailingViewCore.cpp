#include "desktop/customers/CMailingViewCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CCategorieProdottiSet.h"
#include "recordset/CClientiSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"
#include "recordset/CInteressiLingueSet.h"
#include "recordset/CInteressiSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"

#include <QFile>
#include <QSqlQuery>
#include <QTextStream>

#include <algorithm>

namespace {

const QString kValidazione = QStringLiteral("Validazione campi");
const QString kIni = QStringLiteral("mailing.ini");

QStringList Marks(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks;
}

} // namespace

const QStringList& CMailingViewCore::KindTexts()
{
    static const QStringList texts = {QStringLiteral(" Utenti B2B"), QStringLiteral(" Utenti B2C"),
                                      QStringLiteral(" Utenti Mailing"), QStringLiteral(" Utenti Agente")};
    return texts;
}

const QStringList& CMailingViewCore::PromoFields()
{
    static const QStringList texts = {QStringLiteral(" Categoria"),          QStringLiteral(" Codice"),
                                      QStringLiteral(" Nome"),               QStringLiteral(" Descrizione fattura"),
                                      QStringLiteral(" Descrizione breve"),  QStringLiteral(" Descrizione estesa"),
                                      QStringLiteral(" Link scheda prodotti")};
    return texts;
}

CMailingViewCore::CMailingViewCore(CDaoDatabase& db, const QString& projectFolder, const QString& currentLanguage,
                                   const QString& defaultLanguage)
    : m_db(db), m_strFolder(projectFolder), m_strDefault(defaultLanguage), m_strLanguage(currentLanguage)
{
    for (int i = 0; i < KindTexts().size(); ++i)
        m_kinds.append({i, KindTexts().at(i), true});
    for (int i = 0; i < PromoFields().size(); ++i)
        m_fields.append({i, PromoFields().at(i), false});
    LoadSmsSenders();
    LoadInterests();
    ReadIni();
}

QStringList CMailingViewCore::ActiveLanguages() const
{
    QStringList codes;
    CLingueSet languages(&m_db);
    languages.m_strFilter = QStringLiteral("Attivo=TRUE");
    languages.Open();
    for (; !languages.IsEOF(); languages.MoveNext())
        codes << languages.m_Codice;
    return codes;
}

void CMailingViewCore::LoadSmsSenders()
{
    CDizionarioGenSet codes(&m_db);
    codes.m_strFilter = QStringLiteral("Codice='PMTINTESTAZIONESMS'");
    codes.Open();
    if (codes.IsEOF())
        return;
    CDizionarioLinSet texts(&m_db);
    texts.SetFilter(CDaoCriteria(QStringLiteral("IDCodice=?"), {codes.m_ID}));
    texts.Open();
    for (const QString& language : ActiveLanguages())
        if (texts.FindFirst(QStringLiteral("CodiceLingua=?"), {language}))
            m_smsSender.insert(language, texts.m_Testo);
}

void CMailingViewCore::LoadInterests()
{
    CInteressiSet interests(&m_db);
    interests.m_strSort = QStringLiteral("Ordine");
    interests.Open();
    CInteressiLingueSet texts(&m_db);
    texts.Open();
    for (; !interests.IsEOF(); interests.MoveNext()) {
        const bool found =
            texts.FindFirst(QStringLiteral("IDInteresse=? AND CodiceLingua=?"), {interests.m_ID, m_strLanguage})
            || texts.FindFirst(QStringLiteral("IDInteresse=? AND CodiceLingua=?"), {interests.m_ID, m_strDefault});
        m_interests.append({interests.m_ID, QLatin1Char(' ') + (found ? texts.m_Nome : QString()), false});
    }
}

void CMailingViewCore::ReadIni()
{
    QFile file(m_strFolder + kIni);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    QString* lines[] = {&m_msg.strSender, &m_msg.strServer, &m_strUrl};
    for (QString* line : lines)
        if (!in.atEnd())
            *line = in.readLine();
}

// Nothing is said when the file cannot be written: the settings are a
// convenience for the next mailing.
void CMailingViewCore::WriteIni() const
{
    QFile file(m_strFolder + kIni);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return;
    QTextStream out(&file);
    out << m_msg.strSender << '\n' << m_msg.strServer << '\n' << m_strUrl << '\n';
}

void CMailingViewCore::RefreshLanguage(const QString& language)
{
    m_subject.insert(m_strLanguage, m_msg.strSubject);
    m_body.insert(m_strLanguage, m_msg.strBody);
    m_signature.insert(m_strLanguage, m_msg.strSignature);
    m_sms.insert(m_strLanguage, m_msg.strSms);
    const auto pick = [&](const MailingJob::Texts& texts) {
        return texts.contains(language) ? texts.value(language) : texts.value(m_strDefault);
    };
    m_msg.strSubject = pick(m_subject);
    m_msg.strBody = pick(m_body);
    m_msg.strSignature = pick(m_signature);
    m_msg.strSms = pick(m_sms);
    m_strLanguage = language;
}

// One row per user with at least one of the checked interests and one of
// the checked kinds; the checked IDs are bound.
QString CMailingViewCore::BuildRecipientsSql(QVariantList& values) const
{
    values.clear();
    QVariantList kinds;
    for (const Check& interest : m_interests)
        if (interest.bChecked)
            values << interest.nID;
    const int interestCount = values.size();
    for (const Check& kind : m_kinds)
        if (kind.bChecked)
            kinds << kind.nID;
    values += kinds;
    return QStringLiteral("SELECT InteressiUtenti.IDUtente, MIN(InteressiUtenti.IDInteresse) AS IDInt, "
                          "MIN(Clienti.TipoUtente) AS Tipo "
                          "FROM InteressiUtenti INNER JOIN Clienti ON InteressiUtenti.IDUtente = Clienti.ID "
                          "WHERE InteressiUtenti.IDInteresse IN (%1) AND Clienti.TipoUtente IN (%2) "
                          "GROUP BY InteressiUtenti.IDUtente ORDER BY InteressiUtenti.IDUtente")
        .arg(Marks(interestCount).join(QLatin1Char(',')), Marks(kinds.size()).join(QLatin1Char(',')));
}

QString CMailingViewCore::Label(const QString& ragioneSociale, const QString& nome, const QString& cognome,
                                const QString& email)
{
    const QString name = nome + QLatin1Char(' ') + cognome;
    QString label = name;
    if (!ragioneSociale.isEmpty())
        label = name.trimmed().isEmpty() ? ragioneSociale : ragioneSociale + QStringLiteral(" (") + name + ')';
    label = label.trimmed();
    return label.isEmpty() ? email : label + QStringLiteral(" : ") + email;
}

QList<MailingRecipient> CMailingViewCore::Recipients() const
{
    QList<MailingRecipient> recipients;
    QVariantList values;
    QSqlQuery query(m_db.Connection());
    query.prepare(BuildRecipientsSql(values));
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, values.at(i));
    if (!query.exec())
        return recipients;
    CClientiSet customer(&m_db);
    customer.Open();
    while (query.next()) {
        // A user gone since he chose the interest is passed over.
        if (!customer.FindFirst(QStringLiteral("ID=?"), {query.value(0)}))
            continue;
        recipients.append({customer.m_ID,
                           Label(customer.m_RagioneSociale, customer.m_Nome, customer.m_Cognome, customer.m_Email),
                           customer.m_Email, customer.m_Cellulare,
                           customer.m_CodiceLingua.isEmpty() ? m_strDefault : customer.m_CodiceLingua});
    }
    return recipients;
}

QStringList CMailingViewCore::ShowRecipients() const
{
    QStringList labels;
    for (const MailingRecipient& recipient : Recipients())
        labels << recipient.strLabel;
    if (labels.isEmpty())
        CMessageBox::Show(nullptr, QStringLiteral("Nessun utente selezionato."), QStringLiteral("Selezione utenti"),
                          CMessageBox::Exclamation);
    return labels;
}

bool CMailingViewCore::HasPromoProducts() const
{
    CProdottiGeneraleSet products(&m_db);
    products.m_strFilter = QStringLiteral("Mailing=TRUE");
    products.Open();
    return !products.IsEOF();
}

QString CMailingViewCore::BuildPromoText(const QString& requested) const
{
    const QString language = requested.isEmpty() ? m_strLanguage : requested;
    const auto checked = [this](int field) { return m_fields.at(field).bChecked; };
    CProdottiGeneraleSet products(&m_db);
    products.m_strFilter = QStringLiteral("Mailing=TRUE");
    products.m_strSort = QStringLiteral("Ordine");
    products.Open();
    CProdottiLingueSet texts(&m_db);
    texts.Open();
    CCategorieLinSet categoryNames(&m_db);
    categoryNames.Open();
    QString promo;
    const QString crlf = QStringLiteral("\r\n");
    for (; !products.IsEOF(); products.MoveNext()) {
        const qint32 id = products.m_ID;
        const bool found = texts.FindFirst(QStringLiteral("IDProdotto=? AND CodiceLingua=?"), {id, language})
                           || texts.FindFirst(QStringLiteral("IDProdotto=? AND CodiceLingua=?"), {id, m_strDefault});
        if (checked(0)) {
            CCategorieProdottiSet links(&m_db);
            links.SetFilter(CDaoCriteria(QStringLiteral("IDProdotto=?"), {id}));
            links.Open();
            QStringList names;
            for (; !links.IsEOF(); links.MoveNext()) {
                const qint32 category = links.m_IDCategoria;
                if (categoryNames.FindFirst(QStringLiteral("IDCategoria=? AND CodiceLingua=?"), {category, language})
                    || categoryNames.FindFirst(QStringLiteral("IDCategoria=? AND CodiceLingua=?"),
                                               {category, m_strDefault}))
                    names << categoryNames.m_Nome;
            }
            promo += names.join(QStringLiteral(", ")) + crlf;
        }
        QString line = checked(1) ? products.m_Codice : QString();
        if (checked(2))
            line += (line.isEmpty() ? QString() : QStringLiteral(" - ")) + (found ? texts.m_Nome : QString());
        if (!line.isEmpty())
            promo += line + crlf;
        if (checked(3))
            promo += (found ? texts.m_DescrizioneFattura : QString()) + crlf;
        if (checked(4))
            promo += (found ? texts.m_DescrizioneBreve : QString()) + crlf;
        if (checked(5))
            promo += (found ? texts.m_DescrizioneEstesa : QString()) + crlf;
        if (checked(6))
            promo += QStringLiteral("%1?CodiceLingua=%2&IDProdotto=%3").arg(m_strUrl, language).arg(id) + crlf;
        promo += crlf;
    }
    return promo;
}

bool CMailingViewCore::Refuse(const QString& text) const
{
    CMessageBox::Show(nullptr, text, kValidazione, CMessageBox::Stop);
    return false;
}

bool CMailingViewCore::Validate(bool mail, bool sms)
{
    if (!mail && !sms)
        return Refuse(QStringLiteral("Selezionare l'invio di almeno un tipo di messaggio!"));
    RefreshLanguage(m_strLanguage);
    if (mail) {
        if (m_msg.strSender.isEmpty())
            return Refuse(QStringLiteral("Specificare l'indirizzo del mittente!"));
        if (m_subject.value(m_strDefault).isEmpty())
            return Refuse(QStringLiteral("Specificare l'oggetto del messaggio!"));
        if (m_msg.strServer.isEmpty())
            return Refuse(QStringLiteral("Specificare il server STMP!"));
        if (m_body.value(m_strDefault).isEmpty())
            return Refuse(QStringLiteral("Il contenuto del messaggio è vuoto!"));
    }
    if (sms && m_sms.value(m_strDefault).isEmpty())
        return Refuse(QStringLiteral("Il contenuto del messaggio SMS è vuoto!"));
    const auto any = [](const QList<Check>& checks) {
        return std::any_of(checks.begin(), checks.end(), [](const Check& c) { return c.bChecked; });
    };
    if (!any(m_interests))
        return Refuse(QStringLiteral("Specificare almeno una categoria di interesse!"));
    if (!any(m_kinds))
        return Refuse(QStringLiteral("Specificare almeno un tipo di destinatario!"));
    return true;
}

MailingJob CMailingViewCore::PrepareJob(bool mail, bool sms)
{
    MailingJob job;
    job.bMail = mail;
    job.bSms = sms;
    job.strSender = m_msg.strSender.trimmed();
    // "host" or "host:port".
    job.strServer = m_msg.strServer.trimmed();
    const int colon = job.strServer.lastIndexOf(QLatin1Char(':'));
    bool portOk = false;
    const uint port = colon > 0 ? job.strServer.mid(colon + 1).toUInt(&portOk) : 0;
    if (portOk && port > 0 && port < 65536) {
        job.nPort = quint16(port);
        job.strServer.truncate(colon);
    }
    job.strDefaultLanguage = m_strDefault;
    job.subject = m_subject;
    job.body = m_body;
    job.signature = m_signature;
    job.smsText = m_sms;
    job.smsSender = m_smsSender;
    job.bInsertPromo = m_msg.bInsertPromo;
    if (job.bInsertPromo)
        for (const QString& language : ActiveLanguages())
            m_promo.insert(language, BuildPromoText(language));
    job.promo = m_promo;
    job.recipients = Recipients();
    return job;
}
