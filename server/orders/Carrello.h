#pragma once

#include "server/core/CQtrServerObject.h"
#include "server/orders/CarrelloTesto.h"
#include "server/orders/CarrelloTotali.h"

#include <QDateTime>

class Catalogo;
struct CarrelloOperazione;

// The shopper's basket. It lives in the visitor's Session (keys Basket,
// DimBasket, IDSpese and the custom shipping pair); a page applies the
// visitor's request with EseguiOperazione, lists the items with
// LeggiOggetto and prints the totals. Every price comes from the
// catalogue or from the page's own code, never from the request; an item
// whose product the visitor can no longer buy leaves the basket with a
// note in Messaggio.
class Carrello : public CQtrServerObject
{
    Q_OBJECT
    // The current item.
    Q_PROPERTY(qint32 IDProdotto MEMBER IDProdotto)
    Q_PROPERTY(float Quantita MEMBER Quantita)
    Q_PROPERTY(qint32 IDColore MEMBER IDColore)
    Q_PROPERTY(QString Taglia MEMBER Taglia)
    Q_PROPERTY(double Prezzo MEMBER Prezzo)
    Q_PROPERTY(qint16 NumeroCampiUtente MEMBER NumeroCampiUtente)
    Q_PROPERTY(QString NomeCampoUtente MEMBER NomeCampoUtente)
    Q_PROPERTY(qint16 NumeroOggettiNelCarrello MEMBER NumeroOggettiNelCarrello)
    Q_PROPERTY(QString Messaggio MEMBER Messaggio)
    Q_PROPERTY(QString SimboloValuta MEMBER SimboloValuta)
    Q_PROPERTY(qint32 IDCategoria MEMBER IDCategoria)
    Q_PROPERTY(QString CodiceProdotto MEMBER CodiceProdotto)
    Q_PROPERTY(QString CodiceABarreProdotto MEMBER CodiceABarreProdotto)
    Q_PROPERTY(QString NomeProdotto MEMBER NomeProdotto)
    Q_PROPERTY(QString DescrizioneFatturaProdotto MEMBER DescrizioneFatturaProdotto)
    Q_PROPERTY(QString DescrizioneBreveProdotto MEMBER DescrizioneBreveProdotto)
    Q_PROPERTY(QString DescrizioneEstesaProdotto MEMBER DescrizioneEstesaProdotto)
    Q_PROPERTY(QString UMProdotto MEMBER UMProdotto)
    Q_PROPERTY(float IVAProdotto MEMBER IVAProdotto)
    Q_PROPERTY(float PesoProdotto MEMBER PesoProdotto)
    Q_PROPERTY(qint32 DisponibilitaProdotto MEMBER DisponibilitaProdotto)
    Q_PROPERTY(float ConfezioneProdotto MEMBER ConfezioneProdotto)
    Q_PROPERTY(bool Attivo MEMBER Attivo)
    Q_PROPERTY(bool Novita MEMBER Novita)
    Q_PROPERTY(bool Offerta MEMBER Offerta)
    Q_PROPERTY(QDateTime ValiditaScontoDal MEMBER ValiditaScontoDal)
    Q_PROPERTY(QDateTime ValiditaScontoAl MEMBER ValiditaScontoAl)
    Q_PROPERTY(float ScontoProdotto MEMBER ScontoProdotto)
    Q_PROPERTY(QString CodiceColoreProdotto MEMBER CodiceColoreProdotto)
    Q_PROPERTY(QString DescrizioneColoreProdotto MEMBER DescrizioneColoreProdotto)
    Q_PROPERTY(double PrezzoProdottoVL MEMBER PrezzoProdottoVL)
    Q_PROPERTY(double PrezzoProdotto MEMBER PrezzoProdotto)
    Q_PROPERTY(double PrezzoProdottoInEuro MEMBER PrezzoProdottoInEuro)
    Q_PROPERTY(double ImpostaProdottoVL MEMBER ImpostaProdottoVL)
    Q_PROPERTY(double ImpostaProdotto MEMBER ImpostaProdotto)
    Q_PROPERTY(double ImpostaProdottoInEuro MEMBER ImpostaProdottoInEuro)
    Q_PROPERTY(double ImportoProdottoVL MEMBER ImportoProdottoVL)
    Q_PROPERTY(double ImportoProdotto MEMBER ImportoProdotto)
    Q_PROPERTY(double ImportoProdottoInEuro MEMBER ImportoProdottoInEuro)
    Q_PROPERTY(QString FPrezzoProdottoVL MEMBER FPrezzoProdottoVL)
    Q_PROPERTY(QString FPrezzoProdotto MEMBER FPrezzoProdotto)
    Q_PROPERTY(QString FPrezzoProdottoInEuro MEMBER FPrezzoProdottoInEuro)
    Q_PROPERTY(QString FImpostaProdottoVL MEMBER FImpostaProdottoVL)
    Q_PROPERTY(QString FImpostaProdotto MEMBER FImpostaProdotto)
    Q_PROPERTY(QString FImpostaProdottoInEuro MEMBER FImpostaProdottoInEuro)
    Q_PROPERTY(QString FImportoProdottoVL MEMBER FImportoProdottoVL)
    Q_PROPERTY(QString FImportoProdotto MEMBER FImportoProdotto)
    Q_PROPERTY(QString FImportoProdottoInEuro MEMBER FImportoProdottoInEuro)
    Q_PROPERTY(QString PercorsoFotoProdotto MEMBER PercorsoFotoProdotto)
    Q_PROPERTY(QString PercorsoThumbnailProdotto MEMBER PercorsoThumbnailProdotto)
    Q_PROPERTY(QString PercorsoFotoColore MEMBER PercorsoFotoColore)
    Q_PROPERTY(QString PercorsoThumbnailColore MEMBER PercorsoThumbnailColore)
    Q_PROPERTY(QString PercorsoDettaglioColore MEMBER PercorsoDettaglioColore)
    // The totals.
    Q_PROPERTY(float TotalePesoProdotti READ TotalePesoProdotti)
    Q_PROPERTY(double TotaleProdotti READ TotaleProdotti)
    Q_PROPERTY(double TotaleProdottiVL READ TotaleProdottiVL)
    Q_PROPERTY(double TotaleProdottiInEuro READ TotaleProdottiInEuro)
    Q_PROPERTY(double TotaleIVA READ TotaleIVA)
    Q_PROPERTY(double TotaleIVAVL READ TotaleIVAVL)
    Q_PROPERTY(double TotaleIVAInEuro READ TotaleIVAInEuro)
    Q_PROPERTY(double LimiteSpeseSpedizione1 READ LimiteSpeseSpedizione1)
    Q_PROPERTY(double LimiteSpeseSpedizione2 READ LimiteSpeseSpedizione2)
    Q_PROPERTY(double LimiteSpeseSpedizione3 READ LimiteSpeseSpedizione3)
    Q_PROPERTY(double LimiteSpeseSpedizione4 READ LimiteSpeseSpedizione4)
    Q_PROPERTY(double LimiteSpeseSpedizione5 READ LimiteSpeseSpedizione5)
    Q_PROPERTY(double ImportoSpeseSpedizione1 READ ImportoSpeseSpedizione1)
    Q_PROPERTY(double ImportoSpeseSpedizione2 READ ImportoSpeseSpedizione2)
    Q_PROPERTY(double ImportoSpeseSpedizione3 READ ImportoSpeseSpedizione3)
    Q_PROPERTY(double ImportoSpeseSpedizione4 READ ImportoSpeseSpedizione4)
    Q_PROPERTY(double ImportoSpeseSpedizione5 READ ImportoSpeseSpedizione5)
    Q_PROPERTY(double LimiteSpeseSpedizioneApplicato READ LimiteSpeseSpedizioneApplicato)
    Q_PROPERTY(double ImportoSpeseSpedizioneApplicato READ ImportoSpeseSpedizioneApplicato)
    Q_PROPERTY(double ImportoSpeseSpedizioneVL READ ImportoSpeseSpedizioneVL)
    Q_PROPERTY(double ImportoSpeseSpedizione READ ImportoSpeseSpedizione)
    Q_PROPERTY(double ImportoSpeseSpedizioneInEuro READ ImportoSpeseSpedizioneInEuro)
    Q_PROPERTY(double TotaleOrdineVL READ TotaleOrdineVL)
    Q_PROPERTY(double TotaleOrdine READ TotaleOrdine)
    Q_PROPERTY(double TotaleOrdineInEuro READ TotaleOrdineInEuro)
    Q_PROPERTY(double SpeseContrassegnoVL READ SpeseContrassegnoVL)
    Q_PROPERTY(double SpeseContrassegno READ SpeseContrassegno)
    Q_PROPERTY(double SpeseContrassegnoInEuro READ SpeseContrassegnoInEuro)
    Q_PROPERTY(bool EsenzioneIVA READ EsenzioneIVA)
    Q_PROPERTY(QString FTotaleProdottiVL READ FTotaleProdottiVL)
    Q_PROPERTY(QString FTotaleProdotti READ FTotaleProdotti)
    Q_PROPERTY(QString FTotaleProdottiInEuro READ FTotaleProdottiInEuro)
    Q_PROPERTY(QString FTotaleIVAVL READ FTotaleIVAVL)
    Q_PROPERTY(QString FTotaleIVA READ FTotaleIVA)
    Q_PROPERTY(QString FTotaleIVAInEuro READ FTotaleIVAInEuro)
    Q_PROPERTY(QString FImportoSpeseSpedizioneVL READ FImportoSpeseSpedizioneVL)
    Q_PROPERTY(QString FImportoSpeseSpedizione READ FImportoSpeseSpedizione)
    Q_PROPERTY(QString FImportoSpeseSpedizioneInEuro READ FImportoSpeseSpedizioneInEuro)
    Q_PROPERTY(QString FTotaleOrdineVL READ FTotaleOrdineVL)
    Q_PROPERTY(QString FTotaleOrdine READ FTotaleOrdine)
    Q_PROPERTY(QString FTotaleOrdineInEuro READ FTotaleOrdineInEuro)
    Q_PROPERTY(QString FSpeseContrassegnoVL READ FSpeseContrassegnoVL)
    Q_PROPERTY(QString FSpeseContrassegno READ FSpeseContrassegno)
    Q_PROPERTY(QString FSpeseContrassegnoInEuro READ FSpeseContrassegnoInEuro)
    Q_PROPERTY(bool AttivaSpeseSpedizionePersonalizzate MEMBER AttivaSpeseSpedizionePersonalizzate)
    Q_PROPERTY(double ImportoSpeseSpedizionePersonalizzate MEMBER ImportoSpeseSpedizionePersonalizzate)

public:
    explicit Carrello(QObject* parent = nullptr);
    ~Carrello() override;

    qint32 IDProdotto = 0;
    float Quantita = 0;
    qint32 IDColore = 0;
    QString Taglia;
    double Prezzo = 0;
    qint16 NumeroCampiUtente = 0;
    QString NomeCampoUtente;
    qint16 NumeroOggettiNelCarrello = 0;
    QString Messaggio;
    QString SimboloValuta;
    qint32 IDCategoria = 0;
    QString CodiceProdotto, CodiceABarreProdotto, NomeProdotto, DescrizioneFatturaProdotto;
    QString DescrizioneBreveProdotto, DescrizioneEstesaProdotto, UMProdotto;
    float IVAProdotto = 0;
    float PesoProdotto = 0;
    qint32 DisponibilitaProdotto = 0;
    float ConfezioneProdotto = 0;
    bool Attivo = false, Novita = false, Offerta = false;
    QDateTime ValiditaScontoDal, ValiditaScontoAl;
    float ScontoProdotto = 0;
    QString CodiceColoreProdotto, DescrizioneColoreProdotto;
    double PrezzoProdottoVL = 0, PrezzoProdotto = 0, PrezzoProdottoInEuro = 0;
    double ImpostaProdottoVL = 0, ImpostaProdotto = 0, ImpostaProdottoInEuro = 0;
    double ImportoProdottoVL = 0, ImportoProdotto = 0, ImportoProdottoInEuro = 0;
    QString FPrezzoProdottoVL, FPrezzoProdotto, FPrezzoProdottoInEuro;
    QString FImpostaProdottoVL, FImpostaProdotto, FImpostaProdottoInEuro;
    QString FImportoProdottoVL, FImportoProdotto, FImportoProdottoInEuro;
    QString PercorsoFotoProdotto, PercorsoThumbnailProdotto;
    QString PercorsoFotoColore, PercorsoThumbnailColore, PercorsoDettaglioColore;
    bool AttivaSpeseSpedizionePersonalizzate = false;
    double ImportoSpeseSpedizionePersonalizzate = 0;

    const CarrelloTotali& Totali() const { return m_totali; }
    float TotalePesoProdotti() const { return m_totali.totalePesoProdotti; }
    double TotaleProdotti() const { return m_totali.totaleProdotti; }
    double TotaleProdottiVL() const { return m_totali.totaleProdottiVL; }
    double TotaleProdottiInEuro() const { return m_totali.totaleProdottiInEuro; }
    double TotaleIVA() const { return m_totali.totaleIVA; }
    double TotaleIVAVL() const { return m_totali.totaleIVAVL; }
    double TotaleIVAInEuro() const { return m_totali.totaleIVAInEuro; }
    double LimiteSpeseSpedizione1() const { return m_totali.limiteSpeseSpedizione[0]; }
    double LimiteSpeseSpedizione2() const { return m_totali.limiteSpeseSpedizione[1]; }
    double LimiteSpeseSpedizione3() const { return m_totali.limiteSpeseSpedizione[2]; }
    double LimiteSpeseSpedizione4() const { return m_totali.limiteSpeseSpedizione[3]; }
    double LimiteSpeseSpedizione5() const { return m_totali.limiteSpeseSpedizione[4]; }
    double ImportoSpeseSpedizione1() const { return m_totali.importoSpeseSpedizione[0]; }
    double ImportoSpeseSpedizione2() const { return m_totali.importoSpeseSpedizione[1]; }
    double ImportoSpeseSpedizione3() const { return m_totali.importoSpeseSpedizione[2]; }
    double ImportoSpeseSpedizione4() const { return m_totali.importoSpeseSpedizione[3]; }
    double ImportoSpeseSpedizione5() const { return m_totali.importoSpeseSpedizione[4]; }
    double LimiteSpeseSpedizioneApplicato() const { return m_totali.limiteSpeseSpedizioneApplicato; }
    double ImportoSpeseSpedizioneApplicato() const { return m_totali.importoSpeseSpedizioneApplicato; }
    double ImportoSpeseSpedizioneVL() const { return m_totali.importoSpeseSpedizioneVL; }
    double ImportoSpeseSpedizione() const { return m_totali.importoSpeseSpedizioneWeb; }
    double ImportoSpeseSpedizioneInEuro() const { return m_totali.importoSpeseSpedizioneInEuro; }
    double TotaleOrdineVL() const { return m_totali.totaleOrdineVL; }
    double TotaleOrdine() const { return m_totali.totaleOrdine; }
    double TotaleOrdineInEuro() const { return m_totali.totaleOrdineInEuro; }
    double SpeseContrassegnoVL() const { return m_totali.speseContrassegnoVL; }
    double SpeseContrassegno() const { return m_totali.speseContrassegno; }
    double SpeseContrassegnoInEuro() const { return m_totali.speseContrassegnoInEuro; }
    bool EsenzioneIVA() const { return m_totali.esenzioneIVA; }
    QString FTotaleProdottiVL() const { return m_totali.fTotaleProdottiVL; }
    QString FTotaleProdotti() const { return m_totali.fTotaleProdotti; }
    QString FTotaleProdottiInEuro() const { return m_totali.fTotaleProdottiInEuro; }
    QString FTotaleIVAVL() const { return m_totali.fTotaleIVAVL; }
    QString FTotaleIVA() const { return m_totali.fTotaleIVA; }
    QString FTotaleIVAInEuro() const { return m_totali.fTotaleIVAInEuro; }
    QString FImportoSpeseSpedizioneVL() const { return m_totali.fImportoSpeseSpedizioneVL; }
    QString FImportoSpeseSpedizione() const { return m_totali.fImportoSpeseSpedizione; }
    QString FImportoSpeseSpedizioneInEuro() const { return m_totali.fImportoSpeseSpedizioneInEuro; }
    QString FTotaleOrdineVL() const { return m_totali.fTotaleOrdineVL; }
    QString FTotaleOrdine() const { return m_totali.fTotaleOrdine; }
    QString FTotaleOrdineInEuro() const { return m_totali.fTotaleOrdineInEuro; }
    QString FSpeseContrassegnoVL() const { return m_totali.fSpeseContrassegnoVL; }
    QString FSpeseContrassegno() const { return m_totali.fSpeseContrassegno; }
    QString FSpeseContrassegnoInEuro() const { return m_totali.fSpeseContrassegnoInEuro; }

    // Without ParOp the request says what to do; the page's arguments are
    // taken as its own code gave them (ParPrezzo is the only way to give an
    // item a price).
    Q_INVOKABLE void EseguiOperazione(const QVariant& ParOp = QVariant(), const QVariant& ParIdx = QVariant(),
                                      const QVariant& ParIDProdotto = QVariant(), const QVariant& ParQta = QVariant(),
                                      const QVariant& ParIDCol = QVariant(), const QVariant& ParTaglia = QVariant(),
                                      const QVariant& ParPrezzo = QVariant(), const QVariant& ParIDSpese = QVariant(),
                                      const QVariant& ParUserFields = QVariant());
    Q_INVOKABLE void Svuota();
    Q_INVOKABLE void DisattivaCalcoloTotali();
    Q_INVOKABLE void LeggiOggetto(const QVariant& Idx);
    Q_INVOKABLE void ContaCampiUtente();
    Q_INVOKABLE QString LeggiCampoUtente(const QVariant& Parametro);
    Q_INVOKABLE bool ControlloFotoProdotti();
    Q_INVOKABLE bool ControlloFotoColore();
    Q_INVOKABLE bool ControlloDettaglioColore();
    Q_INVOKABLE QString OpzioniSpeseSpedizione(const QVariant& Prompt = QVariant());
    Q_INVOKABLE void ImpostaSpeseSpedizione(const QVariant& Importo = QVariant());
    Q_INVOKABLE bool SpeseSpedizioneOk();
    Q_INVOKABLE void SetConn(QObject* Connect);

    // The largest quantity one item may carry.
    static constexpr float kQuantitaMassima = 99999;
    // The basket lives in the visitor's Session: what one visitor may put
    // there is bounded, lines and the texts he types alike.
    static constexpr int kRigheMassime = 100;
    static constexpr int kCampiUtenteMassimi = 20;
    static constexpr int kLunghezzaCampoUtente = 500;

protected:
    void Start() override;

private:
    QList<CarrelloOggetto> Oggetti() const;
    void Salva(const QList<CarrelloOggetto>& oggetti);
    void Applica(const CarrelloOperazione& operazione);
    bool Aggiungi(CarrelloOggetto oggetto);

    // A catalogue object of this page for one item.
    void ApriCatalogo(Catalogo& catalogo);
    // Reads the item's product into the catalogue object; false when the
    // visitor cannot buy it as the item describes it.
    bool LeggiDalCatalogo(Catalogo& catalogo, const CarrelloOggetto& oggetto);
    // Prices item i (0-based); drops it and returns false when it cannot
    // be bought any longer.
    bool Prezza(QList<CarrelloOggetto>& oggetti, qsizetype i);
    void CopiaProdotto(const Catalogo& catalogo);
    void CalcolaTotali();
    std::optional<CarrelloSpedizione> LeggiSpedizione(qint32 id);
    CarrelloImpostazioni Impostazioni() const;
    CatalogoCambi Cambi() const;
    double SessionReale(const char* chiave) const;
    template <class Controllo>
    bool ControlloImmagine(Controllo controllo);

    CarrelloTotali m_totali;
    QList<QPair<QString, QString>> m_campiUtente;   // of the current item
    bool m_calcoloTotali = true;
};
