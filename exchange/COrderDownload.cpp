#include "exchange/COrderDownload.h"

#include "exchange/CExchangeScript.h"
#include "exchange/CHttp.h"
#include "exchange/CSiteAddress.h"
#include "exchange/IExchangeProgress.h"
#include "exchange/QtrUpdDatiState.h"
#include "exchange/scripts/CScriptEx.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoFieldExchange.h"
#include "platform/dao/CDatabaseFile.h"
#include "platform/utilities/CMarkerAside.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/COrdiniGeneraleSet.h"
#include "recordset/CStatoOrdiniLingueSet.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/sync/CSyncColumns.h"
#include "recordset/sync/CSyncTags.h"
#include "recordset/sync/CSyncValueText.h"
#include "recordset/sync/SyncProtocol.h"

#include <QDateTime>
#include <QFile>
#include <QSqlQuery>
#include <QStringList>

namespace {

const QString kTitle = QStringLiteral("Aggiornamento dati sito");
const QString kErrorTitle = QStringLiteral("Aggiornamento ordini dal sito");
const QString kExportTitle = QStringLiteral("Export dati");
const QString kNotDone = QStringLiteral("Aggiornamento non completato.\n E' necessario ripetere l'operazione.");

struct FetchedTable
{
    const char* table;
    const char* text;
};

const FetchedTable kTables[] = {
    {"Clienti", "Aggiornamento dati clienti in corso..."},
    {"Ordini", "Aggiornamento dati ordini in corso..."},
    {"OrdiniDettaglio", "Aggiornamento dati dettaglio ordini in corso..."},
    {"InteressiUtenti", "Aggiornamento dati interessi utenti in corso..."},
    {"InterventiForum", "Aggiornamento dati interventi forum in corso..."},
    {"Permessi", "Aggiornamento dati permessi in corso..."},
};

// Only the tables the shop writes may come down, and only the columns the
// schema gives them.
const QtrTableDef* FetchedDefinition(const QString& table)
{
    return CSyncColumns::IsShopWritten(table) ? ShopSchema::Find(table) : nullptr;
}

QVariant Stored(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return DaoDateToText(value.toDateTime());
    if (value.typeId() == QMetaType::Bool)
        return value.toBool() ? 1 : 0;
    return value;
}

} // namespace

COrderDownload::COrderDownload() : m_log(QString(), QString()) {}

COrderDownload::~COrderDownload() = default;

void COrderDownload::InitVarDwLoad(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database)
{
    m_progress = progress;
    m_projectFolder = projectFolder.endsWith(QLatin1Char('/')) ? projectFolder.chopped(1) : projectFolder;
    m_database = database;
    m_log = CExchangeLog(m_projectFolder, QStringLiteral("qtrdwn.log"));
}

QString COrderDownload::DbFile(const QString& name) const { return m_projectFolder + QStringLiteral("/db/") + name; }

void COrderDownload::Progress(int command, qint64 number, const QString& text) const
{
    if (m_progress)
        m_progress->Download(IExchangeProgress::DownloadCommand(command), number, text);
}

void COrderDownload::Report(const QString& text, int icon, const QString& title) const
{
    if (m_progress)
        m_progress->Message(title.isEmpty() ? kTitle : title, text, IExchangeProgress::Icon(icon));
    else
        m_log.Write(text);
}

void COrderDownload::LoadSettings()
{
    CConfigurazioneSet configurazione(m_database);
    configurazione.Open();
    if (configurazione.IsEOF())
        throw CDaoException(QStringLiteral("Manca la riga di Configurazione"));
    m_address = configurazione.m_URLSito;
    m_http = std::make_unique<CHttp>(configurazione.m_URLSito, configurazione.m_ServerProxy,
                                     configurazione.m_PortaHttp == 0 ? 80 : configurazione.m_PortaHttp,
                                     configurazione.m_UserIDProxy, configurazione.m_PasswordProxy, m_progress);
    UserCodeDwn = configurazione.m_CodiceUtente;
    if (PasswordDwn.isEmpty())
        PasswordDwn = configurazione.m_Password;
    m_initialState = configurazione.m_IDStatoRicevuto;
    if (CodiceLinguaDwn.isEmpty()) {
        QSqlQuery lingua(m_database->Connection());
        lingua.prepare(QStringLiteral("SELECT Codice FROM Lingue WHERE ID=?"));
        lingua.addBindValue(configurazione.m_LinguaPredefinita);
        if (lingua.exec() && lingua.next())
            CodiceLinguaDwn = lingua.value(0).toString();
    }
}

void COrderDownload::Cancel()
{
    FlagAnnullaDwn = 1;
    m_script.Interrupt();
}

void COrderDownload::StartDwLoad()
{
    m_result = Result::Failed;
    try {
        LoadSettings();
    } catch (const CDaoException& e) {
        Report(e.GetErrorMessage(), IExchangeProgress::Error);
        return;
    }
    FlagAnnullaDwn = 0;
    m_script.Reset();
    if (PasswordDwn.isEmpty() && m_progress)
        Progress(IExchangeProgress::DWNUI_ASK_PASSWORD);
    if (PasswordDwn.isEmpty()) {
        Report(QStringLiteral("Per aggiornare gli ordini dal sito è necessario specificare la password."),
               IExchangeProgress::Error);
        Report(kNotDone, IExchangeProgress::Exclamation);
        return;
    }
    Progress(IExchangeProgress::DWNUI_SHOW_ANIMATION);
    Progress(IExchangeProgress::DWNUI_DISABLE_START);
    bool ok = false;
    try {
        ok = Run();
    } catch (const std::exception& e) {
        const auto* dao = dynamic_cast<const CDaoException*>(&e);
        Report(QStringLiteral("ERRORE:\n\n") + (dao ? dao->GetErrorMessage() : QString::fromStdString(e.what())),
               IExchangeProgress::Exclamation, kErrorTitle);
    }
    Progress(IExchangeProgress::DWNUI_HIDE_ANIMATION);
    if (!m_database->IsOpen())
        m_database->Open(DbFile(QStringLiteral("database.mdb")));
    if (ok) {
        Report(QStringLiteral("Aggiornamento effettuato con successo."), IExchangeProgress::Information);
        m_result = Result::Done;
        return;
    }
    Report(kNotDone, IExchangeProgress::Exclamation);
    m_result = FlagAnnullaDwn.load() != 0 ? Result::Cancelled : Result::Failed;
}

// The password goes with every request: over plain http to another
// machine only when the merchant says so.
bool COrderDownload::AddressAccepted(const QString& address)
{
    if (!CSiteAddress::IsPlainRemote(address))
        return true;
    if (m_progress && m_progress->Ask(kTitle, CSiteAddress::PlainQuestion(address)))
        return true;
    if (m_progress)
        FlagAnnullaDwn = 1;   // the merchant's choice: a cancelled run
    else
        Report(CSiteAddress::PlainRefusal(address), IExchangeProgress::Error);
    return false;
}

bool COrderDownload::Run()
{
    if (!AddressAccepted(m_address))
        return false;
    if (!FinishEarlierRun())
        return false;
    m_pending.clear();
    m_database->Close();
    QString error;
    if (!CDatabaseFile::Copy(DbFile(QStringLiteral("database.mdb")), DbFile(QStringLiteral("tempdb.mdb")), &error)) {
        Report(error, IExchangeProgress::Error, kErrorTitle);
        return false;
    }
    bool fetched = false;
    // The stamps' saves raise the site-update marker aside; it reaches the
    // project only with the copy.
    CMarkerAside marker;
    {
        CDaoDatabase copy;
        copy.Open(DbFile(QStringLiteral("tempdb.mdb")));
        copy.SetMarkerFolder(marker.Folder());
        Progress(IExchangeProgress::DWNUI_RANGE, 10);
        Progress(IExchangeProgress::DWNUI_POS, 0);
        fetched = FetchDeletions(copy);
        for (const FetchedTable& table : kTables) {
            if (!fetched)
                break;
            fetched = FetchTable(copy, QLatin1String(table.table), QLatin1String(table.text));
        }
        if (fetched && m_initialState > 0)
            StampOrders(copy);
        copy.Close();
    }
    if (!fetched) {
        CDatabaseFile::Remove(DbFile(QStringLiteral("tempdb.mdb")), &error);
        return false;
    }
    if (!SwapIn())
        return false;
    marker.PassOn(m_projectFolder);
    if (m_stopAfterSwap)
        return false;
    return ProcessPending();
}

// ------------------------------------------------------------ what comes down

bool COrderDownload::PostRecordRequest(const QString& page, QString* reply)
{
    if (!m_http->Post(page, nullptr, reply))
        *reply = QString(SyncProtocol::kServerUnreachable);
    if (*reply == SyncProtocol::kEof || reply->startsWith(SyncProtocol::kOk))
        return true;
    Report(QStringLiteral("ERRORE:\n\n") + *reply, IExchangeProgress::Exclamation, kErrorTitle);
    return false;
}

bool COrderDownload::FetchDeletions(CDaoDatabase& copy)
{
    QString after;
    for (int received = 1;; ++received) {
        if (FlagAnnullaDwn.load() != 0)
            return false;
        m_http->AddToPOSTFields(QString(SyncProtocol::kUserCode), UserCodeDwn);
        m_http->AddToPOSTFields(QString(SyncProtocol::kPassword), PasswordDwn);
        m_http->AddToPOSTFields(QString(SyncProtocol::kFromId), after);
        QString reply;
        if (!PostRecordRequest(QString(SyncProtocol::kPageNotifyDeletion), &reply))
            return false;
        if (reply == SyncProtocol::kEof)
            return true;
        QString rest = reply.mid(2);
        QString count;
        QString table;
        QString id;
        if (!CSyncTags::GetTagValue(rest, QStringLiteral("NumRec"), &count)
            || !CSyncTags::GetTagValue(rest, QStringLiteral("NomeTabella"), &table)
            || !CSyncTags::GetTagValue(rest, QStringLiteral("IDRec"), &id))
            throw CDaoException(QStringLiteral("Risposta incompleta: ") + reply);
        if (received == 1)
            Progress(IExchangeProgress::DWNUI_RANGE, count.toLongLong());
        Progress(IExchangeProgress::DWNUI_POS, received);
        bool idOk = false;
        const qint32 rowId = id.toInt(&idOk);
        if (!idOk)
            throw CDaoException(QStringLiteral("Cancellazione non valida dal sito: %1 %2").arg(table, id));
        // Only rows of the tables the shop writes may be deleted by it: a
        // notice for the merchant's catalogue or settings is not applied,
        // and it is confirmed so that it leaves the shop's log.
        if (const QtrTableDef* def = FetchedDefinition(table))
            copy.Execute(QStringLiteral("DELETE FROM %1 WHERE ID=?").arg(def->Name()), {rowId});
        else
            m_log.Write(QStringLiteral("Cancellazione non applicata, tabella non scritta dal sito: %1 %2").arg(table, id));
        m_pending.append({'D', table, id});
        after = table + QLatin1Char(':') + id;
    }
}

bool COrderDownload::FetchTable(CDaoDatabase& copy, const QString& table, const QString& text)
{
    Progress(IExchangeProgress::DWNUI_TEXT, 0, text);
    Progress(IExchangeProgress::DWNUI_RANGE, 10);
    Progress(IExchangeProgress::DWNUI_POS, 0);
    QString from = QStringLiteral("0");
    for (int received = 1;; ++received) {
        Progress(IExchangeProgress::DWNUI_PUMP);
        if (FlagAnnullaDwn.load() != 0)
            return false;
        m_http->AddToPOSTFields(QString(SyncProtocol::kUserCode), UserCodeDwn);
        m_http->AddToPOSTFields(QString(SyncProtocol::kPassword), PasswordDwn);
        m_http->AddToPOSTFields(QString(SyncProtocol::kTableName), table);
        m_http->AddToPOSTFields(QString(SyncProtocol::kFromId), from);
        QString reply;
        if (!PostRecordRequest(QString(SyncProtocol::kPageDownloadData), &reply))
            return false;
        if (reply == SyncProtocol::kEof)
            return true;
        QString rest = reply.mid(2);
        QString count;
        QString id;
        QString version;   // an older shop sends none
        if (!CSyncTags::GetTagValue(rest, QStringLiteral("NumRec"), &count)
            || !CSyncTags::GetTagValue(rest, QStringLiteral("IDRec"), &id))
            throw CDaoException(QStringLiteral("Risposta incompleta: ") + reply);
        CSyncTags::GetTagValue(rest, QString(SyncProtocol::kVersionTag), &version);
        if (received == 1)
            Progress(IExchangeProgress::DWNUI_RANGE, count.toLongLong());
        Progress(IExchangeProgress::DWNUI_POS, received);
        ApplyRecord(copy, table, rest);
        m_pending.append({'R', table, id, version});
        if (table == QLatin1String("Ordini"))
            m_pending.append({'E', table, id});
        from = id;
    }
}

// The row as the shop sent it, written without change tracking: it is not
// a change of the desktop's to send back.
void COrderDownload::ApplyRecord(CDaoDatabase& copy, const QString& table, QString rest)
{
    const QtrTableDef* def = FetchedDefinition(table);
    if (!def)
        throw CDaoException(QStringLiteral("Tabella non prevista dal sito: %1").arg(table));
    QStringList columns;
    QVariantList values;
    qint32 id = -1;
    QString name;
    while (CSyncTags::GetTagValue(rest, QStringLiteral("FieldName"), &name)) {
        QString text;
        CSyncTags::GetTagValue(rest, QStringLiteral("FieldValue"), &text);
        const int index = def->ColumnIndex(name);
        if (index < 0)
            throw CDaoException(QStringLiteral("Colonna non prevista dal sito: %1.%2").arg(table, name));
        const QString column = QString::fromLatin1(def->columns[index].name);
        if (column == QLatin1String("Modificato"))
            continue;
        QVariant value;
        QString error;
        if (!CSyncValueText::FromText(text, def->columns[index].kind, &value, &error))
            throw CDaoException(QStringLiteral("%1 (%2.%3)").arg(error, table, column));
        if (column == QLatin1String("ID"))
            id = value.toInt();
        columns << column;
        values << Stored(value);
    }
    if (id < 0)
        throw CDaoException(QStringLiteral("Riga senza ID da %1").arg(table));
    QSqlQuery existing(copy.Connection());
    existing.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE ID=?").arg(def->Name()));
    existing.addBindValue(id);
    const bool present = existing.exec() && existing.next();
    existing.finish();
    if (present) {
        QStringList assignments;
        for (const QString& column : columns)
            assignments << column + QStringLiteral("=?");
        values << id;
        copy.Execute(QStringLiteral("UPDATE %1 SET %2 WHERE ID=?").arg(def->Name(), assignments.join(QLatin1Char(','))),
                     values);
    } else {
        copy.Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                         .arg(def->Name(), columns.join(QLatin1Char(',')),
                              QStringLiteral("?,").repeated(columns.size()).chopped(1)),
                     values);
    }
}

void COrderDownload::StampOrders(CDaoDatabase& copy)
{
    for (const Pending& item : std::as_const(m_pending)) {
        if (item.kind != 'E')
            continue;
        COrdiniGeneraleSet order(&copy);
        order.m_strProjectFolder = m_projectFolder + QLatin1Char('/');
        order.m_strFilter = QStringLiteral("ID=?");
        order.m_filterParams = {item.id.toInt()};
        order.Open();
        if (order.IsEOF())
            continue;
        CStatoOrdiniLingueSet state(&copy);
        state.m_strFilter = QStringLiteral("IDCodice=? AND CodiceLingua=?");
        state.m_filterParams = {m_initialState, order.m_CodiceLingua};
        state.Open();
        if (state.IsEOF()) {
            if (m_progress)
                Progress(IExchangeProgress::DWNUI_SET_LANGUAGE);
            state.m_filterParams = {m_initialState, CodiceLinguaDwn};
            state.Requery();
        }
        const QString text = state.IsEOF() ? QString() : state.m_Testo;
        const QDateTime now = QDateTime::currentDateTime();
        order.Edit();
        order.m_Stati += now.toString(QStringLiteral("dd/MM/yyyy")) + QLatin1Char('#')
                         + now.toString(QStringLiteral("HH:mm")) + QLatin1Char('#') + text + QLatin1Char('|');
        order.m_Modificato = true;
        order.Update();
    }
}

// ------------------------------------------------------------ after the rename

void COrderDownload::WritePending(const QString& file) const { COrderDownloadPending::Write(file, m_pending); }

// The list of what is left goes beside the copy before the rename; its name
// says whether the rename happened: with the copy gone, it did.
bool COrderDownload::SwapIn()
{
    const QString next = DbFile(QStringLiteral("tempdb.conferme"));
    WritePending(next);
    QString error;
    if (!CDatabaseFile::Replace(DbFile(QStringLiteral("tempdb.mdb")), DbFile(QStringLiteral("database.mdb")), &error)) {
        QFile::remove(next);
        Report(error, IExchangeProgress::Error, kErrorTitle);
        return false;
    }
    QFile::remove(DbFile(QStringLiteral("conferme")));
    QFile::rename(next, DbFile(QStringLiteral("conferme")));
    m_database->Open(DbFile(QStringLiteral("database.mdb")));
    return true;
}

bool COrderDownload::FinishEarlierRun()
{
    const QString next = DbFile(QStringLiteral("tempdb.conferme"));
    if (QFile::exists(next)) {
        if (QFile::exists(DbFile(QStringLiteral("tempdb.mdb")))) {
            QFile::remove(next);   // that run stopped before its rename
        } else {
            QFile::remove(DbFile(QStringLiteral("conferme")));
            QFile::rename(next, DbFile(QStringLiteral("conferme")));
        }
    }
    if (!QFile::exists(DbFile(QStringLiteral("conferme"))))
        return true;
    m_pending = COrderDownloadPending::Read(DbFile(QStringLiteral("conferme")));
    return ProcessPending();
}

// Exports first, then confirmations; the list shrinks on disk as each is
// done, so a cut run repeats nothing that was finished.
bool COrderDownload::ProcessPending()
{
    const QString file = DbFile(QStringLiteral("conferme"));
    if (!ExportOrders())
        return false;
    // An export stopped by the script (a result of false, an error) is not
    // taken up again.
    const auto isExport = [](const Pending& p) { return p.kind == 'E'; };
    if (std::any_of(m_pending.cbegin(), m_pending.cend(), isExport)) {
        m_pending.erase(std::remove_if(m_pending.begin(), m_pending.end(), isExport), m_pending.end());
        WritePending(file);
    }
    while (!m_pending.isEmpty()) {
        if (!Confirm(m_pending.first()))
            return false;
        m_pending.removeFirst();
        WritePending(file);
    }
    QFile::remove(file);
    return true;
}

bool COrderDownload::ExportedOne(const QString& order)
{
    for (qsizetype i = 0; i < m_pending.size(); ++i) {
        if (m_pending[i].kind == 'E' && m_pending[i].id == order) {
            m_pending.removeAt(i);
            break;
        }
    }
    WritePending(DbFile(QStringLiteral("conferme")));
    return m_stopAfterExports < 0 || --m_stopAfterExports > 0;
}

bool COrderDownload::Confirm(const Pending& item)
{
    m_http->AddToPOSTFields(QString(SyncProtocol::kUserCode), UserCodeDwn);
    m_http->AddToPOSTFields(QString(SyncProtocol::kPassword), PasswordDwn);
    m_http->AddToPOSTFields(QString(SyncProtocol::kTableName), item.table);
    m_http->AddToPOSTFields(QString(SyncProtocol::kId), item.id);
    if (!item.version.isEmpty())
        m_http->AddToPOSTFields(QString(SyncProtocol::kVersion), item.version);
    const QString page = item.kind == 'D' ? QString(SyncProtocol::kPageConfirmDeletion)
                                          : QString(SyncProtocol::kPageNotifyDownload);
    QString reply;
    if (!m_http->Post(page, nullptr, &reply))
        reply = QString(SyncProtocol::kServerUnreachable);
    if (reply == SyncProtocol::kOk)
        return true;
    Report(QStringLiteral("ERRORE:\n\n") + reply, IExchangeProgress::Exclamation, kErrorTitle);
    return false;
}

bool COrderDownload::ExportOrders()
{
    QList<QString> orders;
    for (const Pending& item : std::as_const(m_pending)) {
        if (item.kind == 'E')
            orders << item.id;
    }
    if (orders.isEmpty())
        return true;
    QFile pathIni(m_projectFolder + QStringLiteral("/path.ini"));
    if (!pathIni.open(QIODevice::ReadOnly))
        return true;
    const QString exchange = QString::fromUtf8(pathIni.readLine()).trimmed();
    if (exchange.isEmpty())
        return true;
    CScriptEx qtr(m_database, exchange, m_projectFolder);
    CExchangeScript script;
    // A cancel reaches the script only while it is in the slot.
    const CScriptSlot::Holder held(m_script, [&script] { script.Interrupt(); });
    const CExchangeScript::Load load = script.Open(m_projectFolder + QStringLiteral("/scripts/export.js"), &qtr);
    if (load == CExchangeScript::Load::Missing) {
        Report(QStringLiteral("Impossibile trovare file export.js"), IExchangeProgress::Error, kExportTitle);
        return true;
    }
    if (load == CExchangeScript::Load::Empty) {
        Report(QStringLiteral("Il file export.js è vuoto"), IExchangeProgress::Error, kExportTitle);
        return true;
    }
    bool finished = true;
    if (script.Has(QStringLiteral("EsportaOrdine"))) {
        for (const QString& order : orders) {
            // A cancelled export leaves the order on the list for the next run.
            if (m_script.Interrupted())
                return false;
            const bool goOn = script.CallBool(QStringLiteral("EsportaOrdine"), {QJSValue(order)});
            if (m_script.Interrupted())
                return false;
            if (!ExportedOne(order)) {
                finished = false;
                break;
            }
            if (!goOn)
                break;
        }
    }
    for (const QString& error : script.Errors())
        Report(error, IExchangeProgress::Error, kExportTitle);
    return finished;
}
