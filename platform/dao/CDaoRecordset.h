#pragma once

#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoEditBuffer.h"
#include "platform/dao/CDaoFieldCache.h"
#include "platform/dao/CDaoFieldExchange.h"
#include "platform/dao/CDaoKeyset.h"
#include "platform/dao/CDaoStatement.h"

#include <QString>
#include <QStringList>
#include <QVariant>

enum DaoOpenType { dbOpenTable = 1, dbOpenDynaset = 2, dbOpenSnapshot = 4 };
enum DaoEditMode { dbEditNone = 0, dbEditInProgress = 1, dbEditAdd = 2 };

// A dynaset over one SQL statement of a CDaoDatabase: the facade the table
// classes derive from. Its jobs are done by CDaoStatement (the statements
// run), CDaoKeyset (rows, keys and the cursor), CDaoFinder (Find*),
// CDaoEditBuffer (adds and edits) and CDaoFieldCache (bound members).
//
// The rows are read when the set is opened; each row keeps the keys of the
// table rows it came from, and a row is read again when it becomes current
// after the database has been written, so edits made through another
// recordset show as they do in a keyset. Rows added through the set join
// its end without becoming current; rows deleted through it are skipped.
//
// Members bound in DoFieldExchange are filled from the current row and
// compared with a cache at save time, so a save writes only the changed
// columns.
class CDaoRecordset
{
public:
    explicit CDaoRecordset(CDaoDatabase* pDatabase = nullptr);
    virtual ~CDaoRecordset();
    CDaoRecordset(const CDaoRecordset&) = delete;
    CDaoRecordset& operator=(const CDaoRecordset&) = delete;

    virtual QString GetDefaultSQL();
    virtual QString GetDefaultDBName();
    virtual void DoFieldExchange(CDaoFieldExchange* pFX);

    // Opens by the default SQL (a bracketed table name or a statement) or
    // by sql, with m_strFilter and m_strSort applied. Values that come from
    // outside go into m_filterParams and stand as "?" in the statement, the
    // filter and the sort, in that order (see SetFilter and CDaoCriteria).
    // Every failure, of the engine or of the text, raises CDaoException.
    virtual void Open(int nOpenType = -1, const QString& sql = QString(), int nOptions = 0);
    virtual void Close();
    bool IsOpen() const { return m_bOpen; }
    virtual void Requery();

    bool IsEOF() const;
    bool IsBOF() const;
    void MoveFirst();
    void MoveNext();
    void MovePrev();
    void MoveLast();
    void Move(qint32 nRows);

    // The cursor stays where it was when no row matches.
    bool FindFirst(const QString& criteria, const QVariantList& params = {});
    bool FindNext(const QString& criteria, const QVariantList& params = {});
    bool FindPrev(const QString& criteria, const QVariantList& params = {});
    bool FindLast(const QString& criteria, const QVariantList& params = {});
    bool FindFirst(const CDaoCriteria& criteria) { return FindFirst(criteria.Text(), criteria.Values()); }
    bool FindNext(const CDaoCriteria& criteria) { return FindNext(criteria.Text(), criteria.Values()); }
    bool FindPrev(const CDaoCriteria& criteria) { return FindPrev(criteria.Text(), criteria.Values()); }
    bool FindLast(const CDaoCriteria& criteria) { return FindLast(criteria.Text(), criteria.Values()); }

    // Sets m_strFilter and m_filterParams: the statement's own values (for
    // its "?" marks) first, then the criteria's.
    void SetFilter(const CDaoCriteria& criteria, const QVariantList& statementValues = {});

    virtual void AddNew();
    virtual void Edit();
    virtual void Update();
    virtual void CancelUpdate();
    virtual void Delete();
    int GetEditMode() const { return m_edit.GetMode(); }
    bool CanUpdate() const;

    qint32 GetRecordCount() const;
    qint32 GetAbsolutePosition() const;
    QVariant GetBookmark() const;
    void SetBookmark(const QVariant& bookmark);

    // The current row's value (or, while editing, the edit buffer's); a
    // NULL column is a null QVariant. An unknown name raises.
    QVariant GetFieldValue(const QString& name);
    virtual void SetFieldValue(const QString& name, const QVariant& value);
    void SetFieldValueNull(const QString& name);
    bool IsFieldNull(const QString& name);
    QStringList GetFieldNames() const { return m_keyset.Columns(); }
    bool HasField(const QString& name) const;

    QString GetSQL() const { return m_statement.Select(); }
    // The table that rows are written to: the first one the statement reads.
    QString GetTableName() const { return m_statement.Table(); }
    CDaoDatabase* GetDatabase() const { return m_pDatabase; }

    CDaoDatabase* m_pDatabase;
    QString m_strFilter;
    QString m_strSort;
    QVariantList m_filterParams;
    int m_nFields = 0;
    int m_nDefaultType = dbOpenDynaset;

    // Called by the DFX functions for one bound member held as a variant of
    // its type.
    void ExchangeField(CDaoFieldExchange* pFX, const char* name, QVariant& member,
                       QMetaType::Type type, const CDaoTextCodec* codec);

protected:
    // Runs the field exchange over the bound members.
    void RunExchange(CDaoFieldExchange::Operation op);
    void ThrowDaoException(const QString& message) const;

private:
    bool IsCurrentValid() const;
    int FieldIndexOrThrow(const QString& name) const;
    void RequireOpen() const;
    void RequireUpdatable() const;
    void RequireCurrent() const;
    void SettleOnCurrent();
    void RefreshAndFixup();
    bool FindFrom(int start, int direction, const QString& criteria, const QVariantList& params);
    CDaoAssignments CollectAssignments();
    void WriteAdd();
    void WriteEdit();
    void EndEdit();

    bool m_bOpen = false;
    CDaoStatement m_statement;
    CDaoKeyset m_keyset;
    CDaoEditBuffer m_edit;
    CDaoFieldCache m_fields;
    CDaoAssignments* m_pChanged = nullptr;   // collects the changed members during SetDirtyField
};
