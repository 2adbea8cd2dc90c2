#pragma once

#include "platform/dao/CDaoDatabase.h"
#include "platform/testing/TempFolder.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <utility>

// A small installation and project for the block editor's tests, made from
// the schema: a block catalogue with a feature (with a parent class "^" and
// files), the conditional block 101, and a project whose tree is
//
//   1 Pagina (page)                    2 Vuota (page, no blocks)
//     10 Testata (block)
//       11 Logo (feature)
//       12 Interno (block)
//     20 Griglia (table)
//       21 Sinistra (column)
//         22 Menu (block, Include, referenced by 40)
//           24 Sottomenu (block)
//       23 Destra (column)
//     30 Se (conditional)
//       40 Rif. Menu (reference to 22)
//     50 Fisso (fixed)
//
// Blocks 1, 10 and 22 have a class each (10's with two attributes), 1 and
// 11 a parameter each.
class GraphicProjectFixture
{
public:
    using Values = QList<std::pair<QString, QVariant>>;

    GraphicProjectFixture();
    ~GraphicProjectFixture();

    QString InstallFolder() const { return m_temp.Path() + QStringLiteral("/install/"); }
    QString ProjectFolder() const { return m_temp.Path() + QStringLiteral("/project/"); }
    TempFolder& Temp() { return m_temp; }

    // Plain SQL on the project's graphic database, beside the editor's
    // own connection.
    void Row(const QString& table, const Values& values);
    QVariant Value(const QString& sql, const QVariantList& params = {});
    QVariantList Column(const QString& sql, const QVariantList& params = {});
    // Folds the database's log into its file, so a plain copy of the file
    // holds every row.
    void Checkpoint() { m_project.Checkpoint(); }
    // Every row of the graphic tables, for "nothing changed" checks.
    QString Dump();

    void Block(qint32 id, qint32 parent, const QString& name, int kind, qint32 reference = 0,
               qint32 category = 1);

private:
    void MakeCatalogue();
    void MakeProject();

    TempFolder m_temp;
    CDaoDatabase m_project;
};
