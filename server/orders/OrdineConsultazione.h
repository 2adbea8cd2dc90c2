#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/orders/OrdineImporti.h"
#include "server/orders/OrdineStatistiche.h"

#include <QDateTime>
#include <QList>

#include <memory>

// What a logged-in customer reads of his orders through QTR50.Ordine: the
// list of his orders a page at a time, one order with its latest state
// and totals, its state history, its lines, the products he may order
// again, and the consignee he picks at checkout. Every reading is bound to
// the visitor the login recorded (QtrVisitatore): another customer's order,
// lines or consignee read as none.
class OrdineConsultazione : public OrdineStatistiche
{
    Q_OBJECT
    // The order list.
    Q_PROPERTY(qint32 NumeroOrdini MEMBER NumeroOrdini)
    Q_PROPERTY(qint32 LunghezzaListaOrdini MEMBER LunghezzaListaOrdini)
    Q_PROPERTY(qint32 PaginaCorrenteOrdini MEMBER PaginaCorrenteOrdini)
    Q_PROPERTY(qint32 TotalePagineOrdini MEMBER TotalePagineOrdini)
    // One order.
    Q_PROPERTY(QString NumeroOrdine MEMBER NumeroOrdine)
    Q_PROPERTY(QDateTime DataOrdine MEMBER DataOrdine)
    Q_PROPERTY(QDateTime OraOrdine MEMBER OraOrdine)
    Q_PROPERTY(QString CodiceLinguaOrdine MEMBER CodiceLinguaOrdine)
    Q_PROPERTY(QDateTime DataFatturaOrdine MEMBER DataFatturaOrdine)
    Q_PROPERTY(QString AutorizzazioneCartaCredito MEMBER AutorizzazioneCartaCredito)
    Q_PROPERTY(qint32 IDOrdine MEMBER IDOrdine)
    Q_PROPERTY(qint32 IDClienteOrdine MEMBER IDClienteOrdine)
    Q_PROPERTY(qint32 NumeroFatturaOrdine MEMBER NumeroFatturaOrdine)
    Q_PROPERTY(bool StatoPagamento MEMBER StatoPagamento)
    Q_PROPERTY(bool EsenzioneIVA MEMBER EsenzioneIVA)
    Q_PROPERTY(QString SimboloValutaOrdine MEMBER SimboloValutaOrdine)
    Q_PROPERTY(QDateTime DataStatoOrdine MEMBER DataStatoOrdine)
    Q_PROPERTY(QDateTime OraStatoOrdine MEMBER OraStatoOrdine)
    Q_PROPERTY(QString DescrizioneStatoOrdine MEMBER DescrizioneStatoOrdine)
    // The order's totals.
    Q_PROPERTY(double TotaleImponibileOrdine MEMBER TotaleImponibileOrdine)
    Q_PROPERTY(double TotaleImponibileOrdinato MEMBER TotaleImponibileOrdinato)
    Q_PROPERTY(double TotaleImpostaOrdine MEMBER TotaleImpostaOrdine)
    Q_PROPERTY(double TotaleImpostaOrdinato MEMBER TotaleImpostaOrdinato)
    Q_PROPERTY(double SpeseSpedizioneOrdine MEMBER SpeseSpedizioneOrdine)
    Q_PROPERTY(double SpeseContrassegnoOrdine MEMBER SpeseContrassegnoOrdine)
    Q_PROPERTY(double TotaleOrdine MEMBER TotaleOrdine)
    Q_PROPERTY(double TotaleOrdinato MEMBER TotaleOrdinato)
    Q_PROPERTY(double TotaleImponibileOrdineInEuro MEMBER TotaleImponibileOrdineInEuro)
    Q_PROPERTY(double TotaleImponibileOrdinatoInEuro MEMBER TotaleImponibileOrdinatoInEuro)
    Q_PROPERTY(double TotaleImpostaOrdineInEuro MEMBER TotaleImpostaOrdineInEuro)
    Q_PROPERTY(double TotaleImpostaOrdinatoInEuro MEMBER TotaleImpostaOrdinatoInEuro)
    Q_PROPERTY(double SpeseSpedizioneOrdineInEuro MEMBER SpeseSpedizioneOrdineInEuro)
    Q_PROPERTY(double SpeseContrassegnoOrdineInEuro MEMBER SpeseContrassegnoOrdineInEuro)
    Q_PROPERTY(double TotaleOrdineInEuro MEMBER TotaleOrdineInEuro)
    Q_PROPERTY(double TotaleOrdinatoInEuro MEMBER TotaleOrdinatoInEuro)
    Q_PROPERTY(QString FTotaleImponibileOrdine MEMBER FTotaleImponibileOrdine)
    Q_PROPERTY(QString FTotaleImponibileOrdinato MEMBER FTotaleImponibileOrdinato)
    Q_PROPERTY(QString FTotaleImpostaOrdine MEMBER FTotaleImpostaOrdine)
    Q_PROPERTY(QString FTotaleImpostaOrdinato MEMBER FTotaleImpostaOrdinato)
    Q_PROPERTY(QString FSpeseSpedizioneOrdine MEMBER FSpeseSpedizioneOrdine)
    Q_PROPERTY(QString FSpeseContrassegnoOrdine MEMBER FSpeseContrassegnoOrdine)
    Q_PROPERTY(QString FTotaleOrdine MEMBER FTotaleOrdine)
    Q_PROPERTY(QString FTotaleOrdinato MEMBER FTotaleOrdinato)
    Q_PROPERTY(QString FTotaleImponibileOrdineInEuro MEMBER FTotaleImponibileOrdineInEuro)
    Q_PROPERTY(QString FTotaleImponibileOrdinatoInEuro MEMBER FTotaleImponibileOrdinatoInEuro)
    Q_PROPERTY(QString FTotaleImpostaOrdineInEuro MEMBER FTotaleImpostaOrdineInEuro)
    Q_PROPERTY(QString FTotaleImpostaOrdinatoInEuro MEMBER FTotaleImpostaOrdinatoInEuro)
    Q_PROPERTY(QString FSpeseSpedizioneOrdineInEuro MEMBER FSpeseSpedizioneOrdineInEuro)
    Q_PROPERTY(QString FSpeseContrassegnoOrdineInEuro MEMBER FSpeseContrassegnoOrdineInEuro)
    Q_PROPERTY(QString FTotaleOrdineInEuro MEMBER FTotaleOrdineInEuro)
    Q_PROPERTY(QString FTotaleOrdinatoInEuro MEMBER FTotaleOrdinatoInEuro)
    Q_PROPERTY(QString FTotaleImponibileOrdineDaEvadere MEMBER FTotaleImponibileOrdineDaEvadere)
    Q_PROPERTY(QString FTotaleImponibileOrdineDaEvadereInEuro MEMBER FTotaleImponibileOrdineDaEvadereInEuro)
    // The current line.
    Q_PROPERTY(qint32 IDProdottoDettaglioOrdine MEMBER IDProdottoDettaglioOrdine)
    Q_PROPERTY(QString CodiceProdottoDettaglioOrdine MEMBER CodiceProdottoDettaglioOrdine)
    Q_PROPERTY(QString NomeProdottoDettaglioOrdine MEMBER NomeProdottoDettaglioOrdine)
    Q_PROPERTY(QString DescrizioneProdottoDettaglioOrdine MEMBER DescrizioneProdottoDettaglioOrdine)
    Q_PROPERTY(QString UMProdottoDettaglioOrdine MEMBER UMProdottoDettaglioOrdine)
    Q_PROPERTY(QString TagliaProdottoDettaglioOrdine MEMBER TagliaProdottoDettaglioOrdine)
    Q_PROPERTY(qint32 IDColoreProdottoDettaglioOrdine MEMBER IDColoreProdottoDettaglioOrdine)
    Q_PROPERTY(float IVAProdottoDettaglioOrdine MEMBER IVAProdottoDettaglioOrdine)
    Q_PROPERTY(float QuantitaDettaglioOrdine MEMBER QuantitaDettaglioOrdine)
    Q_PROPERTY(float QuantitaEvasaDettaglioOrdine MEMBER QuantitaEvasaDettaglioOrdine)
    Q_PROPERTY(float PesoProdottoDettaglioOrdine MEMBER PesoProdottoDettaglioOrdine)
    Q_PROPERTY(double PrezzoProdottoDettaglioOrdine MEMBER PrezzoProdottoDettaglioOrdine)
    Q_PROPERTY(double ImportoProdottoDettaglioOrdine MEMBER ImportoProdottoDettaglioOrdine)
    Q_PROPERTY(double ImportoProdottoDettaglioOrdinato MEMBER ImportoProdottoDettaglioOrdinato)
    Q_PROPERTY(double PrezzoProdottoDettaglioOrdineInEuro MEMBER PrezzoProdottoDettaglioOrdineInEuro)
    Q_PROPERTY(double ImportoProdottoDettaglioOrdineInEuro MEMBER ImportoProdottoDettaglioOrdineInEuro)
    Q_PROPERTY(double ImportoProdottoDettaglioOrdinatoInEuro MEMBER ImportoProdottoDettaglioOrdinatoInEuro)
    Q_PROPERTY(QString FPrezzoProdottoDettaglioOrdine MEMBER FPrezzoProdottoDettaglioOrdine)
    Q_PROPERTY(QString FPrezzoProdottoDettaglioOrdineInEuro MEMBER FPrezzoProdottoDettaglioOrdineInEuro)
    Q_PROPERTY(QString FImportoProdottoDettaglioOrdine MEMBER FImportoProdottoDettaglioOrdine)
    Q_PROPERTY(QString FImportoProdottoDettaglioOrdineInEuro MEMBER FImportoProdottoDettaglioOrdineInEuro)
    Q_PROPERTY(QString FImportoProdottoDettaglioOrdinato MEMBER FImportoProdottoDettaglioOrdinato)
    Q_PROPERTY(QString FImportoProdottoDettaglioOrdinatoInEuro MEMBER FImportoProdottoDettaglioOrdinatoInEuro)
    Q_PROPERTY(QString FImportoProdottoDettaglioOrdineDaEvadere MEMBER FImportoProdottoDettaglioOrdineDaEvadere)
    Q_PROPERTY(QString FImportoProdottoDettaglioOrdineDaEvadereInEuro MEMBER FImportoProdottoDettaglioOrdineDaEvadereInEuro)
    // The reorder list.
    Q_PROPERTY(qint32 NumeroProdottiRiordino MEMBER NumeroProdottiRiordino)
    Q_PROPERTY(qint32 LunghezzaPaginaRiordino MEMBER LunghezzaPaginaRiordino)
    Q_PROPERTY(qint32 PaginaCorrenteRiordino MEMBER PaginaCorrenteRiordino)
    Q_PROPERTY(qint32 TotalePagineRiordino MEMBER TotalePagineRiordino)

public:
    explicit OrdineConsultazione(QObject* parent = nullptr);
    ~OrdineConsultazione() override;

    qint32 NumeroOrdini = 0, LunghezzaListaOrdini = 0, PaginaCorrenteOrdini = 0, TotalePagineOrdini = 0;

    QString NumeroOrdine, CodiceLinguaOrdine, AutorizzazioneCartaCredito, SimboloValutaOrdine;
    QDateTime DataOrdine, OraOrdine, DataFatturaOrdine, DataStatoOrdine, OraStatoOrdine;
    qint32 IDOrdine = 0, IDClienteOrdine = 0, NumeroFatturaOrdine = 0;
    bool StatoPagamento = false, EsenzioneIVA = false;
    QString DescrizioneStatoOrdine;

    double TotaleImponibileOrdine = 0, TotaleImponibileOrdinato = 0, TotaleImpostaOrdine = 0,
           TotaleImpostaOrdinato = 0, SpeseSpedizioneOrdine = 0, SpeseContrassegnoOrdine = 0, TotaleOrdine = 0,
           TotaleOrdinato = 0;
    double TotaleImponibileOrdineInEuro = 0, TotaleImponibileOrdinatoInEuro = 0, TotaleImpostaOrdineInEuro = 0,
           TotaleImpostaOrdinatoInEuro = 0, SpeseSpedizioneOrdineInEuro = 0, SpeseContrassegnoOrdineInEuro = 0,
           TotaleOrdineInEuro = 0, TotaleOrdinatoInEuro = 0;
    QString FTotaleImponibileOrdine, FTotaleImponibileOrdinato, FTotaleImpostaOrdine, FTotaleImpostaOrdinato,
        FSpeseSpedizioneOrdine, FSpeseContrassegnoOrdine, FTotaleOrdine, FTotaleOrdinato;
    QString FTotaleImponibileOrdineInEuro, FTotaleImponibileOrdinatoInEuro, FTotaleImpostaOrdineInEuro,
        FTotaleImpostaOrdinatoInEuro, FSpeseSpedizioneOrdineInEuro, FSpeseContrassegnoOrdineInEuro,
        FTotaleOrdineInEuro, FTotaleOrdinatoInEuro;
    QString FTotaleImponibileOrdineDaEvadere, FTotaleImponibileOrdineDaEvadereInEuro;

    qint32 IDProdottoDettaglioOrdine = 0, IDColoreProdottoDettaglioOrdine = 0;
    QString CodiceProdottoDettaglioOrdine, NomeProdottoDettaglioOrdine, DescrizioneProdottoDettaglioOrdine,
        UMProdottoDettaglioOrdine, TagliaProdottoDettaglioOrdine;
    float IVAProdottoDettaglioOrdine = 0, QuantitaDettaglioOrdine = 0, QuantitaEvasaDettaglioOrdine = 0,
          PesoProdottoDettaglioOrdine = 0;
    double PrezzoProdottoDettaglioOrdine = 0, ImportoProdottoDettaglioOrdine = 0,
           ImportoProdottoDettaglioOrdinato = 0, PrezzoProdottoDettaglioOrdineInEuro = 0,
           ImportoProdottoDettaglioOrdineInEuro = 0, ImportoProdottoDettaglioOrdinatoInEuro = 0;
    QString FPrezzoProdottoDettaglioOrdine, FPrezzoProdottoDettaglioOrdineInEuro, FImportoProdottoDettaglioOrdine,
        FImportoProdottoDettaglioOrdineInEuro, FImportoProdottoDettaglioOrdinato,
        FImportoProdottoDettaglioOrdinatoInEuro, FImportoProdottoDettaglioOrdineDaEvadere,
        FImportoProdottoDettaglioOrdineDaEvadereInEuro;

    qint32 NumeroProdottiRiordino = 0, LunghezzaPaginaRiordino = 0, PaginaCorrenteRiordino = 0,
           TotalePagineRiordino = 0;

    // The visitor's orders, newest first, at the page the request asks.
    Q_INVOKABLE bool ApriListaOrdini();
    Q_INVOKABLE bool LeggiOrdineSuccessivo();
    Q_INVOKABLE void ChiudiListaOrdini();
    Q_INVOKABLE bool ControlloPrimaPaginaOrdini();
    Q_INVOKABLE bool ControlloUltimaPaginaOrdini();

    // One of the visitor's orders: the argument, or the request's IDOrdine
    // when it is 0 or missing. False, with nothing loaded, for an order
    // that is not the visitor's or does not exist.
    Q_INVOKABLE bool LeggiOrdine(const QVariant& ID = QVariant());
    // Entry Numero (from 1) of the loaded order's state history.
    Q_INVOKABLE bool LeggiStatoOrdine(const QVariant& Numero);

    // The loaded order's lines, in the order they were written.
    Q_INVOKABLE bool LeggiPrimoRigoDettaglio();
    Q_INVOKABLE bool LeggiRigoDettaglioSuccessivo();

    // The products the visitor ordered before, last ordered first.
    Q_INVOKABLE bool ApriPaginaRiordino();
    Q_INVOKABLE bool LeggiProdottoRiordinoSuccessivo();
    Q_INVOKABLE void ChiudiPaginaRiordino();
    Q_INVOKABLE bool ControlloPrimaPaginaRiordino();
    Q_INVOKABLE bool ControlloUltimaPaginaRiordino();

    // The consignee chosen at checkout (request IDDestinatario) into the
    // consignee fields and the Session.
    Q_INVOKABLE void LeggiDatiDestinatario();

protected:
    void ReleaseRecordsets() override;

    // The visitor the login recorded; 0 for nobody.
    qint32 ClienteCollegato() const;

private:
    struct ProdottoRiordino
    {
        qint32 idProdotto = 0;
        QDateTime data;
        float quantita = 0;
    };

    qint32 PaginaRichiesta() const;
    void LeggiDatiOrdine(const CAdoRecordset& ordine);
    void LeggiValutaOrdine();
    void LeggiUltimoStato();
    void CalcolaTotaliOrdine(const CAdoRecordset& ordine);
    void LeggiDatiRigoDettaglio();
    void CaricaRiordino();
    OrdineImporti Importi() const;

    std::unique_ptr<CAdoRecordset> m_ordini;
    std::unique_ptr<CAdoRecordset> m_dettaglio;
    QList<ProdottoRiordino> m_riordino;
    int m_posRiordino = -1;   // -1: the reorder list is closed
    QString m_statiOrdine;
    double m_cambioOrdine = 0;
    double m_arrotondamentoOrdine = 0;
};
