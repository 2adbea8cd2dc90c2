#pragma once

#include "platform/ado/CAdoRecordset.h"
#include "server/core/CQtrServerObject.h"

#include <QDateTime>

class Dizionario;

// The visitor as a member: login and logout, who is logged in, his data,
// the registration and profile form, the password recovery and the lists
// of interests, of an agent's customers and of a customer's consignees.
// Who is logged in lives in the Session, written and read through
// QtrVisitatore; the object reloads the member's data at every page start
// (an anonymous visitor's typed data from the Session's "UR" keys).
// Values that a call hands back besides its result (FlagUserID after
// RegistraUtente) are properties the page reads after the call.
class AreaRiservata : public CQtrServerObject
{
    Q_OBJECT
    Q_PROPERTY(qint32 IDUtente MEMBER IDUtente)
    Q_PROPERTY(qint32 IDAgente MEMBER IDAgente)
    Q_PROPERTY(qint32 IDGruppo MEMBER IDGruppo)
    Q_PROPERTY(QString Gruppo MEMBER Gruppo)
    Q_PROPERTY(int TipoUtente MEMBER TipoUtente)
    Q_PROPERTY(QString RagioneSociale MEMBER RagioneSociale)
    Q_PROPERTY(QString Cognome MEMBER Cognome)
    Q_PROPERTY(QString Nome MEMBER Nome)
    Q_PROPERTY(QString Indirizzo MEMBER Indirizzo)
    Q_PROPERTY(QString Cap MEMBER Cap)
    Q_PROPERTY(QString Localita MEMBER Localita)
    Q_PROPERTY(QString Provincia MEMBER Provincia)
    Q_PROPERTY(QString Stato MEMBER Stato)
    Q_PROPERTY(QString Telefono MEMBER Telefono)
    Q_PROPERTY(QString Fax MEMBER Fax)
    Q_PROPERTY(QString Cellulare MEMBER Cellulare)
    Q_PROPERTY(QString Email MEMBER Email)
    Q_PROPERTY(QString Web MEMBER Web)
    Q_PROPERTY(QString CFPI MEMBER CFPI)
    Q_PROPERTY(QString UserID MEMBER UserID)
    Q_PROPERTY(QString ScontoPredefinito MEMBER ScontoPredefinito)
    Q_PROPERTY(QVariant ValiditaScontoDal MEMBER ValiditaScontoDal)
    Q_PROPERTY(QVariant ValiditaScontoAl MEMBER ValiditaScontoAl)
    Q_PROPERTY(QString ScontoPeriodo MEMBER ScontoPeriodo)
    Q_PROPERTY(qint32 IDListino MEMBER IDListino)
    Q_PROPERTY(double Fido MEMBER Fido)
    Q_PROPERTY(double FidoResiduo MEMBER FidoResiduo)
    Q_PROPERTY(QString Pagamento MEMBER Pagamento)
    Q_PROPERTY(qint32 IDClientiAgente MEMBER IDClientiAgente)
    Q_PROPERTY(qint32 IDUtenteDestinatario MEMBER IDUtenteDestinatario)
    Q_PROPERTY(QString RagioneSocialeDestinatario MEMBER RagioneSocialeDestinatario)
    Q_PROPERTY(QString CognomeDestinatario MEMBER CognomeDestinatario)
    Q_PROPERTY(QString NomeDestinatario MEMBER NomeDestinatario)
    Q_PROPERTY(QString IndirizzoDestinatario MEMBER IndirizzoDestinatario)
    Q_PROPERTY(QString CapDestinatario MEMBER CapDestinatario)
    Q_PROPERTY(QString LocalitaDestinatario MEMBER LocalitaDestinatario)
    Q_PROPERTY(QString ProvinciaDestinatario MEMBER ProvinciaDestinatario)
    Q_PROPERTY(QString StatoDestinatario MEMBER StatoDestinatario)
    Q_PROPERTY(QString TelefonoDestinatario MEMBER TelefonoDestinatario)
    Q_PROPERTY(QString FaxDestinatario MEMBER FaxDestinatario)
    Q_PROPERTY(QString CellulareDestinatario MEMBER CellulareDestinatario)
    Q_PROPERTY(QString EmailDestinatario MEMBER EmailDestinatario)
    Q_PROPERTY(QString WebDestinatario MEMBER WebDestinatario)
    Q_PROPERTY(QString CFPIDestinatario MEMBER CFPIDestinatario)
    Q_PROPERTY(qint32 IDInteresse MEMBER IDInteresse)
    Q_PROPERTY(QString NomeInteresse MEMBER NomeInteresse)
    Q_PROPERTY(QString DescrizioneInteresse MEMBER DescrizioneInteresse)
    Q_PROPERTY(int LunghezzaElencoClienti MEMBER LunghezzaElencoClienti)
    Q_PROPERTY(qint32 PaginaCorrente MEMBER PaginaCorrente)
    Q_PROPERTY(qint32 TotalePagine MEMBER TotalePagine)
    Q_PROPERTY(qint32 NumeroClienti MEMBER NumeroClienti)
    Q_PROPERTY(int LunghezzaElencoDestinatari MEMBER LunghezzaElencoDestinatari)
    Q_PROPERTY(qint32 NumeroDestinatari MEMBER NumeroDestinatari)
    Q_PROPERTY(QString FiltroRagioneSociale MEMBER FiltroRagioneSociale)
    Q_PROPERTY(QString FiltroCap MEMBER FiltroCap)
    Q_PROPERTY(QString FiltroLocalita MEMBER FiltroLocalita)
    Q_PROPERTY(QString FiltroProvincia MEMBER FiltroProvincia)
    Q_PROPERTY(QString FiltroTelefono MEMBER FiltroTelefono)
    Q_PROPERTY(qint32 IDDestinatario MEMBER IDDestinatario)
    Q_PROPERTY(QString Errore MEMBER Errore)
    // Written back by RegistraUtente: false once it updated a customer.
    Q_PROPERTY(bool FlagUserID MEMBER FlagUserID)
    // A password RegistraUtente generated and could not mail to the
    // member: the page shows it once; empty otherwise.
    Q_PROPERTY(QString PasswordGenerata MEMBER PasswordGenerata)

public:
    explicit AreaRiservata(QObject* parent = nullptr);
    ~AreaRiservata() override;

    qint32 IDUtente = 0, IDAgente = 0, IDGruppo = 0, IDListino = 0;
    int TipoUtente = 0;
    QString Gruppo, RagioneSociale, Cognome, Nome, Indirizzo, Cap, Localita, Provincia, Stato, Telefono, Fax,
        Cellulare, Email, Web, CFPI, UserID;
    QString ScontoPredefinito, ScontoPeriodo, Pagamento;
    QVariant ValiditaScontoDal, ValiditaScontoAl;
    double Fido = 0, FidoResiduo = 0;
    qint32 IDClientiAgente = 0, IDUtenteDestinatario = 0;
    QString RagioneSocialeDestinatario, CognomeDestinatario, NomeDestinatario, IndirizzoDestinatario,
        CapDestinatario, LocalitaDestinatario, ProvinciaDestinatario, StatoDestinatario, TelefonoDestinatario,
        FaxDestinatario, CellulareDestinatario, EmailDestinatario, WebDestinatario, CFPIDestinatario;
    qint32 IDInteresse = 0;
    QString NomeInteresse, DescrizioneInteresse;
    int LunghezzaElencoClienti = 0, LunghezzaElencoDestinatari = 0;
    qint32 PaginaCorrente = 0, TotalePagine = 0, NumeroClienti = 0, NumeroDestinatari = 0, IDDestinatario = 0;
    QString FiltroRagioneSociale, FiltroCap, FiltroLocalita, FiltroProvincia, FiltroTelefono;
    QString Errore;
    bool FlagUserID = false;
    QString PasswordGenerata;

    Q_INVOKABLE bool ControlloUtenteCollegato();
    Q_INVOKABLE bool ControlloAgenteCollegato();
    // The visitor form (UserID, Password) or, while an agent is logged in,
    // the agent form (IDUtente: one of his customers).
    Q_INVOKABLE bool ValidazioneUtente();
    // 0 saved, 1 cancelled, 2 refused (Errore says why).
    Q_INVOKABLE int RegistraUtente(const QVariant& UlterioriNote = QVariant(),
                                   const QVariant& FlagUserID = QVariant(),
                                   const QVariant& FlagPermessiUtenteAnonimo = QVariant());
    Q_INVOKABLE void AzzeraDatiUtente();
    Q_INVOKABLE bool ApriElencoInteressi();
    Q_INVOKABLE bool LeggiInteresseSuccessivo();
    Q_INVOKABLE void ChiudiElencoInteressi();
    Q_INVOKABLE bool ControlloCheckModuloInteressi();
    Q_INVOKABLE bool ApriElencoClientiAgente();
    Q_INVOKABLE bool LeggiClienteAgenteSuccessivo();
    Q_INVOKABLE void ChiudiElencoClientiAgente();
    Q_INVOKABLE bool ControlloPrimaPaginaElencoClienti();
    Q_INVOKABLE bool ControlloUltimaPaginaElencoClienti();
    Q_INVOKABLE bool ApriElencoDestinatariCliente();
    Q_INVOKABLE bool LeggiDestinatarioClienteSuccessivo();
    Q_INVOKABLE void ChiudiElencoDestinatariCliente();
    Q_INVOKABLE bool RecuperoPassword();
    Q_INVOKABLE void ScollegaUtente();
    Q_INVOKABLE void SetConn(QObject* Connect);

protected:
    void Start() override;
    void ReleaseRecordsets() override;

private:
    void CaricaDatiUtente();
    void CaricaRiga(const CAdoRecordset& cliente, bool condizioni);
    void CaricaGruppo(const CAdoRecordset& cliente, bool condizioni);
    void CaricaInteressi(qint32 idUtente);
    void Rifiuta();
    QString ChiaveTentativi(const QString& userID) const;
    void CaricaCampi(const CAdoRecordset& rs, const QString& suffisso);
    void ImpostaCampo(const QString& nome, const QString& valore);
    // The customer row the request may change: 0 for a new one, -1 for a
    // row the visitor may not change.
    qint32 RigaModificabile(const QString& richiesta);
    int Registra(const QVariant& ulterioriNote, bool generaCredenziali, bool copiaPermessi);
    void InviaRegistrazione(Dizionario& dizionario, const QHash<QString, QString>& campi, const QString& note,
                            const QString& ulterioriNote, bool nuovo, const QString& userID,
                            const QString& password);
    bool Invia(const QString& mittente, const QString& destinatario, const QString& oggetto,
               const QString& testo) const;
    void ApriDizionario(Dizionario& dizionario);
    void CaricaInteresse();
    void CaricaClienteAgente();
    void CaricaDestinatario();

    CAdoRecordset m_rsInteressi;
    CAdoRecordset m_rsClientiAgente;
    CAdoRecordset m_rsDestinatari;
};
