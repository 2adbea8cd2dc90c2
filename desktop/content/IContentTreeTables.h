#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The tables behind a tree of the site's content (sections, forum or chat
// topics) as the tree editor needs them: a main table whose rows hang
// under a parent row and sort among their sisters by Ordine, and a
// language table with each row's name and description. Every write goes
// through the table classes (Modificato, VersioneRecord, the deletion
// log); CContentTreeTables answers it for each kind of tree.
class IContentTreeTables
{
public:
    static constexpr int kSwitchCount = 5;

    struct Row
    {
        qint32 nId = 0;
        qint32 nParent = 0;
    };

    struct Main
    {
        QString codice;
        bool switches[kSwitchCount] = {};
    };

    virtual ~IContentTreeTables() = default;

    // Every row of the tree's kind, sisters in their order.
    virtual QVector<Row> Rows() = 0;
    // Name and description of id in language; false when it has no row there.
    virtual bool Texts(qint32 id, const QString& language, QString* nome, QString* descrizione) = 0;
    virtual Main ReadMain(qint32 id) = 0;
    // Another row of the tree's kind than self has code.
    virtual bool CodeInUse(const QString& code, qint32 self) = 0;
    virtual qint32 NextID() = 0;
    virtual void InsertMain(qint32 id, qint32 parent, const Main& values) = 0;
    virtual void UpdateMain(qint32 id, const Main& values) = 0;
    // Writes or adds id's row in language; flagPicture only marks the
    // language's picture as changed (a missing row gets the texts given).
    virtual void WriteTexts(qint32 id, const QString& language, const QString& nome, const QString& descrizione,
                            bool flagPicture) = 0;
    virtual void SwapOrder(qint32 a, qint32 b) = 0;
    virtual void SetParent(qint32 id, qint32 parent) = 0;
    // Deletes one row through its table class's cascade.
    virtual void Delete(qint32 id) = 0;
    // Copies row source (not its children) under parent with a new ID, no
    // code, and the texts of the languages given; returns the new ID.
    virtual qint32 CopyRow(qint32 source, qint32 parent, const QStringList& languages) = 0;
    // What a deletion of these rows leaves behind: the count of articles
    // (sections) or posts (topics) linked to them.
    virtual int LinkedCount(const QVector<qint32>& ids) = 0;
};
