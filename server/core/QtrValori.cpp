#include "server/core/QtrValori.h"

#include <QLocale>

#include <cmath>
#include <optional>
#include <stdexcept>

namespace {

std::optional<double> Numero(const QVariant& valore)
{
    switch (valore.typeId()) {
    case QMetaType::Bool:
        return valore.toBool() ? -1.0 : 0.0;
    case QMetaType::QString: {
        QString testo = valore.toString().trimmed();
        testo.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double numero = QLocale::c().toDouble(testo, &ok);
        return ok ? std::optional<double>(numero) : std::nullopt;
    }
    default: {
        bool ok = false;
        const double numero = valore.toDouble(&ok);
        return ok ? std::optional<double>(numero) : std::nullopt;
    }
    }
}

std::optional<bool> Flag(const QVariant& valore)
{
    if (valore.typeId() == QMetaType::Bool)
        return valore.toBool();
    if (valore.typeId() == QMetaType::QString) {
        const QString testo = valore.toString().trimmed();
        if (testo.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
            return true;
        if (testo.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
            return false;
    }
    if (const auto numero = Numero(valore))
        return *numero != 0;
    return std::nullopt;
}

std::string Testo(const QVariant& valore) { return valore.toString().toStdString(); }

} // namespace

bool QtrValori::Vero(const QVariant& valore)
{
    if (!valore.isValid() || valore.isNull())
        return false;
    return Flag(valore).value_or(false);
}

bool QtrValori::Booleano(const QVariant& valore)
{
    const auto flag = Flag(valore);
    if (!flag)
        throw std::invalid_argument("Valore non convertibile in booleano: '" + Testo(valore) + "'");
    return *flag;
}

qint16 QtrValori::Intero16(const QVariant& valore)
{
    const auto numero = Numero(valore);
    if (!numero || std::isnan(*numero))
        throw std::invalid_argument("Valore non convertibile in intero: '" + Testo(valore) + "'");
    const double arrotondato = std::nearbyint(*numero);   // the default mode rounds halves to even
    if (arrotondato < -32768 || arrotondato > 32767)
        throw std::invalid_argument("Intero fuori dai limiti: '" + Testo(valore) + "'");
    return static_cast<qint16>(arrotondato);
}

QVariant QtrValori::FlagMemorizzato(const QVariant& valore)
{
    if (!valore.isValid() || valore.isNull())
        return QVariant();
    return Vero(valore);
}
