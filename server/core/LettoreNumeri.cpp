#include "server/core/LettoreNumeri.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace {

bool Testuale(const QVariant& valore)
{
    return valore.typeId() == QMetaType::QString || valore.typeId() == QMetaType::QByteArray;
}

bool Assente(const QVariant& valore)
{
    return !valore.isValid() || valore.isNull() || valore.typeId() == QMetaType::Bool;
}

std::optional<qint32> InRange(double numero, bool conSegno)
{
    if (!std::isfinite(numero) || std::trunc(numero) != numero || (!conSegno && numero < 0)
        || numero < std::numeric_limits<qint32>::min() || numero > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return static_cast<qint32>(numero);
}

} // namespace

std::optional<double> LettoreNumeri::Decimale(const QString& testo)
{
    static const QRegularExpression forma(QStringLiteral("^[+-]?(?:[0-9]+(?:[.,][0-9]*)?|[.,][0-9]+)(?:[eE][+-]?[0-9]{1,3})?$"));
    QString numero = testo.trimmed();
    if (!forma.match(numero).hasMatch())
        return std::nullopt;
    numero.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double valore = QLocale::c().toDouble(numero, &ok);
    if (!ok || !std::isfinite(valore))
        return std::nullopt;
    return valore;
}

std::optional<double> LettoreNumeri::Decimale(const QVariant& valore)
{
    if (Testuale(valore))
        return Decimale(valore.toString());
    if (Assente(valore))
        return std::nullopt;
    bool ok = false;
    const double numero = valore.toDouble(&ok);
    if (!ok || !std::isfinite(numero))
        return std::nullopt;
    return numero;
}

std::optional<qint32> LettoreNumeri::Intero(const QString& testo, bool conSegno)
{
    static const QRegularExpression conSegnoForma(QStringLiteral("^[+-]?[0-9]{1,10}$"));
    static const QRegularExpression senzaSegno(QStringLiteral("^[0-9]{1,10}$"));
    const QString numero = testo.trimmed();
    if (!(conSegno ? conSegnoForma : senzaSegno).match(numero).hasMatch())
        return std::nullopt;
    return InRange(double(numero.toLongLong()), conSegno);
}

std::optional<qint32> LettoreNumeri::Intero(const QVariant& valore, bool conSegno)
{
    if (Testuale(valore))
        return Intero(valore.toString(), conSegno);
    if (Assente(valore))
        return std::nullopt;
    bool ok = false;
    const double numero = valore.toDouble(&ok);
    return ok ? InRange(numero, conSegno) : std::nullopt;
}
