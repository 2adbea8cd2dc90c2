#pragma once

#include "desktop/shell/settings/CGridRowEditor.h"

#include <memory>

class CDaoDatabase;
class CValuteSet;

// The shop's currencies (table Valute) as rows of a grid: name, exchange
// rate, symbol and the rounding step of converted prices. The currency of
// ID 1 is the euro: it stays, and the languages of a deleted currency fall
// back to it. The rules of CValuteView.
class CValuteViewCore : public CGridRowEditor
{
public:
    enum Column { ColButton, ColValuta, ColCambio, ColSimbolo, ColArrotondamento, ColumnCount };

    CValuteViewCore(CDaoDatabase& db, CGridCore& grid);
    ~CValuteViewCore() override;

    void Fill();

    // The rounding entries: code 1 "Migliaia" (1000) to 9 "Centomillesimi"
    // (0.00001); code 0 when a step matches none.
    static int RoundingCode(double step);
    static double RoundingStep(int code);
    static QString RoundingText(int code);

protected:
    int MissingCell(int row) override;
    qint32 InsertRow(int row) override;
    bool RowDiffers(int row) override;
    void UpdateRow(int row) override;
    bool AllowDelete(qint32 id) override;
    bool DeleteRecord(qint32 id) override;
    QString DeleteCaption() const override { return QStringLiteral("Cancellazione valuta"); }
    int FirstEditColumn() const override { return ColValuta; }

private:
    void SetColumns();
    void ShowRow(int row);
    void WriteRow(int row);

    CDaoDatabase& m_db;
    std::unique_ptr<CValuteSet> m_pValute;
};
