#pragma once

#include <QString>
#include <QVector>

class CDaoDatabase;

// The categories as the catalogue's choosers show them: a root "Tutte le
// categorie" (ID 0), then each level from the top sorted by Ordine, every
// category named in the editing language or, when it has no name there,
// in the default language. Loaded once; the popup and tests read it.
class CCategoryTree
{
public:
    struct Node
    {
        qint32 nId = 0;
        QString strName;
        int nParent = -1;        // index of the parent node; -1 for the root
        QVector<int> children;   // indexes, in order
    };

    static QString AllCategoriesText() { return QStringLiteral("Tutte le categorie"); }

    void Load(CDaoDatabase& database, const QString& currentLanguage, const QString& defaultLanguage);

    // Node 0 is the root.
    const QVector<Node>& Nodes() const { return m_nodes; }
    // The name shown for category id ("Tutte le categorie" for 0); empty
    // when there is no such category.
    QString NameOf(qint32 id) const;

private:
    QVector<Node> m_nodes;
};
