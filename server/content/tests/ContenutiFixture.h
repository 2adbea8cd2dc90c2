#pragma once

#include "server/core/testing/CQtrTestShop.h"

#include "platform/utilities/QtrCipher.h"

#include <gtest/gtest.h>

#include <QDate>

#include <memory>

// A shop for the content, forum and chat classes on one engine: Italian
// (default) and English, a visitor's Session as the set-up leaves it, and
// helpers that write sections, articles, forms, topics and posts with
// their texts, enciphered where the shop enciphers them.
class ContenutiFixture : public ::testing::TestWithParam<CAdoConnection::Engine>
{
protected:
    void SetUp() override
    {
        m_shop = std::make_unique<CQtrTestShop>(GetParam());
        m_shop->AddBasics();
        Set("DbPath", m_shop->DbFolder());
        Set("ShareConn", false);
        Set("CodiceLingua", "it");
        Set("CodiceLinguaPredefinita", "it");
        Set("IDUtente", 50);
        Set("IDGruppo", 5);
        Set("EmailInfo", "info@bottega.test");
        Set("FlagSottoSez", 1);
        Set("FlagCalPerSez", 1);
        Set("FlagCalNumArtSez", 1);
        Set("FlagCalNumIntArg", 1);
        Set("FlagCalNumUteArg", 1);
        Set("ArticlePageSize", 5);
        Set("ThreadPageSize", 10);
        Set("AnswerPageSize", 10);
        Set("MessagesPageSize", 20);
        Set("DurataMessaggiChat", 600);
        Set("FrequenzaAggiornamentoChat", 10);
        Set("URLPaginaSezioni", "/sezione.asp");
        Set("URLPaginaArgomentiForum", "/forum.asp");
        Set("URLPaginaArgomentiChat", "/chat.asp");
    }

    void Set(const QString& chiave, const QVariant& valore) { m_shop->Host().Session().SetValue(chiave, valore); }
    QVariant Session(const QString& chiave) { return m_shop->Host().Session().Value(chiave); }

    static QString Giorno(int giorni)
    {
        return QDate::currentDate().addDays(giorni).toString("yyyy-MM-dd 00:00:00");
    }

    void Sezione(int id, int padre, const QString& nome, QVariantMap colonne = {})
    {
        colonne.insert("ID", id);
        colonne.insert("IDSezionePadre", padre);
        if (!colonne.contains("Attivo"))
            colonne.insert("Attivo", 1);
        if (!colonne.contains("Ordine"))
            colonne.insert("Ordine", id);
        if (!colonne.contains("Codice"))
            colonne.insert("Codice", "SEZ" + QString::number(id));
        m_shop->Insert("Sezioni", colonne);
        m_shop->Insert("SezioniLingue", {{"ID", id}, {"IDSezione", id}, {"CodiceLingua", "it"},
                                         {"Nome", Encrypt(nome)}, {"Descrizione", Encrypt("Di " + nome)}});
    }

    void Articolo(int id, QList<int> sezioni, const QString& titolo, QVariantMap colonne = {}, const QString& testo = {})
    {
        colonne.insert("ID", id);
        if (!colonne.contains("Attivo"))
            colonne.insert("Attivo", 1);
        if (!colonne.contains("Ordine"))
            colonne.insert("Ordine", id);
        for (const char* c : {"NumeroVotanti", "Voti", "Segnalazioni", "IDTemplate", "IDModulo", "FlagVoto",
                              "FlagStampa", "FlagSegnalazione", "Novita"})
            if (!colonne.contains(c))
                colonne.insert(c, 0);
        m_shop->Insert("Articoli", colonne);
        m_shop->Insert("ArticoliLingue", {{"ID", id}, {"IDArticolo", id}, {"CodiceLingua", "it"},
                                          {"Titolo", Encrypt(titolo)},
                                          {"Testo", Encrypt(testo.isEmpty() ? "Testo di " + titolo : testo)},
                                          {"Visite", 0}});
        for (int s : sezioni)
            m_shop->Insert("SezioniArticoli", {{"ID", id * 100 + s}, {"IDSezione", s}, {"IDArticolo", id}});
    }

    void Permesso(int id, int tipo, int record, int gruppo, int utente)
    {
        m_shop->Insert("Permessi", {{"ID", id}, {"Tipo", tipo}, {"IDRecord", record}, {"IDGruppo", gruppo},
                                    {"IDUtente", utente}});
    }

    void Argomento(int id, int tipo, int padre, const QString& nome, const QString& codice = {})
    {
        m_shop->Insert("Argomenti", {{"ID", id}, {"Tipo", tipo}, {"IDArgomentoPadre", padre}, {"Ordine", id},
                                     {"Codice", codice.isEmpty() ? "ARG" + QString::number(id) : codice}});
        m_shop->Insert("ArgomentiLingue", {{"ID", id}, {"IDArgomento", id}, {"CodiceLingua", "it"},
                                           {"Nome", Encrypt(nome)}, {"Descrizione", Encrypt("Su " + nome)}});
    }

    // A post of the day giorni from today at the hour given.
    void Intervento(int id, int argomento, int padre, bool attivo, int giorni = 0, const QString& ora = "10:00:00",
                    const QString& testo = "Testo")
    {
        m_shop->Insert("InterventiForum", {{"ID", id}, {"IDArgomento", argomento}, {"IDIntervento", padre},
                                           {"Data", Giorno(giorni)}, {"Ora", "1899-12-30 " + ora},
                                           {"Mittente", "Ugo"}, {"Oggetto", "Oggetto " + QString::number(id)},
                                           {"Testo", testo}, {"Attivo", attivo ? 1 : 0}, {"Modificato", 0}});
    }

    QVariant Valore(const QString& sql, const QVariantList& valori = {})
    {
        QSqlQuery q = m_shop->Db().Run(sql, valori);
        return q.next() ? q.value(0) : QVariant();
    }

    std::unique_ptr<CQtrTestShop> m_shop;
};
