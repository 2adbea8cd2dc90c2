#include "server/demo/DemoShopContenuti.h"

#include "platform/dao/CDaoDatabase.h"
#include "recordset/CArgomentiLingueSet.h"
#include "recordset/CArgomentiSet.h"
#include "recordset/CArticoliFilesLingueSet.h"
#include "recordset/CArticoliFilesSet.h"
#include "recordset/CArticoliGenSet.h"
#include "recordset/CArticoliLinSet.h"
#include "recordset/CArticoliLinkLingueSet.h"
#include "recordset/CArticoliLinkSet.h"
#include "recordset/CInterventiForumSet.h"
#include "recordset/CModuliCampiLingueSet.h"
#include "recordset/CModuliCampiSet.h"
#include "recordset/CModuliLingueSet.h"
#include "recordset/CModuliOpzioniLingueSet.h"
#include "recordset/CModuliOpzioniSet.h"
#include "recordset/CModuliSet.h"
#include "recordset/CSezioniArticoliSet.h"
#include "recordset/CSezioniLingueSet.h"
#include "recordset/CSezioniSet.h"

#include <QDir>
#include <QFile>

namespace {

// The demo's rows are the shop's starting state, not edits waiting for a
// site update.
template <class Set>
void OpenUntracked(Set& set)
{
    set.m_bTracking = false;
    set.Open();
}

template <class Set, class Fill>
void AddRow(Set& set, qint32 id, Fill fill)
{
    set.AddNew();
    set.SetFieldValue(QStringLiteral("ID"), id);
    fill(set);
    set.Update();
}

// The IDs of a table's language rows: one past the largest written.
class NextId
{
public:
    qint32 operator()() { return ++m_last; }

private:
    qint32 m_last = 0;
};

QDateTime Day(const DemoRecord& record, const QString& name)
{
    if (!record.Has(name))
        return QDateTime();
    const QDate date = QDate::fromString(record.Text(name), Qt::ISODate);
    if (!date.isValid())
        throw DemoDataError((record.where + ": data non valida in " + name).toStdString());
    return QDateTime(date, QTime(0, 0));
}

QDateTime Hour(const DemoRecord& record, const QString& name)
{
    const QTime time = QTime::fromString(record.Text(name), QStringLiteral("HH:mm"));
    return QDateTime(QDate(1899, 12, 30), time.isValid() ? time : QTime(12, 0));
}

} // namespace

DemoShopContenuti::DemoShopContenuti(CDaoDatabase& database, const DemoShopData& data, const QStringList& languages)
    : m_database(database), m_data(data), m_languages(languages)
{
}

QString DemoShopContenuti::InLanguage(const DemoRecord& record, const QString& name, const QString& language) const
{
    const QString own = name + QLatin1Char('.') + language;
    if (record.Has(own))
        return record.Text(own);
    return m_languages.isEmpty() ? QString() : record.Text(name + QLatin1Char('.') + m_languages.first());
}

void DemoShopContenuti::Write()
{
    WriteSections();
    WriteForms();
    WriteArticles();
    WriteLinksAndFiles();
    WriteTopics();
    WritePosts();
}

void DemoShopContenuti::WriteSections()
{
    CSezioniSet sections(&m_database);
    CSezioniLingueSet texts(&m_database);
    OpenUntracked(sections);
    OpenUntracked(texts);
    NextId textId;
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Sezione"))) {
        AddRow(sections, r.Id(), [&](CSezioniSet& s) {
            s.m_Codice = r.Text(QStringLiteral("Codice"));
            s.m_IDSezionePadre = r.Integer(QStringLiteral("Padre"));
            s.m_Ordine = r.Integer(QStringLiteral("Ordine"), r.Id());
            s.m_Attivo = true;
            s.m_Stampa = r.Flag(QStringLiteral("Stampa"));
            s.m_Segnalazione = r.Flag(QStringLiteral("Segnalazione"));
            s.m_Voto = r.Flag(QStringLiteral("Voto"));
            s.m_DataPubblicazione = r.Flag(QStringLiteral("DataPubblicazione"));
        });
        for (const QString& language : m_languages)
            AddRow(texts, textId(), [&](CSezioniLingueSet& t) {
                t.m_IDSezione = r.Id();
                t.m_CodiceLingua = language;
                t.m_Nome = InLanguage(r, QStringLiteral("Nome"), language);
                t.m_Descrizione = InLanguage(r, QStringLiteral("Descrizione"), language);
            });
    }
}

void DemoShopContenuti::WriteArticles()
{
    CArticoliGenSet articles(&m_database);
    CArticoliLinSet texts(&m_database);
    CSezioniArticoliSet links(&m_database);
    OpenUntracked(articles);
    OpenUntracked(texts);
    OpenUntracked(links);
    NextId textId, linkId;
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Articolo"))) {
        AddRow(articles, r.Id(), [&](CArticoliGenSet& a) {
            a.m_Codice = r.Text(QStringLiteral("Codice"));
            a.m_Ordine = r.Integer(QStringLiteral("Ordine"), r.Id());
            a.m_Attivo = true;
            a.m_Novita = r.Flag(QStringLiteral("Novita"));
            a.m_DataPubblicazione = Day(r, QStringLiteral("DataPubblicazione"));
            a.m_FlagStampa = quint8(r.Integer(QStringLiteral("FlagStampa"), 2));
            a.m_FlagSegnalazione = quint8(r.Integer(QStringLiteral("FlagSegnalazione"), 2));
            a.m_FlagVoto = quint8(r.Integer(QStringLiteral("FlagVoto"), 2));
            a.m_NumeroVotanti = r.Integer(QStringLiteral("NumeroVotanti"));
            a.m_Voti = r.Integer(QStringLiteral("Voti"));
            a.m_IDModulo = r.Integer(QStringLiteral("Modulo"));
            a.m_IDArticoloRispostaModulo = r.Integer(QStringLiteral("Risposta"));
        });
        for (const QString& language : m_languages)
            AddRow(texts, textId(), [&](CArticoliLinSet& t) {
                t.m_IDArticolo = r.Id();
                t.m_CodiceLingua = language;
                t.m_Titolo = InLanguage(r, QStringLiteral("Titolo"), language);
                t.m_Sottotitolo = InLanguage(r, QStringLiteral("Sottotitolo"), language);
                t.m_Testo = InLanguage(r, QStringLiteral("Testo"), language);
                t.m_Autore = InLanguage(r, QStringLiteral("Autore"), language);
            });
        for (const QString& section : r.Text(QStringLiteral("Sezioni")).split(QLatin1Char(','), Qt::SkipEmptyParts))
            AddRow(links, linkId(), [&](CSezioniArticoliSet& l) {
                l.m_IDSezione = section.trimmed().toInt();
                l.m_IDArticolo = r.Id();
            });
    }
}

void DemoShopContenuti::WriteForms()
{
    CModuliSet forms(&m_database);
    CModuliLingueSet formTexts(&m_database);
    CModuliCampiSet fields(&m_database);
    CModuliCampiLingueSet fieldTexts(&m_database);
    CModuliOpzioniSet options(&m_database);
    CModuliOpzioniLingueSet optionTexts(&m_database);
    for (CQTRDaoRecordset* set : std::initializer_list<CQTRDaoRecordset*>{&forms, &formTexts, &fields, &fieldTexts,
                                                                          &options, &optionTexts})
        OpenUntracked(*set);
    NextId formTextId, fieldTextId, optionTextId;
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Modulo"))) {
        AddRow(forms, r.Id(), [&](CModuliSet& m) {
            m.m_Codice = r.Text(QStringLiteral("Codice"));
            m.m_OggettoMail = r.Text(QStringLiteral("OggettoMail"));
            m.m_Email = r.Text(QStringLiteral("Email"));
        });
        for (const QString& language : m_languages)
            AddRow(formTexts, formTextId(), [&](CModuliLingueSet& t) {
                t.m_IDModulo = r.Id();
                t.m_CodiceLingua = language;
                t.m_Nome = InLanguage(r, QStringLiteral("Nome"), language);
                t.m_Descrizione = InLanguage(r, QStringLiteral("Descrizione"), language);
            });
    }
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Campo"))) {
        AddRow(fields, r.Id(), [&](CModuliCampiSet& c) {
            c.m_IDModulo = r.Integer(QStringLiteral("Modulo"));
            c.m_Ordine = r.Integer(QStringLiteral("Ordine"), r.Id());
            c.m_Tipo = quint8(r.Integer(QStringLiteral("Tipo")));
            c.m_Lunghezza = qint16(r.Integer(QStringLiteral("Lunghezza")));
        });
        for (const QString& language : m_languages)
            AddRow(fieldTexts, fieldTextId(), [&](CModuliCampiLingueSet& t) {
                t.m_IDCampo = r.Id();
                t.m_CodiceLingua = language;
                t.m_Nome = InLanguage(r, QStringLiteral("Nome"), language);
            });
    }
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Opzione"))) {
        AddRow(options, r.Id(), [&](CModuliOpzioniSet& o) {
            o.m_IDCampo = r.Integer(QStringLiteral("Campo"));
            o.m_Ordine = r.Integer(QStringLiteral("Ordine"), r.Id());
        });
        for (const QString& language : m_languages)
            AddRow(optionTexts, optionTextId(), [&](CModuliOpzioniLingueSet& t) {
                t.m_IDOpzione = r.Id();
                t.m_CodiceLingua = language;
                t.m_Opzione = InLanguage(r, QStringLiteral("Nome"), language);
            });
    }
}

void DemoShopContenuti::WriteLinksAndFiles()
{
    CArticoliLinkSet links(&m_database);
    CArticoliLinkLingueSet linkTexts(&m_database);
    CArticoliFilesSet files(&m_database);
    CArticoliFilesLingueSet fileTexts(&m_database);
    OpenUntracked(links);
    OpenUntracked(linkTexts);
    OpenUntracked(files);
    OpenUntracked(fileTexts);
    NextId linkTextId, fileTextId;
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Link"))) {
        AddRow(links, r.Id(), [&](CArticoliLinkSet& l) {
            l.m_IDArticolo = r.Integer(QStringLiteral("Articolo"));
            l.m_URL = r.Text(QStringLiteral("URL"));
            l.m_Ordine = r.Integer(QStringLiteral("Ordine"), r.Id());
            l.m_Esterno = r.Flag(QStringLiteral("Esterno"));
        });
        for (const QString& language : m_languages)
            AddRow(linkTexts, linkTextId(), [&](CArticoliLinkLingueSet& t) {
                t.m_IDLink = r.Id();
                t.m_CodiceLingua = language;
                t.m_Titolo = InLanguage(r, QStringLiteral("Titolo"), language);
                t.m_Descrizione = InLanguage(r, QStringLiteral("Descrizione"), language);
            });
    }
    for (const DemoRecord& r : m_data.Records(QStringLiteral("File"))) {
        AddRow(files, r.Id(), [&](CArticoliFilesSet& f) {
            f.m_IDArticolo = r.Integer(QStringLiteral("Articolo"));
            f.m_Codice = r.Text(QStringLiteral("Codice"));
            f.m_Ordine = r.Integer(QStringLiteral("Ordine"), r.Id());
        });
        for (const QString& language : m_languages)
            AddRow(fileTexts, fileTextId(), [&](CArticoliFilesLingueSet& t) {
                t.m_IDFiles = r.Id();
                t.m_CodiceLingua = language;
                t.m_Titolo = InLanguage(r, QStringLiteral("Titolo"), language);
                t.m_Descrizione = InLanguage(r, QStringLiteral("Descrizione"), language);
            });
    }
}

void DemoShopContenuti::WriteTopics()
{
    CArgomentiSet topics(&m_database);
    CArgomentiLingueSet texts(&m_database);
    OpenUntracked(topics);
    OpenUntracked(texts);
    NextId textId;
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Argomento"))) {
        AddRow(topics, r.Id(), [&](CArgomentiSet& a) {
            a.m_Tipo = quint8(r.Integer(QStringLiteral("Tipo")));
            a.m_IDArgomentoPadre = r.Integer(QStringLiteral("Padre"));
            a.m_Ordine = r.Integer(QStringLiteral("Ordine"), r.Id());
            a.m_Codice = r.Text(QStringLiteral("Codice"));
        });
        for (const QString& language : m_languages)
            AddRow(texts, textId(), [&](CArgomentiLingueSet& t) {
                t.m_IDArgomento = r.Id();
                t.m_CodiceLingua = language;
                t.m_Nome = InLanguage(r, QStringLiteral("Nome"), language);
                t.m_Descrizione = InLanguage(r, QStringLiteral("Descrizione"), language);
            });
    }
}

void DemoShopContenuti::WritePosts()
{
    CInterventiForumSet posts(&m_database);
    OpenUntracked(posts);
    for (const DemoRecord& r : m_data.Records(QStringLiteral("Intervento"))) {
        AddRow(posts, r.Id(), [&](CInterventiForumSet& p) {
            p.m_IDArgomento = r.Integer(QStringLiteral("Argomento"));
            p.m_IDIntervento = r.Integer(QStringLiteral("Risponde"));
            p.m_Data = Day(r, QStringLiteral("Data"));
            p.m_Ora = Hour(r, QStringLiteral("Ora"));
            p.m_Mittente = r.Text(QStringLiteral("Mittente"));
            p.m_Oggetto = r.Text(QStringLiteral("Oggetto"));
            p.m_Testo = r.Text(QStringLiteral("Testo"));
            p.m_Attivo = r.Flag(QStringLiteral("Attivo"), true);
        });
    }
}

void DemoShopContenuti::WriteFiles(const DemoShopData& data, const QString& shopFolder)
{
    const QDir folder(QDir(shopFolder).filePath(QStringLiteral("images/articoli/files")));
    QDir().mkpath(folder.path());
    for (const DemoRecord& r : data.Records(QStringLiteral("File"))) {
        QFile file(folder.filePath(QString::number(r.Id()) + QLatin1Char('.') + r.Text(QStringLiteral("Estensione"))));
        if (!file.open(QIODevice::WriteOnly) || file.write(r.Text(QStringLiteral("Contenuto")).toUtf8()) < 0)
            throw DemoDataError(("impossibile scrivere " + file.fileName()).toStdString());
    }
}
