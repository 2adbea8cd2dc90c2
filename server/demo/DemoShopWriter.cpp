#include "server/demo/DemoShopWriter.h"

#include "platform/dao/CDaoDatabase.h"
#include "platform/password/CPasswordHash.h"
#include "recordset/CCategorieGenSet.h"
#include "recordset/CCategorieLinSet.h"
#include "recordset/CCategorieProdottiSet.h"
#include "recordset/CChiSiamoSet.h"
#include "recordset/CClientiSet.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CDizionarioGenSet.h"
#include "recordset/CDizionarioLinSet.h"
#include "recordset/CGruppiSet.h"
#include "recordset/CInteressiLingueSet.h"
#include "recordset/CInteressiSet.h"
#include "recordset/CLingueSet.h"
#include "recordset/CProdottiColoriSet.h"
#include "recordset/CProdottiGeneraleSet.h"
#include "recordset/CProdottiLingueSet.h"
#include "recordset/CProductKeywords.h"
#include "recordset/CSSpedizioneSet.h"
#include "recordset/CScontiProdottoSet.h"
#include "recordset/CValoriTaglieSet.h"
#include "recordset/schema/ShopSchema.h"
#include "server/demo/DemoShopContenuti.h"

namespace {

// The demo's rows are the shop's starting state, not edits waiting for a
// site update: no record versions, no update marker.
template <class Set>
void OpenUntracked(Set& set)
{
    set.m_bTracking = false;
    set.Open();
}

// An ID is written by name: a member left at its default 0 would not be
// written at all, and the anonymous visitor is customer 0.
template <class Set, class Fill>
void AddRow(Set& set, const QVariant& id, Fill fill)
{
    set.AddNew();
    if (id.isValid())
        set.SetFieldValue(QStringLiteral("ID"), id);
    fill(set);
    set.Update();
}

// A value of the data file in the form its column takes: a text column
// keeps what looks like a number ("01234560139") as it was written.
QVariant ColumnValue(const QString& table, const QString& column, const QString& text)
{
    const QtrTableDef* def = ShopSchema::Find(table);
    const int index = def ? def->ColumnIndex(column) : -1;
    if (index >= 0 && (def->columns[index].kind == QtrColumnKind::Text || def->columns[index].kind == QtrColumnKind::EText))
        return text;
    bool whole = false;
    const qint32 number = text.toInt(&whole);
    if (whole)
        return number;
    bool real = false;
    const double value = text.toDouble(&real);
    return real ? QVariant(value) : QVariant(text);
}

QDateTime Day(const QDate& date) { return QDateTime(date, QTime(0, 0)); }

} // namespace

// The IDs of a table's new rows: the rows the desktop makes take IDs
// below the server's range, one past the largest the table holds.
class DemoShopWriter::NextIds
{
public:
    template <class Set>
    explicit NextIds(Set& set)
    {
        for (; !set.IsEOF(); set.MoveNext())
            m_last = qMax(m_last, set.m_ID);
    }
    qint32 operator()() { return ++m_last; }

private:
    qint32 m_last = 0;
};

DemoShopWriter::DemoShopWriter(CDaoDatabase& database, const DemoShopData& data) : m_database(database), m_data(data) {}

void DemoShopWriter::Write()
{
    m_database.BeginTrans();
    try {
        WriteShop();
        WriteLanguages();
        WriteCategories();
        WriteProducts();
        WriteColours();
        WriteSizes();
        WriteShipping();
        WriteGroups();
        WriteCustomers();
        WriteInterests();
        WriteDiscounts();
        WriteCompanyPages();
        WriteTexts();
        DemoShopContenuti(m_database, m_data, Languages()).Write();
    } catch (...) {
        m_database.Rollback();
        throw;
    }
    m_database.CommitTrans();
}

QStringList DemoShopWriter::Languages() const
{
    QStringList codes;
    for (const DemoRecord& language : m_data.Records(QStringLiteral("Lingua"))) {
        if (language.Flag(QStringLiteral("Predefinita")))
            codes.prepend(language.key);
        else
            codes.append(language.key);
    }
    return codes;
}

QString DemoShopWriter::InLanguage(const DemoRecord& record, const QString& name, const QString& language) const
{
    const QString own = name + QLatin1Char('.') + language;
    if (record.Has(own))
        return record.Text(own);
    const QStringList languages = Languages();
    return languages.isEmpty() ? QString() : record.Text(name + QLatin1Char('.') + languages.first());
}

// The settings row keeps what the reference gave it; the data file names
// the columns it sets.
void DemoShopWriter::WriteShop()
{
    const QList<DemoRecord> shops = m_data.Records(QStringLiteral("Negozio"));
    if (shops.size() != 1)
        throw DemoDataError("il file dei dati deve avere un solo blocco [Negozio]");
    CConfigurazioneSet settings(&m_database);
    OpenUntracked(settings);
    if (settings.IsEOF())
        throw DemoDataError("il database di riferimento non ha la riga di Configurazione");
    settings.Edit();
    for (auto it = shops.first().values.cbegin(); it != shops.first().values.cend(); ++it) {
        if (!settings.HasField(it.key()))
            throw DemoDataError((shops.first().where + QStringLiteral(": Configurazione non ha la colonna ") + it.key())
                                    .toStdString());
        settings.SetFieldValue(it.key(), ColumnValue(QStringLiteral("Configurazione"), it.key(), it.value()));
    }
    settings.Update();
}

void DemoShopWriter::WriteLanguages()
{
    CLingueSet languages(&m_database);
    OpenUntracked(languages);
    CConfigurazioneSet settings(&m_database);
    OpenUntracked(settings);
    for (const DemoRecord& language : m_data.Records(QStringLiteral("Lingua"))) {
        const qint32 id = language.Integer(QStringLiteral("ID"));
        const auto fill = [&](CLingueSet& set) {
            set.m_Codice = language.key;
            set.m_Descrizione = language.Text(QStringLiteral("Descrizione"));
            set.m_IDValuta = language.Integer(QStringLiteral("Valuta"), 1);
            set.m_Attivo = true;
        };
        if (languages.FindFirst(QStringLiteral("Codice=?"), {language.key})) {
            languages.Edit();
            fill(languages);
            languages.Update();
        } else {
            AddRow(languages, id, fill);
        }
        if (language.Flag(QStringLiteral("Predefinita"))) {
            settings.Edit();
            settings.m_LinguaPredefinita = id;
            settings.Update();
        }
    }
}

void DemoShopWriter::WriteCategories()
{
    CCategorieGenSet categories(&m_database);
    CCategorieLinSet texts(&m_database);
    OpenUntracked(categories);
    OpenUntracked(texts);
    NextIds textIds(texts);
    for (const DemoRecord& category : m_data.Records(QStringLiteral("Categoria"))) {
        AddRow(categories, category.Id(), [&](CCategorieGenSet& set) {
            set.m_Codice = category.Text(QStringLiteral("Codice"));
            set.m_Ordine = category.Integer(QStringLiteral("Ordine"), category.Id());
            set.m_IDCategoriaPadre = category.Integer(QStringLiteral("Padre"));
        });
        for (const QString& language : Languages()) {
            AddRow(texts, textIds(), [&](CCategorieLinSet& set) {
                set.m_IDCategoria = category.Id();
                set.m_CodiceLingua = language;
                set.m_Nome = InLanguage(category, QStringLiteral("Nome"), language);
                set.m_Descrizione = InLanguage(category, QStringLiteral("Descrizione"), language);
            });
        }
    }
}

void DemoShopWriter::WriteProducts()
{
    CProdottiGeneraleSet products(&m_database);
    CProdottiLingueSet texts(&m_database);
    CCategorieProdottiSet links(&m_database);
    OpenUntracked(products);
    OpenUntracked(texts);
    OpenUntracked(links);
    NextIds textIds(texts);
    NextIds linkIds(links);
    for (const DemoRecord& product : m_data.Records(QStringLiteral("Prodotto")))
        WriteProduct(product, products, texts, textIds, links, linkIds);
}

void DemoShopWriter::WriteProduct(const DemoRecord& product, CQTRDaoRecordset& products, CQTRDaoRecordset& texts,
                                  NextIds& textIds, CQTRDaoRecordset& links, NextIds& linkIds)
{
    const qint32 id = product.Id();
    const qint32 base = product.Integer(QStringLiteral("Base"));
    CProductKeywords keywords(m_database);
    keywords.m_bTracking = false;
    AddRow(static_cast<CProdottiGeneraleSet&>(products), id, [&](CProdottiGeneraleSet& set) {
        set.m_IDProdottoBase = base;
        set.m_Codice = product.Text(QStringLiteral("Codice"));
        set.m_IVA = static_cast<float>(product.Number(QStringLiteral("IVA"), 22));
        set.m_Peso = static_cast<float>(product.Number(QStringLiteral("Peso")));
        set.m_Attivo = true;
        set.m_Novita = product.Flag(QStringLiteral("Novita"));
        set.m_Offerta = product.Flag(QStringLiteral("Offerta"));
        set.m_Sconto = static_cast<float>(product.Number(QStringLiteral("Sconto")));
        // An offer runs from the day it was made until it is withdrawn.
        set.m_ValiditaScontoDal = Day(QDate(2000, 1, 1));
        set.m_ValiditaScontoAl = Day(QDate(2099, 12, 31));
        set.m_Ordine = product.Integer(QStringLiteral("Ordine"), id);
        set.m_Disponibilita = static_cast<float>(product.Number(QStringLiteral("Disponibilita"), 10));
        set.m_Confezioni = 1;
        // Sold in the sizes of a size table, from position DaTaglia to ATaglia.
        if (product.Has(QStringLiteral("Taglie"))) {
            set.SetFieldValue(QStringLiteral("IDTabellaTaglie"), product.Integer(QStringLiteral("Taglie")));
            set.SetFieldValue(QStringLiteral("DATaglia"), product.Integer(QStringLiteral("DaTaglia")));
            set.SetFieldValue(QStringLiteral("ATaglia"), product.Integer(QStringLiteral("ATaglia")));
        }
    });
    for (const QString& language : Languages()) {
        AddRow(static_cast<CProdottiLingueSet&>(texts), textIds(), [&](CProdottiLingueSet& set) {
            set.m_IDProdotto = id;
            set.m_CodiceLingua = language;
            set.m_Nome = InLanguage(product, QStringLiteral("Nome"), language);
            set.m_DescrizioneFattura = set.m_Nome;
            set.m_DescrizioneBreve = InLanguage(product, QStringLiteral("Breve"), language);
            set.m_DescrizioneEstesa = InLanguage(product, QStringLiteral("Descrizione"), language);
            set.m_UM = InLanguage(product, QStringLiteral("UM"), language);
            set.m_Sort = set.m_Nome;
            set.m_Prezzo = product.Number(QStringLiteral("Prezzo"));
            set.m_Prezzo2 = product.Number(QStringLiteral("Prezzo2"), set.m_Prezzo);
            set.m_PrezzoPromozione = product.Number(QStringLiteral("PrezzoPromozione"));
        });
        // Searchable as a product made on the card is.
        const QString name = InLanguage(product, QStringLiteral("Nome"), language);
        keywords.Write(id, language, product.Text(QStringLiteral("Codice")),
                       {name, name, InLanguage(product, QStringLiteral("Breve"), language),
                        InLanguage(product, QStringLiteral("Descrizione"), language)},
                       true);
    }
    // A variant is listed through its base product, never on its own.
    if (base != 0)
        return;
    AddRow(static_cast<CCategorieProdottiSet&>(links), linkIds(), [&](CCategorieProdottiSet& set) {
        set.m_IDCategoria = product.Integer(QStringLiteral("Categoria"));
        set.m_IDProdotto = id;
    });
}

void DemoShopWriter::WriteColours()
{
    CProdottiColoriSet colours(&m_database);
    OpenUntracked(colours);
    for (const DemoRecord& colour : m_data.Records(QStringLiteral("Colore"))) {
        AddRow(colours, colour.Id(), [&](CProdottiColoriSet& set) {
            set.m_IDProdotto = colour.Integer(QStringLiteral("Prodotto"));
            set.m_Codice = colour.Text(QStringLiteral("Codice"));
            set.m_Descrizione = colour.Text(QStringLiteral("Descrizione"));
            set.m_Attivo = true;
        });
    }
}

void DemoShopWriter::WriteSizes()
{
    CValoriTaglieSet sizes(&m_database);
    OpenUntracked(sizes);
    for (const DemoRecord& table : m_data.Records(QStringLiteral("Taglie"))) {
        AddRow(sizes, table.Id(), [&](CValoriTaglieSet& set) {
            set.SetFieldValue(QStringLiteral("Descrizione"), table.Text(QStringLiteral("Descrizione")));
            set.SetFieldValue(QStringLiteral("Valori"), table.Text(QStringLiteral("Valori")));
        });
    }
}

// A shipping option's weight bands: band n up to Limite<n> kg (0: no
// limit) at Prezzo<n> before VAT.
void DemoShopWriter::WriteShipping()
{
    CSSpedizioneSet options(&m_database);
    OpenUntracked(options);
    for (const DemoRecord& option : m_data.Records(QStringLiteral("Spedizione"))) {
        AddRow(options, option.Id(), [&](CSSpedizioneSet& set) {
            set.SetFieldValue(QStringLiteral("Descrizione"), option.Text(QStringLiteral("Descrizione")));
            for (int band = 1; band <= 5; ++band) {
                const QString n = QString::number(band);
                set.SetFieldValue(QStringLiteral("Limite") + n, option.Number(QStringLiteral("Limite") + n));
                set.SetFieldValue(QStringLiteral("Prezzo") + n, option.Number(QStringLiteral("Prezzo") + n));
            }
            set.SetFieldValue(QStringLiteral("EsenzioneIVA"), option.Flag(QStringLiteral("EsenzioneIVA")));
        });
    }
}

void DemoShopWriter::WriteGroups()
{
    CGruppiSet groups(&m_database);
    OpenUntracked(groups);
    for (const DemoRecord& group : m_data.Records(QStringLiteral("Gruppo"))) {
        AddRow(groups, group.Id(), [&](CGruppiSet& set) {
            set.m_Nome = group.Text(QStringLiteral("Nome"));
            set.m_ScontoPredefinito = group.Text(QStringLiteral("Sconto"));
            set.m_IDListino = group.Integer(QStringLiteral("Listino"));
        });
    }
}

void DemoShopWriter::WriteCustomers()
{
    CClientiSet customers(&m_database);
    OpenUntracked(customers);
    for (const DemoRecord& customer : m_data.Records(QStringLiteral("Cliente"))) {
        AddRow(customers, customer.Id(), [&](CClientiSet& set) {
            set.m_RagioneSociale = customer.Text(QStringLiteral("RagioneSociale"));
            set.m_Cognome = customer.Text(QStringLiteral("Cognome"));
            set.m_Nome = customer.Text(QStringLiteral("Nome"));
            set.m_Indirizzo = customer.Text(QStringLiteral("Indirizzo"));
            set.m_Cap = customer.Text(QStringLiteral("Cap"));
            set.m_Localita = customer.Text(QStringLiteral("Localita"));
            set.m_Provincia = customer.Text(QStringLiteral("Provincia"));
            set.m_Stato = customer.Text(QStringLiteral("Stato"));
            set.m_Telefono = customer.Text(QStringLiteral("Telefono"));
            set.m_Email = customer.Text(QStringLiteral("Email"));
            set.m_UserID = customer.Text(QStringLiteral("UserID"));
            // Kept as its hash, as the shop keeps every password.
            if (customer.Has(QStringLiteral("Password")))
                set.m_Password = CPasswordHash::Hash(customer.Text(QStringLiteral("Password")));
            set.m_CodiceLingua = customer.Text(QStringLiteral("Lingua"));
            set.m_IDGruppo = customer.Integer(QStringLiteral("Gruppo"));
            set.m_TipoUtente = customer.Integer(QStringLiteral("Tipo"));
            set.m_IDAgente = customer.Integer(QStringLiteral("Agente"));
            set.m_IDCliente = customer.Integer(QStringLiteral("Cliente"));
            set.m_ScontoPredefinito = customer.Text(QStringLiteral("Sconto"));
        });
    }
}

// The mailing topics a member may choose, with their texts by language.
void DemoShopWriter::WriteInterests()
{
    CInteressiSet interests(&m_database);
    CInteressiLingueSet texts(&m_database);
    OpenUntracked(interests);
    OpenUntracked(texts);
    NextIds textIds(texts);
    for (const DemoRecord& interest : m_data.Records(QStringLiteral("Interesse"))) {
        AddRow(interests, interest.Id(), [&](CInteressiSet& set) { set.m_Ordine = interest.Id(); });
        for (const QString& language : Languages()) {
            AddRow(texts, textIds(), [&](CInteressiLingueSet& set) {
                set.m_IDInteresse = interest.Id();
                set.m_CodiceLingua = language;
                set.m_Nome = interest.Text(QStringLiteral("Nome.") + language);
                set.m_Descrizione = interest.Text(QStringLiteral("Descrizione.") + language);
            });
        }
    }
}

void DemoShopWriter::WriteDiscounts()
{
    CScontiProdottoSet discounts(&m_database);
    OpenUntracked(discounts);
    for (const DemoRecord& discount : m_data.Records(QStringLiteral("Sconto"))) {
        AddRow(discounts, discount.Id(), [&](CScontiProdottoSet& set) {
            set.SetFieldValue(QStringLiteral("IDUtente"), discount.Integer(QStringLiteral("Cliente")));
            set.SetFieldValue(QStringLiteral("IDGruppo"), discount.Integer(QStringLiteral("Gruppo")));
            set.SetFieldValue(QStringLiteral("IDProdotto"), discount.Integer(QStringLiteral("Prodotto")));
            set.SetFieldValue(QStringLiteral("IDCategoria"), discount.Integer(QStringLiteral("Categoria")));
            // Only the terms the data gives are written; the rest stay NULL,
            // which is "not set" for a discount row.
            if (discount.Has(QStringLiteral("Sconto")))
                set.SetFieldValue(QStringLiteral("ScontoPredefinito"), discount.Text(QStringLiteral("Sconto")));
            for (int tier = 1; tier <= 9; ++tier) {
                const QString n = QString::number(tier);
                if (discount.Has(QStringLiteral("Quantita") + n))
                    set.SetFieldValue(QStringLiteral("Quantita") + n, discount.Number(QStringLiteral("Quantita") + n));
                if (discount.Has(QStringLiteral("Sconto") + n))
                    set.SetFieldValue(QStringLiteral("Sconto") + n, discount.Text(QStringLiteral("Sconto") + n));
            }
        });
    }
}

void DemoShopWriter::WriteCompanyPages()
{
    CChiSiamoSet pages(&m_database);
    OpenUntracked(pages);
    NextIds ids(pages);
    for (const DemoRecord& page : m_data.Records(QStringLiteral("ChiSiamo"))) {
        AddRow(pages, ids(), [&](CChiSiamoSet& set) {
            set.m_CodiceLingua = page.key;
            set.m_Testo = page.Text(QStringLiteral("Testo"));
        });
    }
}

// Codes the reference already holds get the languages they lack; new
// codes are added after the reference's.
void DemoShopWriter::WriteTexts()
{
    CDizionarioGenSet codes(&m_database);
    CDizionarioLinSet texts(&m_database);
    OpenUntracked(codes);
    OpenUntracked(texts);
    NextIds codeIds(codes);
    NextIds textIds(texts);
    for (const DemoRecord& text : m_data.Records(QStringLiteral("Testo"))) {
        const QString code = text.key.toUpper();
        qint32 id = 0;
        if (codes.FindFirst(QStringLiteral("Codice=?"), {code})) {
            id = codes.m_ID;
        } else {
            id = codeIds();
            AddRow(codes, id, [&](CDizionarioGenSet& set) { set.m_Codice = code; });
        }
        for (const QString& language : Languages()) {
            if (!text.Has(language))
                continue;
            if (texts.FindFirst(QStringLiteral("IDCodice=? AND CodiceLingua=?"), {id, language})) {
                texts.Edit();
                texts.m_Testo = text.Text(language);
                texts.Update();
                continue;
            }
            AddRow(texts, textIds(), [&](CDizionarioLinSet& set) {
                set.m_IDCodice = id;
                set.m_CodiceLingua = language;
                set.m_Testo = text.Text(language);
            });
        }
    }
}
