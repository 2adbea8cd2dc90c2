#include "server/core/catalogo/CatalogoMotorePrezzi.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QLocale>

#include <functional>
#include <stdexcept>

namespace {

const QDate kOggi(2026, 6, 15);
constexpr qint32 kProdotto = 40;

QVariant Giorno(int giorni) { return QDateTime(kOggi.addDays(giorni), QTime(0, 0)); }

// A discount row built by what a case needs of it.
struct Riga
{
    CatalogoScontoRiga r;
    Riga& Predefinito(const QVariant& sconto) { r.scontoPredefinito = sconto; return *this; }
    Riga& PromoPredefinito(double prezzo) { r.prezzoPromoPredefinito = prezzo; return *this; }
    Riga& Periodo(const QVariant& dal, const QVariant& al) { r.validitaDal = dal; r.validitaAl = al; return *this; }
    Riga& ScontoPeriodo(const QVariant& sconto) { r.scontoPeriodo = sconto; return *this; }
    Riga& PromoPeriodo(double prezzo) { r.prezzoPromoPeriodo = prezzo; return *this; }
    Riga& FinestraFasce(const QVariant& dal, const QVariant& al)
    {
        r.validitaQuantitaDal = dal;
        r.validitaQuantitaAl = al;
        return *this;
    }
    Riga& Fascia(int n, const QVariant& quantita, const QVariant& sconto, const QVariant& promo)
    {
        r.quantita[n - 1] = quantita;
        r.sconto[n - 1] = sconto;
        r.prezzoPromo[n - 1] = promo;
        return *this;
    }
    operator CatalogoScontoRiga() const { return r; }
};

// The shop's discount rows for the cases: customers, groups and the rows
// of the one product, by owner.
class FonteProva : public ICatalogoFonteSconti
{
public:
    QHash<qint32, CatalogoCliente> clienti;
    QHash<qint32, CatalogoScontoRiga> gruppi;
    QHash<qint32, CatalogoScontoRiga> prodottoUtente, prodottoGruppo;
    QHash<qint32, QVector<CatalogoScontoRiga>> categorieUtente, categorieGruppo;
    QStringList richieste;

    void Cliente(qint32 id, qint32 gruppo, const CatalogoScontoRiga& sconti = {})
    {
        clienti.insert(id, CatalogoCliente{gruppo, sconti});
    }

    std::optional<CatalogoCliente> Cliente(qint32 id) override
    {
        richieste << QStringLiteral("cliente");
        return clienti.contains(id) ? std::optional(clienti.value(id)) : std::nullopt;
    }
    std::optional<CatalogoScontoRiga> Gruppo(qint32 id) override
    {
        richieste << QStringLiteral("gruppo");
        return gruppi.contains(id) ? std::optional(gruppi.value(id)) : std::nullopt;
    }
    std::optional<CatalogoScontoRiga> RigaProdotto(Titolare t, qint32 id, qint32 prodotto) override
    {
        EXPECT_EQ(prodotto, kProdotto);
        const auto& righe = t == DelUtente ? prodottoUtente : prodottoGruppo;
        return righe.contains(id) ? std::optional(righe.value(id)) : std::nullopt;
    }
    QVector<CatalogoScontoRiga> RigheCategorie(Titolare t, qint32 id, qint32 prodotto) override
    {
        EXPECT_EQ(prodotto, kProdotto);
        return (t == DelUtente ? categorieUtente : categorieGruppo).value(id);
    }
};

struct Caso
{
    const char* nome;
    std::optional<qint32> utente;
    std::function<void(FonteProva&)> righe;
    double prezzo;
    QString sconto;
    QString prezzoPromozionale;
    QString fPrezzoPromozionale;
};

class MotorePrezzi : public ::testing::TestWithParam<Caso>
{
public:
    static void SetUpTestSuite() { QLocale::setDefault(QLocale::c()); }

protected:
    // List currency to web: twice the amount, to cents.
    CatalogoCambi m_cambi{1.0, 2.0, 0.01, 0.01};
    FonteProva m_fonte;

    CatalogoPrezzo Prezzo(double listino = 100) const
    {
        CatalogoPrezzo prezzo;
        prezzo.idProdotto = kProdotto;
        prezzo.prezzoProdottoVL = listino;
        return prezzo;
    }
};

const Caso kCasi[] = {
    {"VisitatoreSenzaCliente", std::nullopt, [](FonteProva&) {}, 100, "", "", ""},
    {"ClienteSenzaRiga", 7, [](FonteProva&) {}, 100, "", "", ""},
    {"VisitatoreAnonimoConSconto", 0,
     [](FonteProva& f) {
         f.Cliente(0, 5);
         f.gruppi.insert(5, Riga().Predefinito("10"));
     },
     90, "10", "", ""},
    {"RigaPropriaNascondeQuellaDelGruppo", 7,
     [](FonteProva& f) {
         f.Cliente(7, 5);
         f.prodottoUtente.insert(7, Riga().Predefinito("5"));
         f.prodottoGruppo.insert(5, Riga().Predefinito("30"));
     },
     95, "5", "", ""},
    {"RigaDelGruppo", 7,
     [](FonteProva& f) {
         f.Cliente(7, 5);
         f.prodottoGruppo.insert(5, Riga().Predefinito("30"));
     },
     70, "30", "", ""},
    {"ScontoComposto", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().Predefinito("10+5"));
     },
     85.5, "10+5", "", ""},
    {"PrezzoPromozionaleBatteLaPercentuale", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().Predefinito("20").PromoPredefinito(50));
     },
     50, "20", "50", "100.00"},
    {"PeriodoConPercentuale", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(
             7, Riga().Predefinito("20").PromoPredefinito(50).Periodo(Giorno(-3), Giorno(3)).ScontoPeriodo("15"));
     },
     85, "15", "", ""},
    {"PeriodoConPrezzo", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().Predefinito("20").Periodo(Giorno(-3), Giorno(3)).PromoPeriodo(40));
     },
     40, "", "40", "80.00"},
    {"PeriodoScaduto", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().Predefinito("20").Periodo(Giorno(-9), Giorno(-1)).ScontoPeriodo("50"));
     },
     80, "20", "", ""},
    {"PeriodoDalPrimoGiorno", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().Periodo(Giorno(0), Giorno(9)).ScontoPeriodo("50"));
     },
     50, "50", "", ""},
    {"PeriodoFinoAllUltimoGiorno", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().Periodo(Giorno(-9), Giorno(0)).ScontoPeriodo("50"));
     },
     50, "50", "", ""},
    {"PeriodoCheIniziaDomani", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0, Riga().Predefinito("3"));
         f.prodottoUtente.insert(7, Riga().Periodo(Giorno(1), Giorno(9)).ScontoPeriodo("50"));
     },
     97, "3", "", ""},
    {"PeriodoSenzaNullaLasciaIlPrezzoPromozionale", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().PromoPredefinito(60).Periodo(Giorno(-1), Giorno(1)));
     },
     60, "", "60", "120.00"},
    {"PrezzoPromozionaleZero", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().PromoPredefinito(0));
     },
     0, "", "0", "0.00"},
    {"CategorieLaPercentualePiuAlta", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.categorieUtente.insert(7, {Riga().Predefinito("5+5"), Riga().Predefinito("10")});
     },
     90, "10", "", ""},
    {"CategoriePariVinceLaPrima", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.categorieUtente.insert(7, {Riga().Predefinito("10"), Riga().Predefinito("10,0")});
     },
     90, "10", "", ""},
    {"CategorieDelGruppo", 7,
     [](FonteProva& f) {
         f.Cliente(7, 5, Riga().Predefinito("50"));
         f.categorieGruppo.insert(5, {Riga().Predefinito("8")});
     },
     92, "8", "", ""},
    {"CategorieConPeriodo", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.categorieUtente.insert(7, {Riga().Predefinito("5").Periodo(Giorno(-1), Giorno(1)).ScontoPeriodo("25")});
     },
     75, "25", "", ""},
    {"RecordDelCliente", 7,
     [](FonteProva& f) {
         f.Cliente(7, 5, Riga().Predefinito("12"));
         f.gruppi.insert(5, Riga().Predefinito("30"));
     },
     88, "12", "", ""},
    {"RecordDelClienteAZero", 7,
     [](FonteProva& f) {
         f.Cliente(7, 5, Riga().Predefinito("0"));
         f.gruppi.insert(5, Riga().Predefinito("30"));
     },
     100, "0", "", ""},
    {"RecordDelClienteInPeriodo", 7,
     [](FonteProva& f) { f.Cliente(7, 0, Riga().Predefinito("5").Periodo(Giorno(-1), Giorno(1)).ScontoPeriodo("25")); },
     75, "25", "", ""},
    {"RecordDelGruppo", 7,
     [](FonteProva& f) {
         f.Cliente(7, 5);
         f.gruppi.insert(5, Riga().Predefinito("7"));
     },
     93, "7", "", ""},
    {"GruppoMancante", 7, [](FonteProva& f) { f.Cliente(7, 9); }, 100, "", "", ""},
    {"SoloFasceProseguono", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0, Riga().Predefinito("12"));
         f.prodottoUtente.insert(7, Riga().Fascia(1, 10, "5", 9.0));
     },
     88, "12", "", ""},
    {"VirgolaDecimale", 7, [](FonteProva& f) { f.Cliente(7, 0, Riga().Predefinito("7,5")); }, 92.5, "7,5", "", ""},
    {"PuntoDecimale", 7, [](FonteProva& f) { f.Cliente(7, 0, Riga().Predefinito("7.5")); }, 92.5, "7.5", "", ""},
    {"PercentualeOltreCentoNonConta", 7,
     [](FonteProva& f) {
         f.Cliente(7, 5, Riga().Predefinito("150"));
         f.gruppi.insert(5, Riga().Predefinito("4"));
     },
     96, "4", "", ""},
    {"PercentualeNegativaNonConta", 7,
     [](FonteProva& f) {
         f.Cliente(7, 0);
         f.prodottoUtente.insert(7, Riga().Predefinito("-5"));
         f.categorieUtente.insert(7, {Riga().Predefinito("50+-10")});
     },
     100, "", "", ""},
};

TEST_P(MotorePrezzi, CalcolaScontiCliente)
{
    const Caso& caso = GetParam();
    caso.righe(m_fonte);
    CatalogoPrezzo prezzo = Prezzo();
    CatalogoMotorePrezzi(m_fonte, m_cambi, kOggi).CalcolaScontiCliente(prezzo, caso.utente);
    EXPECT_DOUBLE_EQ(prezzo.prezzoProdottoVL, caso.prezzo);
    EXPECT_EQ(prezzo.sconto, caso.sconto);
    EXPECT_EQ(prezzo.prezzoPromozionale, caso.prezzoPromozionale);
    EXPECT_EQ(prezzo.fPrezzoPromozionale, caso.fPrezzoPromozionale);
}

INSTANTIATE_TEST_SUITE_P(Casi, MotorePrezzi, ::testing::ValuesIn(kCasi),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_F(MotorePrezzi, AFoundLevelStopsTheSearch)
{
    m_fonte.Cliente(7, 5, Riga().Predefinito("12"));
    m_fonte.gruppi.insert(5, Riga().Predefinito("30"));
    CatalogoPrezzo prezzo = Prezzo();
    CatalogoMotorePrezzi(m_fonte, m_cambi, kOggi).CalcolaScontiCliente(prezzo, 7);
    EXPECT_EQ(m_fonte.richieste, QStringList{"cliente"});
}

TEST_F(MotorePrezzi, ANonNumericDiscountIsAnError)
{
    m_fonte.Cliente(7, 0, Riga().Predefinito("dieci"));
    CatalogoPrezzo prezzo = Prezzo();
    EXPECT_THROW(CatalogoMotorePrezzi(m_fonte, m_cambi, kOggi).CalcolaScontiCliente(prezzo, 7), std::invalid_argument);
}

TEST_F(MotorePrezzi, EveryTierIsPublishedInBothCurrencies)
{
    Riga riga;
    riga.FinestraFasce(Giorno(0), Giorno(0));
    for (int n = 1; n <= kFasceQuantita; ++n)
        riga.Fascia(n, 10.0 * n, QString::number(n), n % 2 ? QVariant(1.25 * n) : QVariant());
    m_fonte.Cliente(7, 0);
    m_fonte.prodottoUtente.insert(7, riga);
    CatalogoPrezzo prezzo = Prezzo();
    CatalogoMotorePrezzi(m_fonte, m_cambi, kOggi).CalcolaScontiCliente(prezzo, 7);
    EXPECT_TRUE(prezzo.flagScontoQuantitaAttivo);
    for (int n = 1; n <= kFasceQuantita; ++n) {
        SCOPED_TRACE(n);
        const CatalogoFascia& fascia = prezzo.fasce[n - 1];
        EXPECT_FLOAT_EQ(fascia.limite, 10.0f * n);
        EXPECT_EQ(fascia.sconto, QString::number(n));
        if (n % 2) {
            EXPECT_DOUBLE_EQ(fascia.prezzoPromoVL, 1.25 * n);
            EXPECT_DOUBLE_EQ(fascia.prezzoPromo, 2.5 * n);
            EXPECT_EQ(fascia.fPrezzoPromo, QString::number(2.5 * n, 'f', 2));
        } else {
            EXPECT_DOUBLE_EQ(fascia.prezzoPromoVL, -1);
            EXPECT_DOUBLE_EQ(fascia.prezzoPromo, -1);
            EXPECT_EQ(fascia.fPrezzoPromo, "");
        }
    }
    EXPECT_DOUBLE_EQ(prezzo.prezzoProdottoVL, 100);   // tiers never change the price
}

TEST_F(MotorePrezzi, TierPricesFollowTheWebRoundingUnit)
{
    m_cambi = {1.0, 2.5, 1, 0.01};
    m_fonte.Cliente(7, 0);
    m_fonte.prodottoUtente.insert(7, Riga().Fascia(1, 5, QVariant(), 9.1).PromoPredefinito(9.1));
    CatalogoPrezzo prezzo = Prezzo();
    CatalogoMotorePrezzi(m_fonte, m_cambi, kOggi).CalcolaScontiCliente(prezzo, 7);
    EXPECT_DOUBLE_EQ(prezzo.fasce[0].prezzoPromo, 23);   // 22.75 to whole units
    EXPECT_EQ(prezzo.fasce[0].fPrezzoPromo, "23");
    EXPECT_EQ(prezzo.fPrezzoPromozionale, "23");
    EXPECT_EQ(prezzo.prezzoPromozionale, "9.1");
}

TEST_F(MotorePrezzi, TiersOutsideTheirWindowAreNotPublished)
{
    m_fonte.Cliente(7, 0);
    m_fonte.prodottoUtente.insert(7, Riga().FinestraFasce(Giorno(-5), Giorno(-1)).Fascia(1, 10, "5", 9.0));
    CatalogoPrezzo prezzo = Prezzo();
    CatalogoMotorePrezzi(m_fonte, m_cambi, kOggi).CalcolaScontiCliente(prezzo, 7);
    EXPECT_FALSE(prezzo.flagScontoQuantitaAttivo);
    EXPECT_FLOAT_EQ(prezzo.fasce[0].limite, 0);
    EXPECT_EQ(prezzo.fasce[0].sconto, "");
}

TEST_F(MotorePrezzi, NoProductInheritsAnotherOnesTiers)
{
    m_fonte.Cliente(7, 0);
    m_fonte.prodottoUtente.insert(7, Riga().Fascia(3, 10, "5", 9.0));
    CatalogoPrezzo prezzo = Prezzo();
    const CatalogoMotorePrezzi motore(m_fonte, m_cambi, kOggi);
    motore.CalcolaScontiCliente(prezzo, 7);
    ASSERT_TRUE(prezzo.flagScontoQuantitaAttivo);

    m_fonte.prodottoUtente.clear();
    prezzo.prezzoProdottoVL = 100;
    motore.CalcolaScontiCliente(prezzo, 7);
    EXPECT_FALSE(prezzo.flagScontoQuantitaAttivo);
    EXPECT_FLOAT_EQ(prezzo.fasce[2].limite, 0);
    EXPECT_EQ(prezzo.fasce[2].sconto, "");
    EXPECT_DOUBLE_EQ(prezzo.fasce[2].prezzoPromoVL, -1);
    EXPECT_DOUBLE_EQ(prezzo.fasce[2].prezzoPromo, -1);
    EXPECT_EQ(prezzo.fasce[2].fPrezzoPromo, "");
}

struct CasoOfferta
{
    const char* nome;
    int dal, al;   // days from today; 99 means no date
    float sconto;
    double promozione;
    double prezzo;
    bool offerta;
};

class OffertaProdotto : public ::testing::TestWithParam<CasoOfferta>
{
};

const CasoOfferta kOfferte[] = {
    {"Percentuale", -5, 5, 20, 0, 80, true},
    {"PrezzoDiOfferta", -5, 5, 0, 60, 60, true},
    {"SenzaPercentualeNePrezzo", -5, 5, 0, 0, 100, true},
    {"SenzaDate", 99, 99, 25, 0, 75, true},
    {"PrimoGiorno", 0, 5, 20, 0, 80, true},
    {"UltimoGiorno", -5, 0, 20, 0, 80, true},
    {"Scaduta", -5, -1, 20, 60, 100, false},
    {"NonAncoraIniziata", 1, 5, 20, 60, 100, false},
};

TEST_P(OffertaProdotto, ApplicaOffertaProdotto)
{
    const CasoOfferta& caso = GetParam();
    FonteProva fonte;
    CatalogoPrezzo prezzo;
    prezzo.prezzoProdottoVL = 100;
    prezzo.offerta = true;
    prezzo.scontoProdotto = caso.sconto;
    prezzo.prezzoPromozioneVL = caso.promozione;
    if (caso.dal != 99)
        prezzo.validitaScontoDal = Giorno(caso.dal).toDateTime().addSecs(3600 * 15);   // time of day is ignored
    if (caso.al != 99)
        prezzo.validitaScontoAl = Giorno(caso.al).toDateTime();
    CatalogoMotorePrezzi(fonte, CatalogoCambi(), kOggi).ApplicaOffertaProdotto(prezzo);
    EXPECT_DOUBLE_EQ(prezzo.prezzoProdottoVL, caso.prezzo);
    EXPECT_EQ(prezzo.offerta, caso.offerta);
}

INSTANTIATE_TEST_SUITE_P(Casi, OffertaProdotto, ::testing::ValuesIn(kOfferte),
                         [](const auto& info) { return std::string(info.param.nome); });

} // namespace
