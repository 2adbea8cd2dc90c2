#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class CDaoDatabase;

// The rules of the "Tabelle Taglie" dialog, without widgets: named, ordered
// lists of sizes (ValoriTaglie) that products point to. The sizes of the
// selected table are edited in a list of their own and written to Valori,
// each size followed by "|", when the table is saved or the dialog closed.
// Deleting a table detaches it from every product that used it.
class CTabelleTaglieCore
{
public:
    static constexpr int kNameLength = 50;
    static constexpr int kSizeLength = 5;

    struct Entry
    {
        qint32 nId = 0;
        QString strDescrizione;
    };

    // Which controls work.
    struct Controls
    {
        bool bInsertTable = true;
        bool bSaveTable = false;
        bool bDeleteTable = false;
        bool bSizeArea = false;   // "Taglia", its list and Insert size
        bool bInsertSize = false;
        bool bSaveSize = false;
        bool bDeleteSize = false;
    };

    // The refused field: 0 none, else the field to focus.
    enum Field { NoField, NameField, SizeField };

    explicit CTabelleTaglieCore(CDaoDatabase& db);

    // The tables, sorted by name.
    const QList<Entry>& Tables() const { return m_tables; }
    qint32 SelectedTable() const { return m_nSelected; }
    const QString& Name() const { return m_strName; }
    const QStringList& Sizes() const { return m_sizes; }
    int SelectedSize() const { return m_nSelectedSize; }
    const Controls& GetControls() const { return m_controls; }

    // A table chosen in the list: its name and sizes; what was typed for
    // the table selected before and not saved is dropped.
    void SelectTable(qint32 id);
    // Each returns the field refused as empty ("Campo obbligatorio!"), or
    // NoField when done.
    Field InsertTable(const QString& name);
    Field SaveTable(const QString& name);
    void DeleteTable();
    Field InsertSize(const QString& size);
    void SelectSize(int index);
    Field SaveSize(const QString& size);
    void DeleteSize();
    // Closing saves the selected table as SaveTable does.
    Field Close(const QString& name);

    // The Valori text of a list of sizes and the sizes of a Valori text.
    static QString JoinSizes(const QStringList& sizes);
    static QStringList SplitSizes(const QString& valori);

private:
    void ReadTables();
    void Deselect();

    CDaoDatabase& m_db;
    QList<Entry> m_tables;
    qint32 m_nSelected = 0;
    QString m_strName;
    QStringList m_sizes;
    int m_nSelectedSize = -1;
    Controls m_controls;
};
