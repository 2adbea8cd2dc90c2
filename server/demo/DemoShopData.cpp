#include "server/demo/DemoShopData.h"

#include <QFile>
#include <QRegularExpression>

namespace {

[[noreturn]] void Fail(const QString& where, const QString& what)
{
    throw DemoDataError((where + QStringLiteral(": ") + what).toStdString());
}

QString Unescape(QString value) { return value.replace(QLatin1String("\\n"), QLatin1String("\n")); }

} // namespace

qint32 DemoRecord::Id() const
{
    bool ok = false;
    const qint32 id = key.toInt(&ok);
    if (!ok)
        Fail(where, QStringLiteral("\"%1\" non è un numero").arg(key));
    return id;
}

double DemoRecord::Number(const QString& name, double fallback) const
{
    if (!Has(name))
        return fallback;
    bool ok = false;
    const double value = Text(name).toDouble(&ok);
    if (!ok)
        Fail(where, QStringLiteral("%1 = \"%2\" non è un numero").arg(name, Text(name)));
    return value;
}

qint32 DemoRecord::Integer(const QString& name, qint32 fallback) const
{
    if (!Has(name))
        return fallback;
    bool ok = false;
    const qint32 value = Text(name).toInt(&ok);
    if (!ok)
        Fail(where, QStringLiteral("%1 = \"%2\" non è un numero intero").arg(name, Text(name)));
    return value;
}

bool DemoRecord::Flag(const QString& name, bool fallback) const
{
    if (!Has(name))
        return fallback;
    const QString value = Text(name).toLower();
    if (value == QLatin1String("1") || value == QLatin1String("si") || value == QLatin1String("yes"))
        return true;
    if (value == QLatin1String("0") || value == QLatin1String("no"))
        return false;
    Fail(where, QStringLiteral("%1 = \"%2\" non è né 1 né 0").arg(name, Text(name)));
}

DemoShopData DemoShopData::Read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        Fail(path, file.errorString());
    return Parse(QString::fromUtf8(file.readAll()), path);
}

DemoShopData DemoShopData::Parse(const QString& text, const QString& fileName)
{
    static const QRegularExpression heading(QStringLiteral("^\\[(\\w+)(?:\\s+([^\\]]+))?\\]$"));
    DemoShopData data;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        const QString where = QStringLiteral("%1:%2").arg(fileName).arg(i + 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (const QRegularExpressionMatch m = heading.match(line); m.hasMatch()) {
            data.m_records.append({m.captured(1), m.captured(2).trimmed(), where, {}});
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (equals <= 0)
            Fail(where, QStringLiteral("attesa una riga \"nome = valore\" o \"[Tipo chiave]\""));
        if (data.m_records.isEmpty())
            Fail(where, QStringLiteral("valore fuori da un blocco"));
        const QString name = line.left(equals).trimmed();
        DemoRecord& record = data.m_records.last();
        if (record.values.contains(name))
            Fail(where, QStringLiteral("%1 ripetuto").arg(name));
        record.values.insert(name, Unescape(line.mid(equals + 1).trimmed()));
    }
    return data;
}

QList<DemoRecord> DemoShopData::Records(const QString& type) const
{
    QList<DemoRecord> found;
    for (const DemoRecord& record : m_records) {
        if (record.type == type)
            found.append(record);
    }
    return found;
}
