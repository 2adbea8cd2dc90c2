#include "desktop/catalogue/CCampiCustom.h"

QVector<CCampiCustom::Field> CCampiCustom::Decode(const QString& text)
{
    QVector<Field> fields;
    qsizetype start = 0;
    for (;;) {
        const qsizetype nameEnd = text.indexOf(Separator(), start);
        if (nameEnd < 0)
            break;
        const qsizetype valueEnd = text.indexOf(Separator(), nameEnd + 1);
        if (valueEnd < 0)
            break;
        fields.append({text.mid(start, nameEnd - start), text.mid(nameEnd + 1, valueEnd - nameEnd - 1)});
        start = valueEnd + 1;
    }
    return fields;
}

QString CCampiCustom::Encode(const QVector<Field>& fields)
{
    QString text;
    for (const Field& field : fields)
        text += field.first + Separator() + field.second + Separator();
    return text;
}

int CCampiCustom::FirstUnwritable(const QVector<Field>& fields)
{
    for (int i = 0; i < fields.size(); ++i)
        if (HasSeparator(fields.at(i).first) || HasSeparator(fields.at(i).second))
            return i;
    return -1;
}
