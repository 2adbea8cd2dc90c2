#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <memory>

class CDaoDatabase;
class CScontiProdottoSet;

// The rules of the discounts and commissions editor, without widgets. The
// merchant picks a customer group or one customer, ticks the categories or
// products with special terms (each tick adds or deletes a ScontiProdotto
// row at once, the deletion logged for the upload) and fills the terms of
// the current item, which are saved silently when the item changes. The
// widget shows the lists and the pages and forwards every click here.
//
// Percent texts are checked as the shop's price engine reads them: one or
// more figures joined by "+", each from 0 to 100, decimal comma or point.
// A text the shop could not read is refused at entry, so a row never holds
// a discount the shop would drop. Empty fields are stored as NULL, which
// the shop reads as "not set".
class CScontiProdottoViewCore
{
public:
    enum Kind { Gruppi = 0, Utenti = 1 };
    enum ItemKind { NoItem, CategoryItem, ProductItem };
    enum Page { DefaultPage, PeriodPage, QuantityPage };

    static constexpr int kSteps = 9;
    // The shop takes a step up to its quantity, that quantity included, and
    // the first step that takes the ordered quantity decides: the grid and
    // its note say so.
    static QString StepLimitHeader() { return QStringLiteral("Fino a"); }
    static QString StepsNote()
    {
        return QStringLiteral("Ogni riga vale fino alla sua quantità compresa; per la quantità ordinata vale la "
                              "prima riga che la comprende. Quantità 0: nessun limite (ultima riga).");
    }
    static constexpr int kPercentLength = 20;
    static QString PercentCharacters() { return QStringLiteral("1234567890+,."); }

    struct Entry
    {
        qint32 nId = 0;
        QString strText;
    };

    struct ProductLine
    {
        qint32 nId = 0;
        QString strCodice;
        QString strDescrizione;
        bool bTicked = false;
    };

    // One quantity step as typed: quantity and price in the fields' display
    // form ("." decimal point, "'" groups), the percent as typed.
    struct Step
    {
        QString strQuantita;
        QString strSconto;
        QString strPrezzo;
    };

    // The three pages' fields as typed; dates as "dd/mm/yyyy", empty when not set.
    struct Terms
    {
        QString strSconto;
        QString strPrezzo;
        QString strPeriodoDal;
        QString strPeriodoAl;
        QString strScontoPeriodo;
        QString strPrezzoPeriodo;
        QString strQuantitaDal;
        QString strQuantitaAl;
        std::array<Step, kSteps> steps;
    };

    // A refused entry: the message (caption "Validazione campi"), the page
    // and the field (0 the percent of the default or period page, 1 + n
    // the percent of quantity step n); empty text when nothing is refused.
    struct Refusal
    {
        QString strText;
        Page page = DefaultPage;
        int nStep = -1;
        bool IsRefused() const { return !strText.isEmpty(); }
    };

    // The wording of the view: discounts, or commissions for an agent.
    struct Wording
    {
        QString strDefaultTab;
        QString strPeriodTab;
        QString strQuantityTab;
        QString strPercentLabel;
        QString strPriceLabel;
        QString strPercentHeader;
        QString strPriceHeader;
    };

    CScontiProdottoViewCore(CDaoDatabase& database, const QString& defaultLanguage);
    ~CScontiProdottoViewCore();

    // The empty text, or the message for a percent text the shop can't read.
    static QString CheckPercent(const QString& text);
    static Wording WordingFor(bool agent);

    // Groups or customers: the list is refilled and nothing is selected.
    void SetKind(Kind kind);
    Kind GetKind() const { return m_kind; }
    CDaoDatabase* Database() const { return &m_db; }
    const QVector<Entry>& Entries() const { return m_entries; }
    // The list entry chosen (-1: none); the current item is cleared.
    void SelectEntry(qint32 id);
    qint32 SelectedEntry() const { return m_nEntry; }
    bool IsAgent() const { return m_bAgent; }
    const Wording& CurrentWording() const { return m_wording; }

    bool IsTicked(ItemKind kind, qint32 id) const;
    // Adds the item's row or deletes it; the new state (true: ticked).
    bool ToggleTick(ItemKind kind, qint32 id);
    // Makes the item's row exist or not as the tick says.
    void SetTick(ItemKind kind, qint32 id, bool ticked);

    // The products of category (0: all), with the column chosen in
    // "Visualizza" (0 Nome, 1 Descrizione fattura, 2 Descrizione breve,
    // 3 Descrizione estesa) in the default language, cut to 100 characters.
    QVector<ProductLine> Products(qint32 category, int description) const;
    // The same in two steps, for a grid that shows a page at a time: the
    // products of category in table order (none without an entry), then
    // one product's line.
    QVector<qint32> ProductIds(qint32 category) const;
    ProductLine ProductAt(qint32 id, int description) const;
    static QStringList DescriptionChoices();

    // The item the pages show (NoItem, 0: none).
    void SetCurrentItem(ItemKind kind, qint32 id);
    ItemKind CurrentKind() const { return m_itemKind; }
    bool HasRow() const;
    // The current row's terms in the fields' form; blank without a row.
    Terms Load() const;
    // The first field the shop could not read.
    static Refusal Check(const Terms& typed);
    // True when the current item has a row and a field differs from it.
    bool IsRecordModified(const Terms& typed) const;
    // Writes the fields into the current row, empty ones as NULL; refused
    // (nothing written) when a percent text is not a discount.
    Refusal SaveRecord(const Terms& typed);

private:
    bool FindRow(ItemKind kind, qint32 id) const;
    void AddRow(ItemKind kind, qint32 id);
    void FillEntries();

    CDaoDatabase& m_db;
    QString m_strDefault;
    std::unique_ptr<CScontiProdottoSet> m_rows;
    Kind m_kind = Utenti;
    QVector<Entry> m_entries;
    qint32 m_nEntry = -1;
    bool m_bAgent = false;
    Wording m_wording;
    ItemKind m_itemKind = NoItem;
    qint32 m_nItem = 0;
};
