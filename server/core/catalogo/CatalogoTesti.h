#pragma once

#include <QString>
#include <QVariant>

// The "|"-terminated lists that product rows carry: sizes ("S|M|L|") and
// custom fields as name and value pairs ("Colore|Blu|Peso|2|"). An
// unterminated last item is incomplete and does not count.
class CatalogoTesti
{
public:
    CatalogoTesti() = delete;

    // The complete items of a list, in order.
    static QStringList Voci(const QString& testo);

    // The sizes on sale, from position da to position a (zero-based); both
    // -1 keep the whole list and mean no range, so the count is 0.
    static QString TaglieInVendita(const QString& valori, qint32 da, qint32 a, qint32& numero);
    // The i-th size on sale (1-based); empty outside 1..numero.
    static QString Taglia(const QString& taglie, qint32 i, qint32 numero);

    static qint32 NumeroCampi(const QString& campiCustom);
    // The value of a field by position (a number, 1-based) or by name;
    // nome and valore are left on the pair where the search stopped.
    static QString Campo(const QString& campiCustom, const QVariant& chiave, QString& nome, QString& valore);
};
