#include "server/core/ricerca/Ricerca.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "platform/asp/IAspSession.h"
#include "platform/sql/CJetSql.h"
#include "server/core/CursoreRighe.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/core/ricerca/RicercaDiritti.h"

#include <stdexcept>

QTR_ASP_REGISTER(Ricerca)

namespace {

// The page size when the shop set none.
constexpr qint32 kPaginaPredefinita = 10;
// Each word costs the database a scan of every keyword list: a search
// looks for the first few different words typed, and no more.
constexpr int kMassimoParole = 8;

QStringList Parole(const QString& testo)
{
    QStringList parole;
    for (const QString& parola : testo.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (parole.size() == kMassimoParole)
            break;
        if (!parole.contains(parola, Qt::CaseInsensitive))
            parole << parola;
    }
    return parole;
}

// A word as a LIKE pattern that finds it anywhere, its own "%", "_" and
// "!" taken literally.
QString Modello(const QString& parola)
{
    return QLatin1Char('%') + CJetSql::LikeLiteral(parola.toLower()) + QLatin1Char('%');
}

} // namespace

Ricerca::Ricerca(QObject* parent) : CQtrServerObject(parent) {}

Ricerca::~Ricerca() = default;

void Ricerca::SetConn(QObject* Connect)
{
    Guard([&] { UseConnection(Connect); });
}

void Ricerca::ReleaseRecordsets()
{
    m_rs.Close();
}

// A new search ("Action" i) keeps the words it looks for for the pages
// that follow; a page link reuses them.
QString Ricerca::TestoRicerca()
{
    if (Request()->Item(QStringLiteral("Action")).toLower() == QLatin1String("i"))
        SetSession(QStringLiteral("TestoRicerca"),
                   Parole(Request()->Item(QStringLiteral("ParoleChiave"))).join(QLatin1Char(' ')));
    return SessionText(QStringLiteral("TestoRicerca"));
}

bool Ricerca::ApriPaginaRisultati()
{
    return Guard([&] {
        m_rs.Close();
        const qint32 pagina =
            qMax(1, CatalogoValori::Id(Request()->Item(QStringLiteral("Page")), "Numero di pagina").value_or(1));
        const QString testo = TestoRicerca();
        const QDate oggi = m_oggi.isValid() ? m_oggi : QDate::currentDate();

        QString sql = QStringLiteral("SELECT * FROM ParoleChiave WHERE ParoleChiave.Attivo=1 AND "
                                     "ParoleChiave.CodiceLingua=?");
        QVariantList parametri = {SessionText(QStringLiteral("CodiceLingua"))};
        for (const QString& parola : Parole(testo)) {
            sql += QStringLiteral(" AND LOWER(ParoleChiave.Keywords) LIKE ?") + QLatin1String(CJetSql::kLikeEscape);
            parametri << Modello(parola);
        }
        // Whole days: a row is searchable all day on its first and last day.
        sql += QStringLiteral(" AND (ParoleChiave.DallaData IS NULL OR ParoleChiave.DallaData<?)"
                              " AND (ParoleChiave.AllaData IS NULL OR ParoleChiave.AllaData>=?)");
        parametri << oggi.addDays(1) << oggi;
        sql += RicercaDiritti::Clausola(QStringLiteral("ParoleChiave.Tipo"), QStringLiteral("ParoleChiave.IDRecord"),
                                        QtrVisitatore::Gruppo(*Session()),
                                        QtrVisitatore::Utente(*Session()), parametri);
        // A fixed order, so the pages of one search neither repeat nor skip.
        sql += QStringLiteral(" ORDER BY ParoleChiave.Tipo, ParoleChiave.IDRecord, ParoleChiave.ID");
        m_rs.Open(sql, Connection(), parametri);
        if (m_rs.IsEOF())
            return false;

        NumeroRisultati = m_rs.RecordCount();
        qint32 lunghezza = CatalogoValori::Intero(SessionValue(QStringLiteral("SearchPageSize")), "SearchPageSize");
        if (lunghezza < 1)
            lunghezza = kPaginaPredefinita;
        LunghezzaPagina = static_cast<qint16>(qMin(qMin(lunghezza, NumeroRisultati), 32767));
        m_rs.SetPageSize(LunghezzaPagina);
        // A page beyond the last shows the last one.
        PaginaCorrente = qMin(pagina, m_rs.PageCount());
        m_rs.SetAbsolutePage(PaginaCorrente);
        TotalePagine = m_rs.PageCount();
        RigaCorrente();
        return true;
    });
}

void Ricerca::RigaCorrente()
{
    TipoRecord = static_cast<qint16>(m_rs.Field(QStringLiteral("Tipo")).toInt());
    IDRecord = m_rs.Field(QStringLiteral("IDRecord")).toInt();
}

bool Ricerca::LeggiRisultatoSuccessivo()
{
    return Guard([&] {
        if (!CursoreRighe::Avanza(m_rs, false))
            return false;
        RigaCorrente();
        return true;
    });
}

void Ricerca::ChiudiPaginaRisultati()
{
    Guard([&] { m_rs.Close(); });
}

bool Ricerca::ControlloPrimaPagina()
{
    return PaginaCorrente == 1;
}

bool Ricerca::ControlloUltimaPagina()
{
    return Guard([&] {
        if (!m_rs.IsOpen())
            throw std::runtime_error("Nessuna pagina di risultati aperta");
        return PaginaCorrente == m_rs.PageCount();
    });
}
