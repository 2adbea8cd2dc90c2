#include "server/core/Dizionario.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspRequest.h"
#include "server/core/CacheNegozio.h"
#include "server/core/Funzioni.h"

QTR_ASP_REGISTER(Dizionario)

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
        const QString testo = Cerca(codiceMaiuscolo, lingua, predefinita);
        m_letti.insert(chiave, testo);
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
