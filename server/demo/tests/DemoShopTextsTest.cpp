#include "platform/testing/TempFolder.h"
#include "server/demo/DemoShopMaker.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>

namespace {

// The message codes the shop's pages ask the dictionary for.
QSet<QString> PageCodes(const QString& folder)
{
    static const QRegularExpression code(QStringLiteral("\"((?:PMT|ERR|MSG)[A-Z0-9_]+)\""));
    QSet<QString> codes;
    QDirIterator pages(folder, {"*.asp", "*.inc"}, QDir::Files);
    while (pages.hasNext()) {
        QFile page(pages.next());
        if (!page.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(page.readAll());
        for (const QRegularExpressionMatch& match : code.globalMatch(text))
            codes.insert(match.captured(1));
    }
    return codes;
}

// Every caption of the demo's pages, and every message the shop's classes
// show or mail, has its text in each of the shop's languages: an English
// visitor reads no Italian.
TEST(DemoShopTexts, EveryPageCaptionAndMessageIsThereInEachLanguage)
{
    TempFolder temp;
    const QString folder = temp.FilePath("negozio");
    DemoShopMaker::Make(DemoShopMaker::Installed(QCoreApplication::applicationDirPath()), folder);
    QSet<QString> codes = PageCodes(folder);
    ASSERT_TRUE(codes.contains("PMTAGGIUNGICARRELLO"));
    QStringList missing;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "testi");
        db.setDatabaseName(folder + "/db/database.mdb");
        ASSERT_TRUE(db.open());
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec("SELECT Codice FROM Dizionario"));
        while (query.next())
            codes.insert(query.value(0).toString());
        QStringList languages;
        ASSERT_TRUE(query.exec("SELECT Codice FROM Lingue WHERE Attivo=1"));
        while (query.next())
            languages << query.value(0).toString();
        ASSERT_EQ(languages.size(), 2);
        for (const QString& code : codes) {
            for (const QString& language : languages) {
                query.prepare("SELECT l.Testo FROM Dizionario d JOIN DizionarioLingue l ON l.IDCodice=d.ID "
                              "WHERE d.Codice=? AND l.CodiceLingua=?");
                query.addBindValue(code);
                query.addBindValue(language);
                ASSERT_TRUE(query.exec());
                if (!query.next() || query.value(0).toString().isEmpty())
                    missing << code + "." + language;
            }
        }
    }
    QSqlDatabase::removeDatabase("testi");
    missing.sort();
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
}

} // namespace
