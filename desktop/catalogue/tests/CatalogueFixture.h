#pragma once

#include "desktop/catalogue/ICatalogueProgress.h"
#include "desktop/catalogue/IImportDatiUi.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

// Records what a job reports; onDone runs after each position, so a test
// can raise the job's stop flag at item k.
class RecordingProgress : public ICatalogueProgress
{
public:
    void SetLabel(const QString& text) override { labels << text; }
    void SetTotal(int total) override { totals << total; }
    void SetDone(int done) override
    {
        lastDone = done;
        if (onDone)
            onDone(done);
    }

    QStringList labels;
    QList<int> totals;
    int lastDone = -1;
    std::function<void(int)> onDone;
};

// The merchant's answers to the import's questions, recorded.
class FakeImportUi : public IImportDatiUi
{
public:
    bool GoOnAfterBadLine(const QString& message) override
    {
        asked << message;
        return goOn;
    }

    bool goOn = false;
    QStringList asked;
};

// A throwaway project made from the reference database, open as the
// application would hold it, with helpers that write rows straight.
class CatalogueFixture
{
public:
    CatalogueFixture();
    ~CatalogueFixture();

    QString Folder() const { return m_strFolder; }
    QString DatabasePath() const { return m_strFolder + QStringLiteral("/db/database.mdb"); }
    CDaoDatabase& Db() { return m_db; }

    // Rows with only the columns that matter to a test.
    void AddLanguage(qint32 id, const QString& code, bool active = true);
    void AddCategory(qint32 id, qint32 parent = 0, qint32 order = 0);
    void AddCategoryName(qint32 categoryId, const QString& language, const QString& name);
    void AddProduct(qint32 id, const QString& code, qint32 order = 0, bool modified = false);
    void AddProductLanguage(qint32 id, qint32 productId, const QString& language, double price = 0,
                            const QString& name = QString());
    void AddLink(qint32 id, qint32 categoryId, qint32 productId);
    // Marks every row as published, as after an upload.
    void ClearModified();

    QVariant Scalar(const QString& sql, const QVariantList& params = {});
    QByteArray DatabaseBytes();
    // A fixture file of tests/data/<folder>.
    static QString DataFile(const QString& relative);

private:
    qint32 NextRow(const QString& table);

    TempFolder m_temp;
    QString m_strFolder;
    CDaoDatabase m_db;
};
