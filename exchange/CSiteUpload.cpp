#include "exchange/CSiteUpload.h"

#include "exchange/CHttp.h"
#include "exchange/CSiteAddress.h"
#include "exchange/CSiteUploadFiles.h"
#include "exchange/IExchangeProgress.h"
#include "exchange/QtrUpdDatiState.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/utilities/QtrUtilities.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CRecordsEliminatiSet.h"
#include "recordset/schema/ShopSchema.h"
#include "recordset/sync/CSyncColumns.h"
#include "recordset/sync/CSyncValueText.h"
#include "recordset/sync/SyncProtocol.h"

#include <QHash>
#include <QMap>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

const QString kTitle = QStringLiteral("Aggiornamento dati sito");
const QString kNotNeeded = QStringLiteral("Aggiornamento non necessario. Premi ANNULLA per uscire.");
const QString kNeeded = QStringLiteral("Aggiornamento necessario. Premi AVVIO per cominciare.");
const QString kNoPassword = QStringLiteral("Per aggiornare il sito è necessario specificare la password.");
const QString kDone = QStringLiteral("Aggiornamento effettuato con successo.");
const QString kNotDone = QStringLiteral("Aggiornamento non completato.\nATTENZIONE: nello stato attuale il sito potrebbe "
                                        "non funzionare correttamente.\nE' necessario ripetere l'operazione.");
const QString kPartial = QStringLiteral("Aggiornamento completato, tranne le righe cambiate sul sito dopo l'ultimo "
                                        "scaricamento degli ordini (%1):\n\n%2\n\nScaricare gli ordini e ripetere "
                                        "l'aggiornamento.");
// Cleared marks are committed in batches; a run cut in between sends the
// uncommitted rows again, which the shop takes as the same rows.
constexpr int kRowsPerCommit = 200;
// Rows posted at once: the shop's page threads write them side by side.
constexpr int kRowsInFlight = 6;

} // namespace

CSiteUpload::CSiteUpload() : m_log(QString(), QString()) {}

CSiteUpload::~CSiteUpload() = default;

void CSiteUpload::InitVar(IExchangeProgress* progress, const QString& projectFolder, CDaoDatabase* database)
{
    m_progress = progress;
    m_projectFolder = projectFolder.endsWith(QLatin1Char('/')) ? projectFolder.chopped(1) : projectFolder;
    m_database = database;
    m_log = CExchangeLog(m_projectFolder, QStringLiteral("qtrupd.log"));
}

void CSiteUpload::Update(int command, qint64 number, const QString& text) const
{
    if (m_progress)
        m_progress->Update(IExchangeProgress::UpdateCommand(command), number, text);
}

void CSiteUpload::Report(const QString& text, int icon, const QString& title) const
{
    if (m_progress)
        m_progress->Message(title.isEmpty() ? kTitle : title, text, IExchangeProgress::Icon(icon));
    else
        m_log.Write(text);
}

bool CSiteUpload::Cancelled() const { return FlagAnnullaUpd.load() != 0; }

void CSiteUpload::LoadSettings()
{
    CConfigurazioneSet configurazione(m_database);
    configurazione.Open();
    if (configurazione.IsEOF())
        throw CDaoException(QStringLiteral("Manca la riga di Configurazione"));
    m_settings.host = configurazione.m_URLSito;
    m_settings.port = configurazione.m_PortaHttp == 0 ? 80 : configurazione.m_PortaHttp;
    m_settings.proxy = configurazione.m_ServerProxy;
    m_settings.proxyUser = configurazione.m_UserIDProxy;
    m_settings.proxyPassword = configurazione.m_PasswordProxy;
    UserCodeUpd = configurazione.m_CodiceUtente;
    PasswordUpd = configurazione.m_Password;
}

// The synchronised tables that have rows to send, in the schema's order.
void CSiteUpload::FindPendingTables()
{
    m_pending.clear();
    for (const QtrTableDef* table : ShopSchema::TablesOf(QtrDbFile::Shop)) {
        if (!table->HasId() || table->ColumnIndex(QStringLiteral("Modificato")) < 0
            || !m_database->TableExists(table->Name()))
            continue;
        QSqlQuery query(m_database->Connection());
        if (query.exec(QStringLiteral("SELECT 1 FROM %1 WHERE Modificato=1 LIMIT 1").arg(table->Name())) && query.next())
            m_pending << table->Name();
    }
}

int CSiteUpload::DeletionCount() const
{
    QSqlQuery query(m_database->Connection());
    return query.exec(QStringLiteral("SELECT COUNT(*) FROM RecordsEliminati")) && query.next() ? query.value(0).toInt() : 0;
}

int CSiteUpload::Init()
{
    LoadSettings();
    FlagAnnullaUpd = 1;
    m_result = Result::NotRun;
    m_conflicts.clear();
    Update(IExchangeProgress::UPDUI_DISABLE_START);
    FindPendingTables();
    if (m_pending.isEmpty() && CSiteUploadFiles(*this).Count() == 0 && DeletionCount() == 0) {
        if (!m_progress) {
            m_log.Write(kNotNeeded);
            return 0;
        }
        Update(IExchangeProgress::UPDUI_SHOW_MESSAGE);
        Update(IExchangeProgress::UPDUI_SET_MESSAGE, 0, kNotNeeded);
        return 1;
    }
    Update(IExchangeProgress::UPDUI_ENABLE_START);
    Update(IExchangeProgress::UPDUI_SHOW_MESSAGE);
    Update(IExchangeProgress::UPDUI_SET_MESSAGE, 0, kNeeded);
    return 1;
}

void CSiteUpload::Start()
{
    FlagAnnullaUpd = 0;
    if (PasswordUpd.isEmpty() && m_progress)
        Update(IExchangeProgress::UPDUI_ASK_PASSWORD);
    if (m_progress) {
        Update(IExchangeProgress::UPDUI_SHOW_ANIMATION);
        Update(IExchangeProgress::UPDUI_DISABLE_START);
    }
    bool ok = false;
    m_conflicts.clear();
    if (PasswordUpd.isEmpty()) {
        Report(kNoPassword, IExchangeProgress::Error);
    } else {
        try {
            ok = AddressAccepted() && Deletions() && ChangedRows() && CSiteUploadFiles(*this).Send();
        } catch (const CDaoException& e) {
            Report(QStringLiteral("ERRORE:\n\n") + e.GetErrorMessage(), IExchangeProgress::Exclamation);
        }
        Update(IExchangeProgress::UPDUI_HIDE_ANIMATION);
    }
    if (ok && !m_conflicts.isEmpty()) {
        // The site works; the refused rows keep their marks, and with them
        // the marker that the site needs an update.
        constexpr int kListed = 20;
        QStringList listed = m_conflicts.mid(0, kListed);
        if (m_conflicts.size() > kListed)
            listed << QStringLiteral("...");
        Report(kPartial.arg(QString::number(m_conflicts.size()), listed.join(QLatin1Char('\n'))),
               IExchangeProgress::Exclamation);
        m_result = Result::Partial;
        return;
    }
    if (ok) {
        DeleteAlertUpd(m_projectFolder);
        Report(kDone, IExchangeProgress::Information);
        m_result = Result::Done;
        return;
    }
    Report(kNotDone, IExchangeProgress::Exclamation);
    m_result = Cancelled() ? Result::Cancelled : Result::Failed;
}

void CSiteUpload::ChiudiDatabase() { m_pending.clear(); }

std::unique_ptr<CHttp> CSiteUpload::NewClient(IExchangeProgress* progress) const
{
    auto http = std::make_unique<CHttp>(m_settings.host, m_settings.proxy, m_settings.port, m_settings.proxyUser,
                                        m_settings.proxyPassword, progress);
    if (m_pieceSize > 0)
        http->SetPieceSize(m_pieceSize);
    return http;
}

// The password goes with every request: over plain http to another
// machine only when the merchant says so.
bool CSiteUpload::AddressAccepted()
{
    if (!CSiteAddress::IsPlainRemote(m_settings.host))
        return true;
    if (m_progress && m_progress->Ask(kTitle, CSiteAddress::PlainQuestion(m_settings.host)))
        return true;
    if (m_progress)
        FlagAnnullaUpd = 1;   // the merchant's choice: a cancelled run
    else
        Report(CSiteAddress::PlainRefusal(m_settings.host), IExchangeProgress::Error);
    return false;
}

void CSiteUpload::AddAccount(CHttp& http) const
{
    http.AddToPOSTFields(QString(SyncProtocol::kUserCode), UserCodeUpd, 1);
    http.AddToPOSTFields(QString(SyncProtocol::kPassword), PasswordUpd, 1);
}

QString CSiteUpload::PostForReply(CHttp& http, const QString& page)
{
    QString header;
    QString reply;
    if (!http.Post(page, &header, &reply))
        reply = QString(SyncProtocol::kServerUnreachable);
    return reply;
}

bool CSiteUpload::PostExpectingOk(CHttp& http, const QString& page, const QString& title)
{
    const QString reply = PostForReply(http, page);
    if (reply == SyncProtocol::kOk)
        return true;
    Report(QStringLiteral("ERRORE:\n\n") + reply, IExchangeProgress::Exclamation, title);
    return false;
}

bool CSiteUpload::Deletions()
{
    if (Cancelled())
        return false;
    CRecordsEliminatiSet log(m_database);
    log.m_strSort = QStringLiteral("NomeTabella");
    log.Open();
    const int count = log.GetRecordCount();
    if (count == 0)
        return true;
    auto http = NewClient(nullptr);
    Update(IExchangeProgress::UPDUI_TABLE_RANGE, 1);
    Update(IExchangeProgress::UPDUI_TABLE_POS, 0);
    Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0, QString());
    Update(IExchangeProgress::UPDUI_RECORD_RANGE, count);
    for (int n = 1; !log.IsEOF(); ++n) {
        Update(IExchangeProgress::UPDUI_RECORD_TEXT, 0,
               QStringLiteral("Cancellazione record %1/%2 in corso...").arg(n).arg(count));
        Update(IExchangeProgress::UPDUI_RECORD_POS, n);
        Update(IExchangeProgress::UPDUI_PUMP);
        AddAccount(*http);
        http->AddToPOSTFields(QString(SyncProtocol::kTableName), log.m_NomeTabella, 1);
        http->AddToPOSTFields(QStringLiteral("ID"), QString::number(log.m_IDRecord), 1);
        if (!PostExpectingOk(*http, QString(SyncProtocol::kPageDelete), kTitle))
            return false;
        log.Delete();
        log.MoveNext();
        if (Cancelled())
            return false;
    }
    return true;
}

bool CSiteUpload::ChangedRows()
{
    if (Cancelled())
        return false;
    auto http = NewClient(nullptr);
    Update(IExchangeProgress::UPDUI_TABLE_RANGE, m_pending.size() - 1);
    for (int i = 0; i < m_pending.size(); ++i) {
        Update(IExchangeProgress::UPDUI_TABLE_TEXT, 0,
               QStringLiteral("Aggiornamento tabella %1 in corso...").arg(m_pending[i]));
        Update(IExchangeProgress::UPDUI_TABLE_POS, i);
        if (!ChangedTable(*http, m_pending[i]) || Cancelled())
            return false;
    }
    return true;
}

bool CSiteUpload::ChangedTable(CHttp& http, const QString& table)
{
    const QtrTableDef* def = ShopSchema::Find(table);
    // The rows to send are read first, so clearing their marks never moves
    // the cursor that walks them.
    QList<QStringList> rows;
    QStringList columns;
    QList<qint32> ids;
    {
        QSqlQuery query(m_database->Connection());
        query.setForwardOnly(true);
        if (!query.exec(QStringLiteral("SELECT * FROM %1 WHERE Modificato=1 ORDER BY ID").arg(table)))
            throw CDaoException(query.lastError().text());
        const QSqlRecord record = query.record();
        QList<int> sent;   // what only the desktop needs never leaves it
        for (int c = 0; c < record.count(); ++c) {
            if (!CSyncColumns::IsDesktopOnly(table, record.fieldName(c))) {
                columns << record.fieldName(c);
                sent << c;
            }
        }
        while (query.next()) {
            QStringList values;
            for (int c = 0; c < columns.size(); ++c) {
                const int index = def->ColumnIndex(columns[c]);
                const QtrColumnKind kind = index >= 0 ? def->columns[index].kind : QtrColumnKind::Text;
                values << CSyncValueText::ToText(query.value(sent[c]), kind);
            }
            rows << values;
            ids << query.value(QStringLiteral("ID")).toInt();
        }
    }
    Update(IExchangeProgress::UPDUI_RECORD_RANGE, rows.size());
    // Each row is a request of its own that the shop commits on its own,
    // so several go at once on the client's connections; a mark is cleared
    // only for a row the shop answered "OK". After a failure nothing more
    // is sent, the rows already in flight are still waited for, and what
    // the shop confirmed of them stays confirmed.
    QHash<int, int> rowOfTicket;
    QMap<int, QString> conflicts;   // told in the order of the rows
    QString failure;
    int failedRow = -1;
    bool stop = false;
    int next = 0;
    int uncommitted = 0;
    m_database->BeginTrans();
    const auto commit = [&] {
        m_database->CommitTrans();
        uncommitted = 0;
    };
    try {
        while ((!stop && next < rows.size()) || http.InFlight() > 0) {
            while (!stop && next < rows.size() && http.InFlight() < kRowsInFlight) {
                Update(IExchangeProgress::UPDUI_RECORD_TEXT, 0,
                       QStringLiteral("Aggiornamento record %1/%2 in corso...").arg(next + 1).arg(rows.size()));
                Update(IExchangeProgress::UPDUI_RECORD_POS, next + 1);
                Update(IExchangeProgress::UPDUI_PUMP);
                AddAccount(http);
                http.AddToPOSTFields(QString(SyncProtocol::kTableName), table, 1);
                for (int c = 0; c < columns.size(); ++c)
                    http.AddToPOSTFields(columns[c], rows[next][c], 1);
                rowOfTicket.insert(http.Queue(QString(SyncProtocol::kPageUpdate)), next);
                ++next;
                stop = Cancelled();
            }
            if (http.InFlight() == 0)
                break;
            const CHttp::Answer answer = http.Next();
            const int n = rowOfTicket.take(answer.ticket);
            const QString reply = answer.answered ? answer.reply : QString(SyncProtocol::kServerUnreachable);
            if (reply.startsWith(SyncProtocol::kConflict)) {
                // The shop's newer version stays there and this row keeps its
                // mark; the others go on, and the rows are told at the end.
                conflicts.insert(n, reply);
            } else if (reply != SyncProtocol::kOk) {
                if (failedRow < 0 || n < failedRow) {
                    failedRow = n;
                    failure = reply;
                }
                stop = true;
            } else {
                m_database->Execute(QStringLiteral("UPDATE %1 SET Modificato=0 WHERE ID=?").arg(table), {ids[n]});
            }
            if (++uncommitted == kRowsPerCommit) {
                commit();
                m_database->BeginTrans();
            }
            stop = stop || Cancelled();
        }
    } catch (...) {
        // What the shop confirmed stays confirmed.
        commit();
        throw;
    }
    commit();
    m_conflicts << conflicts.values();
    if (failedRow >= 0) {
        Report(QStringLiteral("ERRORE:\n\n") + failure, IExchangeProgress::Exclamation, kTitle);
        return false;
    }
    return !Cancelled();
}
