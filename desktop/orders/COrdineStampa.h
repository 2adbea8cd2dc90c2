#pragma once

#include "desktop/orders/COrdineTotali.h"

#include <QList>
#include <QString>
#include <QStringList>

class CDaoDatabase;

// What the printed documents of one order show, read once from the
// project: the company, the recipient, the invoice's heading, its lines
// and its totals. The totals are the desk's own exact figures (the lines
// rounded one by one), so the invoice shows what the desk shows.
class COrdineStampa
{
public:
    struct Riga
    {
        QString strDescrizione;
        float quantita = 0;
        double prezzo = 0;
        float iva = 0;
        qint64 importo = 0;   // minor units
    };

    // Company (first Configurazione row) and list currency.
    QString strRagioneSociale, strIndirizzo, strCap, strLocalita, strProvincia, strStato, strTelefono, strFax;
    QString strPartitaIVA, strRegistroImprese, strEmail, strURLSito, strBanca, strABI, strCAB, strCCBancario;
    QString strSerie, strSimbolo, strLingua;
    double cambio = 0;

    // Recipient and heading.
    QString strNome, strVia, strCapDest, strLocalitaDest, strProvinciaDest, strStatoDest;
    QString strRiferimento, strDataFattura, strCFPI, strNumeroFattura, strPagamento;
    double peso = 0;
    qint32 nColli = 0;
    bool bEsenzioneIVA = false;
    QList<Riga> righe;
    COrdineTotali::Totali totali;
    COrdineTotali importi{2};

    // The invoice of order id; the label's recipient is the consignee when
    // the order has one.
    static COrdineStampa Fattura(CDaoDatabase& db, qint32 id);
    static COrdineStampa Etichetta(CDaoDatabase& db, qint32 id);

    // "1'234'567.50": thousands grouped by "'", sign kept; three integer
    // digits or fewer stay as they are.
    static QString FormatThousands(const QString& number);
    // A figure as the invoice prints it: grouped, decimal comma.
    QString Importo(qint64 minor) const;
    static QString Quantita(float quantity);
    QString TotaleEuro() const;

private:
    void LoadCompany(CDaoDatabase& db);
    // Ragione sociale, nome, cognome, indirizzo, cap, località, provincia, stato.
    void SetRecipient(const QStringList& fields);
};
