#pragma once

#include "desktop/shell/settings/CGridRowEditor.h"

#include <QString>

#include <memory>

class CConfigurazioneSet;
class CDaoDatabase;
class CSSpedizioneSet;

// The rules of "Spese di spedizione" without widgets: one grid row per
// destination (table SpeseSpedizione) with the VAT exemption and five
// limit-and-price pairs, and three shop-wide settings of Configurazione
// (packing weight and its basis, VAT on shipping) that are saved with
// every row save. A row is saved when the cursor leaves it.
class CSSpedizioneViewCore : public CGridRowEditor
{
public:
    enum Column { ColButton, ColDestinazione, ColEsenzione, ColLimite1, ColPrezzo1, ColumnCount = 13 };

    // The settings as their fields hold them.
    struct Settings
    {
        int nTipoPeso = 0;      // 0 "Peso", 1 "Percentuale"
        QString strPeso;        // packing weight
        QString strIva;         // VAT on shipping, whole percent
    };

    CSSpedizioneViewCore(CDaoDatabase& db, CGridCore& grid);
    ~CSSpedizioneViewCore() override;

    void Fill();
    Settings& GetSettings() { return m_settings; }
    // "Kg" or "%" beside the packing weight.
    QString UnitLabel() const;
    // The basis changed: the weight starts again from 0.
    void ChooseBasis(int basis);

    bool SettingsDiffer();
    void SaveSettings();
    // The row or the settings changed (the frame's close asks this).
    bool IsModified();
    // Saves the settings and the current row; false after a refusal.
    bool Save();

    int OnCellLeave(GridNotifyInfo& info) override;

protected:
    int MissingCell(int row) override;
    qint32 InsertRow(int row) override;
    bool RowDiffers(int row) override;
    void UpdateRow(int row) override;
    bool DeleteRecord(qint32 id) override;
    QString DeleteCaption() const override { return QStringLiteral("Cancellazione spese"); }
    int FirstEditColumn() const override { return ColDestinazione; }

private:
    void SetColumns();
    void ShowRow(int row);
    void WriteRow(int row);
    double ReadPeso() const;
    int ReadIva() const;

    CDaoDatabase& m_db;
    std::unique_ptr<CSSpedizioneSet> m_pSpese;
    std::unique_ptr<CConfigurazioneSet> m_pConfigurazione;
    Settings m_settings;
};
