#include "server/core/testing/CQtrTestShop.h"

#include "platform/utilities/QtrCipher.h"
#include "recordset/schema/ShopSchemaDdl.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>

CQtrTestShop::CQtrTestShop(CAdoConnection::Engine engine) : m_database(engine)
{
    m_database.Execute(engine == CAdoConnection::SQLite ? ShopSchemaDdl::SqliteStatements(QtrDbFile::Shop)
                                                        : ShopSchemaDdl::PostgresStatements(QtrDbFile::Shop));
    m_host.SetRootFolder(m_site.Path());
    m_host.AddVirtualFolder(QStringLiteral("/db"), m_database.Folder());
    m_connection = m_database.Connect();
}

void CQtrTestShop::Insert(const QString& table, const QVariantMap& values)
{
    QStringList marks;
    for (int i = 0; i < values.size(); ++i)
        marks << QStringLiteral("?");
    m_connection->Execute(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                              .arg(table, values.keys().join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                          values.values());
}

void CQtrTestShop::WriteSiteFile(const QString& sitePath, const QByteArray& content)
{
    const QString relative = sitePath.startsWith(QLatin1Char('/')) ? sitePath.mid(1) : sitePath;
    QDir().mkpath(QFileInfo(m_site.FilePath(relative)).path());
    m_site.WriteFile(relative, content);
}

void CQtrTestShop::AddBasics()
{
    Insert("Valute", {{"ID", 1}, {"Cambio", 1.0}, {"Simbolo", "€"}, {"Arrotondamento", 0.01}});
    Insert("Valute", {{"ID", 2}, {"Cambio", 1.25}, {"Simbolo", "$"}, {"Arrotondamento", 0.5}});
    Insert("Lingue", {{"ID", 1}, {"Codice", "it"}, {"Descrizione", "Italiano"}, {"Attivo", 1}, {"IDValuta", 1}});
    Insert("Lingue", {{"ID", 2}, {"Codice", "en"}, {"Descrizione", "English"}, {"Attivo", 1}, {"IDValuta", 2},
                      {"FlagPrezziInEuro", 1}});
    Insert("Lingue", {{"ID", 3}, {"Codice", "de"}, {"Descrizione", "Deutsch"}, {"Attivo", 0}, {"IDValuta", 1}});
    Insert("Configurazione", {{"ID", 1},
                              {"RagioneSociale", "Bottega Srl"},
                              {"Indirizzo", "Via Roma 1"},
                              {"Fax", QVariant()},   // a column never written
                              {"EmailInfo", "info@bottega.test"},
                              {"EmailOrdini", "ordini@bottega.test"},
                              {"FlagPrezziIvaCompresa", 1},
                              {"FlagBonifico", 1},
                              {"Banca", "Banca Prova"},
                              {"FlagContrassegno", 1},
                              {"SpeseContrassegno", 5.0},
                              {"TipoSpeseContrassegno", 0},
                              {"MinimoContrassegno", 2.0},
                              {"TipoOrdinamento", 0},
                              {"IVASpedizioni", 20.0},
                              {"ValutaListino", 1},
                              {"LinguaPredefinita", 1}});
}

void CQtrTestShop::AddMessage(qint32 id, const QString& code, const QVariantMap& textsByLanguage)
{
    Insert("Dizionario", {{"ID", id}, {"Codice", code}});
    int row = 0;
    for (auto it = textsByLanguage.constBegin(); it != textsByLanguage.constEnd(); ++it) {
        const QVariant text = it.value().isNull() ? QVariant() : QVariant(Encrypt(it.value().toString()));
        Insert("DizionarioLingue", {{"ID", id * 100 + ++row}, {"IDCodice", id}, {"CodiceLingua", it.key()},
                                    {"Testo", text}});
    }
}
