#include "server/core/catalogo/Catalogo.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "server/core/catalogo/CatalogoValori.h"

QTR_ASP_REGISTER(Catalogo)

Catalogo::Catalogo(QObject* parent) : CQtrServerObject(parent) {}

Catalogo::~Catalogo() = default;

// ---------------------------------------------------------------- frame

void Catalogo::Start()
{
    CQtrServerObject::Start();
    FlagNovita = CatalogoValori::Flag16(SessionValue(QStringLiteral("FlagNovita")));
    FlagOfferte = CatalogoValori::Flag16(SessionValue(QStringLiteral("FlagOfferte")));
}

// The cursors hold their rows in memory and outlive Free, as pages expect;
// only the discount lookup goes with the connection.
void Catalogo::ReleaseRecordsets()
{
    m_prezzi.Rilascia();
}

void Catalogo::SetConn(QObject* Connect)
{
    Guard([&] {
        UseConnection(Connect);
        m_prezzi.Rilascia();
        m_prodotti.ChiudiPagina();
    });
}

void Catalogo::ImpostaPaginaNovita(const QVariant& N)
{
    Guard([&] {
        if (!N.toString().isEmpty())
            SetSession(QStringLiteral("FlagNovita"), CatalogoValori::Flag16(N));
        FlagNovita = CatalogoValori::Flag16(SessionValue(QStringLiteral("FlagNovita")));
    });
}

void Catalogo::ImpostaPaginaOfferte(const QVariant& O)
{
    Guard([&] {
        if (!O.toString().isEmpty())
            SetSession(QStringLiteral("FlagOfferte"), CatalogoValori::Flag16(O));
        FlagOfferte = CatalogoValori::Flag16(SessionValue(QStringLiteral("FlagOfferte")));
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

// ---------------------------------------------------------------- categories

bool Catalogo::LeggiCategoria(const QVariant& IDCat)
{
    return Guard([&] { return m_categorie.Leggi(IDCat); });
}

bool Catalogo::ApriPaginaCategorie(const QVariant& IDCat)
{
    return Guard([&] { return m_categorie.ApriPagina(IDCat); });
}

bool Catalogo::LeggiCategoriaSuccessiva()
{
    return Guard([&] { return m_categorie.Successiva(); });
}

void Catalogo::ChiudiPaginaCategorie()
{
    Guard([&] { m_categorie.ChiudiPagina(); });
}

bool Catalogo::ControlloFotoCategorie()
{
    return Guard([&] { return m_immagini.FotoCategoria(); });
}

bool Catalogo::ControlloCategoriaPadre(const QVariant& IDTestCat, const QVariant& IDParentCat)
{
    return Guard([&] { return m_categorie.Discende(IDTestCat, IDParentCat); });
}

// ---------------------------------------------------------------- product pages

void Catalogo::DisattivaCategorie()
{
    m_prodotti.DisattivaCategorie();
}

bool Catalogo::ApriPaginaProdotti(const QVariant& Pag, const QVariant& IDCatPar)
{
    return Guard([&] { return m_prodotti.ApriPagina(Pag, IDCatPar); });
}

bool Catalogo::LeggiProdottoSuccessivo()
{
    return Guard([&] { return m_prodotti.Successivo(); });
}

bool Catalogo::LeggiPrimoProdotto()
{
    return Guard([&] { return m_prodotti.Primo(); });
}

void Catalogo::ChiudiPaginaProdotti()
{
    Guard([&] { m_prodotti.Chiudi(); });
}

bool Catalogo::LeggiProdotto(const QVariant& ID)
{
    return Guard([&] { return m_prodotti.Leggi(ID); });
}

bool Catalogo::ControlloPrimaPaginaProdotti()
{
    return PaginaCorrenteProdotti == 1;
}

bool Catalogo::ControlloUltimaPaginaProdotti()
{
    return Guard([&] { return m_prodotti.UltimaPagina(); });
}

// ---------------------------------------------------------------- product record

QString Catalogo::LeggiCampoCustom(const QVariant& N)
{
    return m_scheda.CampoCustom(N);
}

QString Catalogo::LeggiTaglia(const QVariant& i)
{
    return m_scheda.Taglia(i);
}

// ---------------------------------------------------------------- photos and files

bool Catalogo::ControlloFotoProdotti()
{
    return Guard([&] { return m_immagini.FotoProdotto(); });
}

bool Catalogo::ControlloFotoColore()
{
    return Guard([&] { return m_immagini.FotoColore(); });
}

bool Catalogo::ControlloDettaglioColore()
{
    return Guard([&] { return m_immagini.DettaglioColore(); });
}

bool Catalogo::ControlloFileProdotti(const QString& Codice)
{
    return Guard([&] { return m_immagini.FileProdotto(Codice); });
}

// ---------------------------------------------------------------- categories, colours, variants

bool Catalogo::LeggiPrimaCategoriaProdotto()
{
    return Guard([&] { return m_categorie.PrimaDelProdotto(); });
}

bool Catalogo::LeggiCategoriaProdottoSuccessiva()
{
    return Guard([&] { return m_categorie.SuccessivaDelProdotto(); });
}

bool Catalogo::LeggiPrimoColore()
{
    return Guard([&] { return m_colori.Primo(); });
}

bool Catalogo::LeggiColoreSuccessivo()
{
    return Guard([&] { return m_colori.Successivo(); });
}

bool Catalogo::LeggiColore(const QVariant& ID)
{
    return Guard([&] { return m_colori.Leggi(ID); });
}

bool Catalogo::LeggiPrimaVariante(const QVariant& ID)
{
    return Guard([&] { return m_varianti.Prima(ID); });
}

bool Catalogo::LeggiVarianteSuccessiva()
{
    return Guard([&] { return m_varianti.Successiva(); });
}

// ---------------------------------------------------------------- random list

bool Catalogo::ApriListaProdottiCasuali(const QVariant& IDCatPar)
{
    return Guard([&] { return m_prodotti.ApriCasuali(IDCatPar); });
}

void Catalogo::LeggiProdottoCasualeSuccessivo()
{
    Guard([&] { m_prodotti.CasualeSuccessivo(); });
}

void Catalogo::ChiudiListaProdottiCasuali()
{
    Guard([&] { m_prodotti.Chiudi(); });
}
