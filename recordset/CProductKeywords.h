#pragma once

#include <QString>
#include <QStringList>

class CDaoDatabase;

// The search words of a product in one language (ParoleChiave, Tipo 1): its
// code, "/", then the words of its texts (name, invoice text, short and long
// descriptions, custom field values) as ElaboraKeywords gives them. The
// product card, the text import and the demo shop write them this one way,
// so the shop's search finds what each of them makes.
class CProductKeywords
{
public:
    explicit CProductKeywords(CDaoDatabase& db);

    static QString Keywords(const QString& code, const QStringList& texts);
    // Adds or rewrites the product's row of the language, marked for the
    // site update.
    void Write(qint32 product, const QString& language, const QString& code, const QStringList& texts, bool active);

    // Where the site-update marker goes (a job on a copy names the copy's).
    QString m_strProjectFolder;
    // False where nothing is to be uploaded (a new demo shop).
    bool m_bTracking = true;

private:
    CDaoDatabase& m_db;
};
