#include "recordset/QtrCascade.h"

#include "recordset/CCorrelazioniSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/QtrRelatedRows.h"

#include <QSet>

// What the cascades nested in one outermost cascade share: the records
// being deleted. It lives only while the outermost cascade runs.
struct QtrCascade::Run
{
    QSet<QString> deleting;
};

namespace {

// A language code names a folder: one plain name, nothing that climbs out
// of the icon folder.
bool IsFolderName(const QString& code)
{
    return !code.isEmpty() && code != QLatin1String(".") && code != QLatin1String("..")
           && !code.contains(QLatin1Char('/')) && !code.contains(QLatin1Char('\\'));
}

} // namespace

thread_local QtrCascade::Run* QtrCascade::s_pRun = nullptr;

QtrCascade::QtrCascade(CQTRDaoRecordset& owner) : m_owner(owner)
{
    m_nId = static_cast<qint32>(owner.GetFieldValue(QStringLiteral("ID")).toLongLong());
    m_strKey = TableOf(owner).toLower() + QLatin1Char(':') + QString::number(m_nId);
    if (s_pRun && s_pRun->deleting.contains(m_strKey)) {
        m_bSkipped = true;
        return;
    }
    if (!owner.m_pDatabase)
        throw CDaoException(QStringLiteral("Il database non è aperto."));
    owner.m_pDatabase->BeginTrans();
    m_nDepth = owner.m_pDatabase->TransactionDepth();
    if (!s_pRun) {
        s_pRun = new Run;
        m_bOutermost = true;
    }
    s_pRun->deleting.insert(m_strKey);
}

QtrCascade::~QtrCascade()
{
    if (m_bSkipped)
        return;
    if (!m_bFinished) {
        // Unwinding from a failed step: the exception on its way out says
        // what went wrong; a failing rollback must not replace it.
        try {
            if (m_owner.m_pDatabase->TransactionDepth() == m_nDepth)
                m_owner.m_pDatabase->Rollback();
        } catch (const CDaoException&) {
        }
    }
    s_pRun->deleting.remove(m_strKey);
    if (m_bOutermost) {
        delete s_pRun;
        s_pRun = nullptr;
    }
}

void QtrCascade::Prepare(CQTRDaoRecordset& rows, const QString& filter, const QVariantList& params) const
{
    rows.m_bTracking = m_owner.m_bTracking;
    rows.m_strProjectFolder = m_owner.m_strProjectFolder;
    rows.m_strFilter = filter;
    if (params.isEmpty())
        for (int i = filter.count(QLatin1Char('?')); i > 0; --i)
            rows.m_filterParams << m_nId;
    else
        rows.m_filterParams = params;
    rows.Open();
}

void QtrCascade::DeleteCorrelations(int kind)
{
    DeleteRows<CCorrelazioniSet>(QStringLiteral("(Tipo1=? AND ID1=?) OR (Tipo2=? AND ID2=?)"),
                                 {kind, m_nId, kind, m_nId});
}

void QtrCascade::Repoint(const QString& table, const QString& column, bool tracked)
{
    if (m_nId == 0)
        return;
    AggiornaTabelleCorrelate(table, column, m_nId, 0, m_owner.m_pDatabase, tracked && m_owner.m_bTracking,
                             m_owner.m_strProjectFolder);
}

QString QtrCascade::ProjectFolder() const
{
    QString folder = m_owner.MarkerFolder();
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

void QtrCascade::DeleteFiles(const QString& projectRelativeFolder, const QString& prefix)
{
    // With no project folder the files could only be looked for in the
    // current folder, which holds no record's files.
    const QString project = ProjectFolder();
    if (project.isEmpty())
        return;
    ::DeleteFiles(project + projectRelativeFolder, m_nId, prefix, m_owner.m_pDatabase);
}

void QtrCascade::DeleteLanguageFiles(const QString& projectRelativeBase)
{
    CLingueSet languages(m_owner.m_pDatabase);
    languages.m_strFilter = QStringLiteral("Attivo=TRUE");
    languages.Open();
    for (; !languages.IsEOF(); languages.MoveNext())
        if (IsFolderName(languages.m_Codice))
            DeleteFiles(projectRelativeBase + languages.m_Codice + QLatin1Char('/'));
    languages.Close();
}

void QtrCascade::Finish()
{
    m_owner.CQTRDaoRecordset::Delete();
    m_owner.m_pDatabase->CommitTrans();
    m_bFinished = true;
}

QString QtrCascade::TableOf(CQTRDaoRecordset& recordset)
{
    if (!recordset.m_strTableName.isEmpty())
        return recordset.m_strTableName;
    const QString sql = recordset.GetDefaultSQL();
    return sql.size() >= 2 ? sql.mid(1, sql.size() - 2) : sql;
}
