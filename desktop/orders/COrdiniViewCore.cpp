#include "desktop/orders/COrdiniViewCore.h"

#include "desktop/orders/COrdineNotificaSms.h"
#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/controls/CNumberText.h"
#include "recordset/CClientiSet.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/COrdiniDettaglioSet.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/CProdottiColoriSet.h"
#include "recordset/CStatoOrdiniGeneraleSet.h"
#include "recordset/CStatoOrdiniLingueSet.h"
#include "recordset/CValuteSet.h"

#include <QFileInfo>
#include <QSqlQuery>

namespace {

const QString kEvasione = QStringLiteral("Evasione ordine");
const QString kEmissione = QStringLiteral("Emissione fattura");

// The highest invoice number among the orders matching where (all when empty).
qint32 HighestInvoice(CDaoDatabase& db, const QString& where, const QVariantList& params)
{
    QSqlQuery query(db.Connection());
    query.prepare(QStringLiteral("SELECT MAX(NumeroFattura) FROM Ordini") + where);
    for (const QVariant& value : params)
        query.addBindValue(value);
    query.exec();
    return query.next() ? query.value(0).toInt() : 0;
}

QStringList Values(CDaoRecordset& set, const QStringList& columns)
{
    QStringList values;
    for (const QString& column : columns)
        values << set.GetFieldValue(column).toString();
    return values;
}

bool AnyFilled(const QStringList& values)
{
    for (const QString& value : values)
        if (!value.isEmpty())
            return true;
    return false;
}

QStringList Prefixed(const QStringList& columns)
{
    QStringList prefixed;
    for (const QString& column : columns)
        prefixed << QLatin1Char('D') + column;
    return prefixed;
}

} // namespace

const QStringList& COrdiniViewCore::ClienteColumns()
{
    static const QStringList columns{
        QStringLiteral("RagioneSociale"), QStringLiteral("Nome"),     QStringLiteral("Cognome"),
        QStringLiteral("Indirizzo"),      QStringLiteral("Cap"),      QStringLiteral("Localita"),
        QStringLiteral("Provincia"),      QStringLiteral("Stato"),    QStringLiteral("Telefono"),
        QStringLiteral("Email"),          QStringLiteral("CFPI")};
    return columns;
}

const QStringList& COrdiniViewCore::DestinatarioColumns()
{
    static const QStringList columns = Prefixed(ClienteColumns().mid(0, 8));
    return columns;
}

COrdiniViewCore::COrdiniViewCore(CDaoDatabase& db, const QString& projectFolder, const QString& defaultLanguage)
    : m_db(db), m_strProjectFolder(projectFolder), m_strDefaultLanguage(defaultLanguage),
      m_pOrdini(std::make_unique<COrdiniGeneraleSet>(&db)), m_pDettaglio(std::make_unique<COrdiniDettaglioSet>(&db)),
      m_pClienti(std::make_unique<CClientiSet>(&db)), m_pColori(std::make_unique<CProdottiColoriSet>(&db)),
      m_pStatiLingue(std::make_unique<CStatoOrdiniLingueSet>(&db))
{
    m_pOrdini->Open();
    // The lines are opened for each order shown (ShowLines), never all.
    m_pClienti->Open();
    m_pColori->Open();
    m_pStatiLingue->Open();
    ReloadConfiguration();
    if (!IsEmpty()) {
        m_pOrdini->MoveFirst();
        Settle(First);
        ShowRecord();
    }
}

COrdiniViewCore::~COrdiniViewCore() = default;

void COrdiniViewCore::ReloadConfiguration()
{
    CConfigurazioneSet config(&m_db);
    config.Open();
    qint32 valuta = 0;
    if (!config.IsEOF()) {
        m_nIDStatoEvaso = config.m_IDStatoEvaso;
        valuta = config.m_ValutaListino;
    }
    CValuteSet valute(&m_db);
    valute.Open();
    if (valute.FindFirst(QStringLiteral("ID=?"), {valuta})) {
        m_importi = COrdineTotali(COrdineTotali::DecimalsOf(valute.m_Arrotondamento));
        m_cambioListino = valute.m_Cambio;
    }
}

bool COrdiniViewCore::IsEmpty() const
{
    return m_pOrdini->IsBOF() && m_pOrdini->IsEOF();
}

void COrdiniViewCore::Settle(Step step)
{
    // The recordset never rests past either end: a step out of the table
    // goes back to the row it left.
    if (step == Prev && m_pOrdini->IsBOF())
        m_pOrdini->MoveFirst();
    if (step == Next && m_pOrdini->IsEOF())
        m_pOrdini->MoveLast();
    const qint32 id = m_pOrdini->m_ID;
    m_pOrdini->MovePrev();
    m_bFirst = m_pOrdini->IsBOF();
    m_pOrdini->FindFirst(QStringLiteral("ID=?"), {id});
    m_pOrdini->MoveNext();
    m_bLast = m_pOrdini->IsEOF();
    m_pOrdini->FindFirst(QStringLiteral("ID=?"), {id});
}

void COrdiniViewCore::Move(Step step, const OrdineForm& typed)
{
    if (IsEmpty())
        return;
    if (IsRecordModified(typed))
        SaveRecord(typed);
    switch (step) {
    case First: m_pOrdini->MoveFirst(); break;
    case Prev: m_pOrdini->MovePrev(); break;
    case Next: m_pOrdini->MoveNext(); break;
    case Last: m_pOrdini->MoveLast(); break;
    }
    Settle(step);
    ShowRecord();
}

bool COrdiniViewCore::ShowOrder(qint32 id)
{
    if (!m_pOrdini->FindFirst(QStringLiteral("ID=?"), {id}))
        return false;
    Settle(First);
    ShowRecord();
    return true;
}

void COrdiniViewCore::ShowRecord()
{
    m_nCurrentID = m_pOrdini->m_ID;
    m_form = OrdineForm();
    m_testata = OrdineTestata();
    ShowCustomer();
    COrdiniGeneraleSet& o = *m_pOrdini;
    m_testata.strNumero = o.m_NumOrdine;
    const QDate d = o.m_Data.date();
    const QTime t = o.m_Ora.time();
    m_testata.strData = QString::asprintf("%02d/%02d/%04d - %02d:%02d", d.day(), d.month(), d.year(), t.hour(), t.minute());
    m_testata.bFatturata = o.m_NumeroFattura > 0;
    m_testata.strFattura = InvoiceText();
    m_bFatturaCancellabile = HoldsHighestInvoice();
    m_testata.strPagamento = Payment();
    m_testata.bContrassegno = o.m_TipoPagamento == QLatin1String("Contrassegno");
    m_testata.bEsenzioneIVA = o.m_EsenzioneIVA;
    m_testata.strNote = o.m_Note;
    m_testata.strCodiceLingua = o.m_CodiceLingua;
    m_form.strColli = o.m_NColli > 0 ? QString::number(o.m_NColli) : QString();
    m_form.bPagato = o.m_Pagato;
    m_form.stati = COrdineStati::Parse(o.m_Stati);
    ShowLines();
    UpdateTotals();
}

void COrdiniViewCore::ShowCustomer()
{
    COrdiniGeneraleSet& o = *m_pOrdini;
    const QStringList cliente = Values(o, ClienteColumns());
    const bool inOrder = AnyFilled(cliente);
    const bool found = m_pClienti->FindFirst(QStringLiteral("ID=?"), {o.m_IDCliente});
    if (found)
        m_testata.strCellulare = m_pClienti->m_Cellulare;
    if (inOrder) {
        m_form.cliente = cliente;
        m_form.destinatario = Values(o, DestinatarioColumns());
        m_testata.strCliente = o.m_RagioneSociale + (o.m_RagioneSociale.isEmpty() ? QString() : QStringLiteral("\n"))
                               + o.m_Nome + QLatin1Char(' ') + o.m_Cognome;
        return;
    }
    // An order downloaded without its own copy shows the customer's row;
    // saving then copies it into the order.
    m_form.cliente = found ? Values(*m_pClienti, ClienteColumns()) : QStringList(ClienteColumns().size(), QString());
    if (found)
        m_testata.strCliente = m_pClienti->m_RagioneSociale
                               + (m_pClienti->m_RagioneSociale.isEmpty() ? QString() : QStringLiteral("\n "))
                               + m_pClienti->m_Nome + QLatin1Char(' ') + m_pClienti->m_Cognome;
    m_form.destinatario = QStringList(DestinatarioColumns().size(), QString());
    if (o.m_IDDestinatario > 0 && m_pClienti->FindFirst(QStringLiteral("ID=?"), {o.m_IDDestinatario}))
        m_form.destinatario = Values(*m_pClienti, ClienteColumns().mid(0, 8));
}

QString COrdiniViewCore::Payment() const
{
    const QString& tipo = m_pOrdini->m_TipoPagamento;
    if (tipo == QLatin1String("CCPostale"))
        return QStringLiteral("Conto corrente postale");
    if (tipo == QLatin1String("CartaCredito"))
        return QStringLiteral("Carta di credito - Aut. n. ") + m_pOrdini->m_AutorizzazioneCartaCredito;
    return tipo;
}

QString COrdiniViewCore::InvoiceText() const
{
    if (m_pOrdini->m_NumeroFattura <= 0)
        return QStringLiteral("Ordine da fatturare.");
    const QDate d = m_pOrdini->m_DataFattura.date();
    return QString::asprintf("Fattura n. %d del %02d/%02d/%04d", int(m_pOrdini->m_NumeroFattura), d.day(), d.month(),
                             d.year());
}

QString COrdiniViewCore::ColourCode(qint32 id)
{
    return m_pColori->FindFirst(QStringLiteral("ID=?"), {id}) ? m_pColori->m_Codice : QString();
}

void COrdiniViewCore::ShowLines()
{
    m_righe.clear();
    m_pDettaglio->m_strFilter = QStringLiteral("IDOrdine=?");
    m_pDettaglio->m_filterParams = {m_nCurrentID};
    // Requery keeps the statement it has; a new filter takes a new open.
    m_pDettaglio->Open();
    for (; !m_pDettaglio->IsEOF(); m_pDettaglio->MoveNext()) {
        const COrdiniDettaglioSet& d = *m_pDettaglio;
        OrdineRiga riga;
        riga.nID = d.m_ID;
        riga.strCodice = d.m_CodiceProdotto;
        riga.strDescrizione = d.m_Descrizione;
        riga.strTaglia = d.m_Taglia;
        riga.prezzo = d.m_Prezzo;
        riga.quantita = d.m_Quantita;
        riga.evasa = d.m_QuantitaEvasa;
        riga.iva = d.m_Iva;
        riga.nIDColore = d.m_IDColore;
        riga.nIDProdotto = d.m_IDProdotto;
        m_righe.append(riga);
    }
    for (OrdineRiga& riga : m_righe)
        riga.strColore = ColourCode(riga.nIDColore);
}

void COrdiniViewCore::UpdateTotals()
{
    QList<COrdineTotali::Riga> righe;
    for (OrdineRiga& riga : m_righe) {
        const COrdineTotali::Riga r{riga.prezzo, riga.evasa, riga.iva};
        riga.importo = m_importi.Importo(r);
        righe.append(r);
    }
    COrdiniGeneraleSet& o = *m_pOrdini;
    m_totali = m_importi.Calcola(righe, {o.m_SpeseSpedizione, o.m_SpeseContrassegno, o.m_IVASpedizioni, o.m_EsenzioneIVA},
                                 m_importi.Addebitati(o, m_cambioListino), IsFullyShipped());
}

QString COrdiniViewCore::ImagePath(int line) const
{
    if (line < 0 || line >= m_righe.size())
        return QString();
    const OrdineRiga& riga = m_righe.at(line);
    const QString images = m_strProjectFolder + QStringLiteral("website/images/prodotti/");
    QStringList candidates;
    if (riga.nIDColore > 0)
        candidates << images + QStringLiteral("colori/dettagli/%1.jpg").arg(riga.nIDColore)
                   << images + QStringLiteral("colori/%1.jpg").arg(riga.nIDColore);
    candidates << images + QStringLiteral("%1.jpg").arg(riga.nIDProdotto);
    for (const QString& path : candidates)
        if (QFileInfo::exists(path))
            return path;
    return QString();
}

bool COrdiniViewCore::IsFullyShipped() const
{
    for (const OrdineRiga& riga : m_righe)
        if (!riga.IsShipped())
            return false;
    return true;
}

bool COrdiniViewCore::IsRecordModified(const OrdineForm& typed)
{
    if (IsEmpty() || !m_pOrdini->FindFirst(QStringLiteral("ID=?"), {m_nCurrentID}))
        return false;
    COrdiniGeneraleSet& o = *m_pOrdini;
    return typed.strColli.toInt() != o.m_NColli || typed.cliente != Values(o, ClienteColumns())
           || typed.destinatario != Values(o, DestinatarioColumns()) || typed.bPagato != o.m_Pagato
           || COrdineStati::Build(typed.stati) != o.m_Stati;
}

bool COrdiniViewCore::SaveRecord(const OrdineForm& typed)
{
    if (IsEmpty() || !m_pOrdini->FindFirst(QStringLiteral("ID=?"), {m_nCurrentID}))
        return true;
    COrdiniGeneraleSet& o = *m_pOrdini;
    o.Edit();
    for (int i = 0; i < ClienteColumns().size(); ++i)
        o.SetFieldValue(ClienteColumns().at(i), typed.cliente.value(i));
    for (int i = 0; i < DestinatarioColumns().size(); ++i)
        o.SetFieldValue(DestinatarioColumns().at(i), typed.destinatario.value(i));
    o.m_NColli = typed.strColli.toInt();
    o.m_Stati = COrdineStati::Build(typed.stati);
    o.m_Pagato = typed.bPagato;
    o.m_Modificato = true;
    o.Update();
    m_form = typed;
    m_form.cliente = Values(o, ClienteColumns());
    m_form.destinatario = Values(o, DestinatarioColumns());
    m_form.stati = COrdineStati::Parse(o.m_Stati);
    return true;
}

bool COrdiniViewCore::SetShipped(int line, float value, std::optional<COrdineStati::Entry>* shippedState,
                                 const QDateTime& now)
{
    if (shippedState)
        shippedState->reset();
    if (line < 0 || line >= m_righe.size() || m_testata.bFatturata)
        return false;
    OrdineRiga& riga = m_righe[line];
    if (value == riga.evasa)
        return true;
    const bool wasShipped = IsFullyShipped();
    if (value > riga.quantita
        && CMessageBox::Show(nullptr,
                             QStringLiteral("La quantità evasa è maggiore della quantità richiesta.\n\nConfermi ?"),
                             kEvasione, CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return false;
    if (!m_pDettaglio->FindFirst(QStringLiteral("ID=?"), {riga.nID}))
        return false;
    m_pDettaglio->Edit();
    m_pDettaglio->m_QuantitaEvasa = value;
    m_pDettaglio->m_Modificato = true;
    m_pDettaglio->Update();
    riga.evasa = value;
    UpdateTotals();
    if (m_nIDStatoEvaso > 0 && !wasShipped && IsFullyShipped()
        && CMessageBox::Show(nullptr, QStringLiteral("L'ordine risulta evaso completamente.\n\nVuoi aggiornare lo stato ?"),
                             kEvasione, CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes
        && shippedState)
        *shippedState = COrdineStati::Stamped(StateText(m_nIDStatoEvaso), now);
    return true;
}

QList<std::pair<qint32, QString>> COrdiniViewCore::StatiPredefiniti()
{
    QList<std::pair<qint32, QString>> states;
    CStatoOrdiniGeneraleSet stati(&m_db);
    stati.Open();
    for (; !stati.IsEOF(); stati.MoveNext())
        if (m_pStatiLingue->FindFirst(QStringLiteral("IDCodice=? AND CodiceLingua=?"), {stati.m_ID, m_strDefaultLanguage}))
            states.append({stati.m_ID, m_pStatiLingue->m_Testo});
    return states;
}

QString COrdiniViewCore::MoneyText(qint64 minor) const
{
    return CNumberText::Display(m_importi.Text(minor), true);
}

void COrdiniViewCore::OfferStateSms(const COrdineStati::Entry& entry)
{
    COrdineNotificaSms(m_db, m_strDefaultLanguage)
        .Offer(m_testata.strCellulare, m_testata.strNumero, m_testata.strCodiceLingua, entry);
}

QString COrdiniViewCore::StateText(qint32 stateId)
{
    for (const QString& language : {m_testata.strCodiceLingua, m_strDefaultLanguage})
        if (m_pStatiLingue->FindFirst(QStringLiteral("IDCodice=? AND CodiceLingua=?"), {stateId, language}))
            return m_pStatiLingue->m_Testo;
    return QString();
}

bool COrdiniViewCore::HoldsHighestInvoice()
{
    return m_pOrdini->m_NumeroFattura > 0 && m_pOrdini->m_NumeroFattura == HighestInvoice(m_db, QString(), {});
}

qint32 COrdiniViewCore::NextInvoiceNumber(int year)
{
    const QString start = QStringLiteral("%1-01-01 00:00:00").arg(year, 4, 10, QLatin1Char('0'));
    return HighestInvoice(m_db, QStringLiteral(" WHERE DataFattura>=? AND NumeroFattura>0"), {start}) + 1;
}

bool COrdiniViewCore::IssueInvoice(const OrdineForm& typed, const QDateTime& now)
{
    if (!CanIssueInvoice())
        return false;
    if (IsRecordModified(typed))
        SaveRecord(typed);
    if (!IsFullyShipped()
        && CMessageBox::Show(nullptr,
                             QStringLiteral("Non tutti i prodotti sono stati evasi nella quantità richiesta.\nConfermi ?"),
                             kEmissione, CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return false;
    if (typed.strColli.isEmpty()) {
        CMessageBox::Show(nullptr, QStringLiteral("Specificare il numero di colli."), kEmissione,
                          CMessageBox::Exclamation);
        return false;
    }
    const qint32 id = m_nCurrentID;
    m_db.BeginTrans();
    try {
        // Writing first takes the write lock before the highest number is
        // read: another desk's numbering waits for this one to commit.
        m_db.Execute(QStringLiteral("UPDATE Ordini SET NumeroFattura=NumeroFattura WHERE ID=?"), {id});
        const qint32 number = NextInvoiceNumber(now.date().year());
        m_pOrdini->FindFirst(QStringLiteral("ID=?"), {id});
        m_pOrdini->Edit();
        m_pOrdini->m_NumeroFattura = number;
        m_pOrdini->m_DataFattura = now;
        m_pOrdini->m_Modificato = true;
        m_pOrdini->Update();
        m_db.CommitTrans();
    } catch (...) {
        m_db.Rollback();
        throw;
    }
    return ShowOrder(id);
}

bool COrdiniViewCore::CancelInvoice()
{
    if (!m_bFatturaCancellabile
        || CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione fattura"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return false;
    const qint32 id = m_nCurrentID;
    m_pOrdini->FindFirst(QStringLiteral("ID=?"), {id});
    m_pOrdini->Edit();
    m_pOrdini->m_NumeroFattura = 0;
    m_pOrdini->SetFieldValueNull(QStringLiteral("DataFattura"));
    m_pOrdini->m_Modificato = true;
    m_pOrdini->Update();
    return ShowOrder(id);
}
