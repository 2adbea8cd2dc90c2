#include "server/orders/Carrello.h"

#include "server/core/LettoreNumeri.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/core/catalogo/CatalogoTesti.h"
#include "server/core/QtrValori.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/orders/CarrelloPrezzoOggetto.h"
#include "server/orders/CarrelloRichiesta.h"

#include <cmath>
#include <stdexcept>

QTR_ASP_REGISTER(Carrello)

namespace {

const QString kNonDisponibile = QStringLiteral("Il prodotto richiesto non è disponibile.");
const QString kQuantitaNonValida = QStringLiteral("La quantità richiesta non è valida.");
const QString kTolto = QStringLiteral("Un prodotto non più disponibile è stato tolto dal carrello.");
const QString kSpedizioneNonValida = QStringLiteral("L'opzione di spedizione scelta non è disponibile.");
const QString kCarrelloPieno = QStringLiteral("Il carrello è pieno: per altri prodotti invia prima questo ordine.");
const QString kCampiTroppi = QStringLiteral("Le indicazioni per il prodotto sono troppe o troppo lunghe.");

// A line holds at least one unit, so no quantity prices it to nothing.
bool QuantitaValida(float quantita)
{
    return std::isfinite(quantita) && quantita >= 1 && quantita <= Carrello::kQuantitaMassima;
}

bool CampiUtenteValidi(const QList<QPair<QString, QString>>& campi)
{
    if (campi.size() > Carrello::kCampiUtenteMassimi)
        return false;
    for (const auto& [nome, valore] : campi)
        if (nome.size() > Carrello::kLunghezzaCampoUtente || valore.size() > Carrello::kLunghezzaCampoUtente)
            return false;
    return true;
}

// A catalogue object started for the page and freed when it goes.
class CatalogoOggetto
{
public:
    Catalogo catalogo;
    ~CatalogoOggetto() { catalogo.Free(); }
};

} // namespace

Carrello::Carrello(QObject* parent) : CQtrServerObject(parent) {}

Carrello::~Carrello() = default;

// ---------------------------------------------------------------- frame

void Carrello::Start()
{
    CQtrServerObject::Start();
    NumeroOggettiNelCarrello = static_cast<qint16>(Oggetti().size());
    AttivaSpeseSpedizionePersonalizzate = SessionFlag(QStringLiteral("SpedizioniPersonalizzate"));
    ImportoSpeseSpedizionePersonalizzate = SessionReale("ImportoSpedizioniPersonalizzate");
    m_calcoloTotali = true;
    if (!SessionFlag(QStringLiteral("ShareConn")))
        CalcolaTotali();
}

void Carrello::SetConn(QObject* Connect)
{
    Guard([&] {
        UseConnection(Connect);
        CalcolaTotali();
    });
}

double Carrello::SessionReale(const char* chiave) const
{
    return LettoreNumeri::Decimale(SessionValue(QLatin1String(chiave))).value_or(0);
}

CatalogoCambi Carrello::Cambi() const
{
    CatalogoCambi cambi;
    cambi.fcListino2Euro = SessionReale("FCListino2Euro");
    cambi.fcEuro2Web = SessionReale("FCEuro2Web");
    cambi.arrotondamento = SessionReale("Arrotondamento");
    cambi.arrotondamentoListino = SessionReale("ArrotondamentoListino");
    return cambi;
}

CarrelloImpostazioni Carrello::Impostazioni() const
{
    CarrelloImpostazioni i;
    i.cambi = Cambi();
    i.ivaCompresa = SessionFlag(QStringLiteral("AttivaPrezziIvaCompresa"));
    i.tipoPesoImballo = static_cast<qint32>(SessionReale("TipoPesoImballo"));
    i.pesoImballo = SessionReale("PesoImballo");
    i.ivaSpedizioni = SessionReale("IvaSpedizioni");
    i.tipoSpeseContrassegno = static_cast<qint32>(SessionReale("TipoSpeseContrassegno"));
    i.speseContrassegno = SessionReale("SpeseContrassegno");
    i.minimoContrassegno = SessionReale("MinimoContrassegno");
    i.spedizionePersonalizzata = AttivaSpeseSpedizionePersonalizzate;
    i.importoSpedizionePersonalizzata = ImportoSpeseSpedizionePersonalizzate;
    return i;
}

// ---------------------------------------------------------------- the Session's basket

QList<CarrelloOggetto> Carrello::Oggetti() const
{
    return CarrelloTesto::Leggi(SessionText(QStringLiteral("Basket")));
}

void Carrello::Salva(const QList<CarrelloOggetto>& oggetti)
{
    SetSession(QStringLiteral("Basket"), CarrelloTesto::Componi(oggetti));
    NumeroOggettiNelCarrello = static_cast<qint16>(oggetti.size());
    SetSession(QStringLiteral("DimBasket"), static_cast<int>(oggetti.size()));
}

// ---------------------------------------------------------------- operations

void Carrello::EseguiOperazione(const QVariant& ParOp, const QVariant& ParIdx, const QVariant& ParIDProdotto,
                                const QVariant& ParQta, const QVariant& ParIDCol, const QVariant& ParTaglia,
                                const QVariant& ParPrezzo, const QVariant& ParIDSpese, const QVariant& ParUserFields)
{
    Guard([&] {
        CarrelloOperazione operazione;
        if (!ParOp.toString().isEmpty())
            operazione = CarrelloRichiesta::DaArgomenti(ParOp, ParIdx, ParIDProdotto, ParQta, ParIDCol, ParTaglia,
                                                        ParPrezzo, ParIDSpese, ParUserFields);
        else if (Request()->ServerVariable(QStringLiteral("REQUEST_METHOD")) == QLatin1String("GET"))
            operazione = CarrelloRichiesta::DaQueryString(*Request());
        else
            operazione = CarrelloRichiesta::DaForm(*Request());
        IDProdotto = operazione.oggetto.idProdotto;
        Quantita = operazione.oggetto.quantita;
        IDColore = operazione.oggetto.idColore;
        Taglia = operazione.oggetto.taglia;
        Prezzo = operazione.oggetto.prezzo;
        Applica(operazione);
        if (m_calcoloTotali)
            CalcolaTotali();
        m_calcoloTotali = true;
    });
}

void Carrello::Applica(const CarrelloOperazione& operazione)
{
    QList<CarrelloOggetto> oggetti = Oggetti();
    NumeroOggettiNelCarrello = static_cast<qint16>(oggetti.size());
    const QString& parola = operazione.parola;
    const bool inLista = operazione.indice >= 1 && operazione.indice <= oggetti.size();
    if (parola == QLatin1String("spese")) {
        if (operazione.idSpese > 0 && !LeggiSpedizione(operazione.idSpese)) {
            Messaggio = kSpedizioneNonValida;
            return;
        }
        SetSession(QStringLiteral("IDSpese"), qMax(operazione.idSpese, 0));
    } else if (parola == QLatin1String("svuota")) {
        Svuota();
    } else if (parola == QLatin1String("aggiungi")) {
        Aggiungi(operazione.oggetto);
    } else if (parola == QLatin1String("modifica") && inLista && operazione.oggetto.quantita == 0) {
        // A quantity of 0 takes the line away.
        oggetti.removeAt(operazione.indice - 1);
        Salva(oggetti);
    } else if (parola == QLatin1String("modifica") && inLista) {
        if (!QuantitaValida(operazione.oggetto.quantita)) {
            Messaggio = kQuantitaNonValida;
            return;
        }
        oggetti[operazione.indice - 1].quantita = operazione.oggetto.quantita;
        Salva(oggetti);
    } else if (parola == QLatin1String("elimina") && inLista) {
        oggetti.removeAt(operazione.indice - 1);
        Salva(oggetti);
    }
}

// Only what the visitor can buy goes in: a product he may see and that is
// on sale, a colour of that product, a size it is sold in.
bool Carrello::Aggiungi(CarrelloOggetto oggetto)
{
    if (!QuantitaValida(oggetto.quantita) || !std::isfinite(oggetto.prezzo) || oggetto.prezzo < 0) {
        Messaggio = kQuantitaNonValida;
        return false;
    }
    if (!CampiUtenteValidi(oggetto.campiUtente) || oggetto.taglia.size() > kLunghezzaCampoUtente) {
        Messaggio = kCampiTroppi;
        return false;
    }
    if (Oggetti().size() >= kRigheMassime) {
        Messaggio = kCarrelloPieno;
        return false;
    }
    {
        CatalogoOggetto c;
        ApriCatalogo(c.catalogo);
        if (!LeggiDalCatalogo(c.catalogo, oggetto)) {
            Messaggio = kNonDisponibile;
            return false;
        }
        oggetto.idProdotto = c.catalogo.IDProdotto;
    }
    QList<CarrelloOggetto> oggetti = Oggetti();
    oggetti << oggetto;
    Salva(oggetti);
    return true;
}

void Carrello::Svuota()
{
    Guard([&] {
        Salva({});
        SetSession(QStringLiteral("IDSpese"), 0);
        // The basket that went with an order is gone: an empty basket is
        // already sent, and the same lines put in again are a new order.
        SetSession(QStringLiteral("CarrelloOrdinato"), QString());
    });
}

void Carrello::DisattivaCalcoloTotali()
{
    m_calcoloTotali = false;
}

// ---------------------------------------------------------------- items

void Carrello::ApriCatalogo(Catalogo& catalogo)
{
    catalogo.OnStartPage(Context());
    if (SessionFlag(QStringLiteral("ShareConn")))
        catalogo.SetConn(Connection());
}

bool Carrello::LeggiDalCatalogo(Catalogo& catalogo, const CarrelloOggetto& oggetto)
{
    if (oggetto.idColore != 0) {
        // A colour row that is gone, or that now belongs to another
        // product, never prices the item.
        if (oggetto.idColore < 0 || !catalogo.LeggiColore(oggetto.idColore))
            return false;
        if (oggetto.idProdotto != 0 && catalogo.IDProdotto != oggetto.idProdotto)
            return false;
        if (!catalogo.LeggiProdotto(catalogo.IDProdotto))
            return false;
    } else if (oggetto.idProdotto <= 0 || !catalogo.LeggiProdotto(oggetto.idProdotto)) {
        return false;
    }
    if (!catalogo.Attivo)
        return false;
    return oggetto.taglia.isEmpty() || CatalogoTesti::Voci(catalogo.Taglie).contains(oggetto.taglia);
}

bool Carrello::Prezza(QList<CarrelloOggetto>& oggetti, qsizetype i)
{
    const CarrelloOggetto oggetto = oggetti.at(i);
    CatalogoOggetto c;
    ApriCatalogo(c.catalogo);
    if (!LeggiDalCatalogo(c.catalogo, oggetto)) {
        oggetti.removeAt(i);
        Salva(oggetti);
        Messaggio = kTolto;
        return false;
    }
    IDProdotto = oggetto.idProdotto;
    Quantita = oggetto.quantita;
    IDColore = oggetto.idColore;
    Taglia = oggetto.taglia;
    m_campiUtente = oggetto.campiUtente;
    NumeroCampiUtente = static_cast<qint16>(qMin<qsizetype>(m_campiUtente.size(), 32767));
    CopiaProdotto(c.catalogo);

    const Catalogo& k = c.catalogo;
    CarrelloListino listino;
    listino.prezzoProdottoVL = k.PrezzoProdottoVL();
    listino.prezzoProdotto = k.PrezzoProdotto;
    listino.prezzoProdottoInEuro = k.PrezzoProdottoInEuro;
    listino.impostaProdottoVL = k.ImpostaProdottoVL;
    listino.impostaProdotto = k.ImpostaProdotto;
    listino.impostaProdottoInEuro = k.ImpostaProdottoInEuro;
    listino.prezzoInizialeVL = k.PrezzoInizialeVL;
    listino.iva = k.IVAProdotto;
    listino.flagScontoQuantitaAttivo = k.FlagScontoQuantitaAttivo();
    for (int n = 0; n < kFasceQuantita; ++n) {
        const QByteArray i1 = QByteArray::number(n + 1);
        CatalogoFascia& f = listino.fasce[n];
        f.limite = k.property("LimiteQuantita" + i1).toFloat();
        f.sconto = k.property("Sconto" + i1).toString();
        f.prezzoPromo = k.property("PrezzoPromo" + i1).toDouble();
        f.prezzoPromoVL = k.property("PrezzoPromo" + i1 + "VL").toDouble();
    }
    const CarrelloPrezzoOggetto p = CarrelloPrezzoOggetto::Calcola(
        listino, oggetto.quantita, oggetto.prezzo, Cambi(), SessionFlag(QStringLiteral("AttivaPrezziIvaCompresa")));
    Prezzo = p.prezzo;
    PrezzoProdottoVL = p.prezzoProdottoVL;
    PrezzoProdotto = p.prezzoProdotto;
    PrezzoProdottoInEuro = p.prezzoProdottoInEuro;
    ImpostaProdottoVL = p.impostaProdottoVL;
    ImpostaProdotto = p.impostaProdotto;
    ImpostaProdottoInEuro = p.impostaProdottoInEuro;
    ImportoProdottoVL = p.importoProdottoVL;
    ImportoProdotto = p.importoProdotto;
    ImportoProdottoInEuro = p.importoProdottoInEuro;
    FPrezzoProdottoVL = p.fPrezzoProdottoVL;
    FPrezzoProdotto = p.fPrezzoProdotto;
    FPrezzoProdottoInEuro = p.fPrezzoProdottoInEuro;
    FImpostaProdottoVL = p.fImpostaProdottoVL;
    FImpostaProdotto = p.fImpostaProdotto;
    FImpostaProdottoInEuro = p.fImpostaProdottoInEuro;
    FImportoProdottoVL = p.fImportoProdottoVL;
    FImportoProdotto = p.fImportoProdotto;
    FImportoProdottoInEuro = p.fImportoProdottoInEuro;
    return true;
}

void Carrello::CopiaProdotto(const Catalogo& k)
{
    SimboloValuta = k.SimboloValuta;
    IDCategoria = k.IDCategoria;
    CodiceProdotto = k.CodiceProdotto;
    CodiceABarreProdotto = k.CodiceABarreProdotto;
    NomeProdotto = k.NomeProdotto;
    DescrizioneFatturaProdotto = k.DescrizioneFatturaProdotto;
    DescrizioneBreveProdotto = k.DescrizioneBreveProdotto;
    DescrizioneEstesaProdotto = k.DescrizioneEstesaProdotto;
    UMProdotto = k.UMProdotto;
    IVAProdotto = k.IVAProdotto;
    PesoProdotto = k.PesoProdotto;
    DisponibilitaProdotto = static_cast<qint32>(std::nearbyint(k.DisponibilitaProdotto));
    ConfezioneProdotto = k.ConfezioneProdotto;
    Attivo = k.Attivo;
    Novita = k.Novita;
    Offerta = k.Offerta();
    ValiditaScontoDal = k.ValiditaScontoDal();
    ValiditaScontoAl = k.ValiditaScontoAl();
    ScontoProdotto = k.ScontoProdotto();
    CodiceColoreProdotto = k.CodiceColoreProdotto;
    DescrizioneColoreProdotto = k.DescrizioneColoreProdotto;
}

void Carrello::LeggiOggetto(const QVariant& Idx)
{
    Guard([&] {
        const std::optional<qint32> indice = CatalogoValori::Id(Idx, "Indice dell'oggetto");
        QList<CarrelloOggetto> oggetti = Oggetti();
        if (!indice || *indice < 1 || *indice > oggetti.size())
            return;
        Prezza(oggetti, *indice - 1);
    });
}

void Carrello::ContaCampiUtente()
{
    NumeroCampiUtente = static_cast<qint16>(qMin<qsizetype>(m_campiUtente.size(), 32767));
}

// By position (a number) it also names the field in NomeCampoUtente; by
// name it finds the first field whose name ends with the text given.
QString Carrello::LeggiCampoUtente(const QVariant& Parametro)
{
    return Guard([&]() -> QString {
        if (const std::optional<qint32> n = CatalogoValori::Numero(Parametro)) {
            if (*n > NumeroCampiUtente || *n > m_campiUtente.size()) {
                NomeCampoUtente.clear();
                return QString();
            }
            if (*n <= 0)
                return QString();
            NomeCampoUtente = m_campiUtente.at(*n - 1).first;
            return m_campiUtente.at(*n - 1).second;
        }
        const QString nome = Parametro.toString();
        for (const auto& [campo, valore] : m_campiUtente) {
            if (campo.endsWith(nome))
                return valore;
        }
        return QString();
    });
}

// ---------------------------------------------------------------- images

template <class Controllo>
bool Carrello::ControlloImmagine(Controllo controllo)
{
    return Guard([&] {
        CatalogoOggetto c;
        ApriCatalogo(c.catalogo);
        return controllo(c.catalogo);
    });
}

bool Carrello::ControlloFotoProdotti()
{
    return ControlloImmagine([&](Catalogo& k) {
        k.IDProdotto = IDProdotto;
        const bool trovata = k.ControlloFotoProdotti();
        PercorsoFotoProdotto = k.PercorsoFotoProdotto;
        PercorsoThumbnailProdotto = k.PercorsoThumbnailProdotto;
        return trovata;
    });
}

// An item without a colour has no colour images.
bool Carrello::ControlloFotoColore()
{
    return ControlloImmagine([&](Catalogo& k) {
        const bool trovata = IDColore > 0 && k.LeggiColore(IDColore) && k.ControlloFotoColore();
        PercorsoFotoColore = trovata ? k.PercorsoFotoColore : QString();
        PercorsoThumbnailColore = trovata ? k.PercorsoThumbnailColore : QString();
        return trovata;
    });
}

bool Carrello::ControlloDettaglioColore()
{
    return ControlloImmagine([&](Catalogo& k) {
        const bool trovata = IDColore > 0 && k.LeggiColore(IDColore) && k.ControlloDettaglioColore();
        PercorsoDettaglioColore = trovata ? k.PercorsoDettaglioColore : QString();
        return trovata;
    });
}

// ---------------------------------------------------------------- shipping and totals

std::optional<CarrelloSpedizione> Carrello::LeggiSpedizione(qint32 id)
{
    CAdoRecordset rs;
    rs.Open(QStringLiteral("SELECT * FROM SpeseSpedizione WHERE ID=?"), Connection(), {id});
    if (rs.IsEOF())
        return std::nullopt;
    CarrelloSpedizione s;
    for (int k = 0; k < 5; ++k) {
        s.limite[k] = rs.Field(QStringLiteral("Limite%1").arg(k + 1)).toDouble();
        s.prezzo[k] = rs.Field(QStringLiteral("Prezzo%1").arg(k + 1)).toDouble();
    }
    s.esenzioneIVA = QtrValori::Vero(rs.Field(QStringLiteral("EsenzioneIVA")));
    return s;
}

void Carrello::CalcolaTotali()
{
    QList<CarrelloOggetto> oggetti = Oggetti();
    QList<CarrelloRiga> righe;
    for (qsizetype i = 0; i < oggetti.size();) {
        if (Prezza(oggetti, i)) {
            righe.append({ImportoProdotto, IVAProdotto, PesoProdotto, Quantita});
            ++i;
        }
    }
    NumeroOggettiNelCarrello = static_cast<qint16>(oggetti.size());
    if (SessionReale("DimBasket") != oggetti.size())
        Salva(oggetti);

    std::optional<CarrelloSpedizione> spedizione;
    const qint32 idSpese = static_cast<qint32>(SessionReale("IDSpese"));
    if (idSpese > 0) {
        spedizione = LeggiSpedizione(idSpese);
        // An option the merchant has since deleted is no choice at all.
        if (!spedizione) {
            SetSession(QStringLiteral("IDSpese"), 0);
            Messaggio = kSpedizioneNonValida;
        }
    }
    m_totali = CarrelloTotali::Calcola(righe, Impostazioni(), spedizione, m_totali);
}

void Carrello::ImpostaSpeseSpedizione(const QVariant& Importo)
{
    Guard([&] {
        double importo = -1;
        if (Importo.isValid() && !Importo.isNull()) {
            const std::optional<double> letto = LettoreNumeri::Decimale(Importo);
            if (!letto)
                throw std::invalid_argument("ImpostaSpeseSpedizione: importo non numerico");
            importo = *letto;
        }
        AttivaSpeseSpedizionePersonalizzate = importo >= 0;
        ImportoSpeseSpedizionePersonalizzate = importo >= 0 ? importo : 0;
        SetSession(QStringLiteral("SpedizioniPersonalizzate"), AttivaSpeseSpedizionePersonalizzate);
        SetSession(QStringLiteral("ImportoSpedizioniPersonalizzate"), ImportoSpeseSpedizionePersonalizzate);
        CalcolaTotali();
    });
}

bool Carrello::SpeseSpedizioneOk()
{
    return Guard([&] { return static_cast<qint32>(SessionReale("IDSpese")) != 0; });
}

QString Carrello::OpzioniSpeseSpedizione(const QVariant& Prompt)
{
    return Guard([&] {
        const QString fine = QStringLiteral("\r");
        const qint32 scelta = static_cast<qint32>(SessionReale("IDSpese"));
        QString html = QStringLiteral("<select name=IDSpese size=1>") + fine;
        html += QStringLiteral("<option ") + (scelta == 0 ? QStringLiteral("selected ") : QString())
            + QStringLiteral("value=0>") + Prompt.toString() + QStringLiteral("</option>") + fine;
        CAdoRecordset rs;
        for (rs.Open(QStringLiteral("SELECT * FROM SpeseSpedizione ORDER BY Descrizione"), Connection()); !rs.IsEOF();
             rs.MoveNext()) {
            const qint32 id = rs.Field(QStringLiteral("ID")).toInt();
            html += QStringLiteral("<option ") + (id == scelta ? QStringLiteral("selected ") : QString())
                + QStringLiteral("value=") + QString::number(id) + QLatin1Char('>')
                + rs.Field(QStringLiteral("Descrizione")).toString() + QStringLiteral("</option>") + fine;
        }
        html += QStringLiteral("</select>") + fine;
        return html;
    });
}
