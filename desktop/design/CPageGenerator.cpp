#include "desktop/design/CPageGenerator.h"

#include "desktop/design/CAttributiCatalogo.h"
#include "desktop/design/CCodePlaceholders.h"
#include "desktop/design/CDesignFiles.h"
#include "desktop/design/CGraphicQuery.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/pagehost/CTextFile.h"

#include <QFile>
#include <QHash>
#include <QSqlQuery>

#include <algorithm>

namespace {

const QString kChildCode = QStringLiteral("##CODICEFIGLIO##");
const QString kLinkCss = QStringLiteral("##LINKCSS##");
const QString kSysId = QStringLiteral("%%SYSID%%");
const int kPage = 0;

QString IncludeLine(qint32 blockId)
{
    return QStringLiteral("<!-- #include virtual=\"/include%1.asp\"-->").arg(blockId);
}

QString IncludeFileName(qint32 blockId) { return QStringLiteral("include%1.asp").arg(blockId); }

} // namespace

struct CPageGenerator::Block
{
    qint32 id = 0;
    qint32 category = 0;
    qint32 reference = 0;
    int kind = 0;
    bool include = false;
    QString code;
};

CPageGenerator::CPageGenerator(CDaoDatabase& project, const QString& installFolder,
                               const QString& projectFolder)
    : m_project(project), m_strInstallFolder(installFolder), m_strProjectFolder(projectFolder)
{
}

CPageGenerator::~CPageGenerator() = default;

void CPageGenerator::RegeneratePageTree(qint32 blockId)
{
    // Climbs by the stored parents; a parent chain that loops ends where it
    // comes back.
    qint32 top = blockId;
    QSet<qint32> seen{top};
    for (;;) {
        QSqlQuery query = CGraphicQuery::Select(m_project, QStringLiteral("SELECT IDPadre FROM CodiceASP WHERE ID=?"), {top});
        if (!query.next())
            break;
        const qint32 parent = query.value(0).toInt();
        if (parent == 0 || seen.contains(parent))
            break;
        seen.insert(parent);
        top = parent;
    }
    m_failed.clear();
    m_nCounter = 1;
    CountActiveSubtree(top);
    m_nRange = m_nCounter;
    m_nCounter = 1;
    m_sheets.clear();
    GeneratePages(top, true);
}

void CPageGenerator::RegenerateProject()
{
    QList<qint32> pages;
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT ID FROM CodiceASP AS p WHERE IDPadre=0 AND EXISTS "
                                            "(SELECT 1 FROM CodiceASP AS c WHERE c.IDPadre=p.ID) ORDER BY Ordine, ID"),
                             {});
    while (query.next())
        pages.append(query.value(0).toInt());
    QStringList failed;
    for (qint32 page : pages) {
        RegeneratePageTree(page);
        failed += m_failed;
    }
    m_failed = failed;
}

bool CPageGenerator::ReadBlock(qint32 blockId, Block& block) const
{
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT IDCategoria, IDRiferimento, TipoCodice, Include, ASP "
                                            "FROM CodiceASP WHERE ID=?"),
                             {blockId});
    if (!query.next())
        return false;
    block.id = blockId;
    block.category = query.value(0).toInt();
    block.reference = query.value(1).toInt();
    block.kind = query.value(2).toInt();
    block.include = query.value(3).toInt() != 0;
    block.code = query.value(4).toString();
    return true;
}

QList<qint32> CPageGenerator::Children(qint32 blockId, bool activeOnly) const
{
    QList<qint32> children;
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT ID, Attivo FROM CodiceASP WHERE IDPadre=? ORDER BY Ordine, ID"),
                             {blockId});
    while (query.next())
        if (!activeOnly || query.value(1).toInt() != 0)
            children.append(query.value(0).toInt());
    return children;
}

QString CPageGenerator::GeneratePages(qint32 blockId, bool write)
{
    if (m_progress)
        m_progress(m_nCounter, m_nRange);
    ++m_nCounter;
    Block block;
    if (!ReadBlock(blockId, block) || m_visiting.contains(blockId))
        return QString();
    m_visiting.insert(blockId);

    // A block with neither a category nor a reference adds no sheet: the
    // reference 0 would stand for every top-level block, and link the
    // sheets of the whole project into the page.
    if (block.category >= 1)
        AddCategorySheet(block.category);
    else if (block.reference != 0)
        CollectReferencedSheets(block.reference);

    QFile::remove(AspFolder() + IncludeFileName(blockId));
    QString templateName;
    QString code = TemplateCode(block.code, templateName);

    QString children;
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT ID, Include FROM CodiceASP WHERE IDPadre=? AND Attivo<>0 "
                                            "ORDER BY Ordine, ID"),
                             {blockId});
    QList<std::pair<qint32, bool>> active;
    while (query.next())
        active.append({query.value(0).toInt(), query.value(1).toInt() != 0});
    for (const auto& [child, include] : active) {
        const QString text = GeneratePages(child, include);
        children += (include ? IncludeLine(child) : text) + QLatin1Char('\n');
    }
    code.replace(kChildCode, children);
    code = RenameClasses(code, blockId);
    code.replace(kSysId, QString::number(blockId));
    code = ApplyParameters(code, blockId);
    if (block.kind == kPage)
        code.replace(kLinkCss, LinkLines());

    if (write) {
        const QString fileName = block.include ? IncludeFileName(blockId) : templateName;
        if (!fileName.isEmpty())
            WritePage(fileName, code);
    }
    m_visiting.remove(blockId);
    return code;
}

void CPageGenerator::AddCategorySheet(qint32 categoryId)
{
    QSqlQuery query =
        CGraphicQuery::Select(m_project, QStringLiteral("SELECT NomeFileCSS FROM CategorieCodiciASP WHERE ID=?"), {categoryId});
    if (query.next() && !query.value(0).toString().isEmpty())
        m_sheets.insert(query.value(0).toString());
}

void CPageGenerator::CollectReferencedSheets(qint32 blockId)
{
    Block block;
    if (!ReadBlock(blockId, block) || m_visiting.contains(blockId))
        return;
    m_visiting.insert(blockId);
    if (block.category >= 1)
        AddCategorySheet(block.category);
    for (qint32 child : Children(blockId, false))
        CollectReferencedSheets(child);
    m_visiting.remove(blockId);
}

void CPageGenerator::CountActiveSubtree(qint32 blockId)
{
    ++m_nCounter;
    if (m_visiting.contains(blockId))
        return;
    m_visiting.insert(blockId);
    for (qint32 child : Children(blockId, true))
        CountActiveSubtree(child);
    m_visiting.remove(blockId);
}

QStringList CPageGenerator::Sheets() const
{
    QStringList sheets(m_sheets.begin(), m_sheets.end());
    std::sort(sheets.begin(), sheets.end());
    return sheets;
}

QString CPageGenerator::LinkLines() const
{
    QString lines;
    for (const QString& sheet : Sheets())
        lines += QStringLiteral("<link rel=\"stylesheet\" href=\"/images/%1\" type=\"text/css\">\n").arg(sheet);
    return lines;
}

// A code that begins with a backslash names a template file; the content
// replaces it, each line ending in "\n". A name that leads outside the
// template folder, or a file that does not open, leaves the path text as the
// code. fileName gets the file's own name when it is one a page may be
// written under.
QString CPageGenerator::TemplateCode(const QString& code, QString& fileName) const
{
    fileName.clear();
    if (!CDesignFiles::NamesTemplate(code))
        return code;
    const QString path = CDesignFiles::TemplatePath(m_strInstallFolder, code);
    if (path.isEmpty())
        return code;
    fileName = CDesignFiles::OwnName(code);
    QString text;
    if (!CTextFile::Read(path, text))
        return code;
    return CDesignFiles::JoinLines(text);
}

// Each class attribute is renamed once, in one pass over the code: a name
// already carrying one class's ID is not taken for another class whose name
// it happens to spell. The block's own classes come before those of block
// 1, which apply everywhere.
QString CPageGenerator::RenameClasses(const QString& code, qint32 blockId) const
{
    QHash<QString, QString> renamed;
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT c.ID, c.NomeCSS, (SELECT a.Valore FROM AttributiCSS AS a "
                                            "WHERE a.IDClasse=c.ID AND a.IDAttributo=? ORDER BY a.ID LIMIT 1) "
                                            "FROM ClassiCSS AS c WHERE c.IDCodiceASP=? OR c.IDCodiceASP=1 "
                                            "ORDER BY CASE WHEN c.IDCodiceASP=? THEN 0 ELSE 1 END, c.ID"),
                             {CAttributiCatalogo::kBackgroundImage, blockId, blockId});
    while (query.next()) {
        const QString selector = query.value(1).toString();
        if (!selector.startsWith(QLatin1Char('.')))
            continue;
        QString name = selector.mid(1);
        while (name.endsWith(QLatin1Char(' ')))
            name.chop(1);
        if (name.isEmpty() || name.contains(QLatin1Char(' ')) || renamed.contains(name))
            continue;
        QString replacement = QStringLiteral("class=\"%1%2\"").arg(name).arg(query.value(0).toInt());
        const QString image = query.value(2).toString();
        if (image.contains(QLatin1String("<%=")))
            replacement += QStringLiteral(" style=\"background-image:") + image + QStringLiteral(";\"");
        renamed.insert(name, replacement);
    }
    if (renamed.isEmpty())
        return code;

    QString out;
    out.reserve(code.size());
    const QLatin1String attribute("class=");
    qsizetype from = 0;
    for (qsizetype at; (at = code.indexOf(attribute, from)) >= 0;) {
        const qsizetype open = at + attribute.size();
        const QChar quote = open < code.size() ? code.at(open) : QChar();
        const qsizetype close =
            quote == QLatin1Char('"') || quote == QLatin1Char('\'') ? code.indexOf(quote, open + 1) : -1;
        const auto found = close < 0 ? renamed.constEnd() : renamed.constFind(code.mid(open + 1, close - open - 1));
        if (found == renamed.constEnd()) {
            out += code.mid(from, open - from);
            from = open;
            continue;
        }
        QString replacement = *found;
        if (quote == QLatin1Char('\''))
            replacement.replace(QLatin1Char('"'), QLatin1Char('\''));
        out += code.mid(from, at - from) + replacement;
        from = close + 1;
    }
    out += code.mid(from);
    return out;
}

QString CPageGenerator::ApplyParameters(QString code, qint32 blockId) const
{
    QSqlQuery query = CGraphicQuery::Select(m_project,
                             QStringLiteral("SELECT Bookmark, Tipo, Valore, Opzioni FROM Parametri "
                                            "WHERE IDCodiceASP=? ORDER BY Ordine, ID"),
                             {blockId});
    while (query.next()) {
        const QString key = query.value(0).toString();
        const int kind = query.value(1).toInt();
        const QString value = query.value(2).toString();
        if (kind == 3)
            code = CCodePlaceholders::Switch(code, key, value);
        else if (kind == 4)
            code = CCodePlaceholders::Choice(code, key, value, query.value(3).toString());
        else
            code.replace(QStringLiteral("%%") + key + QStringLiteral("%%"), value);
    }
    return code;
}

void CPageGenerator::WritePage(const QString& fileName, const QString& code)
{
    if (!CDesignFiles::WriteText(AspFolder() + fileName, code + QLatin1Char('\n')))
        m_failed.append(AspFolder() + fileName);
}
