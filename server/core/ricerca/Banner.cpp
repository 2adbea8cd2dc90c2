#include "server/core/ricerca/Banner.h"

#include "platform/ado/CAdoConnection.h"
#include "platform/ado/CAdoRecordset.h"
#include "platform/asp/CAspObjectRegistry.h"
#include "platform/asp/IAspServer.h"
#include "server/core/QtrValori.h"

#include <QDir>

QTR_ASP_REGISTER(Banner)

namespace {

const QString kCartellaBanner = QStringLiteral("/images/banner/");

} // namespace

Banner::Banner(QObject* parent) : CQtrServerObject(parent) {}

Banner::~Banner() = default;

void Banner::SetConn(QObject* Connect)
{
    Guard([&] { UseConnection(Connect); });
}

QString Banner::FileBanner(qint32 id) const
{
    const QDir cartella(Server()->MapPath(kCartellaBanner));
    const QStringList file =
        cartella.entryList({QString::number(id) + QStringLiteral(".*")}, QDir::Files, QDir::Name);
    return file.isEmpty() ? QString() : file.first();
}

bool Banner::Seleziona(const QVariant& Tipo)
{
    return Guard([&] {
        Link.clear();
        Percorso.clear();
        FlagEsterno = false;

        CAdoRecordset rs;
        rs.Open(QStringLiteral("SELECT * FROM TipoBanner WHERE Codice=?"), Connection(), {Tipo.toString()});
        if (rs.IsEOF())
            return false;
        const qint32 tipo = rs.Field(QStringLiteral("ID")).toInt();
        // A type that never showed a banner starts from the first.
        const qint32 ultimo = rs.Field(QStringLiteral("IDUltimoBanner")).toInt();
        rs.Close();

        const QDate oggi = m_oggi.isValid() ? m_oggi : QDate::currentDate();
        // A count never written is no appearance yet.
        const QString eleggibili = QStringLiteral(
            "SELECT * FROM Banner WHERE Tipo=? AND (DallaData IS NULL OR DallaData<?)"
            " AND (AllaData IS NULL OR AllaData>=?)"
            " AND (ComparsePreviste IS NULL OR ComparsePreviste=0 OR COALESCE(ComparseEffettuate, 0)<ComparsePreviste)");
        const QVariantList parametri = {tipo, oggi.addDays(1), oggi};
        rs.Open(eleggibili + QStringLiteral(" AND ID>? ORDER BY ID"), Connection(), parametri + QVariantList{ultimo});
        if (rs.IsEOF())
            rs.Open(eleggibili + QStringLiteral(" ORDER BY ID"), Connection(), parametri);
        if (rs.IsEOF())
            return false;
        const qint32 id = rs.Field(QStringLiteral("ID")).toInt();
        const qint32 previste = rs.Field(QStringLiteral("ComparsePreviste")).toInt();
        const bool esterno = QtrValori::Vero(rs.Field(QStringLiteral("Esterno")));
        const QString link = rs.Field(QStringLiteral("Link")).toString();
        rs.Close();

        // Without its file the banner is not shown and the turn stays.
        const QString file = FileBanner(id);
        if (file.isEmpty())
            return false;
        FlagEsterno = esterno;
        Link = link;
        Percorso = kCartellaBanner + QString::number(id) + file.mid(file.lastIndexOf(QLatin1Char('.')));

        Connection()->Execute(QStringLiteral("UPDATE TipoBanner SET IDUltimoBanner=? WHERE ID=?"), {id, tipo});
        // Counted in the statement itself, so two pages at once both count.
        if (previste > 0)
            Connection()->Execute(QStringLiteral("UPDATE Banner SET ComparseEffettuate=COALESCE(ComparseEffettuate, 0)+1, "
                                                 "Modificato=1 WHERE ID=?"),
                                  {id});
        return true;
    });
}
