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
    int Count(const QString& table);
    // Marks every row of table as published, as after an upload.
    void ClearModified(const QString& table);
};
