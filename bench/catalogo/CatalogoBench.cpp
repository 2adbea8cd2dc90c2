// Product pages through the catalogue against the bare SQL that reads the
// same rows, on a generated shop of 10,000 products (two languages, three
// variants and two colours each, 200 categories, group and customer
// discounts), on SQLite and PostgreSQL. Prints products per second of each
// (min / median / max of the runs) and the ratio catalogue : bare SQL.

#include "platform/ado/CAdoConnectionPool.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/utilities/QtrCipher.h"
#include "bench/figures/CBenchReporter.h"
#include "server/core/CacheNegozio.h"
#include "server/core/catalogo/Catalogo.h"
#include "server/core/testing/CQtrTestShop.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlError>
#include <QSqlQuery>

#include <cstdio>
#include <map>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kProdotti = 10000;
constexpr int kVarianti = 3;
constexpr int kCategorie = 200;
constexpr int kRadici = 20;
constexpr int kPagina = 20;
constexpr int kCliente = 8;
constexpr int kGruppo = 4;


QString Letterale(const QVariant& valore)
{
    if (valore.isNull())
        return QStringLiteral("NULL");
    if (valore.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + valore.toString().replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
    return valore.toString();
}

// Many rows per statement: the fixture is made once per engine, quickly.
class Inseritore
{
public:
    Inseritore(QSqlDatabase db, const QString& tabella, const QStringList& colonne)
        : m_db(db), m_testa(QStringLiteral("INSERT INTO %1 (%2) VALUES ").arg(tabella, colonne.join(QLatin1Char(','))))
    {
    }
    ~Inseritore() { Scrivi(); }

    void Riga(const QVariantList& valori)
    {
        QStringList testi;
        for (const QVariant& v : valori)
            testi << Letterale(v);
        m_righe << QLatin1Char('(') + testi.join(QLatin1Char(',')) + QLatin1Char(')');
        if (m_righe.size() == 500)
            Scrivi();
    }

private:
    void Scrivi()
    {
        if (m_righe.isEmpty())
            return;
        QSqlQuery q(m_db);
        if (!q.exec(m_testa + m_righe.join(QLatin1Char(','))))
            throw std::runtime_error(q.lastError().text().toStdString());
        m_righe.clear();
    }

    QSqlDatabase m_db;
    QString m_testa;
    QStringList m_righe;
};

QString Oggi(int giorni) { return QDate::currentDate().addDays(giorni).toString("yyyy-MM-dd 00:00:00"); }

void Genera(CQtrTestShop& shop)
{
    shop.AddBasics();
    QSqlDatabase db = shop.Db().Database();
    db.transaction();
    const QStringList lingue = {QStringLiteral("it"), QStringLiteral("en")};
    {
        Inseritore cat(db, "Categorie", {"ID", "IDCategoriaPadre", "Codice", "Ordine"});
        Inseritore testi(db, "CategorieLingue", {"ID", "IDCategoria", "CodiceLingua", "Nome", "Descrizione"});
        for (int id = 1; id <= kCategorie; ++id) {
            const int padre = id <= kRadici ? 0 : (id - kRadici - 1) % kRadici + 1;
            cat.Riga({id, padre, QStringLiteral("C%1").arg(id), id});
            for (int l = 0; l < 2; ++l)
                testi.Riga({id * 2 + l, id, lingue[l], Encrypt(QStringLiteral("Categoria %1").arg(id)),
                            Encrypt(QStringLiteral("Descrizione %1").arg(id))});
        }
    }
    shop.Insert("ValoriTaglie", {{"ID", 1}, {"Valori", "XS|S|M|L|XL|"}});
    {
        Inseritore prodotti(db, "Prodotti",
                            {"ID", "IDProdottoBase", "Codice", "IVA", "Attivo", "Novita", "Offerta", "Sconto",
                             "ValiditaScontoAl", "Ordine", "IDTabellaTaglie", "DATaglia", "ATaglia", "Confezioni"});
        Inseritore testi(db, "ProdottiLingue",
                         {"ID", "IDProdotto", "CodiceLingua", "Nome", "DescrizioneBreve", "UM", "CampiCustom", "Sort",
                          "Prezzo", "Prezzo2", "PrezzoPromozione"});
        Inseritore colori(db, "ProdottiColori", {"ID", "IDProdotto", "Codice", "Descrizione", "Attivo"});
        Inseritore legami(db, "CategorieProdotti", {"ID", "IDProdotto", "IDCategoria"});
        int legame = 0;
        const int totale = kProdotti * (1 + kVarianti);
        for (int id = 1; id <= totale; ++id) {
            const int base = id <= kProdotti ? 0 : (id - kProdotti - 1) / kVarianti + 1;
            const bool offerta = id % 7 == 0;
            prodotti.Riga({id, base, QStringLiteral("P%1").arg(id), 22.0, 1, id % 5 == 0 ? 1 : 0, offerta ? 1 : 0,
                           offerta ? 10.0 : 0.0, offerta ? QVariant(Oggi(30)) : QVariant(), id, 1, id % 3, id % 3 + 2,
                           1.0});
            for (int l = 0; l < 2; ++l)
                testi.Riga({id * 2 + l, id, lingue[l], Encrypt(QStringLiteral("Prodotto %1 %2").arg(id).arg(lingue[l])),
                            Encrypt(QStringLiteral("Breve %1").arg(id)), "pz", "Materiale|Cotone|Peso|200 g|",
                            QStringLiteral("S%1").arg(id, 6, 10, QLatin1Char('0')), 10.0 + id % 90, 9.0 + id % 90,
                            8.0 + id % 90});
            if (base)
                continue;
            for (int c = 0; c < 2; ++c)
                colori.Riga({id * 2 + c, id, QStringLiteral("K%1").arg(c), QStringLiteral("Colore %1").arg(c), 1});
            legami.Riga({++legame, id, kRadici + 1 + id % (kCategorie - kRadici)});
            if (id % 10 == 0)
                legami.Riga({++legame, id, kRadici + 1 + (id / 10) % (kCategorie - kRadici)});
        }
    }
    {
        Inseritore clienti(db, "Clienti", {"ID", "IDGruppo", "TipoUtente", "ScontoPredefinito"});
        for (int id = 0; id < 1000; ++id)
            clienti.Riga({id, id % 10 + 1, 0, id % 3 ? QVariant() : QVariant("3")});
        Inseritore gruppi(db, "Gruppi", {"ID", "Nome", "ScontoPredefinito"});
        for (int id = 1; id <= 10; ++id)
            gruppi.Riga({id, QStringLiteral("Gruppo %1").arg(id), QStringLiteral("%1").arg(id)});
        Inseritore permessi(db, "Permessi", {"ID", "Tipo", "IDRecord", "IDGruppo", "IDUtente"});
        for (int id = 1; id <= 50; ++id)
            permessi.Riga({id, 1, id * 97, id % 2 ? kGruppo : 5, -1});
        Inseritore sconti(db, "ScontiProdotto",
                          {"ID", "IDUtente", "IDGruppo", "IDProdotto", "IDCategoria", "ScontoPredefinito",
                           "PrezzoPromoPredefinito", "PrezzoPromoPeriodo", "Quantita1", "Sconto1", "PrezzoPromo1",
                           "Quantita2", "PrezzoPromo2"});
        int riga = 0;
        for (int id = 1; id <= kProdotti; id += 20)   // the customer's own rows
            sconti.Riga({++riga, kCliente, -1, id, 0, "10+5", QVariant(), QVariant(), 10.0, "5", 9.0, 50.0, 8.0});
        for (int id = 11; id <= kProdotti; id += 20)   // his group's
            sconti.Riga({++riga, -1, kGruppo, id, 0, QVariant(), 7.5, QVariant(), QVariant(), QVariant(), QVariant(),
                         QVariant(), QVariant()});
        for (int c = kRadici + 1; c <= kCategorie; c += 3)   // the group's category rows
            sconti.Riga({++riga, -1, kGruppo, 0, c, "12", QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
                         QVariant(), QVariant()});
    }
    db.commit();
    if (shop.Db().GetEngine() == CAdoConnection::PostgreSQL) {
        QSqlQuery(db).exec("ANALYZE");
    }
}

// One generated shop per engine, kept for every benchmark of that engine
// and closed before the application ends.
std::map<int, std::unique_ptr<CQtrTestShop>> g_negozi;

CQtrTestShop& Negozio(CAdoConnection::Engine engine)
{
    auto& negozio = g_negozi[engine];
    if (!negozio) {
        negozio = std::make_unique<CQtrTestShop>(engine);
        Genera(*negozio);
        auto& s = negozio->Host().Session();
        s.SetValue("DbPath", negozio->DbFolder());
        s.SetValue("ShareConn", true);
        s.SetValue("CodiceLingua", "en");
        s.SetValue("CodiceLinguaPredefinita", "it");
        s.SetValue("IDUtente", kCliente);
        s.SetValue("IDGruppo", kGruppo);
        s.SetValue("IDListino", 0);
        s.SetValue("PageSize", kPagina);
        s.SetValue("TipoOrdinamento", 0);
        s.SetValue("FCListino2Euro", 1.0);
        s.SetValue("FCEuro2Web", 1.1);
        s.SetValue("Arrotondamento", 0.01);
        s.SetValue("ArrotondamentoListino", 0.01);
        s.SetValue("AttivaPrezziIvaCompresa", true);
        s.SetValue("FlagCalNumProCat", 0);
    }
    return *negozio;
}

// The categories the pages walk through, leaf categories of ~60 products.
int CategoriaDiTurno(int giro) { return kRadici + 1 + (giro * 37) % (kCategorie - kRadici); }

void BM_Catalogo(benchmark::State& state)
{
    CQtrTestShop& shop = Negozio(static_cast<CAdoConnection::Engine>(state.range(0)));
    auto pagina = shop.NewPage();
    int giro = 0;
    qint64 prodotti = 0;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        CacheNegozio::NuovaPagina();
        std::unique_ptr<CAspComponent> oggetto(CAspObjectRegistry::Instance().CreateAndStart("QTR50.Catalogo", pagina.get()));
        auto* catalogo = static_cast<Catalogo*>(oggetto.get());
        catalogo->SetConn(&shop.Db());
        bool ok = catalogo->ApriPaginaProdotti(1 + giro % 2, CategoriaDiTurno(giro));
        for (int n = 0; ok && n < catalogo->LunghezzaPaginaProdotti; ++n) {
            benchmark::DoNotOptimize(catalogo->FPrezzoProdotto);
            ++prodotti;
            ok = catalogo->LeggiProdottoSuccessivo();
        }
        catalogo->ChiudiPaginaProdotti();
        catalogo->Free();
        ++giro;
    }
    state.counters["prodotti_al_s"] = prodotti / (timer.nsecsElapsed() / 1e9);
}

// The same page read straight, the fastest plain statement for these rows:
// from the category's link rows (found by the index on IDCategoria, about
// 60 of them) to each product by its key and to its language row by the
// index on IDProdotto, then the page sorted and cut by the engine. Asking
// for "Prodotti.ID IN (SELECT IDProdotto ...)" instead reads the same rows
// but lets the engine walk every product in its Ordine order and test each
// against the list, three to five times slower on SQLite: a reference that
// slow would flatter the catalogue.
void BM_SqlNudo(benchmark::State& state)
{
    CQtrTestShop& shop = Negozio(static_cast<CAdoConnection::Engine>(state.range(0)));
    QSqlDatabase db = shop.Db().Database();
    QSqlQuery q(db);
    q.setForwardOnly(true);
    q.prepare("SELECT Prodotti.*, ProdottiLingue.Nome, ProdottiLingue.Prezzo FROM CategorieProdotti "
              "INNER JOIN Prodotti ON Prodotti.ID=CategorieProdotti.IDProdotto "
              "INNER JOIN ProdottiLingue ON ProdottiLingue.IDProdotto=Prodotti.ID AND ProdottiLingue.CodiceLingua=? "
              "WHERE CategorieProdotti.IDCategoria=? AND Prodotti.Attivo=1 AND Prodotti.IDProdottoBase=0 "
              "ORDER BY Prodotti.Ordine LIMIT ? OFFSET ?");
    int giro = 0;
    qint64 prodotti = 0;
    QElapsedTimer timer;
    timer.start();
    for (auto _ : state) {
        q.bindValue(0, "en");
        q.bindValue(1, CategoriaDiTurno(giro));
        q.bindValue(2, kPagina);
        q.bindValue(3, (giro % 2) * kPagina);
        if (!q.exec())
            throw std::runtime_error(q.lastError().text().toStdString());
        while (q.next()) {
            QString nome = q.value("Nome").toString();
            benchmark::DoNotOptimize(nome);
            benchmark::DoNotOptimize(q.value("Prezzo").toDouble());
            ++prodotti;
        }
        ++giro;
    }
    state.counters["prodotti_al_s"] = prodotti / (timer.nsecsElapsed() / 1e9);
}

BENCHMARK(BM_Catalogo)->Arg(CAdoConnection::SQLite)->Arg(CAdoConnection::PostgreSQL)->Unit(benchmark::kMillisecond)->MinTime(1);
BENCHMARK(BM_SqlNudo)->Arg(CAdoConnection::SQLite)->Arg(CAdoConnection::PostgreSQL)->Unit(benchmark::kMillisecond)->MinTime(1);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // As the shop server runs: connections kept between pages, and what
    // pages read on every visit kept until the shop's data change.
    CAdoConnectionPool::SetEnabled(true);
    CacheNegozio::SetEnabled(true);
    std::vector<char*> arguments = CBenchReporter::Arguments(argc, argv);
    int count = int(arguments.size()) - 1;
    benchmark::Initialize(&count, arguments.data());
    CBenchFigures figures;
    CBenchReporter reporter(figures, [](const benchmark::BenchmarkReporter::Run& run, CBenchFigures& kept) {
        const auto rate = run.counters.find("prodotti_al_s");
        if (rate != run.counters.end())
            kept.Add(CBenchReporter::BaseName(run), rate->second.value);
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_negozi.clear();
    std::printf("\nproducts per second, min / median / max\n");
    for (const auto engine : {CAdoConnection::SQLite, CAdoConnection::PostgreSQL}) {
        const std::string arg = "/" + std::to_string(engine);
        const std::string name = CAdoTestDatabase::EngineName(engine);
        if (!figures.Has("BM_Catalogo" + arg) || !figures.Has("BM_SqlNudo" + arg))
            continue;
        figures.PrintSeries(name + " catalogue", "BM_Catalogo" + arg, "%.0f", "products/s");
        figures.PrintSeries(name + " bare SQL (join)", "BM_SqlNudo" + arg, "%.0f", "products/s");
        figures.PrintRatio(name + " catalogue : bare SQL", "BM_Catalogo" + arg, "BM_SqlNudo" + arg);
    }
    return 0;
}
