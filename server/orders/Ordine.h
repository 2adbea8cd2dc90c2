#pragma once

#include "server/orders/OrdineConsultazione.h"
#include "server/orders/OrdineDati.h"
#include "server/orders/OrdinePagamentoCarta.h"

class Carrello;

// The checkout: the buyer's and the consignee's data, kept in the Session
// between the checkout's pages, pre-filled for a logged-in customer, read
// from the checkout form and checked with the dictionary's messages; the
// terms of sale; the submission of the order with the merchant's and the
// customer's mails; the card payment on the bank's page; the customer
// cookie after an order. What a customer reads of his orders comes from
// OrdineConsultazione.
class Ordine : public OrdineConsultazione
{
    Q_OBJECT
    Q_PROPERTY(QString RagioneSociale MEMBER RagioneSociale)
    Q_PROPERTY(QString Cognome MEMBER Cognome)
    Q_PROPERTY(QString Nome MEMBER Nome)
    Q_PROPERTY(QString Indirizzo MEMBER Indirizzo)
    Q_PROPERTY(QString Cap MEMBER Cap)
    Q_PROPERTY(QString Localita MEMBER Localita)
    Q_PROPERTY(QString Provincia MEMBER Provincia)
    Q_PROPERTY(QString Stato MEMBER Stato)
    Q_PROPERTY(QString CFPI MEMBER CFPI)
    Q_PROPERTY(QString Telefono MEMBER Telefono)
    Q_PROPERTY(QString Email MEMBER Email)
    Q_PROPERTY(QString D_RagioneSociale MEMBER D_RagioneSociale)
    Q_PROPERTY(QString D_Cognome MEMBER D_Cognome)
    Q_PROPERTY(QString D_Nome MEMBER D_Nome)
    Q_PROPERTY(QString D_Indirizzo MEMBER D_Indirizzo)
    Q_PROPERTY(QString D_Cap MEMBER D_Cap)
    Q_PROPERTY(QString D_Localita MEMBER D_Localita)
    Q_PROPERTY(QString D_Provincia MEMBER D_Provincia)
    Q_PROPERTY(QString D_Stato MEMBER D_Stato)
    Q_PROPERTY(QString Note MEMBER Note)
    Q_PROPERTY(QString TipoPagamento MEMBER TipoPagamento)
    Q_PROPERTY(QString Errore MEMBER Errore)
    Q_PROPERTY(QString StatisticheDallaData MEMBER StatisticheDallaData)
    Q_PROPERTY(QString StatisticheAllaData MEMBER StatisticheAllaData)
    Q_PROPERTY(QString ProdottiDallaData MEMBER ProdottiDallaData)
    Q_PROPERTY(QString ProdottiAllaData MEMBER ProdottiAllaData)
    Q_PROPERTY(QString OrdinePagato MEMBER OrdinePagato)
    Q_PROPERTY(bool PagamentoDaNotificare MEMBER PagamentoDaNotificare)

public:
    explicit Ordine(QObject* parent = nullptr);
    ~Ordine() override;

    QString RagioneSociale, Cognome, Nome, Indirizzo, Cap, Localita, Provincia, Stato, CFPI, Telefono, Email;
    QString D_RagioneSociale, D_Cognome, D_Nome, D_Indirizzo, D_Cap, D_Localita, D_Provincia, D_Stato;
    QString Note, TipoPagamento, Errore;
    QString StatisticheDallaData, StatisticheAllaData, ProdottiDallaData, ProdottiAllaData;
    // After a bank's answer: the order it paid, and whether this page
    // recorded the payment of the Session's own order (its customer is
    // mailed once, by this page only).
    QString OrdinePagato;
    bool PagamentoDaNotificare = false;

    Q_INVOKABLE QString LeggiCondizioniVendita();
    Q_INVOKABLE void AzzeraDatiPersonali();
    // 0 accepted, 1 cancelled, 2 rejected (the message is in Errore).
    Q_INVOKABLE int ControlloDatiPersonali();
    Q_INVOKABLE bool CheckCFPI(const QVariant& CFPI);
    Q_INVOKABLE void MemorizzaCookieCliente();
    // True when the shop takes this payment kind now: switched on, and for
    // cards a bank to send the shopper to, or payments simulated.
    Q_INVOKABLE bool PagamentoAmmesso(const QString& tipo);
    // Where the summary sends the visitor instead of submitting: the basket
    // (empty, or no shipping chosen where the shop has options), the
    // checkout form (data not accepted, a payment kind or an address not
    // taken); empty when the order may go.
    Q_INVOKABLE QString ControlloInvio();
    // True when this Session's last order was made of the basket it holds
    // now, or its basket went with that order: sending again would only
    // repeat the order.
    Q_INVOKABLE bool OrdineGiaInviato();
    // True when the Session's order is a card order the bank has not yet
    // authorised.
    Q_INVOKABLE bool PagamentoInSospeso();
    Q_INVOKABLE void SetConn(QObject* Connect);

    // Stores the Session's checkout and basket as one order in one
    // transaction, leaves IDClienteOrdine, NumOrd and BodyMail in the
    // Session and then mails the merchant.
    Q_INVOKABLE void NotificaEsercente(const QVariant& UlterioriNote = QVariant(),
                                       const QVariant& FlagUserID = QVariant());
    // Mails the customer the confirmation and empties the basket.
    Q_INVOKABLE void NotificaCliente();
    // The bank's page for a card payment of the Session's order, for the
    // amount the stored order costs; empty text when the order is not paid
    // by card or payments are simulated.
    Q_INVOKABLE QString URLValidazioneCartaCredito();
    // The bank's answer on the return page, checked against the order it
    // names: true when it paid that order, now or before.
    Q_INVOKABLE bool ControlloEsitoValidazione();
    // The same through the bank's encrypted-string gateway; a component
    // that cannot be made or fails leaves its number in ErrorGestPay.
    Q_INVOKABLE QString URLValidazioneCartaCredito1();
    Q_INVOKABLE bool ControlloEsitoValidazione1();
    // True when the Session's order has been paid by card.
    Q_INVOKABLE bool PagamentoCartaEseguito();

protected:
    void Start() override;
    QString* Proprieta(const char* nome) override;

private:
    void CaricaDallaSessione();
    void Salva();
    bool Annullato(bool get) const;
    OrdineDati DatiOrdine(Carrello& carrello, bool credenziali) const;
    static OrdineRiga RigaCorrente(Carrello& carrello);
    // The card payment applies: a card order, not a simulated one.
    bool PagamentoConCarta() const;
    // The Session's order, when it may go to the bank once more: this
    // visitor's unpaid card order, within the limits per order, Session
    // and address; otherwise an error.
    qint32 OrdineDaPagare();
    // What the bank is asked for the stored order, in the gateway's units.
    QString ImportoBanca(qint32 idOrdine, bool cifrato) const;
    bool Concludi(OrdinePagamentoCarta::Esito esito, const QString& numOrdine);
    static constexpr int kTentativiCarta = 5;
    QString FirmaCarrello() const;
    void AvvisaEsercente(const OrdineDati& dati, const OrdineScritto& scritto, const QString& ulterioriNote,
                         bool credenziali);
    bool SpedizioneScelta();
    void InviaPosta(const QString& mittente, const QString& destinatario, const QString& oggetto,
                    const QString& testo) const;
};
