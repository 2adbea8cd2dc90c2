#include "desktop/design/CStyleSheetWriter.h"

#include "desktop/design/CAttributiCatalogo.h"
#include "desktop/design/CDesignFiles.h"
#include "desktop/design/CGraphicQuery.h"
#include "platform/dao/CDaoDatabase.h"

#include <QList>
#include <QSqlQuery>

#include <utility>

namespace {

QString Declaration(const QString& property, const QString& value)
{
    return QStringLiteral("\t%1: %2;\n").arg(property, value);
}

} // namespace

CStyleSheetWriter::CStyleSheetWriter(CDaoDatabase& project, const QString& projectFolder)
    : m_project(project), m_strProjectFolder(projectFolder)
{
}

CStyleSheetWriter::~CStyleSheetWriter() = default;

bool CStyleSheetWriter::WriteStyleSheets(qint32 currentBlockId)
{
    QSqlQuery block = CGraphicQuery::Select(m_project, QStringLiteral("SELECT IDCategoria FROM CodiceASP WHERE ID=?"),
                                            {currentBlockId});
    if (!block.next() || block.value(0).toInt() == 0)
        return true;
    const qint32 category = block.value(0).toInt();
    QSqlQuery file =
        CGraphicQuery::Select(m_project, QStringLiteral("SELECT NomeFileCSS FROM CategorieCodiciASP WHERE ID=?"), {category});
    if (!file.next())
        return true;
    const QString name = file.value(0).toString();
    if (!CDesignFiles::IsPlainName(name))
        return false;
    return CDesignFiles::WriteText(m_strProjectFolder + QStringLiteral("website/images/") + name,
                                   CategorySheet(category));
}

// Blocks and attributes in the order they were stored (by ID), classes in
// their own order within each block.
QString CStyleSheetWriter::CategorySheet(qint32 categoryId)
{
    QList<qint32> blocks;
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT ID FROM CodiceASP WHERE IDCategoria=? AND Attivo<>0 ORDER BY ID"),
                             {categoryId});
    while (query.next())
        blocks.append(query.value(0).toInt());
    QString sheet;
    for (qint32 blockId : blocks)
        sheet += BlockRules(blockId);
    return sheet;
}

QString CStyleSheetWriter::BlockRules(qint32 blockId)
{
    QList<std::pair<qint32, QString>> classes;
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT ID, NomeCSS FROM ClassiCSS WHERE IDCodiceASP=? ORDER BY Ordine, ID"),
                             {blockId});
    while (query.next())
        classes.append({query.value(0).toInt(), query.value(1).toString()});
    QHash<QString, QString> selectors;
    QString rules;
    int step = 1;
    for (const auto& [classId, nomeCss] : classes) {
        if (m_progress)
            m_progress(step++, int(classes.size()));
        const QString selector = Selector(nomeCss, classId, selectors);
        const QString body = FormatClassBody(classId);
        if (!body.isEmpty())
            rules += selector + QStringLiteral("\n{\n") + body + QStringLiteral("}\n\n");
    }
    return rules;
}

QString CStyleSheetWriter::Selector(const QString& nomeCss, qint32 classId, QHash<QString, QString>& selectors)
{
    if (!nomeCss.startsWith(QLatin1Char('.')))
        return nomeCss;
    const qsizetype blank = nomeCss.indexOf(QLatin1Char(' '));
    if (blank < 0) {
        selectors.insert(nomeCss, QString::number(classId));
        return nomeCss + QString::number(classId);
    }
    const auto found = selectors.constFind(nomeCss.left(blank));
    if (found == selectors.constEnd())
        return nomeCss;
    return nomeCss.left(blank) + *found + nomeCss.mid(blank);
}

QString CStyleSheetWriter::FormatClassBody(qint32 classId)
{
    QString body;
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT IDAttributo, Valore FROM AttributiCSS "
                                            "WHERE IDClasse=? AND Valore IS NOT NULL AND Valore<>'' ORDER BY ID"),
                             {classId});
    while (query.next()) {
        const int attribute = query.value(0).toInt();
        const QString value = query.value(1).toString();
        if (!CAttributiCatalogo::IsKnown(attribute))
            continue;
        if (attribute == CAttributiCatalogo::kBackgroundImage && value.contains(QLatin1String("<%=")))
            continue;   // server script: page generation puts it inline into the page
        if (CAttributiCatalogo::IsBorder(attribute)) {
            if (!CAttributiCatalogo::BorderSide(attribute).isEmpty())
                body += FormatBorder(classId, attribute);
            continue;
        }
        body += Declaration(CAttributiCatalogo::Property(attribute),
                            CAttributiCatalogo::IsLength(attribute) ? CAttributiCatalogo::WithUnit(value) : value);
    }
    return body;
}

QString CStyleSheetWriter::FormatBorder(qint32 classId, int side)
{
    QString values[3];
    for (int part = 0; part < 3; ++part) {
        QSqlQuery query = CGraphicQuery::Select(m_project,
                                 QStringLiteral("SELECT Valore FROM AttributiCSS WHERE IDClasse=? AND IDAttributo=? "
                                                "ORDER BY ID LIMIT 1"),
                                 {classId, side + part});
        if (query.next())
            values[part] = query.value(0).toString();
    }
    if (values[0].isEmpty() && values[1].isEmpty() && values[2].isEmpty())
        return QString();
    const QString property = CAttributiCatalogo::BorderSide(side);
    if (values[1] == QLatin1String("none"))
        return Declaration(property, QStringLiteral("none"));
    return QStringLiteral("\t%1: %2 %3 %4;\n")
        .arg(property, CAttributiCatalogo::WithUnit(values[0]), values[1], values[2]);
}
