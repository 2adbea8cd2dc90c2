#pragma once

#include "desktop/shell/controls/tests/ShopTestDb.h"

#include <QString>

// A throwaway shop project with the content tables' rows put in through
// their table classes, so enciphered texts are stored as the program
// stores them.
class ContentFixture : public ShopTestDb
{
public:
    void AddDictionaryEntry(qint32 id, const QString& code);
    void AddDictionaryText(qint32 entryId, const QString& language, const QString& text);
    // The text of an entry in a language; found says whether the row exists.
    QString DictionaryText(qint32 entryId, const QString& language, bool* found = nullptr);
    void AddCompanyText(qint32 id, const QString& language, const QString& text);
    // The company text of a language; found says whether the row exists.
    QString CompanyText(const QString& language, bool* found = nullptr);
    // An article and its texts in one language, through the table classes.
    void AddArticle(qint32 id, const QString& code, qint32 order, bool attivo = true, bool novita = false);
    void AddArticleText(qint32 article, const QString& language, const QString& titolo,
                        const QString& testo = QString(), const QString& sottotitolo = QString());
    // The title of an article in a language; found says whether the row exists.
    QString ArticleTitle(qint32 article, const QString& language, bool* found = nullptr);
    // A section (or topic of kind tipo) named in one language.
    void AddSection(qint32 id, qint32 parent, const QString& language, const QString& name);
    void AddSectionText(qint32 section, const QString& language, const QString& name);
    void AddTopic(qint32 id, int tipo, qint32 parent, const QString& language, const QString& name);
    void LinkArticle(qint32 section, qint32 article);
    int Count(const QString& table);
    // Marks every row of table as published, as after an upload.
    void ClearModified(const QString& table);
};
