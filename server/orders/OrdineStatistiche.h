#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

#include <memory>

class OrdinePeriodo;

// The sales figures of QTR50.Ordine: an agent's customers with what each
// ordered and what was shipped in a period, and the products ordered by one
// customer or by an agent's whole book, with their totals. Both are sorted
// and paged through the Session. Only a logged-in agent sees his own
// customers; a customer sees his own products (QtrVisitatore).
class OrdineStatistiche : public CQtrServerObject
{
    Q_OBJECT
    // An agent's customers.
    Q_PROPERTY(qint32 IDAgenteOrdine MEMBER IDAgenteOrdine)
    Q_PROPERTY(int LunghezzaElencoClientiStatistiche MEMBER LunghezzaElencoClientiStatistiche)
    Q_PROPERTY(qint32 PaginaCorrenteStatistiche MEMBER PaginaCorrenteStatistiche)
    Q_PROPERTY(qint32 TotalePagineStatistiche MEMBER TotalePagineStatistiche)
    Q_PROPERTY(qint32 NumeroClientiStatistiche MEMBER NumeroClientiStatistiche)
    Q_PROPERTY(int CampoOrdinamentoStatistiche MEMBER CampoOrdinamentoStatistiche)
    Q_PROPERTY(QString ModoOrdinamentoStatistiche MEMBER ModoOrdinamentoStatistiche)
    Q_PROPERTY(qint32 IDUtenteStatistiche MEMBER IDUtenteStatistiche)
    Q_PROPERTY(QString RagioneSocialeStatistiche MEMBER RagioneSocialeStatistiche)
    Q_PROPERTY(QString CognomeStatistiche MEMBER CognomeStatistiche)
    Q_PROPERTY(QString NomeStatistiche MEMBER NomeStatistiche)
    Q_PROPERTY(double ImportoOrdinato MEMBER ImportoOrdinato)
    Q_PROPERTY(QString FImportoOrdinato MEMBER FImportoOrdinato)
    Q_PROPERTY(double ImportoEvaso MEMBER ImportoEvaso)
    Q_PROPERTY(QString FImportoEvaso MEMBER FImportoEvaso)
    Q_PROPERTY(double TotaleOrdinatoClienti MEMBER TotaleOrdinatoClienti)
    Q_PROPERTY(QString FTotaleOrdinatoClienti MEMBER FTotaleOrdinatoClienti)
    Q_PROPERTY(double TotaleEvasoClienti MEMBER TotaleEvasoClienti)
    Q_PROPERTY(QString FTotaleEvasoClienti MEMBER FTotaleEvasoClienti)
    // Products per customer.
    Q_PROPERTY(qint32 IDUtenteProdotti MEMBER IDUtenteProdotti)
    Q_PROPERTY(qint32 IDAgenteProdotti MEMBER IDAgenteProdotti)
    Q_PROPERTY(int LunghezzaElencoProdottiCliente MEMBER LunghezzaElencoProdottiCliente)
    Q_PROPERTY(qint32 PaginaCorrenteProdottiCliente MEMBER PaginaCorrenteProdottiCliente)
    Q_PROPERTY(qint32 TotalePagineProdottiCliente MEMBER TotalePagineProdottiCliente)
    Q_PROPERTY(qint32 NumeroProdottiCliente MEMBER NumeroProdottiCliente)
    Q_PROPERTY(int CampoOrdinamentoProdotti MEMBER CampoOrdinamentoProdotti)
    Q_PROPERTY(QString ModoOrdinamentoProdotti MEMBER ModoOrdinamentoProdotti)
    Q_PROPERTY(QString CodiceProdotto MEMBER CodiceProdotto)
    Q_PROPERTY(double PrezzoProdotto MEMBER PrezzoProdotto)
    Q_PROPERTY(QString FPrezzoProdotto MEMBER FPrezzoProdotto)
    Q_PROPERTY(float QuantitaOrdinata MEMBER QuantitaOrdinata)
    Q_PROPERTY(float QuantitaEvasa MEMBER QuantitaEvasa)
    Q_PROPERTY(double ImportoOrdinatoCliente MEMBER ImportoOrdinatoCliente)
    Q_PROPERTY(QString FImportoOrdinatoCliente MEMBER FImportoOrdinatoCliente)
    Q_PROPERTY(double ImportoEvasoCliente MEMBER ImportoEvasoCliente)
    Q_PROPERTY(QString FImportoEvasoCliente MEMBER FImportoEvasoCliente)
    Q_PROPERTY(double ImportoDaEvadereCliente MEMBER ImportoDaEvadereCliente)
    Q_PROPERTY(QString FImportoDaEvadereCliente MEMBER FImportoDaEvadereCliente)
    Q_PROPERTY(float TotaleQuantitaOrdinata MEMBER TotaleQuantitaOrdinata)
    Q_PROPERTY(float TotaleQuantitaEvasa MEMBER TotaleQuantitaEvasa)
    Q_PROPERTY(double TotaleImportoOrdinato MEMBER TotaleImportoOrdinato)
    Q_PROPERTY(QString FTotaleImportoOrdinato MEMBER FTotaleImportoOrdinato)
    Q_PROPERTY(double TotaleImportoEvaso MEMBER TotaleImportoEvaso)
    Q_PROPERTY(QString FTotaleImportoEvaso MEMBER FTotaleImportoEvaso)
    Q_PROPERTY(double TotaleImportoDaEvadere MEMBER TotaleImportoDaEvadere)
    Q_PROPERTY(QString FTotaleImportoDaEvadere MEMBER FTotaleImportoDaEvadere)

public:
    explicit OrdineStatistiche(QObject* parent = nullptr);
    ~OrdineStatistiche() override;

    qint32 IDAgenteOrdine = 0, PaginaCorrenteStatistiche = 0, TotalePagineStatistiche = 0,
           NumeroClientiStatistiche = 0, IDUtenteStatistiche = 0;
    int LunghezzaElencoClientiStatistiche = 0, CampoOrdinamentoStatistiche = 0;
    QString ModoOrdinamentoStatistiche, RagioneSocialeStatistiche, CognomeStatistiche, NomeStatistiche;
    double ImportoOrdinato = 0, ImportoEvaso = 0, TotaleOrdinatoClienti = 0, TotaleEvasoClienti = 0;
    QString FImportoOrdinato, FImportoEvaso, FTotaleOrdinatoClienti, FTotaleEvasoClienti;

    qint32 IDUtenteProdotti = 0, IDAgenteProdotti = 0, PaginaCorrenteProdottiCliente = 0,
           TotalePagineProdottiCliente = 0, NumeroProdottiCliente = 0;
    int LunghezzaElencoProdottiCliente = 0, CampoOrdinamentoProdotti = 0;
    QString ModoOrdinamentoProdotti, CodiceProdotto, FPrezzoProdotto;
    double PrezzoProdotto = 0;
    float QuantitaOrdinata = 0, QuantitaEvasa = 0, TotaleQuantitaOrdinata = 0, TotaleQuantitaEvasa = 0;
    double ImportoOrdinatoCliente = 0, ImportoEvasoCliente = 0, ImportoDaEvadereCliente = 0;
    QString FImportoOrdinatoCliente, FImportoEvasoCliente, FImportoDaEvadereCliente;
    double TotaleImportoOrdinato = 0, TotaleImportoEvaso = 0, TotaleImportoDaEvadere = 0;
    QString FTotaleImportoOrdinato, FTotaleImportoEvaso, FTotaleImportoDaEvadere;

    Q_INVOKABLE bool ApriElencoClientiAgenteStatistiche();
    Q_INVOKABLE bool LeggiClienteAgenteSuccessivoStatistiche();
    Q_INVOKABLE void ChiudiElencoClientiAgenteStatistiche();
    Q_INVOKABLE bool ControlloPrimaPaginaElencoClientiStatistiche();
    Q_INVOKABLE bool ControlloUltimaPaginaElencoClientiStatistiche();
    Q_INVOKABLE void CalcolaTotaleOrdiniClientiAgente();

    Q_INVOKABLE bool ApriElencoProdottiCliente();
    Q_INVOKABLE bool LeggiProdottiClienteSuccessivo();
    Q_INVOKABLE void ChiudiElencoProdottiCliente();
    Q_INVOKABLE bool ControlloPrimaPaginaElencoProdottiCliente();
    Q_INVOKABLE bool ControlloUltimaPaginaElencoProdottiCliente();
    Q_INVOKABLE void CalcolaTotaleOrdiniCliente();

protected:
    void ReleaseRecordsets() override;

    // The checkout's text properties of the page class, by name
    // ("RagioneSociale", "Errore", "StatisticheDallaData", ...); null for
    // an unknown name.
    virtual QString* Proprieta(const char* nome) = 0;
    // The dictionary's text of a message code in the visitor's language;
    // the code itself when it has none.
    QString Messaggio(const QString& codice);

private:
    // Whose orders the products list may show.
    struct Selezione
    {
        bool consentita = false;
        qint32 cliente = 0;   // one customer, or 0 with agente
        qint32 agente = 0;    // the agent and his customers
    };

    std::unique_ptr<OrdinePeriodo> Periodo(const char* dalla, const char* alla, const char* chiaveDalla,
                                           const char* chiaveAlla);
    QString Ordinamento(const char* chiaveCampo, const char* chiaveModo, const QStringList& ordinamenti,
                        const QString& predefinito, int& campo, QString& modo);
    qint32 Pagina(const char* chiave, int pagine);
    Selezione SelezioneProdotti();
    QString Importo(double valore) const;
    void LeggiDatiClienteStatistiche();
    void LeggiDatiProdottoCliente();

    std::unique_ptr<CAdoRecordset> m_statistiche;
    std::unique_ptr<CAdoRecordset> m_prodotti;
};
