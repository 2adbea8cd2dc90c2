#pragma once

#include "desktop/shell/settings/CGridRowEditor.h"

#include <QVector>

#include <memory>
#include <utility>

class CDaoDatabase;
class CLingueSet;
class CValuteSet;

// The languages of the site (table Lingue) as rows of a grid: active,
// code, name, the currency of their prices and whether prices are shown
// in euro. The rules of CLingueView.
class CLingueViewCore : public CGridRowEditor
{
public:
    enum Column { ColButton, ColAttivo, ColCodice, ColDescrizione, ColValuta, ColEuro, ColumnCount };

    CLingueViewCore(CDaoDatabase& db, CGridCore& grid);
    ~CLingueViewCore() override;

    // Columns, title row, currency entries and one row per language.
    void Fill();

protected:
    int MissingCell(int row) override;
    qint32 InsertRow(int row) override;
    bool RowDiffers(int row) override;
    void UpdateRow(int row) override;
    bool DeleteRecord(qint32 id) override;
    QString DeleteCaption() const override { return QStringLiteral("Cancellazione lingua"); }
    int FirstEditColumn() const override { return ColCodice; }

private:
    void SetColumns();
    void ShowRow(int row);
    void WriteRow(int row);

    std::unique_ptr<CLingueSet> m_pLingue;
    std::unique_ptr<CValuteSet> m_pValute;
    QVector<std::pair<qint32, QString>> m_currencies;   // the "Valuta" entries
};
