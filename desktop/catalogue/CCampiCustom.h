#pragma once

#include <QString>
#include <QVector>

#include <utility>

// The custom field values of a product in one language, as the column
// ProdottiLingue.CampiCustom keeps them and the shop's product record reads
// them: for each field its name, "|", its value, "|". The bar has no escape
// on either side, so a name or value holding one is refused before it is
// written (HasSeparator); otherwise every later pair would shift.
class CCampiCustom
{
public:
    using Field = std::pair<QString, QString>;   // name, value

    CCampiCustom() = delete;

    static QChar Separator() { return QLatin1Char('|'); }

    // The pairs in stored order. Reading stops where a name or its value
    // lacks its closing "|", so an unterminated last pair is lost, as the
    // shop loses it.
    static QVector<Field> Decode(const QString& text);
    // Names and values must not hold the separator (see HasSeparator).
    static QString Encode(const QVector<Field>& fields);

    static bool HasSeparator(const QString& text) { return text.contains(Separator()); }
    // The index of the first field whose name or value holds the separator,
    // or -1 when they can all be written.
    static int FirstUnwritable(const QVector<Field>& fields);
};
