#include "server/core/Dizionario.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Funzioni.h"

#include <QMutex>

#include <memory>
#include <optional>

QTR_ASP_REGISTER(Dizionario)

namespace {

// The texts pages asked for, kept for every page of the shop's data
// generation (CacheNegozio): each page makes a Dizionario of its own, and
// they all ask for the same captions.
class TestiLetti
{
public:
    std::optional<QString> Trova(const QString& chiave) const
    {
        QMutexLocker lock(&m_mutex);
        const auto trovato = m_testi.constFind(chiave);
        return trovato == m_testi.cend() ? std::nullopt : std::optional<QString>(*trovato);
    }
    void Tieni(const QString& chiave, const QString& testo) const
    {
        QMutexLocker lock(&m_mutex);
        // Codes come from the pages, but a page may pass on what a visitor
        // sent: the kept texts stay bounded.
        if (m_testi.size() < kMassimo)
            m_testi.insert(chiave, testo);
    }

private:
    static constexpr qsizetype kMassimo = 20000;
    mutable QMutex m_mutex;
    mutable QHash<QString, QString> m_testi;
};

} // namespace

QString Dizionario::Traduci(const QVariant& codice)
{
    return Guard([&] {
        const QString debug = Request()->Item(QStringLiteral("debug"));
        if (!debug.isEmpty())
            SetSession(QStringLiteral("DebugDizionario"), debug);
        if (SessionText(QStringLiteral("DebugDizionario")) == QLatin1String("1"))
            return codice.toString();

        const QString codiceMaiuscolo = codice.toString().toUpper();
        const QString lingua = SessionText(QStringLiteral("CodiceLingua"));
        const QString predefinita = SessionText(QStringLiteral("CodiceLinguaPredefinita"));
        const QString chiave = codiceMaiuscolo + QLatin1Char('\n') + lingua + QLatin1Char('\n') + predefinita;
        const auto letto = m_letti.constFind(chiave);
        if (letto != m_letti.cend())
            return *letto;
        const auto comuni = CacheNegozio::Dato<TestiLetti>(QStringLiteral("Dizionario.Traduci"), Connection(),
                                                           [] { return std::make_shared<const TestiLetti>(); });
        if (comuni) {
            if (const std::optional<QString> kept = comuni->Trova(chiave)) {
                m_letti.insert(chiave, *kept);
                return *kept;
            }
        }
        const QString testo = Cerca(codiceMaiuscolo, lingua, predefinita);
        m_letti.insert(chiave, testo);
        if (comuni)
            comuni->Tieni(chiave, testo);
        return testo;
    });
}

QString Dizionario::Cerca(const QString& codiceMaiuscolo, const QString& lingua, const QString& predefinita)
{
    CacheNegozio::Apri(m_rsCodice, QStringLiteral("SELECT * FROM Dizionario WHERE Codice=?"), Connection(), {codiceMaiuscolo});
    if (m_rsCodice.IsEOF()) {
        m_rsCodice.Close();
        return QString();
    }
    const QVariant id = m_rsCodice.Field(QStringLiteral("ID"));
    m_rsCodice.Close();
    bool trovato = false;
    const QString testo = Testo(id, lingua, trovato);
    if (trovato)
        return testo;
    return Testo(id, predefinita, trovato);
}

// The text of one language; a row with a null text counts as found, so the
// fallback is taken only when the language has no row at all.
QString Dizionario::Testo(const QVariant& idCodice, const QString& lingua, bool& trovato)
{
    CacheNegozio::Apri(m_rsTesto, QStringLiteral("SELECT * FROM DizionarioLingue WHERE IDCodice=? AND CodiceLingua=?"), Connection(),
                   {idCodice, lingua});
    trovato = !m_rsTesto.IsEOF();
    QString testo;
    if (trovato && !m_rsTesto.IsNull(QStringLiteral("Testo")))
        testo = Funzioni::DecifraTesto(m_rsTesto.Field(QStringLiteral("Testo")).toString());
    m_rsTesto.Close();
    return testo;
}

void Dizionario::SetConn(QObject* connect)
{
    Guard([&] {
        UseConnection(connect);
        m_letti.clear();
    });
}

void Dizionario::ReleaseRecordsets()
{
    m_rsCodice.Close();
    m_rsTesto.Close();
    m_letti.clear();
}
