#include "server/core/catalogo/CatalogoValori.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <stdexcept>

std::optional<qint32> CatalogoValori::Numero(const QVariant& valore)
{
    if (!valore.isValid() || valore.isNull())
        return std::nullopt;
    qint64 numero = 0;
    switch (valore.typeId()) {
    case QMetaType::QString: {
        static const QRegularExpression cifre(QStringLiteral("^[+-]?[0-9]{1,10}$"));
        const QString testo = valore.toString().trimmed();
        if (!cifre.match(testo).hasMatch())
            return std::nullopt;
        numero = testo.toLongLong();
        break;
    }
    case QMetaType::Bool:
        return std::nullopt;
    default: {
        bool ok = false;
        const double reale = valore.toDouble(&ok);
        if (!ok || std::trunc(reale) != reale || std::abs(reale) > 4e9)
            return std::nullopt;
        numero = static_cast<qint64>(reale);
    }
    }
    if (numero < std::numeric_limits<qint32>::min() || numero > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(numero);
}

bool CatalogoValori::Vuoto(const QVariant& valore)
{
    return !valore.isValid() || valore.isNull() || valore.toString().trimmed().isEmpty();
}

std::optional<qint32> CatalogoValori::Id(const QVariant& valore, const char* cosa)
{
    if (Vuoto(valore))
        return std::nullopt;
    if (const auto numero = Numero(valore))
        return numero;
    throw std::invalid_argument(std::string(cosa) + " non valido: '" + valore.toString().toStdString() + "'");
}

QVariant CatalogoValori::IdDaLegare(const QVariant& valore, const char* cosa)
{
    const auto id = Id(valore, cosa);
    return id ? QVariant(*id) : QVariant();
}

qint32 CatalogoValori::Intero(const QVariant& valore, const char* cosa)
{
    return Id(valore, cosa).value_or(0);
}
