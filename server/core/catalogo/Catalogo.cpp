#include "server/core/catalogo/Catalogo.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspServer.h"
#include "platform/asp/IAspSession.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Funzioni.h"
#include "server/core/QtrValori.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoAlbero.h"
#include "server/core/catalogo/CatalogoFile.h"
#include "server/core/catalogo/CatalogoFonteScontiAdo.h"
#include "server/core/catalogo/CatalogoImporti.h"
#include "server/core/catalogo/CatalogoMotorePrezzi.h"
#include "server/core/catalogo/CatalogoSql.h"
#include "server/core/catalogo/CatalogoTesti.h"
#include "server/core/catalogo/CatalogoValori.h"

#include <QLocale>
#include <QRandomGenerator>

#include <stdexcept>

QTR_ASP_REGISTER(Catalogo)

namespace {

const QString kCartellaProdotti = QStringLiteral("/images/prodotti/");
const QString kCartellaThumbnail = QStringLiteral("/images/prodotti/th/");
const QString kCartellaColori = QStringLiteral("/images/prodotti/colori/");
const QString kCartellaThumbnailColori = QStringLiteral("/images/prodotti/colori/th/");
const QString kCartellaDettagli = QStringLiteral("/images/prodotti/colori/dettagli/");
const QString kCartellaCategorie = QStringLiteral("/images/categorie/");

// What a product of a list shows of its own row (CaricaProdotto): a list
// reads only these.
const QString kColonneLista = QStringLiteral(
    "Prodotti.ID, Prodotti.Codice, Prodotti.CodiceABarre, Prodotti.IVA, Prodotti.Peso, Prodotti.Disponibilita, "
    "Prodotti.Attivo, Prodotti.Novita, Prodotti.Offerta, Prodotti.Sconto, Prodotti.ValiditaScontoDal, "
    "Prodotti.ValiditaScontoAl, Prodotti.Confezioni, Prodotti.IDTabellaTaglie, Prodotti.DATaglia, Prodotti.ATaglia");

// The cursor's page size when the page never set one.
constexpr qint32 kPaginaPredefinita = 10;

// An optional ID argument left out or given as 0.
bool Zero(const QVariant& valore)
{
    return CatalogoValori::Vuoto(valore) || CatalogoValori::Numero(valore) == 0;
}

// Each reads the column once: a page reads some thirty of every product.
QString Testo(const CAdoRecordset& rs, const QString& colonna)
{
    const QVariant valore = rs.Field(colonna);
    return valore.isNull() ? QString() : valore.toString();
}

QString Decifrato(const CAdoRecordset& rs, const QString& colonna)
{
    const QVariant valore = rs.Field(colonna);
    return valore.isNull() ? QString() : Funzioni::DecifraTesto(valore.toString());
}

template <class T>
void SeNonNullo(const CAdoRecordset& rs, const QString& colonna, T& destinazione)
{
    const QVariant valore = rs.Field(colonna);
    if (!valore.isNull())
        destinazione = valore.value<T>();
}

double Reale(const QVariant& valore)
{
    if (valore.typeId() != QMetaType::QString)
        return valore.toDouble();
    QString testo = valore.toString().trimmed();
    testo.replace(QLatin1Char(','), QLatin1Char('.'));
    return QLocale::c().toDouble(testo);
}

// A 16-bit Session switch: empty reads as 0.
qint16 Flag16(const QVariant& valore)
{
    return CatalogoValori::Vuoto(valore) ? 0 : QtrValori::Intero16(valore);
}

} // namespace

Catalogo::Catalogo(QObject* parent) : CQtrServerObject(parent) {}

Catalogo::~Catalogo() = default;

// ---------------------------------------------------------------- frame

void Catalogo::Start()
{
    CQtrServerObject::Start();
    FlagNovita = Flag16(SessionValue(QStringLiteral("FlagNovita")));
    FlagOfferte = Flag16(SessionValue(QStringLiteral("FlagOfferte")));
}

// The cursors hold their rows in memory and outlive Free, as pages expect;
// only the discount lookup goes with the connection.
void Catalogo::ReleaseRecordsets()
{
    m_fonte.reset();
}

CatalogoFonteScontiAdo& Catalogo::Fonte()
{
    if (!m_fonte)
        m_fonte = std::make_unique<CatalogoFonteScontiAdo>(Connection());
    return *m_fonte;
}

void Catalogo::SetConn(QObject* Connect)
{
    Guard([&] {
        UseConnection(Connect);
        m_fonte.reset();
        m_pagina.Chiudi();
    });
}

void Catalogo::ImpostaPaginaNovita(const QVariant& N)
{
    Guard([&] {
        if (!N.toString().isEmpty())
            SetSession(QStringLiteral("FlagNovita"), Flag16(N));
        FlagNovita = Flag16(SessionValue(QStringLiteral("FlagNovita")));
    });
}

void Catalogo::ImpostaPaginaOfferte(const QVariant& O)
{
    Guard([&] {
        if (!O.toString().isEmpty())
            SetSession(QStringLiteral("FlagOfferte"), Flag16(O));
        FlagOfferte = Flag16(SessionValue(QStringLiteral("FlagOfferte")));
    });
}

void Catalogo::ImpostaCalcoloNumeroProdottiCategoria(const QVariant& F)
{
    Guard([&] {
        // Checked before it is kept, so a bad value spoils no later page.
        CatalogoValori::Intero(F, "FlagCalNumProCat");
        // Each page that lists categories says whether it counts.
        SetSessionPagina(QStringLiteral("FlagCalNumProCat"), F);
    });
}

void Catalogo::ImpostaSelezioneCustom(const QString& Sc)
{
    Guard([&] { SetSession(QStringLiteral("SelezioneCustom"), Sc); });
}

// ---------------------------------------------------------------- visitor

QVariant Catalogo::IdSessione(const char* chiave) const
{
    const auto id = CatalogoValori::Id(SessionValue(QString::fromLatin1(chiave)), chiave);
    return id ? QVariant(*id) : QVariant();
}

// Read again only when the page changes the visitor's group or user.
const CatalogoDiritti& Catalogo::Diritti()
{
    const QVariant gruppo = QtrVisitatore::Gruppo(*Session());
    const QVariant utente = QtrVisitatore::Utente(*Session());
    if (!m_diritti || m_diritti->idGruppo != gruppo || m_diritti->idUtente != utente)
        m_diritti = CatalogoDiritti::Leggi(Connection(), gruppo, utente);
    return *m_diritti;
}

// An ID argument, or the request's value under chiave when it is 0 or
// left out.
std::optional<qint32> Catalogo::IdArgomento(const QVariant& argomento, const char* chiave) const
{
    if (Zero(argomento))
        return CatalogoValori::Id(RequestValue(QString::fromLatin1(chiave)), chiave);
    return CatalogoValori::Id(argomento, chiave);
}

std::optional<qint32> Catalogo::IdUtente() const
{
    const QVariant utente = QtrVisitatore::Utente(*Session());
    return utente.isNull() ? std::nullopt : std::optional<qint32>(utente.toInt());
}

bool Catalogo::LinguaAttiva(const QString& codice)
{
    if (!m_lingueAttive) {
        QSet<QString> codici;
        CAdoRecordset rs;
        for (CacheNegozio::Apri(rs, QStringLiteral("SELECT Codice FROM Lingue WHERE Attivo=1"), Connection()); !rs.IsEOF();
             rs.MoveNext())
            codici.insert(rs.Field(QStringLiteral("Codice")).toString());
        m_lingueAttive = codici;
    }
    return m_lingueAttive->contains(codice);
}

// The visitor's language when it is one the shop offers; otherwise the
// texts come in the default language.
QString Catalogo::LinguaVisitatore()
{
    const QString codice = SessionText(QStringLiteral("CodiceLingua"));
    return LinguaAttiva(codice) ? codice : QString();
}

QString Catalogo::LinguaPredefinita() const { return SessionText(QStringLiteral("CodiceLinguaPredefinita")); }

CatalogoCambi Catalogo::Cambi() const
{
    CatalogoCambi cambi;
    cambi.fcListino2Euro = Reale(SessionValue(QStringLiteral("FCListino2Euro")));
    cambi.fcEuro2Web = Reale(SessionValue(QStringLiteral("FCEuro2Web")));
    cambi.arrotondamento = Reale(SessionValue(QStringLiteral("Arrotondamento")));
    cambi.arrotondamentoListino = Reale(SessionValue(QStringLiteral("ArrotondamentoListino")));
    return cambi;
}

QDate Catalogo::Oggi() const { return m_oggi.isValid() ? m_oggi : QDate::currentDate(); }

bool Catalogo::ApriInLingua(CAdoRecordset& rs, const QString& sql, qint32 id, bool tenuta)
{
    const auto apri = [&](const QString& lingua) {
        if (tenuta)
            CacheNegozio::Apri(rs, sql, Connection(), {lingua, id});
        else
            rs.Open(sql, Connection(), {lingua, id});
    };
    const QString lingua = LinguaVisitatore();
    if (!lingua.isEmpty()) {
        apri(lingua);
        if (!rs.IsEOF())
            return true;
    }
    apri(LinguaPredefinita());
    return !rs.IsEOF();
}

// ---------------------------------------------------------------- categories

CatalogoAlbero Catalogo::Albero() const { return CatalogoAlbero(Connection()); }

void Catalogo::TestiCategoria(qint32 id, QString& nome, QString& descrizione)
{
    CAdoRecordset rs;
    nome.clear();
    descrizione.clear();
    if (!ApriInLingua(rs, QStringLiteral("SELECT Nome, Descrizione FROM CategorieLingue WHERE CodiceLingua=? "
                                         "AND IDCategoria=?"),
                      id, true))
        return;
    nome = Decifrato(rs, QStringLiteral("Nome"));
    descrizione = Decifrato(rs, QStringLiteral("Descrizione"));
}

// The links of the category's ancestors from the top down; a missing
// ancestor or a loop in the tree ends the path instead of the page.
QString Catalogo::Percorso(qint32 id)
{
    QString percorso;
    QSet<qint32> visti;
    const CatalogoAlbero albero = Albero();
    while (id != 0 && !visti.contains(id)) {
        visti.insert(id);
        const std::optional<qint32> padre = albero.Padre(id);
        if (!padre)
            break;
        QString nome, descrizione;
        TestiCategoria(id, nome, descrizione);
        const QString pagina = albero.HaFigli(id)
            ? SessionText(QStringLiteral("URLPaginaCategorie")) + QStringLiteral("?IDCategoria=")
            : SessionText(QStringLiteral("URLPaginaProdotti")) + QStringLiteral("?Action=I&IDCategoria=");
        const QString link =
            QStringLiteral("<a href=\"") + pagina + QString::number(id) + QStringLiteral("\">") + nome + QStringLiteral("</a>");
        percorso = percorso.isEmpty() ? link : link + QStringLiteral(" | ") + percorso;
        id = *padre;
    }
    return percorso;
}

// The active base products the visitor may see in the category and all
// its descendants, each counted once.
qint32 Catalogo::ContaProdotti(qint32 id)
{
    const QList<qint32> ids = Albero().ConDiscendenti(id);
    CAdoRecordset rs;
    CatalogoSql sql(QStringLiteral("SELECT COUNT(DISTINCT Prodotti.ID) AS N FROM Prodotti INNER JOIN CategorieProdotti ON "
                                   "Prodotti.ID=CategorieProdotti.IDProdotto WHERE Prodotti.Attivo=1 AND "
                                   "Prodotti.IDProdottoBase=0 AND CategorieProdotti.IDCategoria IN (")
                    + CatalogoSql::Segnaposti(ids.size()) + QStringLiteral(")"));
    sql.Aggiungi(QString(), CatalogoSql::Valori(ids));
    FiltriProdotti(sql);
    rs.Open(sql.Testo(), Connection(), sql.Parametri());
    return rs.Field(QStringLiteral("N")).toInt();
}

void Catalogo::CaricaCategoria(const CAdoRecordset& rs)
{
    const qint32 id = rs.Field(QStringLiteral("ID")).toInt();
    FlagSottoCategorie = Albero().HaFigli(id);
    IDCategoria = id;
    CodiceCategoria = Testo(rs, QStringLiteral("Codice"));
    TestiCategoria(id, NomeCategoria, DescrizioneCategoria);
    PercorsoCategorie = Percorso(rs.Field(QStringLiteral("IDCategoriaPadre")).toInt());
    if (CatalogoValori::Intero(SessionValue(QStringLiteral("FlagCalNumProCat")), "FlagCalNumProCat") == 1)
        NumeroProdottiCategoria = ContaProdotti(id);
}

bool Catalogo::LeggiCategoria(const QVariant& IDCat)
{
    return Guard([&] {
        CatalogoSql sql(QStringLiteral("SELECT * FROM Categorie WHERE "));
        if (const auto id = CatalogoValori::Numero(IDCat))
            sql.Aggiungi(QStringLiteral("ID=?"), {*id});
        else
            sql.Aggiungi(QStringLiteral("Codice=?"), {IDCat.toString()});
        sql.DirittiCategoria(QtrVisitatore::Gruppo(*Session()), QtrVisitatore::Utente(*Session()));
        CacheNegozio::Apri(m_rsCategorie, sql.Testo(), Connection(), sql.Parametri());
        const bool trovata = !m_rsCategorie.IsEOF();
        if (trovata)
            CaricaCategoria(m_rsCategorie);
        m_rsCategorie.Close();
        return trovata;
    });
}

bool Catalogo::ApriPaginaCategorie(const QVariant& IDCat)
{
    return Guard([&] {
        m_rsCategorie.Close();
        qint32 padre = 0;
        if (const auto id = CatalogoValori::Numero(IDCat)) {
            padre = *id;
        } else if (!CatalogoValori::Vuoto(IDCat)) {
            const auto trovata = Albero().Cerca(IDCat);
            if (!trovata)
                return false;
            padre = *trovata;
        }
        CatalogoSql sql;
        sql.Aggiungi(QStringLiteral("SELECT * FROM Categorie WHERE IDCategoriaPadre=?"), {padre})
            .DirittiCategoria(QtrVisitatore::Gruppo(*Session()), QtrVisitatore::Utente(*Session()))
            .Aggiungi(QStringLiteral(" ORDER BY Ordine, ID"));
        CacheNegozio::Apri(m_rsCategorie, sql.Testo(), Connection(), sql.Parametri());
        if (m_rsCategorie.IsEOF())
            return false;
        CaricaCategoria(m_rsCategorie);
        return true;
    });
}

bool Catalogo::LeggiCategoriaSuccessiva()
{
    return Guard([&] {
        m_rsCategorie.MoveNext();
        if (m_rsCategorie.IsEOF())
            return false;
        CaricaCategoria(m_rsCategorie);
        return true;
    });
}

void Catalogo::ChiudiPaginaCategorie()
{
    Guard([&] { m_rsCategorie.Close(); });
}

bool Catalogo::ControlloFotoCategorie()
{
    return Guard([&] {
        // Only codes of the shop's languages become folder names.
        QStringList lingue;
        for (const QString& lingua : {LinguaVisitatore(), LinguaPredefinita()}) {
            if (!lingua.isEmpty() && LinguaAttiva(lingua) && !lingue.contains(lingua))
                lingue << lingua;
        }
        for (const QString& lingua : lingue) {
            if (File().Foto(kCartellaCategorie + lingua + QLatin1Char('/'), IDCategoria, PercorsoFotoCategoria))
                return true;
        }
        return false;
    });
}

bool Catalogo::ControlloCategoriaPadre(const QVariant& IDTestCat, const QVariant& IDParentCat)
{
    return Guard([&] {
        const std::optional<qint32> prova = Albero().Cerca(IDTestCat);
        if (!prova)
            return false;
        qint32 padre = IDCategoria;
        if (!Zero(IDParentCat)) {
            const std::optional<qint32> trovato = Albero().Cerca(IDParentCat);
            if (!trovato)
                return false;
            padre = *trovato;
        }
        QSet<qint32> visti;
        for (qint32 id = *prova; id != 0 && !visti.contains(id);) {
            visti.insert(id);
            const std::optional<qint32> suo = Albero().Padre(id);
            if (!suo)
                return false;
            id = *suo;
            if (id == padre)
                return true;
        }
        return false;
    });
}

// ---------------------------------------------------------------- product pages

void Catalogo::DisattivaCategorie()
{
    m_categorieDisattivate = true;
}

bool Catalogo::ApriPaginaProdotti(const QVariant& Pag, const QVariant& IDCatPar)
{
    return Guard([&] {
        ChiudiProdotti();
        QVariant categoria = RequestValue(QStringLiteral("IDCategoria"));
        QVariant pagina = RequestValue(QStringLiteral("Page"));
        if (!Zero(IDCatPar)) {
            categoria = IDCatPar;
            pagina = Pag;
        }
        // Both are checked before anything is kept.
        const std::optional<qint32> numeroPagina = CatalogoValori::Id(pagina, "Numero di pagina");
        if (!CatalogoValori::Vuoto(categoria)) {
            const std::optional<qint32> id = Albero().Cerca(categoria);
            if (id)
                SetSessionPagina(QStringLiteral("IDCategoriaProdotti"), *id);
            else if (!m_categorieDisattivate)
                return false;
        }
        // Where the visitor is in the list: no reason by itself to keep the
        // Session of a visitor who only browses.
        if (numeroPagina)
            SetSessionPagina(QStringLiteral("PaginaCorrenteProdotti"), qMax(*numeroPagina, 1));
        if (CatalogoValori::Vuoto(SessionValue(QStringLiteral("PaginaCorrenteProdotti"))))
            SetSessionPagina(QStringLiteral("PaginaCorrenteProdotti"), 1);

        const bool perLingua = CatalogoValori::Intero(SessionValue(QStringLiteral("TipoOrdinamento")), "TipoOrdinamento") != 0;
        QString lingua = LinguaVisitatore();
        if (lingua.isEmpty())
            lingua = LinguaPredefinita();
        const bool tutte = m_categorieDisattivate;
        m_categorieDisattivate = false;
        // Nearly every product is a base product: with a category to pick
        // from, the "+" keeps the engine from walking the base-product index.
        const QString base = tutte ? QStringLiteral("Prodotti.IDProdottoBase=0") : QStringLiteral("+Prodotti.IDProdottoBase=0");
        CatalogoSql sql;
        if (perLingua)
            sql.Aggiungi(QStringLiteral(" FROM Prodotti INNER JOIN ProdottiLingue ON "
                                        "ProdottiLingue.IDProdotto = Prodotti.ID WHERE Prodotti.Attivo=1 AND ")
                             + base + QStringLiteral(" AND ProdottiLingue.CodiceLingua=?"),
                         {lingua});
        else
            sql.Aggiungi(QStringLiteral(" FROM Prodotti WHERE Prodotti.Attivo=1 AND ") + base);
        FiltriProdotti(sql);
        if (!tutte) {
            // A visitor who never chose a category sees an empty page.
            const QVariant idCategoria = IdSessione("IDCategoriaProdotti");
            if (!idCategoria.isValid())
                return false;
            sql.Aggiungi(QStringLiteral(" AND Prodotti.ID IN (SELECT IDProdotto FROM CategorieProdotti WHERE "
                                        "IDCategoria=?)"),
                         {idCategoria});
        }
        const QString selezione = SessionText(QStringLiteral("SelezioneCustom"));
        if (perLingua && !selezione.isEmpty())
            sql.Aggiungi(QStringLiteral(" AND ProdottiLingue.Sort LIKE ?"), {selezione + QLatin1Char('%')});
        return ApriPagina(sql, perLingua ? QStringLiteral(" ORDER BY ProdottiLingue.Sort, Prodotti.ID")
                                         : QStringLiteral(" ORDER BY Prodotti.Ordine, Prodotti.ID"));
    });
}

void Catalogo::FiltriProdotti(CatalogoSql& sql)
{
    sql.DirittiProdotto(Diritti())
        .NovitaOfferte(CatalogoValori::Intero(SessionValue(QStringLiteral("FlagNovita")), "FlagNovita"),
                       CatalogoValori::Intero(SessionValue(QStringLiteral("FlagOfferte")), "FlagOfferte"), Oggi());
}

bool Catalogo::ApriPagina(const CatalogoSql& sql, const QString& ordine)
{
    qint32 lunghezza = Flag16(SessionValue(QStringLiteral("PageSize")));
    if (lunghezza < 1)
        lunghezza = kPaginaPredefinita;
    const qint32 pagina = CatalogoValori::Intero(SessionValue(QStringLiteral("PaginaCorrenteProdotti")),
                                                 "PaginaCorrenteProdotti");
    if (!m_finestra.Apri(m_rsProdotti, Connection(), kColonneLista, sql, ordine, lunghezza, pagina))
        return false;
    LunghezzaPaginaProdotti = static_cast<qint16>(m_finestra.Lunghezza());
    PaginaCorrenteProdotti = m_finestra.Pagina();
    // What the page's products show beside their own rows is read for
    // them all at once: texts, colours, and discount rows with the first
    // price. A page walked with LeggiProdottoSuccessivo until its length
    // steps onto the product after it: that one is read with the page too.
    QList<qint32> idPagina;
    for (; !m_rsProdotti.IsEOF(); m_rsProdotti.MoveNext())
        idPagina << m_rsProdotti.Field(QStringLiteral("ID")).toInt();
    m_pagina.Leggi(Connection(), idPagina, LinguaVisitatore(), LinguaPredefinita());
    Fonte().ProdottiDellaPagina(idPagina);
    m_rsProdotti.MoveFirst();
    CaricaProdotto();
    TotalePagineProdotti = m_finestra.Pagine();
    return true;
}

bool Catalogo::LeggiProdottoSuccessivo()
{
    return Guard([&] {
        m_rsProdotti.MoveNext();
        if (m_rsProdotti.IsEOF() && !m_finestra.LeggiResto(m_rsProdotti))
            return false;
        CaricaProdotto();
        return true;
    });
}

bool Catalogo::LeggiPrimoProdotto()
{
    return Guard([&] {
        // A page may set another page number before it asks again.
        if (m_finestra.Pagine() > 0 && PaginaCorrenteProdotti != m_finestra.Pagina())
            m_finestra.VaiAPagina(m_rsProdotti, PaginaCorrenteProdotti);
        else
            m_rsProdotti.MoveFirst();
        if (m_rsProdotti.IsEOF())
            return false;
        CaricaProdotto();
        return true;
    });
}

void Catalogo::ChiudiPaginaProdotti()
{
    Guard([&] { ChiudiProdotti(); });
}

void Catalogo::ChiudiProdotti()
{
    m_rsProdotti.Close();
    m_rsLingua.Close();
    m_pagina.Chiudi();
    m_finestra.Chiudi();
}

bool Catalogo::LeggiProdotto(const QVariant& ID)
{
    return Guard([&] {
        const std::optional<qint32> id = IdArgomento(ID, "IDProdotto");
        if (!id)
            return false;
        ChiudiProdotti();
        CatalogoSql sql;
        sql.Aggiungi(QStringLiteral("SELECT * FROM Prodotti WHERE ID=?"), {*id}).DirittiProdotto(Diritti());
        m_rsProdotti.Open(sql.Testo(), Connection(), sql.Parametri());
        const bool trovato = !m_rsProdotti.IsEOF();
        if (trovato)
            CaricaProdotto();
        ChiudiProdotti();
        return trovato;
    });
}

bool Catalogo::ControlloPrimaPaginaProdotti()
{
    return PaginaCorrenteProdotti == 1;
}

bool Catalogo::ControlloUltimaPaginaProdotti()
{
    return Guard([&] {
        if (!m_rsProdotti.IsOpen())
            throw std::runtime_error("Nessuna pagina di prodotti aperta");
        return PaginaCorrenteProdotti == m_finestra.Pagine();
    });
}

// ---------------------------------------------------------------- product record

void Catalogo::CaricaProdotto()
{
    const CAdoRecordset& rs = m_rsProdotti;
    IDProdotto = rs.Field(QStringLiteral("ID")).toInt();
    m_prezzo.idProdotto = IDProdotto;
    // Local times cost a time zone lookup each: the open window is made once.
    static const QDateTime kSempreDal(QDate(1900, 1, 1), QTime(0, 0));
    static const QDateTime kSempreAl(QDate(2100, 1, 1), QTime(0, 0));
    m_prezzo.validitaScontoDal = kSempreDal;
    m_prezzo.validitaScontoAl = kSempreAl;
    Attivo = QtrValori::Vero(rs.Field(QStringLiteral("Attivo")));
    Novita = QtrValori::Vero(rs.Field(QStringLiteral("Novita")));
    m_prezzo.offerta = QtrValori::Vero(rs.Field(QStringLiteral("Offerta")));
    CodiceProdotto = Testo(rs, QStringLiteral("Codice"));
    CodiceABarreProdotto = Testo(rs, QStringLiteral("CodiceABarre"));
    IVAProdotto = PesoProdotto = DisponibilitaProdotto = m_prezzo.scontoProdotto = 0;
    SeNonNullo(rs, QStringLiteral("IVA"), IVAProdotto);
    SeNonNullo(rs, QStringLiteral("Peso"), PesoProdotto);
    SeNonNullo(rs, QStringLiteral("Disponibilita"), DisponibilitaProdotto);
    SeNonNullo(rs, QStringLiteral("Sconto"), m_prezzo.scontoProdotto);
    if (const QVariant dal = rs.Field(QStringLiteral("ValiditaScontoDal")); !dal.isNull())
        m_prezzo.validitaScontoDal = CAdoRecordset::DateValue(dal);
    if (const QVariant al = rs.Field(QStringLiteral("ValiditaScontoAl")); !al.isNull())
        m_prezzo.validitaScontoAl = CAdoRecordset::DateValue(al);
    ConfezioneProdotto = 1;
    if (const QVariant confezioni = rs.Field(QStringLiteral("Confezioni"));
        !confezioni.isNull() && confezioni.toFloat() > 0)
        ConfezioneProdotto = confezioni.toFloat();

    LeggiRigaLingua(IDProdotto);
    CalcolaPrezzo();
    m_rsLingua.Close();
    CalcolaImporti();
    SimboloValuta = SessionText(QStringLiteral("SimboloValuta"));

    if (const std::optional<int> colori = m_pagina.NumeroColori(IDProdotto)) {
        NumeroColori = *colori;
    } else {
        m_rsColori.Open(QStringLiteral("SELECT COUNT(*) AS N FROM ProdottiColori WHERE Attivo=1 AND IDProdotto=?"),
                        Connection(), {IDProdotto});
        NumeroColori = m_rsColori.Field(QStringLiteral("N")).toInt();
    }
    m_rsColori.Close();
    CaricaTaglie(rs);
    NumeroCampiCustom = CatalogoTesti::NumeroCampi(m_campiCustom);
}

// The texts and the price of the visitor's price list; a product with no
// row in the visitor's nor the default language shows empty texts and a
// price of 0 rather than failing the page.
void Catalogo::LeggiRigaLingua(qint32 id)
{
    NomeProdotto.clear();
    DescrizioneFatturaProdotto.clear();
    DescrizioneBreveProdotto.clear();
    DescrizioneEstesaProdotto.clear();
    UMProdotto.clear();
    m_campiCustom.clear();
    m_prezzo.prezzoPromozioneVL = 0;
    m_prezzo.prezzoProdottoVL = 0;
    const CAdoRecordset* riga = nullptr;
    if (const auto dallaPagina = m_pagina.RigaLingua(id, LinguaVisitatore(), LinguaPredefinita())) {
        m_rsLingua.Close();
        riga = *dallaPagina;
    } else if (ApriInLingua(m_rsLingua,
                            QStringLiteral("SELECT * FROM ProdottiLingue WHERE CodiceLingua=? AND IDProdotto=?"), id)) {
        riga = &m_rsLingua;
    }
    if (!riga)
        return;
    const CAdoRecordset& rs = *riga;
    NomeProdotto = Decifrato(rs, QStringLiteral("Nome"));
    DescrizioneFatturaProdotto = Decifrato(rs, QStringLiteral("DescrizioneFattura"));
    DescrizioneBreveProdotto = Decifrato(rs, QStringLiteral("DescrizioneBreve"));
    DescrizioneEstesaProdotto = Decifrato(rs, QStringLiteral("DescrizioneEstesa"));
    UMProdotto = Testo(rs, QStringLiteral("UM"));
    m_campiCustom = Testo(rs, QStringLiteral("CampiCustom"));
    SeNonNullo(rs, QStringLiteral("PrezzoPromozione"), m_prezzo.prezzoPromozioneVL);
    static const QString colonne[] = {QStringLiteral("Prezzo"), QStringLiteral("Prezzo2"), QStringLiteral("Prezzo3"),
                                      QStringLiteral("Prezzo4")};
    const qint32 listino = QtrVisitatore::Listino(*Session());
    if (listino >= 0 && listino < 4)
        SeNonNullo(rs, colonne[listino], m_prezzo.prezzoProdottoVL);
}

void Catalogo::CalcolaPrezzo()
{
    PrezzoListino = m_prezzo.prezzoProdottoVL;
    const CatalogoMotorePrezzi motore(Fonte(), Cambi(), Oggi());
    if (m_prezzo.offerta && QtrVisitatore::Listino(*Session()) == 0)
        motore.ApplicaOffertaProdotto(m_prezzo);
    PrezzoInizialeVL = m_prezzo.prezzoProdottoVL;
    motore.CalcolaScontiCliente(m_prezzo, IdUtente());
}

void Catalogo::CalcolaImporti()
{
    const CatalogoImporti importi = CatalogoImporti::Calcola(m_prezzo.prezzoProdottoVL, PrezzoListino, IVAProdotto,
                                                             Cambi(), SessionFlag(QStringLiteral("AttivaPrezziIvaCompresa")));
    m_prezzo.prezzoProdottoVL = importi.prezzoProdottoVL;
    ImpostaProdottoVL = importi.impostaProdottoVL;
    PrezzoProdotto = importi.prezzoProdotto;
    ImpostaProdotto = importi.impostaProdotto;
    PrezzoListino = importi.prezzoListino;
    PrezzoProdottoInEuro = importi.prezzoProdottoInEuro;
    ImpostaProdottoInEuro = importi.impostaProdottoInEuro;
    PrezzoListinoInEuro = importi.prezzoListinoInEuro;
    FPrezzoProdottoVL = importi.fPrezzoProdottoVL;
    FImpostaProdottoVL = importi.fImpostaProdottoVL;
    FPrezzoProdotto = importi.fPrezzoProdotto;
    FImpostaProdotto = importi.fImpostaProdotto;
    FPrezzoListino = importi.fPrezzoListino;
    FPrezzoProdottoInEuro = importi.fPrezzoProdottoInEuro;
    FImpostaProdottoInEuro = importi.fImpostaProdottoInEuro;
    FPrezzoListinoInEuro = importi.fPrezzoListinoInEuro;
}

void Catalogo::CaricaTaglie(const CAdoRecordset& rs)
{
    qint32 tabella = 0;
    SeNonNullo(rs, QStringLiteral("IDTabellaTaglie"), tabella);
    if (tabella <= 0) {
        NumeroTaglie = 0;
        return;
    }
    // A page lists many products of few size tables.
    if (!m_valoriTaglie.contains(tabella)) {
        CacheNegozio::Apri(m_rsTaglie, QStringLiteral("SELECT Valori FROM ValoriTaglie WHERE ID=?"), Connection(),
                           {tabella});
        // A size table deleted under its products leaves no sizes on sale.
        m_valoriTaglie.insert(tabella, m_rsTaglie.IsEOF() ? QString() : Testo(m_rsTaglie, QStringLiteral("Valori")));
        m_rsTaglie.Close();
    }
    const QString valori = m_valoriTaglie.value(tabella);
    qint32 da = -1;
    qint32 a = -1;
    SeNonNullo(rs, QStringLiteral("DATaglia"), da);
    SeNonNullo(rs, QStringLiteral("ATaglia"), a);
    Taglie = CatalogoTesti::TaglieInVendita(valori, da, a, NumeroTaglie);
}

QString Catalogo::LeggiCampoCustom(const QVariant& N)
{
    return CatalogoTesti::Campo(m_campiCustom, N, NomeCampoCustom, ValoreCampoCustom);
}

QString Catalogo::LeggiTaglia(const QVariant& i)
{
    const std::optional<qint32> posizione = CatalogoValori::Numero(i);
    return posizione ? CatalogoTesti::Taglia(Taglie, *posizione, NumeroTaglie) : QString();
}

// ---------------------------------------------------------------- photos and files

CatalogoFile Catalogo::File() const { return CatalogoFile(*Server()); }

bool Catalogo::ControlloFotoProdotti()
{
    return Guard([&] {
        return File().Foto(kCartellaProdotti, IDProdotto, PercorsoFotoProdotto, &PercorsoThumbnailProdotto,
                           kCartellaThumbnail);
    });
}

bool Catalogo::ControlloFotoColore()
{
    return Guard([&] {
        return File().Foto(kCartellaColori, IDColoreProdotto, PercorsoFotoColore, &PercorsoThumbnailColore,
                           kCartellaThumbnailColori);
    });
}

bool Catalogo::ControlloDettaglioColore()
{
    return Guard([&] {
        return File().Foto(kCartellaDettagli, IDColoreProdotto, PercorsoDettaglioColore);
    });
}

bool Catalogo::ControlloFileProdotti(const QString& Codice)
{
    return Guard([&] {
        PercorsoFileProdotto = File().FileProdotto(IDProdotto, Codice);
        return !PercorsoFileProdotto.isEmpty();
    });
}

// ---------------------------------------------------------------- categories, colours, variants

bool Catalogo::CategoriaProdottoCorrente()
{
    IDCategoria = m_rsCategorieProdotto.Field(QStringLiteral("IDCategoria")).toInt();
    const qint32 id = IDCategoria;
    LeggiCategoria(id);
    IDCategoria = id;
    PercorsoCategorie = Percorso(id);
    return true;
}

bool Catalogo::LeggiPrimaCategoriaProdotto()
{
    return Guard([&] {
        m_rsCategorieProdotto.Open(QStringLiteral("SELECT IDCategoria FROM CategorieProdotti WHERE IDProdotto=? ORDER BY ID"),
                                   Connection(), {IDProdotto});
        if (m_rsCategorieProdotto.IsEOF()) {
            m_rsCategorieProdotto.Close();
            return false;
        }
        return CategoriaProdottoCorrente();
    });
}

bool Catalogo::LeggiCategoriaProdottoSuccessiva()
{
    return Guard([&] {
        m_rsCategorieProdotto.MoveNext();
        if (m_rsCategorieProdotto.IsEOF()) {
            m_rsCategorieProdotto.Close();
            return false;
        }
        return CategoriaProdottoCorrente();
    });
}

void Catalogo::CaricaColore(const CAdoRecordset& rs)
{
    IDColoreProdotto = rs.Field(QStringLiteral("ID")).toInt();
    CodiceColoreProdotto = Testo(rs, QStringLiteral("Codice"));
    DescrizioneColoreProdotto = Testo(rs, QStringLiteral("Descrizione"));
}

bool Catalogo::ColoreCorrente()
{
    if (m_rsColori.IsEOF()) {
        m_rsColori.Close();
        return false;
    }
    CaricaColore(m_rsColori);
    return true;
}

bool Catalogo::LeggiPrimoColore()
{
    return Guard([&] {
        m_rsColori.Open(QStringLiteral("SELECT * FROM ProdottiColori WHERE Attivo=1 AND IDProdotto=? ORDER BY ID"),
                        Connection(), {IDProdotto});
        return ColoreCorrente();
    });
}

bool Catalogo::LeggiColoreSuccessivo()
{
    return Guard([&] {
        m_rsColori.MoveNext();
        return ColoreCorrente();
    });
}

bool Catalogo::LeggiColore(const QVariant& ID)
{
    return Guard([&] {
        const std::optional<qint32> id = IdArgomento(ID, "IDColoreProdotto");
        if (!id || *id == 0)
            return LeggiPrimoColore();
        m_rsColori.Open(QStringLiteral("SELECT * FROM ProdottiColori WHERE ID=?"), Connection(), {*id});
        const bool trovato = !m_rsColori.IsEOF();
        if (trovato) {
            CaricaColore(m_rsColori);
            IDProdotto = m_rsColori.Field(QStringLiteral("IDProdotto")).toInt();
        }
        m_rsColori.Close();
        if (trovato)
            LeggiProdotto(IDProdotto);
        return trovato;
    });
}

bool Catalogo::VarianteCorrente()
{
    if (m_rsProdotti.IsEOF()) {
        m_rsProdotti.Close();
        return false;
    }
    CaricaProdotto();
    m_rsLingua.Close();
    return true;
}

bool Catalogo::LeggiPrimaVariante(const QVariant& ID)
{
    return Guard([&] {
        const qint32 base = Zero(ID) ? IDProdotto : CatalogoValori::Id(ID, "IDProdotto").value_or(0);
        ChiudiProdotti();
        // No product is the base of every base product.
        if (base == 0)
            return false;
        m_rsProdotti.Open(QStringLiteral("SELECT * FROM Prodotti WHERE IDProdottoBase=? AND Prodotti.Attivo=1 "
                                         "ORDER BY Prodotti.Ordine, Prodotti.ID"),
                          Connection(), {base});
        return VarianteCorrente();
    });
}

bool Catalogo::LeggiVarianteSuccessiva()
{
    return Guard([&] {
        m_rsProdotti.MoveNext();
        return VarianteCorrente();
    });
}

// ---------------------------------------------------------------- random list

bool Catalogo::ApriListaProdottiCasuali(const QVariant& IDCatPar)
{
    return Guard([&] {
        std::optional<qint32> categoria;
        if (!Zero(IDCatPar)) {
            categoria = Albero().Cerca(IDCatPar);
            if (!categoria)
                return false;
        }
        ChiudiProdotti();
        CatalogoSql sql;
        sql.Aggiungi(QStringLiteral("SELECT * FROM Prodotti WHERE Prodotti.Attivo=1 AND Prodotti.IDProdottoBase=0"));
        FiltriProdotti(sql);
        if (categoria)
            sql.Aggiungi(QStringLiteral(" AND Prodotti.ID IN (SELECT IDProdotto FROM CategorieProdotti WHERE "
                                        "IDCategoria=?)"),
                         {*categoria});
        sql.Aggiungi(QStringLiteral(" ORDER BY Prodotti.ID"));
        m_rsProdotti.Open(sql.Testo(), Connection(), sql.Parametri());
        if (m_rsProdotti.IsEOF())
            return false;
        const int salto = static_cast<int>(QRandomGenerator::global()->bounded(m_rsProdotti.RecordCount()));
        for (int i = 0; i < salto; ++i)
            m_rsProdotti.MoveNext();
        CaricaProdotto();
        return true;
    });
}

void Catalogo::LeggiProdottoCasualeSuccessivo()
{
    Guard([&] {
        m_rsProdotti.MoveNext();
        if (m_rsProdotti.IsEOF())
            m_rsProdotti.MoveFirst();
        CaricaProdotto();
    });
}

void Catalogo::ChiudiListaProdottiCasuali()
{
    Guard([&] { ChiudiProdotti(); });
}
