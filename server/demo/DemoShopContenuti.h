#pragma once

#include "server/demo/DemoShopData.h"

#include <QStringList>

class CDaoDatabase;

// The demo shop's content, written through the table classes: sections,
// articles with their links and files, a form with its fields and
// options, forum topics with posts and chat rooms; and the files the
// articles offer, in the shop folder.
class DemoShopContenuti
{
public:
    DemoShopContenuti(CDaoDatabase& database, const DemoShopData& data, const QStringList& languages);

    // Raises CDaoException or DemoDataError.
    void Write();
    // The articles' files under images/articoli/files of the shop folder.
    static void WriteFiles(const DemoShopData& data, const QString& shopFolder);

private:
    void WriteSections();
    void WriteArticles();
    void WriteForms();
    void WriteLinksAndFiles();
    void WriteTopics();
    void WritePosts();
    QString InLanguage(const DemoRecord& record, const QString& name, const QString& language) const;

    CDaoDatabase& m_database;
    const DemoShopData& m_data;
    QStringList m_languages;
};
