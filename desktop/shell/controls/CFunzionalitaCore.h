#pragma once

#include <QString>
#include <QVector>

#include <memory>

class CCategorieCodiciASPSet;
class CCodiceASPSet;
class CDaoDatabase;

// The rules of the feature chooser: the categories of site code blocks,
// the features of the chosen category, the description of what was last
// chosen, and whether "Aggiungi" may be pressed.
class CFunzionalitaCore
{
public:
    struct Entry
    {
        QString name;
        qint32 id = 0;
    };

    explicit CFunzionalitaCore(CDaoDatabase& db);
    ~CFunzionalitaCore();

    const QVector<Entry>& Categories() const { return m_categories; }
    const QVector<Entry>& Features() const { return m_features; }
    QString Description() const { return m_strDescription; }
    bool CanAdd() const { return m_nFeature > 0; }

    void SelectCategory(qint32 id);
    void SelectFeature(qint32 id);
    // The chosen feature's ID, 0 when none.
    qint32 Result() const { return m_nFeature; }

private:
    std::unique_ptr<CCategorieCodiciASPSet> m_pCategories;
    std::unique_ptr<CCodiceASPSet> m_pFeatures;
    QVector<Entry> m_categories;
    QVector<Entry> m_features;
    QString m_strDescription;
    qint32 m_nFeature = 0;
};
