#include "desktop/orders/COTPSellaViewCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/settings/CRecordIds.h"
#include "recordset/COTPRichiesteSet.h"
#include "recordset/COTPRisposteSet.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTextStream>

namespace {

const QString kCaption = QStringLiteral("OTP Banca Sella");
const QString kRequestsRead = QStringLiteral(
    "Il file di password richieste selezionato è già stato letto in precedenza\ne pertanto non può essere letto ancora.");
const QString kAnswersRead = QStringLiteral(
    "Il file di password risposte selezionato è già stato letto in precedenza\ne pertanto non può essere letto ancora.");

int Count(CDaoDatabase& db, const QString& table)
{
    QSqlQuery query(db.Connection());
    query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table);
    return query.next() ? query.value(0).toInt() : 0;
}

// Both tables have the same columns.
template <class Set> void AddRow(CQTRDaoRecordset& recordset, qint32 id, const QString& password)
{
    auto& set = static_cast<Set&>(recordset);
    set.AddNew();
    set.m_ID = id;
    set.m_Password = password;
    set.m_Modificato = true;
    set.Update();
}

} // namespace

COTPSellaViewCore::COTPSellaViewCore(CDaoDatabase& db)
    : m_db(db), m_pRichieste(std::make_unique<COTPRichiesteSet>(&db)), m_pRisposte(std::make_unique<COTPRisposteSet>(&db))
{
    m_pRichieste->Open();
    m_pRisposte->Open();
    m_nRichieste = Count(db, QStringLiteral("OTPRichieste"));
    m_nRisposte = Count(db, QStringLiteral("OTPRisposte"));
}

COTPSellaViewCore::~COTPSellaViewCore() = default;

QString COTPSellaViewCore::Warning() const
{
    if (m_nRichieste >= kFewRequests)
        return QString();
    return QStringLiteral("Attenzione: restano solo %1 password richieste per i pagamenti con carta di credito.")
        .arg(m_nRichieste);
}

void COTPSellaViewCore::Report(const QString& status, int done, int total)
{
    if (m_progress)
        m_progress(status, done, total);
}

bool COTPSellaViewCore::ReadLines(const QString& path, QStringList* lines) const
{
    if (path.isEmpty() || !QFileInfo::exists(path))
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    while (!in.atEnd())
        lines->append(in.readLine());
    return true;
}

bool COTPSellaViewCore::ReadBefore(CQTRDaoRecordset& set, const QStringList& lines, const QString& status)
{
    QSqlQuery query(m_db.Connection());
    query.prepare(QStringLiteral("SELECT 1 FROM %1 WHERE Password=? LIMIT 1").arg(set.GetTableName()));
    for (int n = 0; n < lines.size(); ++n) {
        Report(status.arg(n + 1).arg(lines.size()), n + 1, int(lines.size()));
        query.addBindValue(lines.at(n));
        query.exec();
        if (query.next())
            return true;
    }
    return false;
}

void COTPSellaViewCore::Insert(CQTRDaoRecordset& set, const QStringList& lines, const QString& status, int* counter)
{
    const bool requests = &set == m_pRichieste.get();
    qint32 id = CRecordIds::NextID(set);
    int added = 0;
    // One transaction per file: a failure leaves none of its rows.
    m_db.BeginTrans();
    try {
        for (int n = 0; n < lines.size(); ++n) {
            Report(status.arg(n + 1).arg(lines.size()), n + 1, int(lines.size()));
            if (requests)
                AddRow<COTPRichiesteSet>(set, id++, lines.at(n));
            else
                AddRow<COTPRisposteSet>(set, id++, lines.at(n));
            ++added;
        }
        m_db.CommitTrans();
    } catch (...) {
        m_db.Rollback();
        set.Open();
        throw;
    }
    *counter += added;
}

void COTPSellaViewCore::Load(const QString& requestPath, const QString& answerPath)
{
    int stop = GoOn;
    QStringList lines;
    if (ReadLines(requestPath, &lines)) {
        if (ReadBefore(*m_pRichieste, lines, QStringLiteral("Controllo password richieste %1 di %2"))) {
            if (answerPath.isEmpty()) {
                CMessageBox::Show(nullptr, kRequestsRead, kCaption, CMessageBox::Question);
                stop = RequestsStopped;
            } else {
                stop = CMessageBox::Show(nullptr, kRequestsRead + QStringLiteral("\n\nVuoi continuare con il file di password risposte?"),
                                         kCaption, CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
                               == QMessageBox::Yes
                           ? RequestsStopped
                           : AllStopped;
            }
        }
        if (stop == GoOn) {
            Insert(*m_pRichieste, lines, QStringLiteral("Lettura password richieste %1 di %2"), &m_nRichieste);
            QFile::rename(requestPath, requestPath + QStringLiteral("ok"));
        }
    }
    lines.clear();
    if (stop < AllStopped && ReadLines(answerPath, &lines)) {
        if (ReadBefore(*m_pRisposte, lines, QStringLiteral("Controllo password risposte %1 di %2"))) {
            CMessageBox::Show(nullptr, kAnswersRead, kCaption, CMessageBox::Question);
            stop = AllStopped;
        }
        if (stop < AllStopped) {
            Insert(*m_pRisposte, lines, QStringLiteral("Lettura password risposte %1 di %2"), &m_nRisposte);
            QFile::rename(answerPath, answerPath + QStringLiteral("ok"));
        }
    }
    Report(QString(), 0, 0);
    CMessageBox::Show(nullptr, QStringLiteral("Lettura password terminata."), kCaption, CMessageBox::Information);
}
