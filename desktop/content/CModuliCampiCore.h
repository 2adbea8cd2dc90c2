#pragma once

#include "desktop/shell/settings/CGridRowEditor.h"

#include <QString>

class CDaoDatabase;

// The field grid of a site form ("Moduli"), without widgets: one row per
// field in its order with its label in the editing language, its kind and
// its length and decimals, which the kind enables or fills; a row is saved
// when the cursor leaves it (the shared grid-row rules), at most one new
// row waits, and fields move up and down. It drives a CGridCore.
class CModuliCampiCore : public CGridRowEditor
{
public:
    enum Column { NameCol, KindCol, LengthCol, DecimalsCol };
    enum Kind
    {
        Alfanumerico = 0, Intero = 1, Decimale = 2, Data = 5, Etichetta = 10, Opzione = 11,
        OpzioneEsclusiva = 12, MenuADiscesa = 13,
    };

    CModuliCampiCore(CDaoDatabase& database, CGridCore& grid);

    void SetLanguages(const QString& current, const QString& fallback);
    // Sets the grid's columns up once.
    void Setup();
    // Shows the fields of a form (0: none); a pending new row is dropped.
    void Load(qint32 form);
    qint32 Form() const { return m_nForm; }

    // The kind of row's cell (-1 when none chosen).
    int KindOf(int row);
    // Enables, fills or empties the row's number cells by its kind.
    void FormatRow(int row);

    int OnCellLeave(GridNotifyInfo& info) override;

    bool CanMoveUp();
    bool CanMoveDown();
    bool CanEditOptions();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }
    // The field of the current row; 0 when none is saved there.
    qint32 CurrentField();

protected:
    int MissingCell(int row) override;
    qint32 InsertRow(int row) override;
    bool RowDiffers(int row) override;
    void UpdateRow(int row) override;
    bool DeleteRecord(qint32 id) override;
    QString DeleteCaption() const override { return QStringLiteral("Cancellazione campo modulo"); }
    int FirstEditColumn() const override { return NameCol; }

private:
    void AddGridRow(qint32 id, const QString& label, int kind, int length, int decimals);
    QString Label(qint32 field, bool* found);
    void WriteLabel(qint32 field, const QString& language, const QString& label, bool onlyWhenMissing);
    bool Move(int direction);

    CDaoDatabase& m_db;
    QString m_strCurrent;
    QString m_strDefault;
    qint32 m_nForm = 0;
};
