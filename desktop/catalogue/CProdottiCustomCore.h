#pragma once

#include "desktop/catalogue/CCampiCustom.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <memory>

class CDaoDatabase;
class CDefCampiCustomSet;
class CGridCore;

// The rules of the product card's "Custom" page: the custom fields defined
// for all products and for the product's categories, one grid row each,
// with the product's values in the editing language, and the CampiCustom
// text made from the rows. The view hands in the product's categories and
// its stored text, rebuilds the grid (LoadCustomValues) and reads the text
// back for its comparison and its save.
class CProdottiCustomCore
{
public:
    enum Column { ColNome, ColValore, ColumnCount };

    CProdottiCustomCore(CDaoDatabase& db, CGridCore& grid);
    ~CProdottiCustomCore();

    // Columns, header and colours; the page is usable from here on.
    void InitGrid();
    bool IsInitialised() const { return m_bInitialised; }

    // The product's categories: its fields are those of category 0 (all
    // products) and of each of these.
    void SetCategories(const QVector<qint32>& categoryIds);
    void SetCampiCustom(const QString& text) { m_strCampiCustom = text; }

    // Refills the grid from the definitions and the stored text.
    void LoadCustomValues();
    // The CampiCustom text of the grid, row by row.
    QString GetCustomValuesText();
    // Every value, joined with nothing between, for the search words.
    QString GetCustomValuesWords();
    // False after "Il carattere \"|\" non è ammesso nei campi custom." when
    // a value holds the separator; the grid's current cell is put on it.
    bool ValidateCustomValues();

    CGridCore& Grid() { return m_grid; }

private:
    QVector<CCampiCustom::Field> Fields();

    CGridCore& m_grid;
    std::unique_ptr<CDefCampiCustomSet> m_pDefinizioni;
    QVector<qint32> m_categories;
    QString m_strCampiCustom;
    QHash<QString, QString> m_values;
    bool m_bInitialised = false;
};
