#pragma once

#include "desktop/catalogue/CCatalogueJob.h"
#include "desktop/catalogue/ImportDatiRecord.h"

#include <QChar>
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class CCategorieProdottiSet;
class CDaoDatabase;
class CProdottiGeneraleSet;
class CProdottiLingueSet;
class IImportDatiUi;

// The import of a delimited text file of products into the project: each
// line creates or updates the product with its code (Codice), its texts and
// prices in one language and its link to one category; optionally the
// products the file no longer lists are deleted or deactivated.
//
// The run works on db/tempdb.mdb and puts it in place with one rename only
// when every line went through (or was skipped by the merchant's choice);
// a stop, an error or a failure leaves db/database.mdb as it was. Files of
// deleted products go only after the rename. What the run did comes back
// in counts and flags, so the dialog says it without reading messages:
// lines skipped, and obsolete products left alone because of them.
//
//   CImportDati import(app.m_db, projectFolder, settings, ui);
//   switch (import.Run(progress)) { Done / Cancelled / Failed + Error() }
class CImportDati : public CCatalogueJob
{
public:
    enum class Obsolete { Keep, Delete, Deactivate };

    struct Settings
    {
        QString strFile;
        QString strLanguageCode;          // Lingue.Codice of the texts and prices
        QVector<ImportField> columns;     // the fields of a line, left to right
        QChar separator = QLatin1Char('|');
        Obsolete obsolete = Obsolete::Keep;
    };

    CImportDati(CDaoDatabase& project, const QString& projectFolder, Settings settings, IImportDatiUi& ui);
    ~CImportDati() override;

    // What the last run did.
    int LineCount() const { return m_nLines; }
    int ImportedLines() const { return m_nImported; }
    int SkippedLines() const { return m_nSkipped; }
    int ObsoleteProducts() const { return m_nObsolete; }
    // The obsolete products were to be handled, and were left as they were
    // because lines were skipped.
    bool ObsoleteLeftAlone() const { return m_bObsoleteLeftAlone; }
    // The run stopped at a line the merchant was already told about.
    bool StoppedAtBadLine() const { return m_bStoppedAtBadLine; }

    // The file's lines: UTF-8, or Windows-1252 when it is not valid UTF-8;
    // "\r\n" and "\n" both end a line, and a last line break ends no line.
    static bool ReadLines(const QString& path, QStringList* lines);

private:
    struct Tables;

    bool Check() override;
    Result WorkOnCopy(CDaoDatabase& copy, ICatalogueProgress& progress) override;
    void LoadKeys(CDaoDatabase& copy);
    // False when the merchant chose to stop at this line.
    bool ImportLine(int number, const QString& line);
    void WriteProduct(const ImportDatiRecord& record);
    void WriteNewProduct(const ImportDatiRecord& record);
    void WriteLanguageRow(qint32 productId, const ImportDatiRecord& record);
    void WriteCategoryLink(qint32 productId, qint32 categoryId);
    bool HandleObsolete(ICatalogueProgress& progress, CDaoDatabase& copy);
    bool BadLine(const QString& message);

    Settings m_settings;
    IImportDatiUi& m_ui;

    std::unique_ptr<Tables> m_pTables;
    QString m_strScratch;                      // the working copy's scratch folder
    QHash<QString, qint32> m_productByCode;   // by case-folded code
    QHash<qint32, qint32> m_languageRowByProduct;   // rows of the imported language
    QHash<qint32, qint32> m_linkByProduct;          // the first link of each product
    QSet<qint32> m_categories;
    QStringList m_lines;

    int m_nLines = 0;
    int m_nImported = 0;
    int m_nSkipped = 0;
    int m_nObsolete = 0;
    bool m_bObsoleteLeftAlone = false;
    bool m_bStoppedAtBadLine = false;
};
