#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/content/ContenutiAlbero.h"
#include "server/content/ContenutiModulo.h"
#include "server/core/CQtrServerObject.h"

#include <QDate>

#include <functional>
#include <optional>

class CatalogoSql;

// The shop's content pages: sections, their articles page by page, one
// article with its form, links and files, the content tree and the
// referral of a page to a friend. Each read fills the public properties,
// which the page then prints; a read that finds nothing leaves them as
// they were. What the visitor may see comes from the Session that the
// session set-up wrote.
//
// What a call hands back in its argument is the property of the
// argument's name, read after the call: IDSez (the section a code named)
// after ApriPaginaSezioni and ApriAlberoContenuti, ID (the request's
// article) after LeggiArticolo.
class Contenuti : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(qint16 LunghezzaPaginaArticoli MEMBER LunghezzaPaginaArticoli)
    Q_PROPERTY(qint32 IDSezione MEMBER IDSezione)
    Q_PROPERTY(bool FlagSottoSezioni MEMBER FlagSottoSezioni)
    Q_PROPERTY(QString CodiceSezione MEMBER CodiceSezione)
    Q_PROPERTY(QString NomeSezione MEMBER NomeSezione)
    Q_PROPERTY(QString DescrizioneSezione MEMBER DescrizioneSezione)
    Q_PROPERTY(QString PercorsoFotoSezione MEMBER PercorsoFotoSezione)
    Q_PROPERTY(qint32 NumeroArticoliSezione MEMBER NumeroArticoliSezione)
    Q_PROPERTY(qint16 FlagNovita MEMBER FlagNovita)
    Q_PROPERTY(qint32 IDArticolo MEMBER IDArticolo)
    Q_PROPERTY(QString CodiceArticolo MEMBER CodiceArticolo)
    Q_PROPERTY(bool Attivo MEMBER Attivo)
    Q_PROPERTY(bool Novita MEMBER Novita)
    Q_PROPERTY(bool Mailing MEMBER Mailing)
    Q_PROPERTY(QString DataPubblicazioneArticolo MEMBER DataPubblicazioneArticolo)
    Q_PROPERTY(QString PubblicazioneDallaDataArticolo MEMBER PubblicazioneDallaDataArticolo)
    Q_PROPERTY(QString PubblicazioneAllaDataArticolo MEMBER PubblicazioneAllaDataArticolo)
    Q_PROPERTY(QString CodiceModelloArticolo MEMBER CodiceModelloArticolo)
    Q_PROPERTY(bool FlagStampaArticolo MEMBER FlagStampaArticolo)
    Q_PROPERTY(bool FlagSegnalazioneArticolo MEMBER FlagSegnalazioneArticolo)
    Q_PROPERTY(bool FlagVotoArticolo MEMBER FlagVotoArticolo)
    Q_PROPERTY(bool FlagDataPubblicazioneArticolo MEMBER FlagDataPubblicazioneArticolo)
    Q_PROPERTY(qint32 NumeroVotantiArticolo MEMBER NumeroVotantiArticolo)
    Q_PROPERTY(qint32 VotiArticolo MEMBER VotiArticolo)
    Q_PROPERTY(qint32 SegnalazioniArticolo MEMBER SegnalazioniArticolo)
    Q_PROPERTY(float VotoMedioArticolo MEMBER VotoMedioArticolo)
    Q_PROPERTY(QString TitoloArticolo MEMBER TitoloArticolo)
    Q_PROPERTY(QString SottotitoloArticolo MEMBER SottotitoloArticolo)
    Q_PROPERTY(QString TestoArticolo MEMBER TestoArticolo)
    Q_PROPERTY(QString EstrattoArticolo MEMBER EstrattoArticolo)
    Q_PROPERTY(QString AutoreArticolo MEMBER AutoreArticolo)
    Q_PROPERTY(qint32 VisiteArticolo MEMBER VisiteArticolo)
    Q_PROPERTY(QString DataUltimaVisitaArticolo MEMBER DataUltimaVisitaArticolo)
    Q_PROPERTY(QString PercorsoSezioni MEMBER PercorsoSezioni)
    Q_PROPERTY(qint16 TipoRecord MEMBER TipoRecord)
    Q_PROPERTY(qint32 PaginaCorrenteArticoli MEMBER PaginaCorrenteArticoli)
    Q_PROPERTY(qint32 TotalePagineArticoli MEMBER TotalePagineArticoli)
    Q_PROPERTY(qint32 IDLinkArticolo MEMBER IDLinkArticolo)
    Q_PROPERTY(QString TitoloLinkArticolo MEMBER TitoloLinkArticolo)
    Q_PROPERTY(QString DescrizioneLinkArticolo MEMBER DescrizioneLinkArticolo)
    Q_PROPERTY(QString URLLinkArticolo MEMBER URLLinkArticolo)
    Q_PROPERTY(bool FlagEsternoLinkArticolo MEMBER FlagEsternoLinkArticolo)
    Q_PROPERTY(qint32 VisiteLinkArticolo MEMBER VisiteLinkArticolo)
    Q_PROPERTY(QString DataUltimaVisitaLinkArticolo MEMBER DataUltimaVisitaLinkArticolo)
    Q_PROPERTY(qint32 IDFileArticolo MEMBER IDFileArticolo)
    Q_PROPERTY(QString CodiceFileArticolo MEMBER CodiceFileArticolo)
    Q_PROPERTY(QString TitoloFileArticolo MEMBER TitoloFileArticolo)
    Q_PROPERTY(QString DescrizioneFileArticolo MEMBER DescrizioneFileArticolo)
    Q_PROPERTY(QVariant PercorsoFileArticolo MEMBER PercorsoFileArticolo)
    Q_PROPERTY(float DimensioneFileArticolo MEMBER DimensioneFileArticolo)
    Q_PROPERTY(QString UMDimensioneFileArticolo MEMBER UMDimensioneFileArticolo)
    Q_PROPERTY(QString MittenteSegnalazione MEMBER MittenteSegnalazione)
    Q_PROPERTY(QString EmailMittenteSegnalazione MEMBER EmailMittenteSegnalazione)
    Q_PROPERTY(QString EmailDestinatarioSegnalazione MEMBER EmailDestinatarioSegnalazione)
    Q_PROPERTY(QString NoteSegnalazione MEMBER NoteSegnalazione)
    Q_PROPERTY(qint32 IDModulo MEMBER IDModulo)
    Q_PROPERTY(qint32 IDArticoloRispostaModulo MEMBER IDArticoloRispostaModulo)
    Q_PROPERTY(bool FlagModulo MEMBER FlagModulo)
    Q_PROPERTY(QString NomeModulo MEMBER NomeModulo)
    Q_PROPERTY(QString DescrizioneModulo MEMBER DescrizioneModulo)
    Q_PROPERTY(QString CodiceCampoModulo MEMBER CodiceCampoModulo)
    Q_PROPERTY(qint16 TipoCampoModulo MEMBER TipoCampoModulo)
    Q_PROPERTY(qint16 LunghezzaCampoModulo MEMBER LunghezzaCampoModulo)
    Q_PROPERTY(qint16 NumeroDecimaliCampoModulo MEMBER NumeroDecimaliCampoModulo)
    Q_PROPERTY(QString NomeCampoModulo MEMBER NomeCampoModulo)
    Q_PROPERTY(qint32 IDOpzioneCampoModulo MEMBER IDOpzioneCampoModulo)
    Q_PROPERTY(QString OpzioneCampoModulo MEMBER OpzioneCampoModulo)
    Q_PROPERTY(QString Errore MEMBER Errore)
    Q_PROPERTY(qint32 IDSez MEMBER IDSez)
    Q_PROPERTY(QVariant ID MEMBER ID)

public:
    explicit Contenuti(QObject* parent = nullptr);
    ~Contenuti() override;

    // The votes a page offers: whole numbers from 1 to 5.
    static constexpr int kVotoMinimo = 1;
    static constexpr int kVotoMassimo = 5;

    qint16 LunghezzaPaginaArticoli = 0;
    qint32 IDSezione = 0;
    bool FlagSottoSezioni = false;
    QString CodiceSezione;
    QString NomeSezione;
    QString DescrizioneSezione;
    QString PercorsoFotoSezione;
    qint32 NumeroArticoliSezione = 0;
    qint16 FlagNovita = 0;
    qint32 IDArticolo = 0;
    QString CodiceArticolo;
    bool Attivo = false;
    bool Novita = false;
    bool Mailing = false;
    QString DataPubblicazioneArticolo;
    QString PubblicazioneDallaDataArticolo;
    QString PubblicazioneAllaDataArticolo;
    QString CodiceModelloArticolo;
    bool FlagStampaArticolo = false;
    bool FlagSegnalazioneArticolo = false;
    bool FlagVotoArticolo = false;
    bool FlagDataPubblicazioneArticolo = false;
    qint32 NumeroVotantiArticolo = 0;
    qint32 VotiArticolo = 0;
    qint32 SegnalazioniArticolo = 0;
    float VotoMedioArticolo = 0;
    QString TitoloArticolo;
    QString SottotitoloArticolo;
    QString TestoArticolo;
    QString EstrattoArticolo;
    QString AutoreArticolo;
    qint32 VisiteArticolo = 0;
    QString DataUltimaVisitaArticolo;
    QString PercorsoSezioni;
    qint16 TipoRecord = 0;
    qint32 PaginaCorrenteArticoli = 0;
    qint32 TotalePagineArticoli = 0;
    qint32 IDLinkArticolo = 0;
    QString TitoloLinkArticolo;
    QString DescrizioneLinkArticolo;
    QString URLLinkArticolo;
    bool FlagEsternoLinkArticolo = false;
    qint32 VisiteLinkArticolo = 0;
    QString DataUltimaVisitaLinkArticolo;
    qint32 IDFileArticolo = 0;
    QString CodiceFileArticolo;
    QString TitoloFileArticolo;
    QString DescrizioneFileArticolo;
    QVariant PercorsoFileArticolo;
    float DimensioneFileArticolo = 0;
    QString UMDimensioneFileArticolo;
    QString MittenteSegnalazione;
    QString EmailMittenteSegnalazione;
    QString EmailDestinatarioSegnalazione;
    QString NoteSegnalazione;
    qint32 IDModulo = 0;
    qint32 IDArticoloRispostaModulo = 0;
    bool FlagModulo = false;
    QString NomeModulo;
    QString DescrizioneModulo;
    QString CodiceCampoModulo;
    qint16 TipoCampoModulo = 0;
    qint16 LunghezzaCampoModulo = 0;
    qint16 NumeroDecimaliCampoModulo = 0;
    QString NomeCampoModulo;
    qint32 IDOpzioneCampoModulo = 0;
    QString OpzioneCampoModulo;
    QString Errore;
    qint32 IDSez = 0;
    QVariant ID;

    Q_INVOKABLE void SetConn(QObject* Connect);

    // Options.
    Q_INVOKABLE void ImpostaPaginaNovita(const QVariant& N);
    Q_INVOKABLE void ImpostaCalcoloNumeroArticoliSezione(const QVariant& F);
    Q_INVOKABLE void ImpostaCalcoloPercorsoSezioni(const QVariant& F);
    Q_INVOKABLE void ImpostaTestSottoSezioni(const QVariant& F);
    Q_INVOKABLE void ImpostaLunghezzaEstrattoArticolo(const QVariant& L);
    Q_INVOKABLE void ImpostaOrdinamentoArticoliPerDataPubblicazione();
    Q_INVOKABLE void ImpostaOrdinamentoArticoliCustom();

    // Sections.
    Q_INVOKABLE bool LeggiSezione(const QVariant& IDSez);
    Q_INVOKABLE bool ApriPaginaSezioni(const QVariant& IDSez = 0);
    Q_INVOKABLE bool LeggiSezioneSuccessiva();
    Q_INVOKABLE bool ControlloSezionePadre(const QVariant& IDTestSez, const QVariant& IDParentSez = 0);
    Q_INVOKABLE void ChiudiPaginaSezioni();
    Q_INVOKABLE bool ControlloFotoSezione();

    // Articles.
    Q_INVOKABLE bool ApriPaginaArticoli(const QVariant& Pag = QVariant(), const QVariant& IDSezPar = 0);
    Q_INVOKABLE bool LeggiArticoloSuccessivo();
    Q_INVOKABLE bool LeggiPrimoArticolo();
    Q_INVOKABLE void ChiudiPaginaArticoli();
    Q_INVOKABLE bool LeggiArticolo(const QVariant& ID = 0);
    Q_INVOKABLE bool LeggiPrimaSezioneArticolo();
    Q_INVOKABLE bool LeggiSezioneArticoloSuccessiva();
    // True when the vote was counted: a whole number from kVotoMinimo to
    // kVotoMassimo, for an article the visitor may read and vote on, once
    // per Session.
    Q_INVOKABLE bool VotaArticolo(const QVariant& ID, const QVariant& Voto);
    Q_INVOKABLE bool ControlloPrimaPaginaArticoli();
    Q_INVOKABLE bool ControlloUltimaPaginaArticoli();

    // The current article's form.
    Q_INVOKABLE bool LeggiCampoModuloSuccessivo();
    Q_INVOKABLE bool LeggiOpzioneCampoSuccessiva();
    // True when the form was mailed; false with Errore set when it was
    // refused (unknown form, a posted choice that is no choice of the
    // form, too many messages).
    Q_INVOKABLE bool InviaModulo();

    // The current article's links and files.
    Q_INVOKABLE bool LeggiPrimoLinkArticolo();
    Q_INVOKABLE bool LeggiLinkArticoloSuccessivo();
    Q_INVOKABLE bool LeggiFileArticolo(const QVariant& ID);
    Q_INVOKABLE bool LeggiPrimoFileArticolo();
    Q_INVOKABLE bool LeggiFileArticoloSuccessivo();

    // The content tree and the referral.
    Q_INVOKABLE bool ApriAlberoContenuti(const QVariant& IDSez = 0, const QVariant& FlagSezPadre = false);
    Q_INVOKABLE bool LeggiAlberoContenutiSuccessivo(const QVariant& FlagSezioni = false,
                                                    const QVariant& FlagArticoli = false);
    Q_INVOKABLE void ChiudiAlberoContenuti();
    Q_INVOKABLE bool SegnalazioneArticolo();

    // The day the publication windows are judged on; today unless a test
    // fixes it.
    void ImpostaOggi(const QDate& oggi) { m_oggi = oggi; }

protected:
    void Start() override;

private:
    friend class ContenutiAlbero;

    // The visitor.
    QVariant Gruppo() const;
    QVariant Utente() const;
    QString Lingua() const;
    QString Predefinita() const;
    qint32 FlagNovitaSessione() const;
    bool SessioneUno(const char* chiave) const;
    QDate Oggi() const;

    // Sections.
    std::optional<qint32> IdSezionePerCodice(const QVariant& sezione);
    void LeggiDatiSezione(const CAdoRecordset& rs, bool sottoSezioni, bool flagData = false);
    void LeggiTestiSezione(qint32 id);
    bool ControlloSottoSezioni(qint32 id);
    QString CalcolaPercorsoSezioni(qint32 id);
    qint32 ContaArticoliSezione(qint32 id);
    void VisibilitaSezione(CatalogoSql& sql) const;

    // Articles.
    void FiltriArticolo(CatalogoSql& sql) const;
    CatalogoSql QueryArticoliSezione(qint32 idSezione, bool perData) const;
    void LeggiDatiArticolo(const CAdoRecordset& rs);
    void RisolviInterruttori(qint32 id, int& stampa, int& segnalazione, int& voto);
    void CopiaCampo();
    void CopiaOpzione();

    // The article's lists (sections, links, files), read row by row.
    bool ApriElenco(CAdoRecordset& rs, const QString& sql, const QVariantList& params,
                    const std::function<bool()>& leggi);
    bool AvanzaElenco(CAdoRecordset& rs, const std::function<bool()>& leggi);
    bool LeggiSezioneDiArticolo();

    // Links and files.
    void LeggiDatiLink();
    bool LeggiDatiFile();

    qint16 m_lunghezzaEstratto = 50;
    QString m_ordinamento = QStringLiteral("Articoli.Ordine");
    QDate m_oggi;
    CAdoRecordset m_rsSezioni;
    CAdoRecordset m_rsSezioniArticolo;
    CAdoRecordset m_rsArticoli;
    CAdoRecordset m_rsLink;
    CAdoRecordset m_rsFile;
    ContenutiModulo m_modulo;
    ContenutiAlbero m_albero;
};
