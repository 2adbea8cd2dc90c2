#include "platform/testing/TablesSnapshot.h"

#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>

#include <gtest/gtest.h>

QString TablesSnapshot(const QSqlDatabase& db)
{
    QString out;
    QSqlQuery tables(db);
    tables.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name"));
    QStringList names;
    while (tables.next())
        names << tables.value(0).toString();
    for (const QString& table : names) {
        QSqlQuery columns(db);
        columns.exec(QStringLiteral("SELECT * FROM \"%1\" LIMIT 0").arg(table));
        const QSqlRecord record = columns.record();
        QStringList quoted;
        for (int c = 0; c < record.count(); ++c)
            quoted << QStringLiteral("'%1='||typeof(\"%1\")||':'||quote(\"%1\")").arg(record.fieldName(c));
        QSqlQuery rows(db);
        rows.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(quoted.join(QStringLiteral("||' '||")), table));
        QStringList lines;
        while (rows.next())
            lines << rows.value(0).toString();
        if (!lines.isEmpty())
            out += QStringLiteral("## ") + table + QLatin1Char('\n') + lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
    }
    return out;
}

void ExpectSnapshot(const QString& snapshot, const QString& expectedFile)
{
    if (qEnvironmentVariableIsSet("QTR_WRITE_EXPECTED")) {
        QFile out(expectedFile);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate)) << expectedFile.toStdString();
        out.write(snapshot.toUtf8());
    }
    QFile expected(expectedFile);
    ASSERT_TRUE(expected.open(QIODevice::ReadOnly)) << expectedFile.toStdString();
    const QStringList want = QString::fromUtf8(expected.readAll()).split(QLatin1Char('\n'));
    const QStringList got = snapshot.split(QLatin1Char('\n'));
    for (int i = 0; i < qMax(want.size(), got.size()); ++i) {
        const QString w = i < want.size() ? want[i] : QStringLiteral("(none)");
        const QString g = i < got.size() ? got[i] : QStringLiteral("(none)");
        ASSERT_EQ(g.toStdString(), w.toStdString()) << "line " << i + 1 << " of " << expectedFile.toStdString();
    }
}
