#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

#include <optional>

class CDaoDatabase;

// Columns and the values to write to them, in the order first set; a
// column set again keeps its place and takes the new value.
struct CDaoAssignments
{
    QStringList columns;
    QVariantList values;

    void Set(const QString& column, const QVariant& value);
    bool Has(const QString& column) const;
};

// The add or edit in progress on a dynaset: its mode, the row that was
// current when an add began, and the values set by name. A save writes
// the changed members and the values set by name with bound values; the
// buffer keeps the values set by name until the edit ends, so a failed
// save can be mended and tried again.
class CDaoEditBuffer
{
public:
    enum Mode { None = 0, Editing = 1, Adding = 2 };   // as dbEditNone, dbEditInProgress, dbEditAdd

    Mode GetMode() const { return m_mode; }
    void Begin(Mode mode, int current);
    void End();
    // The row that was current when the add began.
    int SavedCurrent() const { return m_nSavedCurrent; }

    void Set(const QString& column, const QVariant& value);
    std::optional<QVariant> Value(const QString& column) const;

    // The changed members, then the values set by name (which win).
    CDaoAssignments Collect(const CDaoAssignments& changedMembers) const;

    // Writes a new row; its rowid.
    static QVariant Insert(CDaoDatabase& database, const QString& table, const CDaoAssignments& values);
    static void Update(CDaoDatabase& database, const QString& table, const CDaoAssignments& values,
                       const QVariant& rowid);
    static void Delete(CDaoDatabase& database, const QString& table, const QVariant& rowid);

private:
    Mode m_mode = None;
    int m_nSavedCurrent = -1;
    CDaoAssignments m_values;
};
