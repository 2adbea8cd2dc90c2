#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

class IAspApplication;

// The first object of every page: it sets the visitor's Session up from
// the shop's settings, identifies the visitor, lends its connection to the
// page's other objects and answers a few questions about the shop. Its
// properties mirror the Session as it was when the page created it.
class Generale : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(QString RagioneSociale MEMBER RagioneSociale)
    Q_PROPERTY(QString Indirizzo MEMBER Indirizzo)
    Q_PROPERTY(QString Cap MEMBER Cap)
    Q_PROPERTY(QString Localita MEMBER Localita)
    Q_PROPERTY(QString Provincia MEMBER Provincia)
    Q_PROPERTY(QString Stato MEMBER Stato)
    Q_PROPERTY(QString TelefonoInfo MEMBER TelefonoInfo)
    Q_PROPERTY(QString TelefonoSupporto MEMBER TelefonoSupporto)
    Q_PROPERTY(QString TelefonoOrdini MEMBER TelefonoOrdini)
    Q_PROPERTY(QString Fax MEMBER Fax)
    Q_PROPERTY(QString PartitaIVA MEMBER PartitaIVA)
    Q_PROPERTY(QString RegistroImprese MEMBER RegistroImprese)
    Q_PROPERTY(QString EmailInfo MEMBER EmailInfo)
    Q_PROPERTY(QString EmailSupporto MEMBER EmailSupporto)
    Q_PROPERTY(QString EmailOrdini MEMBER EmailOrdini)
    Q_PROPERTY(QString SimboloValuta MEMBER SimboloValuta)
    Q_PROPERTY(QString Banca MEMBER Banca)
    Q_PROPERTY(QString ABI MEMBER ABI)
    Q_PROPERTY(QString CAB MEMBER CAB)
    Q_PROPERTY(QString CCBancario MEMBER CCBancario)
    Q_PROPERTY(QString Intestatario MEMBER Intestatario)
    Q_PROPERTY(QString CCPostale MEMBER CCPostale)
    Q_PROPERTY(QString URLValidazioneCartaCredito MEMBER URLValidazioneCartaCredito)
    Q_PROPERTY(QString CodiceEsercente MEMBER CodiceEsercente)
    Q_PROPERTY(QString TID MEMBER TID)
    Q_PROPERTY(QString CodiceLingua MEMBER CodiceLingua)
    Q_PROPERTY(QString CodiceLinguaPredefinita MEMBER CodiceLinguaPredefinita)
    Q_PROPERTY(QString DescrizioneLingua MEMBER DescrizioneLingua)
    Q_PROPERTY(QString PercorsoLogoAzienda MEMBER PercorsoLogoAzienda)
    Q_PROPERTY(bool AttivaPrezziIvaCompresa MEMBER AttivaPrezziIvaCompresa)
    Q_PROPERTY(bool AttivaPrezziInEuro MEMBER AttivaPrezziInEuro)
    Q_PROPERTY(bool AttivaBonifico MEMBER AttivaBonifico)
    Q_PROPERTY(bool AttivaCCPostale MEMBER AttivaCCPostale)
    Q_PROPERTY(bool AttivaContrassegno MEMBER AttivaContrassegno)
    Q_PROPERTY(bool AttivaCartaCredito MEMBER AttivaCartaCredito)
    Q_PROPERTY(bool DemoCartaCredito MEMBER DemoCartaCredito)
    Q_PROPERTY(bool TestCartaCredito MEMBER TestCartaCredito)
    Q_PROPERTY(int TipoSpeseContrassegno MEMBER TipoSpeseContrassegno)
    Q_PROPERTY(double SpeseContrassegno MEMBER SpeseContrassegno)
    Q_PROPERTY(double SpeseContrassegnoVL MEMBER SpeseContrassegnoVL)
    Q_PROPERTY(double MinimoContrassegno MEMBER MinimoContrassegno)
    Q_PROPERTY(double MinimoContrassegnoVL MEMBER MinimoContrassegnoVL)
    Q_PROPERTY(QObject* Conn READ Conn WRITE SetConnProperty)

public:
    QString RagioneSociale, Indirizzo, Cap, Localita, Provincia, Stato;
    QString TelefonoInfo, TelefonoSupporto, TelefonoOrdini, Fax, PartitaIVA, RegistroImprese;
    QString EmailInfo, EmailSupporto, EmailOrdini, SimboloValuta;
    QString Banca, ABI, CAB, CCBancario, Intestatario, CCPostale;
    QString URLValidazioneCartaCredito, CodiceEsercente, TID;
    QString CodiceLingua, CodiceLinguaPredefinita, DescrizioneLingua, PercorsoLogoAzienda;
    bool AttivaPrezziIvaCompresa = false, AttivaPrezziInEuro = false, AttivaBonifico = false;
    bool AttivaCCPostale = false, AttivaContrassegno = false, AttivaCartaCredito = false;
    bool DemoCartaCredito = false, TestCartaCredito = false;
    int TipoSpeseContrassegno = 0;
    double SpeseContrassegno = 0, SpeseContrassegnoVL = 0, MinimoContrassegno = 0, MinimoContrassegnoVL = 0;

    QObject* Conn() const;
    void SetConnProperty(QObject* connect);

    // A whole number the visitor sent (an ID, a page), read as every server
    // class reads one; 0 when it is none or negative.
    Q_INVOKABLE qint32 NumeroRichiesta(const QVariant& valore) const;

    // Session set-up.
    Q_INVOKABLE void Inizializza();
    Q_INVOKABLE void ImpostaLingua();
    Q_INVOKABLE void SetShareConn();
    Q_INVOKABLE void ImpostaLunghezzaPaginaProdotti(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaPaginaArticoli(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaPaginaRicerca(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaPaginaDiscussioni(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaPaginaRisposte(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaPaginaMessaggi(const QVariant& ps);
    Q_INVOKABLE void ImpostaDurataMessaggi(const QVariant& ps);
    Q_INVOKABLE void ImpostaFrequenzaAggiornamentoChat(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaCodaChat(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaListaOrdini(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaPaginaRiordino(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaElencoClientiAgente(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaElencoClientiAgenteStatistiche(const QVariant& ps);
    Q_INVOKABLE void ImpostaLunghezzaElencoProdottiCliente(const QVariant& ps);
    Q_INVOKABLE void ImpostaURLPaginaSezioni(const QVariant& url);
    Q_INVOKABLE void ImpostaURLPaginaCategorie(const QVariant& url);
    Q_INVOKABLE void ImpostaURLPaginaProdotti(const QVariant& url);
    Q_INVOKABLE void ImpostaURLPaginaArgomentiForum(const QVariant& url);
    Q_INVOKABLE void ImpostaURLPaginaArgomentiChat(const QVariant& url);
    Q_INVOKABLE void ImpostaCampiObbligatori(const QVariant& campiObbligatori);
    Q_INVOKABLE void ImpostaControlloCFPI(const QVariant& flag);
    Q_INVOKABLE void ImpostaControlloPasswordNumerica(const QVariant& flag);
    Q_INVOKABLE void ImpostaLunghezzaMinimaPassword(const QVariant& lmp);
    Q_INVOKABLE void ImpostaGenerazioneUserPswdNumeriche(const QVariant& flag);

    // Visitor identification and the site-wide counters.
    Q_INVOKABLE void IdentificaUtente();
    Q_INVOKABLE QVariant SetOKSession();
    Q_INVOKABLE bool TestOKSession();
    Q_INVOKABLE void LeggiProgressivi();
    Q_INVOKABLE qint32 FindNext(const QString& nomeTabella);

    // Shop information.
    Q_INVOKABLE bool LeggiPrimaLingua();
    Q_INVOKABLE bool LeggiLinguaSuccessiva();
    Q_INVOKABLE QString LeggiChiSiamo();
    Q_INVOKABLE bool ControlloLogoAzienda();
    Q_INVOKABLE bool LeggiFlag(const QString& codice);
    Q_INVOKABLE void InviaMessaggi();

    QString CartellaDatabase() const { return m_dbFolder; }

protected:
    void Start() override;
    void ReleaseRecordsets() override;
    void ReleaseConnection() override;

private:
    void CopiaSessione();
    void LeggiConfigurazione();
    void LeggiOpzioni();
    void LeggiLinguaEValute(const QVariant& idLingua);
    void ImpostaPredefiniti();
    void MostraLingua();
    QString ComponiMessaggio(QString& mittente) const;
    bool FileDelSito(const QString& percorso) const;
    void SetIntero(const QString& chiave, const QVariant& valore);
    void SetBooleano(const QString& chiave, const QVariant& valore);
    void SetTesto(const QString& chiave, const QVariant& valore);
    IAspApplication* Application() const;

    QString m_dbFolder;
    IAspApplication* m_application = nullptr;
    CAdoRecordset m_rsLingue;
};
