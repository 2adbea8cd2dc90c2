#include "server/core/catalogo/CatalogoValori.h"

#include "server/core/LettoreNumeri.h"
#include "server/core/QtrValori.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <stdexcept>

std::optional<qint32> CatalogoValori::Numero(const QVariant& valore)
{
    return LettoreNumeri::Intero(valore);
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

bool CatalogoValori::Zero(const QVariant& valore)
{
    return Vuoto(valore) || Numero(valore) == 0;
}

qint16 CatalogoValori::Flag16(const QVariant& valore)
{
    return Vuoto(valore) ? 0 : QtrValori::Intero16(valore);
}
