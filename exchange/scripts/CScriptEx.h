#pragma once

#include "exchange/scripts/CScriptExFiles.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QVariant>

#include <memory>

class CDaoDatabase;
class CQTRDaoRecordset;
class CTrackedRowSaves;
class CStagedFiles;

// The object the merchant's import and export scripts see as QTR: it reads
// the exchange folder's data files, finds, adds and changes rows of the
// shop database (a working copy during a run), deletes rows with their
// dependants, imports product pictures and writes export files.
//
// Criteria are written as the scripts write SQL conditions; values that
// come from outside files go after them as a list bound to the "?" marks:
//   QTR.ModificaRecord("Codice=?", [codice])
// A failure reaches the script as an error it can catch; nothing is
// reported through a result.
class CScriptEx : public QObject
{
    Q_OBJECT
public:
    CScriptEx(CDaoDatabase* database, const QString& exchangeFolder, const QString& projectFolder,
              QObject* parent = nullptr);
    ~CScriptEx() override;

    void SetSortMode(int mode) { m_sortMode = mode; }
    // On a working copy the pictures go aside, to be put in place with the
    // copy (CScriptedImport); without it they are written in place.
    void SetStagedFiles(CStagedFiles* files) { m_staged = files; }
    CScriptExFiles& Files() { return m_files; }

    Q_INVOKABLE void ApriTabella(const QString& table);
    Q_INVOKABLE void ChiudiTabella();
    Q_INVOKABLE qint32 ModificaRecord(const QString& criteria, const QVariantList& values = {});
    Q_INVOKABLE qint32 IDEsterno2ID(const QString& table, const QString& externalKey);
    Q_INVOKABLE void ImpostaCampo(const QString& column, const QString& value);
    Q_INVOKABLE bool InizializzaFiles();
    Q_INVOKABLE QString LeggiRecord();
    Q_INVOKABLE void ImpostaCampoCustom(const QString& name, const QString& value);
    Q_INVOKABLE bool SelezionaRecord(const QString& criteria, const QVariantList& values = {});
    Q_INVOKABLE void ScriviFileExport(const QString& fileName, const QString& line);
    Q_INVOKABLE void ScriviNuovoFileExport(const QString& fileName, const QString& line);
    Q_INVOKABLE bool SelezionaRecordSuccessivo(const QString& criteria, const QVariantList& values = {});
    Q_INVOKABLE QString ValoreCampo(const QString& column);
    Q_INVOKABLE void EliminaRecord(const QString& table, const QString& criteria, const QVariantList& values = {});
    Q_INVOKABLE void ImportaFotoProdotto(qint32 productId, const QString& imagePath);
    Q_INVOKABLE QString ID2IDEsterno(const QString& table, qint32 id);
    Q_INVOKABLE QString ValoreCampoTabella(const QString& table, const QString& column, const QString& condition,
                                           const QVariantList& values = {});

    // Lets go of the statements the writes keep on the database's
    // connection; before the connection closes.
    void EndWrites();

    // Helpers the import and the export use too.
    qint32 ProssimoID();
    static qint32 NextID(CQTRDaoRecordset& recordset);
    void SetCampo(CQTRDaoRecordset& recordset, const QString& table, const QString& column, const QString& text);
    QString GetField(const QString& column) const;
    void CalcSort();
    void CalcKeywords(qint32 productId);
    void CopiaCategorieVarianti(qint32 productId);

private:
    template <class Body>
    auto Guard(Body&& body) -> decltype(body());
    CQTRDaoRecordset& Current();
    std::unique_ptr<CQTRDaoRecordset> OpenTable(const QString& table, const QString& filter = QString(),
                                                const QVariantList& values = {}) const;
    // The reads and writes of ModificaRecord, made once.
    CTrackedRowSaves& Saves();
    // text as a value of the column, or the script's error.
    static QVariant Parsed(const QString& table, const QString& column, const QString& text);
    QString ColumnText(CQTRDaoRecordset& recordset, const QString& table, const QString& column) const;
    QString ExportPath(const QString& fileName) const;
    QString Queued(const QString& column, bool decipher) const;

    CDaoDatabase* m_database;
    QString m_exchangeFolder;
    QString m_projectFolder;
    int m_sortMode = 0;
    QString m_table;
    std::unique_ptr<CQTRDaoRecordset> m_current;   // read on demand
    std::unique_ptr<CTrackedRowSaves> m_saves;
    QString m_criteria;                             // of the last SelezionaRecord
    QVariantList m_criteriaValues;
    QList<QPair<QString, QString>> m_queue;
    QString m_custom;
    QString m_productCode;
    int m_productActive = 0;
    CScriptExFiles m_files;
    CStagedFiles* m_staged = nullptr;
};
