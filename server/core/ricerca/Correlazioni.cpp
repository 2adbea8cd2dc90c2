#include "server/core/ricerca/Correlazioni.h"

#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspSession.h"
#include "server/core/CursoreRighe.h"
#include "server/core/QtrVisitatore.h"
#include "server/core/catalogo/CatalogoValori.h"
#include "server/core/ricerca/RicercaDiritti.h"

#include <stdexcept>

QTR_ASP_REGISTER(Correlazioni)

namespace {

qint32 Numero(const QVariant& valore, const char* cosa)
{
    const auto numero = CatalogoValori::Numero(valore);
    if (!numero)
        throw std::invalid_argument(std::string(cosa) + " non valido: '" + valore.toString().toStdString() + "'");
    return *numero;
}

} // namespace

Correlazioni::Correlazioni(QObject* parent) : CQtrServerObject(parent) {}

Correlazioni::~Correlazioni() = default;

void Correlazioni::SetConn(QObject* Connect)
{
    Guard([&] { UseConnection(Connect); });
}

void Correlazioni::ReleaseRecordsets()
{
    m_rs.Close();
}

bool Correlazioni::ApriPaginaRisultati(const QVariant& Tipo, const QVariant& ID, const QVariant& Modo)
{
    return Guard([&] {
        m_rs.Close();
        m_tipo = Numero(Tipo, "Tipo");
        m_id = Numero(ID, "ID");
        const qint32 modo = CatalogoValori::Vuoto(Modo) ? -1 : Numero(Modo, "Modo");
        QString sql = QStringLiteral("SELECT * FROM Correlazioni WHERE ");
        QVariantList parametri;
        if (modo == -1) {
            sql += QStringLiteral("((ID1=? AND Tipo1=?) OR (ID2=? AND Tipo2=?))");
            parametri << m_id << m_tipo << m_id << m_tipo;
        } else {
            sql += QStringLiteral("((ID1=? AND Tipo1=? AND Tipo2=?) OR (ID2=? AND Tipo2=? AND Tipo1=?))");
            parametri << m_id << m_tipo << modo << m_id << m_tipo << modo;
        }
        const QVariant gruppo = QtrVisitatore::Gruppo(*Session());
        const QVariant utente = QtrVisitatore::Utente(*Session());
        sql += RicercaDiritti::Clausola(QStringLiteral("Correlazioni.Tipo1"), QStringLiteral("Correlazioni.ID1"), gruppo,
                                        utente, parametri);
        sql += RicercaDiritti::Clausola(QStringLiteral("Correlazioni.Tipo2"), QStringLiteral("Correlazioni.ID2"), gruppo,
                                        utente, parametri);
        sql += QStringLiteral(" ORDER BY Correlazioni.ID");
        m_rs.Open(sql, Connection(), parametri);
        if (m_rs.IsEOF())
            return false;
        AltroCapo();
        return true;
    });
}

void Correlazioni::AltroCapo()
{
    const qint32 id1 = m_rs.Field(QStringLiteral("ID1")).toInt();
    const qint32 tipo1 = m_rs.Field(QStringLiteral("Tipo1")).toInt();
    const bool primo = id1 == m_id && tipo1 == m_tipo;
    TipoRecord = static_cast<qint16>(m_rs.Field(primo ? QStringLiteral("Tipo2") : QStringLiteral("Tipo1")).toInt());
    IDRecord = m_rs.Field(primo ? QStringLiteral("ID2") : QStringLiteral("ID1")).toInt();
}

bool Correlazioni::LeggiRisultatoSuccessivo()
{
    return Guard([&] {
        if (!CursoreRighe::Avanza(m_rs, false))
            return false;
        AltroCapo();
        return true;
    });
}

void Correlazioni::ChiudiPaginaRisultati()
{
    Guard([&] { m_rs.Close(); });
}
