#include "platform/dao/CDaoRecordset.h"

#include "platform/dao/CDaoFinder.h"

namespace {

const QString kNotOpen = QStringLiteral("L'oggetto non è aperto.");
const QString kReadOnly = QStringLiteral("Impossibile aggiornare. Database o oggetto di sola lettura.");
const QString kNoCurrent = QStringLiteral("Nessun record corrente.");
const QString kNotEditing = QStringLiteral("Update o CancelUpdate senza AddNew o Edit.");

} // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CDaoRecordset::~CDaoRecordset() = default;

QString CDaoRecordset::GetDefaultSQL() { return QString(); }

QString CDaoRecordset::GetDefaultDBName() { return QString(); }

void CDaoRecordset::DoFieldExchange(CDaoFieldExchange*) {}

void CDaoRecordset::ThrowDaoException(const QString& message) const { throw CDaoException(message); }

void CDaoRecordset::Open(int nOpenType, const QString& sql, int)
{
    Q_UNUSED(nOpenType);
    if (m_bOpen)
        Close();
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        ThrowDaoException(QStringLiteral("Il database non è aperto."));
    m_statement = CDaoStatement(sql.isEmpty() ? GetDefaultSQL() : sql, m_strFilter, m_strSort);
    m_keyset.Load(*m_pDatabase, m_statement, m_filterParams);
    m_bOpen = true;
    RunExchange(CDaoFieldExchange::BindField);
    m_fields.ClearValues();
    SettleOnCurrent();
}

void CDaoRecordset::Close()
{
    m_edit.End();
    m_keyset.Clear();
    m_bOpen = false;
}

void CDaoRecordset::Requery()
{
    RequireOpen();
    EndEdit();
    m_keyset.Load(*m_pDatabase, m_statement, m_filterParams);
    RunExchange(CDaoFieldExchange::BindField);
    SettleOnCurrent();
}

int CDaoRecordset::FieldIndexOrThrow(const QString& name) const
{
    const int index = m_keyset.ColumnIndex(name);
    if (index < 0)
        ThrowDaoException(QStringLiteral("Elemento non trovato in questo insieme. [%1]").arg(name));
    return index;
}

bool CDaoRecordset::HasField(const QString& name) const { return m_keyset.ColumnIndex(name) >= 0; }

bool CDaoRecordset::IsCurrentValid() const { return m_bOpen && m_keyset.IsCurrentLive(); }

void CDaoRecordset::RequireOpen() const
{
    if (!m_bOpen)
        ThrowDaoException(kNotOpen);
}

void CDaoRecordset::RequireUpdatable() const
{
    if (!m_statement.IsKeyed())
        ThrowDaoException(kReadOnly);
}

void CDaoRecordset::RequireCurrent() const
{
    if (!IsCurrentValid())
        ThrowDaoException(kNoCurrent);
}

// Brings the current row up to date and fills the members from it. A row
// that was deleted meanwhile is passed over forwards.
void CDaoRecordset::SettleOnCurrent()
{
    if (m_bOpen && m_keyset.Settle())
        RunExchange(CDaoFieldExchange::Fixup);
}

void CDaoRecordset::RefreshAndFixup()
{
    if (IsCurrentValid())
        m_keyset.Invalidate(m_keyset.Current());
    SettleOnCurrent();
}

bool CDaoRecordset::IsEOF() const { return m_keyset.IsEOF(); }

bool CDaoRecordset::IsBOF() const { return m_keyset.IsBOF(); }

void CDaoRecordset::MoveFirst()
{
    EndEdit();
    m_keyset.MoveFirst();
    SettleOnCurrent();
}

void CDaoRecordset::MoveLast()
{
    EndEdit();
    m_keyset.MoveLast();
    if (!m_keyset.IsBOF())
        SettleOnCurrent();
}

void CDaoRecordset::MoveNext()
{
    if (m_keyset.IsEOF())
        ThrowDaoException(kNoCurrent);
    Move(1);
}

void CDaoRecordset::MovePrev()
{
    if (m_keyset.IsBOF())
        ThrowDaoException(kNoCurrent);
    Move(-1);
}

void CDaoRecordset::Move(qint32 nRows)
{
    EndEdit();
    m_keyset.Move(nRows);
    if (!m_keyset.IsEOF() && !m_keyset.IsBOF())
        SettleOnCurrent();
}

bool CDaoRecordset::FindFrom(int start, int direction, const QString& criteria, const QVariantList& params)
{
    RequireOpen();
    const int found = CDaoFinder(*m_pDatabase, m_statement, m_keyset, m_filterParams)
                          .Find(start, direction, criteria, params);
    if (found < 0)
        return false;
    EndEdit();
    m_keyset.SetCurrent(found);
    SettleOnCurrent();
    return true;
}

void CDaoRecordset::SetFilter(const CDaoCriteria& criteria, const QVariantList& statementValues)
{
    m_strFilter = criteria.Text();
    m_filterParams = statementValues + criteria.Values();
}

bool CDaoRecordset::FindFirst(const QString& criteria, const QVariantList& params)
{
    return FindFrom(0, +1, criteria, params);
}

bool CDaoRecordset::FindNext(const QString& criteria, const QVariantList& params)
{
    return FindFrom(m_keyset.Current() + 1, +1, criteria, params);
}

bool CDaoRecordset::FindPrev(const QString& criteria, const QVariantList& params)
{
    return FindFrom(m_keyset.Current() - 1, -1, criteria, params);
}

bool CDaoRecordset::FindLast(const QString& criteria, const QVariantList& params)
{
    return FindFrom(m_keyset.Size() - 1, -1, criteria, params);
}

bool CDaoRecordset::CanUpdate() const { return m_bOpen && m_statement.IsKeyed(); }

void CDaoRecordset::AddNew()
{
    RequireOpen();
    RequireUpdatable();
    EndEdit();
    m_edit.Begin(CDaoEditBuffer::Adding, m_keyset.Current());
    // The members start from their defaults and only those set afterwards
    // are written: the other columns take the table's own default, or stay
    // NULL where NULL means "not set".
    RunExchange(CDaoFieldExchange::SetDefault);
}

void CDaoRecordset::Edit()
{
    RequireUpdatable();
    RequireCurrent();
    m_edit.Begin(CDaoEditBuffer::Editing, m_keyset.Current());
}

void CDaoRecordset::EndEdit()
{
    if (m_edit.GetMode() == CDaoEditBuffer::Adding)
        m_keyset.ReturnTo(m_edit.SavedCurrent());
    m_edit.End();
}

void CDaoRecordset::CancelUpdate()
{
    if (m_edit.GetMode() == CDaoEditBuffer::None)
        return;
    EndEdit();
    if (IsCurrentValid())
        RunExchange(CDaoFieldExchange::Fixup);
}

void CDaoRecordset::SetFieldValue(const QString& name, const QVariant& value)
{
    if (m_edit.GetMode() == CDaoEditBuffer::None)
        ThrowDaoException(kNotEditing);
    m_edit.Set(m_keyset.Columns().at(FieldIndexOrThrow(name)), value);
}

void CDaoRecordset::SetFieldValueNull(const QString& name) { SetFieldValue(name, QVariant()); }

QVariant CDaoRecordset::GetFieldValue(const QString& name)
{
    const int index = FieldIndexOrThrow(name);
    if (m_edit.GetMode() != CDaoEditBuffer::None) {
        if (const auto value = m_edit.Value(m_keyset.Columns().at(index)))
            return *value;
        if (m_edit.GetMode() == CDaoEditBuffer::Adding)
            return QVariant();
    }
    RequireCurrent();
    return m_keyset.Value(m_keyset.Current(), index);
}

bool CDaoRecordset::IsFieldNull(const QString& name) { return GetFieldValue(name).isNull(); }

void CDaoRecordset::Update()
{
    if (m_edit.GetMode() == CDaoEditBuffer::None)
        ThrowDaoException(kNotEditing);
    if (m_edit.GetMode() == CDaoEditBuffer::Adding)
        WriteAdd();
    else
        WriteEdit();
}

// The changed members and the values set by name, in one list; a value set
// by name wins over its member.
CDaoAssignments CDaoRecordset::CollectAssignments()
{
    CDaoAssignments changed;
    m_pChanged = &changed;
    try {
        RunExchange(CDaoFieldExchange::SetDirtyField);
    } catch (...) {
        m_pChanged = nullptr;
        throw;
    }
    m_pChanged = nullptr;
    return m_edit.Collect(changed);
}

void CDaoRecordset::WriteAdd()
{
    const QVariant key = CDaoEditBuffer::Insert(*m_pDatabase, m_statement.Table(), CollectAssignments());
    const bool wasPastEnd = m_edit.SavedCurrent() >= m_keyset.Size();
    m_keyset.Append(key);
    EndEdit();
    if (wasPastEnd)
        m_keyset.MovePastEnd();   // the new row joins the end without becoming current
    else if (IsCurrentValid())
        RefreshAndFixup();
}

void CDaoRecordset::WriteEdit()
{
    RequireCurrent();
    CDaoEditBuffer::Update(*m_pDatabase, m_statement.Table(), CollectAssignments(),
                           m_keyset.FirstKey(m_keyset.Current()));
    EndEdit();
    RefreshAndFixup();
}

void CDaoRecordset::Delete()
{
    RequireUpdatable();
    RequireCurrent();
    EndEdit();
    CDaoEditBuffer::Delete(*m_pDatabase, m_statement.Table(), m_keyset.FirstKey(m_keyset.Current()));
    m_keyset.MarkDeleted(m_keyset.Current());
}

qint32 CDaoRecordset::GetRecordCount() const { return m_keyset.Count(); }

qint32 CDaoRecordset::GetAbsolutePosition() const
{
    return IsCurrentValid() ? m_keyset.Position(m_keyset.Current()) : -1;
}

QVariant CDaoRecordset::GetBookmark() const
{
    RequireCurrent();
    return m_keyset.Bookmark(m_keyset.Current());
}

void CDaoRecordset::SetBookmark(const QVariant& bookmark)
{
    const int row = m_keyset.RowOfBookmark(bookmark);
    if (row < 0)
        ThrowDaoException(QStringLiteral("Segnalibro non valido."));
    EndEdit();
    m_keyset.SetCurrent(row);
    SettleOnCurrent();
}

void CDaoRecordset::RunExchange(CDaoFieldExchange::Operation op)
{
    if (op == CDaoFieldExchange::BindField)
        m_fields.ClearBindings();
    CDaoFieldExchange fx(op, this);
    DoFieldExchange(&fx);
}

void CDaoRecordset::ExchangeField(CDaoFieldExchange* pFX, const char* name, QVariant& member,
                                  QMetaType::Type type, const CDaoTextCodec* codec)
{
    const int field = pFX->m_nField++;
    switch (pFX->m_nOperation) {
    case CDaoFieldExchange::BindField: {
        // Each member's column is looked up once per opening, not per row.
        const QString column = CDaoStatement::Unbracket(QString::fromLatin1(name));
        m_fields.Bind(column, m_keyset.ColumnIndex(column));
        break;
    }
    case CDaoFieldExchange::SetDefault:
        m_fields.SetDefault(field, member, type);
        break;
    case CDaoFieldExchange::Fixup:
        m_fields.Fixup(field, member, m_keyset.Value(m_keyset.Current(), m_fields.Column(field, name)), type, codec);
        break;
    case CDaoFieldExchange::SetDirtyField:
        if (m_pChanged && m_fields.Changed(field, member))
            m_pChanged->Set(m_keyset.Columns().at(m_fields.Column(field, name)), CDaoFieldCache::ToStored(member, type, codec));
        break;
    }
}
