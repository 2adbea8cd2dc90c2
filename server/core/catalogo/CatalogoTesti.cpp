#include "server/core/catalogo/CatalogoTesti.h"

#include "server/core/catalogo/CatalogoValori.h"

#include <QStringList>

QStringList CatalogoTesti::Voci(const QString& testo)
{
    QStringList voci = testo.split(QLatin1Char('|'));
    voci.removeLast();   // what follows the last "|": empty, or incomplete
    return voci;
}

QString CatalogoTesti::TaglieInVendita(const QString& valori, qint32 da, qint32 a, qint32& numero)
{
    numero = 0;
    if (da == -1 && a == -1)
        return valori;
    // Views of the text: every product of a page asks, and copies of
    // each size would cost more than the rest of this.
    QList<QStringView> voci = QStringView(valori).split(QLatin1Char('|'));
    voci.removeLast();
    QString taglie;
    for (qint32 i = qMax(da, 0); i <= a && i < voci.size(); ++i) {
        taglie += voci[i];
        taglie += QLatin1Char('|');
        ++numero;
    }
    return taglie;
}

QString CatalogoTesti::Taglia(const QString& taglie, qint32 i, qint32 numero)
{
    if (i < 1 || i > numero)
        return QString();
    const QStringList voci = Voci(taglie);
    return i <= voci.size() ? voci[i - 1] : QString();
}

qint32 CatalogoTesti::NumeroCampi(const QString& campiCustom)
{
    // Voci gives one item for each "|".
    return static_cast<qint32>(campiCustom.count(QLatin1Char('|')) / 2);
}

QString CatalogoTesti::Campo(const QString& campiCustom, const QVariant& chiave, QString& nome, QString& valore)
{
    const QStringList voci = Voci(campiCustom);
    const std::optional<qint32> posizione = CatalogoValori::Numero(chiave);
    const QString chiaveTesto = chiave.toString();
    for (qint32 i = 0; i + 1 < voci.size(); i += 2) {
        nome = voci[i];
        valore = voci[i + 1];
        const bool trovato = posizione ? *posizione == i / 2 + 1 : nome == chiaveTesto;
        if (trovato)
            return valore;
    }
    return QString();
}
