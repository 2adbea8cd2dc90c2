#include "server/members/AreaRiservata.h"

#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspResponse.h"
#include "platform/asp/IAspSession.h"
#include "platform/mail/CSmtpMessage.h"
#include "platform/password/CPasswordHash.h"
#include "platform/sql/CJetSql.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Dizionario.h"
#include "server/core/Funzioni.h"
#include "server/core/QtrTentativiAccesso.h"
#include "server/core/QtrValori.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/members/MembriCampi.h"
#include "server/members/RecuperoCredenziali.h"
#include "server/members/RegistrazioneControlli.h"
#include "server/members/RegistrazioneScrittura.h"
#include "server/members/RegistrazioneTesto.h"
#include "server/orders/OrdineControlli.h"

#include <QSet>

#include <algorithm>

QTR_ASP_REGISTER(AreaRiservata)

namespace {

const int kAgente = 3;
const int kMailing = 2;
const int kLunghezzaFiltro = 80;
const int kClientiPerPagina = 10;

const char* const kFiltri[] = {"RagioneSociale", "Cap", "Localita", "Provincia", "Telefono"};

QString Testo(const CAdoRecordset& rs, const char* colonna)
{
    return rs.Field(QLatin1String(colonna)).toString();
}

QString ChiaveInteresse(const QVariant& id)
{
    return QStringLiteral("INT") + id.toString();
}

bool Flag(const QVariant& valore)
{
    return valore.isValid() && !valore.isNull() && QtrValori::Booleano(valore);
}

} // namespace

AreaRiservata::AreaRiservata(QObject* parent) : CQtrServerObject(parent) {}

AreaRiservata::~AreaRiservata() = default;

void AreaRiservata::Start()
{
    CQtrServerObject::Start();
    for (const char* filtro : kFiltri) {
        const QString nome = QStringLiteral("Filtro") + QLatin1String(filtro);
        setProperty(nome.toLatin1().constData(), SessionText(nome));
    }
    if (!SessionFlag(QStringLiteral("ShareConn")))
        CaricaDatiUtente();
}

void AreaRiservata::ReleaseRecordsets()
{
    m_rsInteressi.Close();
    m_rsClientiAgente.Close();
    m_rsDestinatari.Close();
}

void AreaRiservata::SetConn(QObject* Connect)
{
    Guard([&] {
        UseConnection(Connect);
        CaricaDatiUtente();
    });
}

bool AreaRiservata::ControlloUtenteCollegato()
{
    return Guard([&] {
        return QtrVisitatore::Cliente(*Session()) != 0 || QtrVisitatore::MembroMailing(*Session()) != 0;
    });
}

bool AreaRiservata::ControlloAgenteCollegato()
{
    return Guard([&] { return QtrVisitatore::Agente(*Session()) != 0; });
}

// ---------------------------------------------------------------- the member's data

void AreaRiservata::ImpostaCampo(const QString& nome, const QString& valore)
{
    setProperty(nome.toLatin1().constData(), valore);
}

void AreaRiservata::CaricaCampi(const CAdoRecordset& rs, const QString& suffisso)
{
    for (const MembroCampo& campo : MembriCampi::Campi())
        ImpostaCampo(QLatin1String(campo.nome) + suffisso, Testo(rs, campo.nome));
}

// A mailing-only member has no conditions of his own nor his group's.
void AreaRiservata::CaricaRiga(const CAdoRecordset& cliente, bool condizioni)
{
    IDUtente = cliente.Field(QStringLiteral("ID")).toInt();
    IDAgente = cliente.Field(QStringLiteral("IDAgente")).toInt();
    IDGruppo = cliente.Field(QStringLiteral("IDGruppo")).toInt();
    TipoUtente = cliente.Field(QStringLiteral("TipoUtente")).toInt();
    CaricaCampi(cliente, QString());
    if (condizioni) {
        ScontoPredefinito = Testo(cliente, "ScontoPredefinito");
        ScontoPeriodo = Testo(cliente, "ScontoPeriodo");
        Pagamento = Testo(cliente, "Pagamento");
        Fido = cliente.Field(QStringLiteral("Fido")).toDouble();
        FidoResiduo = cliente.Field(QStringLiteral("FidoResiduo")).toDouble();
        if (!cliente.IsNull(QStringLiteral("ValiditaDal")))
            ValiditaScontoDal = CAdoRecordset::DateValue(cliente.Field(QStringLiteral("ValiditaDal")));
        if (!cliente.IsNull(QStringLiteral("ValiditaAl")))
            ValiditaScontoAl = CAdoRecordset::DateValue(cliente.Field(QStringLiteral("ValiditaAl")));
        IDListino = QtrVisitatore::ListinoCliente(cliente, Connection());
    }
    CaricaGruppo(cliente, condizioni);
}

// The group's name, and its discounts where the customer has none of his
// own (an empty text stands for none); a period discount comes with its
// dates.
void AreaRiservata::CaricaGruppo(const CAdoRecordset& cliente, bool condizioni)
{
    CAdoRecordset gruppo;
    CacheNegozio::Apri(gruppo, QStringLiteral("SELECT * FROM Gruppi WHERE ID=?"), Connection(), {IDGruppo});
    if (gruppo.IsEOF())
        return;
    Gruppo = Testo(gruppo, "Nome");
    if (!condizioni)
        return;
    if (!Testo(gruppo, "ScontoPredefinito").isEmpty() && Testo(cliente, "ScontoPredefinito").isEmpty())
        ScontoPredefinito = Testo(gruppo, "ScontoPredefinito");
    if (!Testo(gruppo, "ScontoPeriodo").isEmpty() && Testo(cliente, "ScontoPeriodo").isEmpty()) {
        if (!gruppo.IsNull(QStringLiteral("ValiditaDal")))
            ValiditaScontoDal = CAdoRecordset::DateValue(gruppo.Field(QStringLiteral("ValiditaDal")));
        if (!gruppo.IsNull(QStringLiteral("ValiditaAl")))
            ValiditaScontoAl = CAdoRecordset::DateValue(gruppo.Field(QStringLiteral("ValiditaAl")));
        ScontoPeriodo = Testo(gruppo, "ScontoPeriodo");
    }
}

// "INT" and an interest's ID: "OK" when the member chose it, else empty.
void AreaRiservata::CaricaInteressi(qint32 idUtente)
{
    QSet<qint32> scelti;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT IDInteresse FROM InteressiUtenti WHERE IDUtente=?"), Connection(), {idUtente});
    for (; !rs.IsEOF(); rs.MoveNext())
        scelti.insert(rs.Field(QStringLiteral("IDInteresse")).toInt());
    // The interests change only with the desktop's upload: kept rows serve.
    CacheNegozio::Apri(rs, QStringLiteral("SELECT ID FROM Interessi ORDER BY ID"), Connection());
    for (; !rs.IsEOF(); rs.MoveNext()) {
        const QString chiave = ChiaveInteresse(rs.Field(QStringLiteral("ID")));
        const QString valore = scelti.contains(rs.Field(QStringLiteral("ID")).toInt()) ? QStringLiteral("OK") : QString();
        // Written only when it changes: this runs at every page start.
        if (!SessionValue(chiave).isValid() || SessionText(chiave) != valore)
            SetSession(chiave, valore);
    }
}

void AreaRiservata::CaricaDatiUtente()
{
    const qint32 cliente = QtrVisitatore::Cliente(*Session());
    const qint32 id = cliente != 0 ? cliente : QtrVisitatore::MembroMailing(*Session());
    if (id == 0) {
        TipoUtente = SessionValue(QStringLiteral("TipoUtenteUR")).toInt();
        for (const MembroCampo& campo : MembriCampi::Campi())
            ImpostaCampo(QLatin1String(campo.nome), SessionText(MembriCampi::ChiaveSessione(campo)));
        IDListino = QtrVisitatore::Listino(*Session());
        return;
    }
    CAdoRecordset riga;
    riga.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=?"), Connection(), {id});
    if (riga.IsEOF())
        return;
    const bool mailing = riga.Field(QStringLiteral("TipoUtente")).toInt() == kMailing;
    CaricaRiga(riga, !mailing);
    UserID = Testo(riga, "UserID");
    CaricaInteressi(IDUtente);
    if (mailing || cliente == 0)
        return;
    QtrVisitatore::Collega(*Session(), IDUtente, IDGruppo, IDListino,
                           TipoUtente == kAgente ? IDUtente : QtrVisitatore::Agente(*Session()));
}

void AreaRiservata::Rifiuta()
{
    UserID.clear();
    Gruppo.clear();
    for (const MembroCampo& campo : MembriCampi::Campi())
        ImpostaCampo(QLatin1String(campo.nome), QString());
    ScontoPredefinito.clear();
    Pagamento.clear();
    ScontoPeriodo.clear();
    IDUtente = IDAgente = IDGruppo = IDListino = 0;
    TipoUtente = 0;
    Fido = FidoResiduo = 0;
}

void AreaRiservata::AzzeraDatiUtente()
{
    Guard([&] {
        for (const MembroCampo& campo : MembriCampi::Campi()) {
            ImpostaCampo(QLatin1String(campo.nome), QString());
            SetSession(MembriCampi::ChiaveSessione(campo), QString());
        }
        Errore.clear();
        IDListino = 0;
    });
}

// ---------------------------------------------------------------- login and logout

// The members' shop and the typed user ID, lower case: what the pause
// after failed logins counts.
QString AreaRiservata::ChiaveTentativi(const QString& userID) const
{
    return SessionText(QStringLiteral("DbPath")) + QLatin1Char('\n') + userID;
}

// Every value is bound; the user ID matches whatever its case, the
// password is checked against its stored hash, and an unknown user ID
// costs the same check. While failed logins from this address or for this
// user ID keep them paused, a login is refused unchecked.
bool AreaRiservata::ValidazioneUtente()
{
    return Guard([&] {
        const qint32 agente = QtrVisitatore::Agente(*Session());
        CAdoRecordset cliente;
        const QString indirizzo = Request()->ServerVariable(QStringLiteral("REMOTE_ADDR"));
        QString chiave;
        if (agente == 0) {
            UserID = RequestValue(QStringLiteral("UserID"));
            if (UserID.isEmpty())
                return false;
            chiave = ChiaveTentativi(UserID);
            if (QtrTentativiAccesso::Membri().Sospeso(indirizzo, chiave)) {
                Rifiuta();
                return false;
            }
            cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE LOWER(UserID)=LOWER(?) AND UserID<>'' ORDER BY ID"),
                         Connection(), {UserID});
            const bool valido = CPasswordHash::Verify(cliente.IsEOF() ? QString() : Testo(cliente, "Password"),
                                                      RequestValue(QStringLiteral("Password")));
            if (!valido) {
                QtrTentativiAccesso::Membri().Fallito(indirizzo, chiave);
                Rifiuta();
                return false;
            }
            QtrTentativiAccesso::Membri().Riuscito(chiave);
        } else {
            const QString richiesta = RequestValue(QStringLiteral("IDUtente"));
            if (richiesta.isEmpty())
                return false;
            const qint32 id = CatalogoValori::Numero(richiesta).value_or(0);
            cliente.Open(QStringLiteral("SELECT * FROM Clienti WHERE ID=? AND IDAgente=?"), Connection(),
                         {id, agente});
            if (cliente.IsEOF()) {
                Rifiuta();
                return false;
            }
        }
        const QString userID = UserID;
        const bool mailing = cliente.Field(QStringLiteral("TipoUtente")).toInt() == kMailing;
        CaricaRiga(cliente, !mailing);
        UserID = userID;
        if (mailing)
            QtrVisitatore::CollegaMembroMailing(*Session(), IDUtente);
        else
            QtrVisitatore::Collega(*Session(), IDUtente, IDGruppo, IDListino,
                                   TipoUtente == kAgente ? IDUtente : agente);
        CaricaInteressi(IDUtente);
        // An identifier someone learnt before the login names nothing after it.
        Session()->RenewID();
        return true;
    });
}

// The member's state goes with him: the visitor is again the anonymous
// one a new Session starts as (his rights, prices and list), and the
// checkout's data, the typed registration data, the interest boxes and
// the order marks are dropped.
void AreaRiservata::ScollegaUtente()
{
    Guard([&] {
        QtrVisitatore::Azzera(*Session(), Connection());
        for (const OrdineCampo& campo : OrdineControlli::Campi())
            SetSession(QLatin1String(campo.chiave), QString());
        for (const char* chiave : {"Errore", "NumOrd", "IDClienteOrdine", "BodyMail"})
            SetSession(QLatin1String(chiave), QVariant());
        for (const MembroCampo& campo : MembriCampi::Campi())
            SetSession(MembriCampi::ChiaveSessione(campo), QString());
        CAdoRecordset interessi;
        interessi.Open(QStringLiteral("SELECT ID FROM Interessi"), Connection());
        for (; !interessi.IsEOF(); interessi.MoveNext())
            SetSession(ChiaveInteresse(interessi.Field(QStringLiteral("ID"))), QString());
        Session()->RenewID();
    });
}

// ---------------------------------------------------------------- registration and profile

void AreaRiservata::ApriDizionario(Dizionario& dizionario)
{
    dizionario.OnStartPage(Context());
    if (SessionFlag(QStringLiteral("ShareConn")))
        dizionario.SetConn(Connection());
}

int AreaRiservata::RegistraUtente(const QVariant& UlterioriNote, const QVariant& FlagUserID,
                                  const QVariant& FlagPermessiUtenteAnonimo)
{
    return Guard([&] { return Registra(UlterioriNote, Flag(FlagUserID), Flag(FlagPermessiUtenteAnonimo)); });
}

// Only the visitor's own row, or a row of one of the agent's customers
// while he is logged in, may be changed; anything else is refused.
qint32 AreaRiservata::RigaModificabile(const QString& richiesta)
{
    if (richiesta.isEmpty())
        return 0;
    const std::optional<qint32> id = CatalogoValori::Numero(richiesta);
    if (!id || *id < 0)
        return -1;
    if (*id == 0)
        return 0;
    const IAspSession& session = *Session();
    if (*id == QtrVisitatore::Cliente(session) || *id == QtrVisitatore::MembroMailing(session))
        return *id;
    const qint32 agente = QtrVisitatore::Agente(session);
    if (agente == 0)
        return -1;
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT ID FROM Clienti WHERE ID=? AND IDAgente=?"), Connection(), {*id, agente});
    return rs.IsEOF() ? -1 : *id;
}

namespace {

// An image button named "Annulla..." cancels a posted form.
bool Annullato(const IAspRequest& request, const QString& submit)
{
    if (submit == QLatin1String("Annulla"))
        return true;
    if (request.ServerVariable(QStringLiteral("REQUEST_METHOD")).compare(QLatin1String("GET"), Qt::CaseInsensitive) == 0)
        return false;
    for (const auto& [nome, valore] : request.FormFields()) {
        Q_UNUSED(valore);
        const QString minuscolo = nome.toLower();
        if ((minuscolo.endsWith(QLatin1String(".x")) || minuscolo.endsWith(QLatin1String(".y")))
            && nome.left(7) == QLatin1String("Annulla"))
            return true;
    }
    return false;
}

// A new customer's kind, from the visitor kinds the form offers: business
// or private customer, or mailing-only member; -1 for anything else.
int TipoNuovoCliente(const QString& richiesta)
{
    if (richiesta.isEmpty())
        return 0;
    const std::optional<qint32> tipo = CatalogoValori::Numero(richiesta);
    return tipo && *tipo >= 0 && *tipo <= kMailing ? *tipo : -1;
}

} // namespace

int AreaRiservata::Registra(const QVariant& ulterioriNote, bool generaCredenziali, bool copiaPermessi)
{
    Response()->SetExpires(0);
    PasswordGenerata.clear();

    // What the visitor typed stays in the Session, for the form shown again.
    QSet<qint32> scelti;
    CAdoRecordset interessi;
    interessi.Open(QStringLiteral("SELECT ID FROM Interessi ORDER BY Ordine, ID"), Connection());
    for (; !interessi.IsEOF(); interessi.MoveNext()) {
        const QVariant id = interessi.Field(QStringLiteral("ID"));
        const bool scelto = !RequestValue(ChiaveInteresse(id)).isEmpty();
        SetSession(ChiaveInteresse(id), scelto ? QStringLiteral("OK") : QString());
        if (scelto)
            scelti.insert(id.toInt());
    }
    interessi.Close();
    RegistrazioneModulo modulo;
    for (const MembroCampo& campo : MembriCampi::Campi()) {
        const QString valore = MembriCampi::Limitato(campo, RequestValue(QLatin1String(campo.nome)));
        SetSession(MembriCampi::ChiaveSessione(campo), valore);
        modulo.campi.insert(QLatin1String(campo.nome), valore);
    }
    if (Annullato(*Request(), RequestValue(QStringLiteral("Submit"))))
        return 1;

    modulo.note = RequestValue(QStringLiteral("Note")).left(RegistrazioneControlli::kLunghezzaNote + 1);
    modulo.password = RequestValue(QStringLiteral("Password"));
    modulo.conferma = RequestValue(QStringLiteral("ConfermaPassword"));
    modulo.interesseScelto = !scelti.isEmpty();
    const qint32 riga = RigaModificabile(RequestValue(QStringLiteral("IDUtente")));
    if (riga > 0) {
        CAdoRecordset cliente;
        cliente.Open(QStringLiteral("SELECT TipoUtente FROM Clienti WHERE ID=?"), Connection(), {riga});
        modulo.tipo = cliente.IsEOF() ? -1 : cliente.Field(QStringLiteral("TipoUtente")).toInt();
    } else {
        modulo.tipo = TipoNuovoCliente(RequestValue(QStringLiteral("TipoUtente")));
    }

    Dizionario dizionario;
    ApriDizionario(dizionario);
    const auto traduci = [&](const QString& codice) { return dizionario.Traduci(codice); };
    for (const MembroCampo& campo : MembriCampi::Campi())
        ImpostaCampo(QLatin1String(campo.nome), modulo.campi.value(QLatin1String(campo.nome)));

    QString codice;
    if (riga < 0 || modulo.tipo < 0) {
        codice = QStringLiteral("PMTRICHIESTANONVALIDA");
    } else {
        RegistrazioneRegole regole;
        regole.campiObbligatori = SessionText(QStringLiteral("CampiObbligatori"));
        regole.lunghezzaMinimaPassword = SessionValue(QStringLiteral("LunghezzaMinimaPassword")).toInt();
        regole.passwordNumerica = SessionFlag(QStringLiteral("PasswordNumerica"));
        regole.controlloCFPI = SessionFlag(QStringLiteral("ControlloCFPI"));
        regole.nuovo = riga == 0;
        codice = RegistrazioneControlli::UltimoFallito(modulo, regole, [&](const QString& colonna, const QString& valore) {
            CAdoRecordset rs;
            rs.Open(QStringLiteral("SELECT ID FROM Clienti WHERE LOWER(%1)=LOWER(?) AND ID<>?").arg(colonna),
                    Connection(), {valore, riga});
            return !rs.IsEOF();
        });
    }
    if (!codice.isEmpty()) {
        Errore = traduci(codice);
        if (Errore.isEmpty())
            Errore = codice;
        Errore.replace(QStringLiteral("[LUNGHEZZA]"), SessionText(QStringLiteral("LunghezzaMinimaPassword")));
        dizionario.Free();
        return 2;
    }
    Errore.clear();

    RegistrazioneDati dati;
    dati.idUtente = riga;
    dati.idAgente = QtrVisitatore::Agente(*Session());
    dati.idGruppo = CatalogoValori::Numero(SessionValue(QStringLiteral("IDGruppoRegistrazione"))).value_or(0);
    dati.tipo = modulo.tipo;
    dati.campi = modulo.campi;
    dati.codiceLingua = SessionText(QStringLiteral("CodiceLingua"));
    dati.password = modulo.password;
    dati.generaCredenziali = riga == 0 && generaCredenziali;
    dati.lunghezzaPassword = SessionValue(QStringLiteral("LunghezzaMinimaPassword")).toInt();
    dati.passwordNumerica = SessionFlag(QStringLiteral("GenerazioneUserPswdNumeriche"));
    dati.copiaPermessi = riga == 0 && copiaPermessi;
    dati.impostaInteressi = RequestValue(QStringLiteral("ImpostaInteressi"));
    dati.interessiScelti = scelti;
    const RegistrazioneEsito esito = RegistrazioneScrittura::Scrivi(Connection(), dati);

    FlagUserID = dati.generaCredenziali;
    if (FlagUserID)
        UserID = esito.userID;
    InviaRegistrazione(dizionario, modulo.campi, modulo.note, ulterioriNote.toString(), riga == 0, esito.userID,
                       esito.passwordGenerata);
    dizionario.Free();
    AzzeraDatiUtente();
    return 0;
}

// The merchant always hears of it; the member when he gave an address.
// A generated password goes to the member only: by mail, or when none
// could go, on the page (PasswordGenerata).
void AreaRiservata::InviaRegistrazione(Dizionario& dizionario, const QHash<QString, QString>& campi,
                                       const QString& note, const QString& ulterioriNote, bool nuovo,
                                       const QString& userID, const QString& password)
{
    const RegistrazioneTesto testo([&](const QString& codice) { return dizionario.Traduci(codice); });
    const RegistrazioneTesto::Dati dati{campi, note, ulterioriNote, userID, password};
    const QString email = campi.value(QStringLiteral("Email"));
    const QString info = SessionText(QStringLiteral("EmailInfo"));
    const bool valida = !email.isEmpty() && CSmtpMessage::CheckMailbox(email).isEmpty();
    Invia(valida ? email : info, info, RegistrazioneTesto::OggettoEsercente(), testo.CorpoEsercente(dati));
    bool mandata = false;
    if (valida)
        mandata = Invia(info, email, testo.OggettoCliente(),
                        testo.CorpoCliente(dati, nuovo ? QStringLiteral("MSGCONFERMAREG")
                                                       : QStringLiteral("MSGCONFERMAMODREG")))
            && !Funzioni::ModalitaLocale(Context());
    if (!password.isEmpty() && !mandata)
        PasswordGenerata = password;
}

bool AreaRiservata::Invia(const QString& mittente, const QString& destinatario, const QString& oggetto,
                          const QString& testo) const
{
    try {
        Funzioni::InviaEmail(Context(), mittente, destinatario, oggetto, testo);
        return true;
    } catch (const std::runtime_error& errore) {
        Funzioni::RegistraErrore(QStringLiteral("E-mail a %1 non inviata: %2")
                                     .arg(destinatario, QString::fromUtf8(errore.what())));
        return false;
    }
}

// ---------------------------------------------------------------- password recovery

bool AreaRiservata::RecuperoPassword()
{
    return Guard([&] {
        Dizionario dizionario;
        ApriDizionario(dizionario);
        const auto traduci = [&](const QString& codice) { return dizionario.Traduci(codice); };
        QString email = Request()->QueryString(QStringLiteral("Email"));
        if (email.isNull())
            email = Request()->Form(QStringLiteral("Email"));
        email = email.trimmed();
        const QString indirizzo = Request()->ServerVariable(QStringLiteral("REMOTE_ADDR"));
        const QString chiave = SessionText(QStringLiteral("DbPath")) + QLatin1Char('\n') + email.toLower();
        QtrTentativiAccesso& richieste = RecuperoCredenziali::Richieste();
        if (!email.isEmpty() && richieste.Sospeso(indirizzo, chiave)) {
            Errore = traduci(QStringLiteral("ERRINVIO"));
            dizionario.Free();
            return false;
        }
        if (!email.isEmpty())
            richieste.Fallito(indirizzo, chiave);
        const auto esito = RecuperoCredenziali::Esegui(
            Connection(), email, SessionValue(QStringLiteral("LunghezzaMinimaPassword")).toInt(),
            SessionFlag(QStringLiteral("GenerazioneUserPswdNumeriche")), traduci,
            [&](const QString& oggetto, const QString& corpo) {
                return Invia(SessionText(QStringLiteral("EmailInfo")), email, oggetto, corpo);
            });
        switch (esito) {
        case RecuperoCredenziali::Esito::Inviata:
            Errore.clear();
            break;
        case RecuperoCredenziali::Esito::NessunIndirizzo:
            Errore = traduci(QStringLiteral("ERREMAIL"));
            break;
        case RecuperoCredenziali::Esito::Sconosciuto:
            Errore = traduci(QStringLiteral("ERRRECPSWD"));
            break;
        case RecuperoCredenziali::Esito::NonInviata:
            Errore = traduci(QStringLiteral("ERRINVIO"));
            break;
        }
        dizionario.Free();
        return esito == RecuperoCredenziali::Esito::Inviata;
    });
}

// ---------------------------------------------------------------- interests

void AreaRiservata::CaricaInteresse()
{
    IDInteresse = m_rsInteressi.Field(QStringLiteral("ID")).toInt();
    const QString sql = QStringLiteral("SELECT * FROM InteressiLingue WHERE IDInteresse=? AND CodiceLingua=?");
    CAdoRecordset testo;
    testo.Open(sql, Connection(), {IDInteresse, SessionText(QStringLiteral("CodiceLingua"))});
    if (testo.IsEOF())
        testo.Open(sql, Connection(), {IDInteresse, SessionText(QStringLiteral("CodiceLinguaPredefinita"))});
    NomeInteresse.clear();
    DescrizioneInteresse.clear();
    if (testo.IsEOF())
        return;
    if (!testo.IsNull(QStringLiteral("Nome")))
        NomeInteresse = Funzioni::DecifraTesto(Testo(testo, "Nome"));
    if (!testo.IsNull(QStringLiteral("Descrizione")))
        DescrizioneInteresse = Funzioni::DecifraTesto(Testo(testo, "Descrizione"));
}

bool AreaRiservata::ApriElencoInteressi()
{
    return Guard([&] {
        m_rsInteressi.Open(QStringLiteral("SELECT * FROM Interessi ORDER BY Ordine, ID"), Connection());
        if (m_rsInteressi.IsEOF())
            return false;
        CaricaInteresse();
        return true;
    });
}

bool AreaRiservata::LeggiInteresseSuccessivo()
{
    return Guard([&] {
        m_rsInteressi.MoveNext();
        if (m_rsInteressi.IsEOF())
            return false;
        CaricaInteresse();
        return true;
    });
}

void AreaRiservata::ChiudiElencoInteressi()
{
    Guard([&] { m_rsInteressi.Close(); });
}

bool AreaRiservata::ControlloCheckModuloInteressi()
{
    return Guard([&] { return !SessionText(ChiaveInteresse(IDInteresse)).isEmpty(); });
}

// ---------------------------------------------------------------- an agent's customers

void AreaRiservata::CaricaClienteAgente()
{
    IDUtente = m_rsClientiAgente.Field(QStringLiteral("ID")).toInt();
    CaricaCampi(m_rsClientiAgente, QString());
}

// A posted filter holds for the rest of the visit; each is a prefix of its
// column, whatever its case and whatever wildcards it holds.
bool AreaRiservata::ApriElencoClientiAgente()
{
    return Guard([&] {
        const qint32 agente = QtrVisitatore::Agente(*Session());
        if (agente == 0)
            return false;
        IDClientiAgente = agente;
        const bool post = Request()->ServerVariable(QStringLiteral("REQUEST_METHOD"))
                              .compare(QLatin1String("POST"), Qt::CaseInsensitive) == 0;
        QString sql = QStringLiteral("SELECT * FROM Clienti WHERE TipoUtente<2 AND IDAgente=?");
        QVariantList valori{agente};
        for (const char* colonna : kFiltri) {
            const QString nome = QStringLiteral("Filtro") + QLatin1String(colonna);
            if (post) {
                const QString filtro = Request()->Form(nome).left(kLunghezzaFiltro);
                setProperty(nome.toLatin1().constData(), filtro);
                SetSession(nome, filtro);
            }
            const QString filtro = property(nome.toLatin1().constData()).toString();
            if (filtro.isEmpty())
                continue;
            sql += QStringLiteral(" AND %1 LIKE ?").arg(QLatin1String(colonna)) + QLatin1String(CJetSql::kLikeEscape);
            valori << CJetSql::LikeLiteral(filtro) + QLatin1Char('%');
        }
        sql += QStringLiteral(" ORDER BY RagioneSociale, Cognome, ID");
        QString richiesta = Request()->QueryString(QStringLiteral("Page"));
        if (richiesta.isNull())
            richiesta = Request()->Form(QStringLiteral("Page"));
        const qint32 pagina = std::max(1, CatalogoValori::Numero(richiesta).value_or(1));

        m_rsClientiAgente.Open(sql, Connection(), valori);
        if (m_rsClientiAgente.IsEOF())
            return false;
        NumeroClienti = m_rsClientiAgente.RecordCount();
        int lunghezza = SessionValue(QStringLiteral("LunghezzaElencoClientiAgente")).toInt();
        if (lunghezza <= 0)
            lunghezza = kClientiPerPagina;
        LunghezzaElencoClienti = std::min(lunghezza, NumeroClienti);
        m_rsClientiAgente.SetPageSize(LunghezzaElencoClienti);
        PaginaCorrente = std::min(pagina, m_rsClientiAgente.PageCount());
        m_rsClientiAgente.SetAbsolutePage(PaginaCorrente);
        TotalePagine = m_rsClientiAgente.PageCount();
        CaricaClienteAgente();
        return true;
    });
}

bool AreaRiservata::LeggiClienteAgenteSuccessivo()
{
    return Guard([&] {
        m_rsClientiAgente.MoveNext();
        if (m_rsClientiAgente.IsEOF())
            return false;
        CaricaClienteAgente();
        return true;
    });
}

void AreaRiservata::ChiudiElencoClientiAgente()
{
    Guard([&] { m_rsClientiAgente.Close(); });
}

bool AreaRiservata::ControlloPrimaPaginaElencoClienti()
{
    return Guard([&] { return PaginaCorrente == 1; });
}

bool AreaRiservata::ControlloUltimaPaginaElencoClienti()
{
    return Guard([&] { return PaginaCorrente == m_rsClientiAgente.PageCount(); });
}

// ---------------------------------------------------------------- a customer's consignees

void AreaRiservata::CaricaDestinatario()
{
    IDUtenteDestinatario = m_rsDestinatari.Field(QStringLiteral("ID")).toInt();
    CaricaCampi(m_rsDestinatari, QStringLiteral("Destinatario"));
}

bool AreaRiservata::ApriElencoDestinatariCliente()
{
    return Guard([&] {
        const qint32 cliente = QtrVisitatore::Cliente(*Session());
        if (cliente == 0)
            return false;
        m_rsDestinatari.Open(QStringLiteral("SELECT * FROM Clienti WHERE IDCliente=? ORDER BY RagioneSociale, Cognome, Nome, ID"),
                             Connection(), {cliente});
        if (m_rsDestinatari.IsEOF())
            return false;
        NumeroDestinatari = m_rsDestinatari.RecordCount();
        CaricaDestinatario();
        return true;
    });
}

bool AreaRiservata::LeggiDestinatarioClienteSuccessivo()
{
    return Guard([&] {
        m_rsDestinatari.MoveNext();
        if (m_rsDestinatari.IsEOF())
            return false;
        CaricaDestinatario();
        return true;
    });
}

void AreaRiservata::ChiudiElencoDestinatariCliente()
{
    Guard([&] { m_rsDestinatari.Close(); });
}
