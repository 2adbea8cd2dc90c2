#pragma once

#include "desktop/shell/settings/CGridRowEditor.h"

#include <QString>

#include <memory>

class CDaoDatabase;
class CDefCampiCustomSet;

// The custom fields that products carry (table DefinizioneCampiCustom),
// per category or, with category 0, for all of them: one grid row each
// with its name, type, length and decimals. The type decides which of the
// two number cells may be typed into. The rules of CDefCampiCustomView.
class CDefCampiCustomViewCore : public CGridRowEditor
{
public:
    enum Column { ColNome, ColTipo, ColLunghezza, ColDecimali, ColumnCount };
    enum Tipo { Alfanumerico, Intero, Decimale, Formattato, DecimaleFormattato, Data, CodiceFiscale, TipoCount };

    CDefCampiCustomViewCore(CDaoDatabase& db, CGridCore& grid);
    ~CDefCampiCustomViewCore() override;

    // Columns, header and the type list, then the rows of category 0.
    void Fill();
    // Shows the definitions of category id (0: all categories). A pending
    // new row or a changed row is saved first; false keeps the category
    // when that save fails.
    bool ChooseCategory(qint32 id);
    qint32 Category() const { return m_nCategory; }

    // The type rules made visible in a row (called when the type cell is left).
    void ApplyType(int row);
    static QString TipoText(int code);

    // The type rules apply when the type cell is left within its row.
    void OnCellEnter(const GridNotifyInfo& info) override;
    int OnCellLeave(GridNotifyInfo& info) override;

protected:
    int MissingCell(int row) override;
    // A name holding "|" would shift the products' CampiCustom pairs.
    int RefusedCell(int row, QString& text) override;
    qint32 InsertRow(int row) override;
    bool RowDiffers(int row) override;
    void UpdateRow(int row) override;
    bool DeleteRecord(qint32 id) override;
    QString DeleteCaption() const override { return QStringLiteral("Cancellazione campo custom"); }
    int FirstEditColumn() const override { return ColNome; }

private:
    void SetColumns();
    void Load();
    void ShowRow(int row);
    void WriteRow(int row);
    // The type code of a row, -1 when none is chosen.
    int TipoOf(int row);
    bool HasDecimals(int tipo) const { return tipo == Decimale || tipo == DecimaleFormattato; }

    std::unique_ptr<CDefCampiCustomSet> m_pDefinizioni;
    qint32 m_nCategory = 0;
    int m_nAppliedTipo = -1;
};
