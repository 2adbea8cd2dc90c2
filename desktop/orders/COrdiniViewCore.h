#pragma once

#include "desktop/orders/COrdineStati.h"
#include "desktop/orders/COrdineTotali.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class CClientiSet;
class CDaoDatabase;
class COrdiniDettaglioSet;
class COrdiniGeneraleSet;
class CProdottiColoriSet;
class CStatoOrdiniLingueSet;

// What the merchant can change of an order, as the pages hold it.
struct OrdineForm
{
    QStringList cliente;        // the eleven billing fields, in COrdiniViewCore::ClienteColumns order
    QStringList destinatario;   // the eight consignee fields
    QString strColli;           // "N. colli" as typed
    bool bPagato = false;
    QList<COrdineStati::Entry> stati;
};

// What the desk shows of an order and never edits.
struct OrdineTestata
{
    QString strNumero;       // "Ordine n."
    QString strData;         // "Data:"
    QString strCliente;      // "Cliente:" (two lines)
    QString strPagamento;
    QString strFattura;      // "Fattura n. ..." or "Ordine da fatturare."
    QString strNote;
    QString strCodiceLingua;
    QString strCellulare;    // the customer's mobile number
    bool bContrassegno = false;   // the cash-on-delivery field is enabled
    bool bEsenzioneIVA = false;   // the tax field is disabled
    bool bFatturata = false;      // invoiced: addresses, parcels and shipped quantities locked
};

// One line of the order as the grid shows it.
struct OrdineRiga
{
    qint32 nID = 0;
    QString strCodice, strDescrizione, strColore, strTaglia;
    double prezzo = 0;
    float quantita = 0;
    float evasa = 0;
    float iva = 0;
    qint32 nIDColore = 0;
    qint32 nIDProdotto = 0;
    qint64 importo = 0;   // minor units

    bool IsShipped() const { return evasa >= quantita; }
};

// The rules of the orders desk: the orders of the project one at a time,
// their customer, consignee, lines, shipped quantities, totals and state
// history; navigation saves a changed order unasked. Questions go through
// CMessageBox.
class COrdiniViewCore
{
public:
    enum Step { First, Prev, Next, Last };

    static const QStringList& ClienteColumns();
    static const QStringList& DestinatarioColumns();

    COrdiniViewCore(CDaoDatabase& db, const QString& projectFolder, const QString& defaultLanguage);
    ~COrdiniViewCore();

    bool IsEmpty() const;
    bool IsFirst() const { return m_bFirst; }
    bool IsLast() const { return m_bLast; }
    qint32 CurrentID() const { return m_nCurrentID; }

    // The order as last shown or saved.
    const OrdineForm& Form() const { return m_form; }
    const OrdineTestata& Testata() const { return m_testata; }
    const QList<OrdineRiga>& Righe() const { return m_righe; }
    const COrdineTotali::Totali& Totali() const { return m_totali; }
    const COrdineTotali& Importi() const { return m_importi; }
    // A figure as the desk shows it: the merchant's region's decimal
    // separator ("12,50" in Italy), as every number of the desk.
    QString MoneyText(qint64 minor) const;
    bool IsFullyShipped() const;
    // The picture of a line: the colour's detail or colour image, else the
    // product's; empty when none exists.
    QString ImagePath(int line) const;

    bool IsRecordModified(const OrdineForm& typed);
    // Writes the typed form into the order row (the notes stay).
    bool SaveRecord(const OrdineForm& typed);
    // Saves the typed form when it changed, then moves and shows.
    void Move(Step step, const OrdineForm& typed);
    // Shows the order of ID id (after a save or a change of invoice).
    bool ShowOrder(qint32 id);

    // The merchant left a line's "Evasa" cell with value: asked when it
    // exceeds the ordered quantity (and changed), written at once. False
    // refuses and writes nothing. When the order thus became fully shipped
    // and a shipped state is configured, the merchant is asked whether to
    // add it; the entry to append comes back in shippedState.
    bool SetShipped(int line, float value, std::optional<COrdineStati::Entry>* shippedState,
                    const QDateTime& now = QDateTime::currentDateTime());

    // Invoices. Numbers run per calendar year from 1; only the order that
    // holds the highest number of the table can have its invoice cancelled.
    bool CanIssueInvoice() const { return !IsEmpty() && !m_testata.bFatturata; }
    bool CanCancelInvoice() const { return m_bFatturaCancellabile; }
    // Saves the typed form, asks about lines not fully shipped, requires the
    // parcels; false when it stopped. The number is taken and written in
    // one transaction that holds the database's write lock, so two desks
    // never hand out the same number.
    bool IssueInvoice(const OrdineForm& typed, const QDateTime& now = QDateTime::currentDateTime());
    // Asks "Confermi ?"; true when the invoice was cancelled.
    bool CancelInvoice();

    // The predefined states offered by the combo: ID and default-language text.
    QList<std::pair<qint32, QString>> StatiPredefiniti();
    // A predefined state's text in the order's language, else the default one.
    QString StateText(qint32 stateId);
    qint32 IDStatoEvaso() const { return m_nIDStatoEvaso; }
    void ReloadConfiguration();
    // A state the merchant added by hand: the customer with a mobile number
    // is offered an SMS notice of it, sent at once.
    void OfferStateSms(const COrdineStati::Entry& entry);

private:
    void ShowRecord();
    void ShowCustomer();
    void ShowLines();
    void UpdateTotals();
    QString Payment() const;
    QString InvoiceText() const;
    QString ColourCode(qint32 id);
    void Settle(Step step);
    bool HoldsHighestInvoice();
    qint32 NextInvoiceNumber(int year);

    CDaoDatabase& m_db;
    QString m_strProjectFolder;
    QString m_strDefaultLanguage;
    std::unique_ptr<COrdiniGeneraleSet> m_pOrdini;
    std::unique_ptr<COrdiniDettaglioSet> m_pDettaglio;
    std::unique_ptr<CClientiSet> m_pClienti;
    std::unique_ptr<CProdottiColoriSet> m_pColori;
    std::unique_ptr<CStatoOrdiniLingueSet> m_pStatiLingue;
    COrdineTotali m_importi{2};
    qint32 m_nIDStatoEvaso = 0;
    double m_cambioListino = 1;   // the list currency's rate to the euro

    qint32 m_nCurrentID = 0;
    bool m_bFirst = true;
    bool m_bLast = true;
    bool m_bFatturaCancellabile = false;
    OrdineForm m_form;
    OrdineTestata m_testata;
    QList<OrdineRiga> m_righe;
    COrdineTotali::Totali m_totali;
};
