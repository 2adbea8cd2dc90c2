#include "desktop/design/CConfModelloCore.h"

#include "desktop/design/CPageGenerator.h"
#include "desktop/design/CStyleSheetWriter.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "recordset/CClassiCSSSet.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString CataloguePath(const QString& installFolder)
{
    return installFolder + QStringLiteral("db/modellografico.mdb");
}

QString ProjectPath(const QString& projectFolder)
{
    return projectFolder + QStringLiteral("db/progettografico.mdb");
}

bool IsOneOf(int kind, std::initializer_list<int> kinds)
{
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

} // namespace

CConfModelloCore::CConfModelloCore(const QString& installFolder, const QString& projectFolder)
    : m_strInstallFolder(installFolder), m_strProjectFolder(projectFolder),
      m_pCatalogue(std::make_unique<CDaoDatabase>())
{
    m_pCatalogue->Open(CataloguePath(installFolder));
    m_regeneratePageTree = [this](qint32 blockId) {
        CPageGenerator generator(ProjectDatabase(), m_strInstallFolder, m_strProjectFolder);
        ShowProgressOf(generator, QStringLiteral("Aggiornamento codice ASP"),
                       [&] { generator.RegeneratePageTree(blockId); });
        m_failedFiles << generator.FailedFiles();
    };
    m_writeStyleSheets = [this](qint32 blockId) {
        CStyleSheetWriter writer(ProjectDatabase(), m_strProjectFolder);
        bool written = true;
        ShowProgressOf(writer, QStringLiteral("Aggiornamento fogli di stile"),
                       [&] { written = writer.WriteStyleSheets(blockId); });
        if (!written)
            m_failedFiles << QStringLiteral("foglio di stile della categoria %1").arg(Find(blockId).category);
    };
    OpenProjectDatabase();
}

CConfModelloCore::~CConfModelloCore()
{
    CloseProject();
    m_pCatalogue->Close();
}

CDaoDatabase& CConfModelloCore::ProjectDatabase()
{
    if (!m_pProject)
        throw CDaoException(QStringLiteral("Il progetto non ha un progetto grafico."));
    return *m_pProject;
}

// The generator and the writer step the progress dialog once per block or
// class; it shows from their first step to the end of their run.
template <class Writer>
void CConfModelloCore::ShowProgressOf(Writer& writer, const QString& caption, const std::function<void()>& run)
{
    bool shown = false;
    writer.SetProgress([&](int position, int range) {
        if (!shown) {
            BeginProgress(caption, range);
            shown = true;
        }
        if (m_progressStep)
            m_progressStep(position);
    });
    try {
        run();
    } catch (...) {
        if (shown)
            EndProgress();
        throw;
    }
    if (shown)
        EndProgress();
}

QStringList CConfModelloCore::TakeFailedFiles()
{
    QStringList failed = m_failedFiles;
    failed.removeDuplicates();
    m_failedFiles.clear();
    return failed;
}

void CConfModelloCore::OpenProjectDatabase()
{
    m_bNoGraphicProject = true;
    if (!QFileInfo::exists(ProjectPath(m_strProjectFolder)))
        return;
    m_pProject = std::make_unique<CDaoDatabase>();
    m_pProject->Open(ProjectPath(m_strProjectFolder));
    m_pBlocks = std::make_unique<CGraphicBlocks>(*m_pProject, m_strInstallFolder, m_strProjectFolder);
    m_pBlocks->m_step = [this] {
        if (m_progressStep)
            m_progressStep(++m_nProgress);
    };
    m_bNoGraphicProject = false;
}

void CConfModelloCore::CloseProject()
{
    m_nCurrent = 0;
    ClearFlags();
    m_pBlocks.reset();
    if (m_pProject)
        m_pProject->Close();
    m_pProject.reset();
    m_bNoGraphicProject = true;
}

bool CConfModelloCore::OpenProject()
{
    CloseProject();
    // The clipboard names blocks of the database just closed.
    m_nClipKind = -1;
    m_nClipId = 0;
    OpenProjectDatabase();
    return HasGraphicProject();
}

QVector<CConfModelloCore::Node> CConfModelloCore::Children(qint32 parentId) const
{
    return m_pBlocks ? m_pBlocks->Children(parentId) : QVector<Node>();
}

CConfModelloCore::Node CConfModelloCore::Find(qint32 id) const
{
    return m_pBlocks ? m_pBlocks->Find(id) : Node();
}

// ---- selection and flags -------------------------------------------------------

void CConfModelloCore::ClearFlags()
{
    std::fill(std::begin(m_flags), std::end(m_flags), false);
}

void CConfModelloCore::Select(qint32 id)
{
    m_nCurrent = id;
    ClearFlags();
    const Node node = Find(id);
    if (node.id != 0)
        SetFlags(node);
}

bool CConfModelloCore::CanRemove(qint32 id) const
{
    return m_pBlocks && m_pBlocks->CanRemove(id);
}

void CConfModelloCore::SetFlags(const Node& node)
{
    using B = CGraphicBlocks;
    const int kind = node.kind;
    const bool container = IsOneOf(kind, {B::Page, B::Block, B::Conditional, B::Column});
    m_flags[InsertBlock] = m_flags[InsertConditional] = m_flags[InsertTable] = container;
    m_flags[InsertFeature] = container;
    m_flags[InsertColumn] = kind == B::Table;

    const bool editable = IsOneOf(kind, {B::Block, B::Conditional, B::Table, B::Column, B::Feature});
    m_flags[Duplicate] = m_flags[Copy] = editable;
    const bool removable = (editable || kind == B::Reference) && CanRemove(node.id);
    m_flags[Delete] = removable;
    m_flags[Cut] = removable && kind != B::Reference;

    m_flags[Paste] = PasteAllowed(node);
    m_flags[PasteReference] = PasteReferenceAllowed(node);

    const bool styled = editable || kind == B::Page;
    m_flags[Styles] = styled && m_pBlocks->ClassCount(node.id) > 0;
    m_flags[Parameters] = styled && m_pBlocks->ParameterCount(node.id) > 0;

    if (editable || kind == B::Reference) {
        const QVector<Node> siblings = Children(node.parent);
        const auto at = std::find_if(siblings.begin(), siblings.end(),
                                     [&](const Node& sibling) { return sibling.id == node.id; });
        m_flags[MoveUp] = at != siblings.end() && at != siblings.begin();
        m_flags[MoveDown] = at != siblings.end() && at + 1 != siblings.end();
    }
}

bool CConfModelloCore::ClipboardValid() const
{
    // A block deleted since it was copied leaves nothing to paste.
    return m_nClipKind >= 0 && Find(m_nClipId).id != 0;
}

// Which kinds go where, by the kind of the block pasted into.
static bool KindFits(int target, int pasted)
{
    using B = CGraphicBlocks;
    switch (target) {
    case B::Page:
    case B::Block:
    case B::Conditional: return pasted != B::Column;
    case B::Table: return pasted == B::Column;
    case B::Column: return IsOneOf(pasted, {B::Block, B::Table, B::Feature});
    default: return false;
    }
}

bool CConfModelloCore::PasteAllowed(const Node& target) const
{
    if (!ClipboardValid() || !KindFits(target.kind, m_nClipKind))
        return false;
    // Moved under itself the block would hang from its own subtree, a
    // circle no page reaches; nor may it end up including its new page.
    // A copy is made beside its source first, so only its references can
    // bring the target's page back into it.
    return !m_pBlocks->WouldIncludeItself(m_nClipId, target.id, m_bClipMove);
}

bool CConfModelloCore::PasteReferenceAllowed(const Node& target) const
{
    if (!ClipboardValid() || !KindFits(target.kind, m_nClipKind))
        return false;
    // A reference inside the block it includes would include itself.
    return !m_pBlocks->WouldIncludeItself(m_nClipId, target.id, true);
}

// ---- commands ----------------------------------------------------------------

qint32 CConfModelloCore::OnInsertBlock(int kind)
{
    const Command command = kind == CGraphicBlocks::Table    ? InsertTable
                            : kind == CGraphicBlocks::Column ? InsertColumn
                                                             : InsertBlock;
    if (!IsEnabled(command))
        return 0;
    const qint32 id = m_pBlocks->InsertBlock(kind, m_nCurrent);
    Select(id);
    RegenerateTrees({id});
    // No style sheet: the new class has no attributes yet.
    ReloadPreview();
    return id;
}

qint32 CConfModelloCore::OnInsertFeature(qint32 catalogueId)
{
    if (catalogueId == 0 || !(IsEnabled(InsertFeature) || IsEnabled(InsertConditional)))
        return 0;
    m_pBlocks->SetCopyFiles(true);
    qint32 id = 0;
    try {
        id = m_pBlocks->InsertFromModel(*m_pCatalogue, catalogueId, m_nCurrent);
    } catch (...) {
        m_pBlocks->SetCopyFiles(false);
        throw;
    }
    m_pBlocks->SetCopyFiles(false);
    if (id == 0)
        return 0;
    Select(id);
    RegenerateTrees({id});
    WriteStyleSheets(id);
    ReloadPreview();
    return id;
}

qint32 CConfModelloCore::OnInsertConditionalBlock()
{
    if (!IsEnabled(InsertConditional))
        return 0;
    return OnInsertFeature(CGraphicBlocks::kConditionalModel);
}

qint32 CConfModelloCore::OnDuplicate()
{
    if (!IsEnabled(Duplicate))
        return 0;
    const qint32 selected = m_nCurrent;
    BeginProgress(QStringLiteral("Duplicazione codice in corso..."), m_pBlocks->CountSubtree(selected));
    const qint32 copy = m_pBlocks->CopySubtree(selected, 0);
    EndProgress();
    RegenerateTrees({copy});
    WriteStyleSheets(selected);
    ReloadPreview();
    Select(selected);
    return selected;
}

void CConfModelloCore::OnCopyBlock()
{
    if (!IsEnabled(Copy))
        return;
    m_nClipId = m_nCurrent;
    m_nClipKind = Find(m_nCurrent).kind;
    m_bClipMove = false;
    Select(m_nCurrent);
}

void CConfModelloCore::OnCutBlock()
{
    if (!IsEnabled(Cut))
        return;
    m_nClipId = m_nCurrent;
    m_nClipKind = Find(m_nCurrent).kind;
    m_bClipMove = true;
    Select(m_nCurrent);
}

qint32 CConfModelloCore::OnPasteBlock()
{
    // The flag is judged again: the tree may have changed since the
    // selection set it.
    Select(m_nCurrent);
    if (!IsEnabled(Paste))
        return 0;
    const qint32 target = m_nCurrent;
    qint32 pasted = m_nClipId;
    const qint32 oldPage = m_pBlocks->TopLevelOf(m_nClipId);
    if (!m_bClipMove) {
        BeginProgress(QStringLiteral("Copia codice in corso..."), m_pBlocks->CountSubtree(m_nClipId));
        pasted = m_pBlocks->CopySubtree(m_nClipId, 0);
        EndProgress();
    }
    m_pBlocks->SetParent(pasted, target);
    if (m_bClipMove) {
        Select(pasted);
        WriteStyleSheets(pasted);
        // The page the block left loses its code too.
        RegenerateTrees({pasted, oldPage});
    } else {
        WriteStyleSheets(pasted);
        RegenerateTrees({pasted});
        Select(target);
    }
    ReloadPreview();
    return m_nCurrent;
}

qint32 CConfModelloCore::OnPasteReference()
{
    Select(m_nCurrent);
    if (!IsEnabled(PasteReference))
        return 0;
    const qint32 id = m_pBlocks->InsertReference(m_nClipId, m_nCurrent);
    Select(id);
    RegenerateTrees({m_nClipId, id});
    ReloadPreview();
    return id;
}

qint32 CConfModelloCore::OnDeleteBlock()
{
    if (!IsEnabled(Delete))
        return 0;
    const qint32 selected = m_nCurrent;
    const qint32 parent = Find(selected).parent;
    BeginProgress(QStringLiteral("Cancellazione codice in corso..."), m_pBlocks->CountSubtree(selected));
    QSet<qint32> unincluded;
    m_pBlocks->DeleteBlock(selected, &unincluded);
    EndProgress();
    // The page of a block that lost its last reference holds its code again.
    QList<qint32> pages(unincluded.begin(), unincluded.end());
    pages.prepend(parent);
    RegenerateTrees(pages);
    WriteStyleSheets(parent);
    Select(parent);
    ReloadPreview();
    return parent;
}

qint32 CConfModelloCore::OnMoveUp()
{
    return IsEnabled(MoveUp) ? Move(true) : 0;
}

qint32 CConfModelloCore::OnMoveDown()
{
    return IsEnabled(MoveDown) ? Move(false) : 0;
}

qint32 CConfModelloCore::Move(bool up)
{
    const qint32 selected = m_nCurrent;
    const QVector<Node> siblings = Children(Find(selected).parent);
    int at = 0;
    while (at < siblings.size() && siblings[at].id != selected)
        ++at;
    const int other = up ? at - 1 : at + 1;
    if (at == siblings.size() || other < 0 || other >= siblings.size())
        return 0;
    m_pBlocks->SwapOrder(selected, siblings[other].id);
    Select(selected);
    RegenerateTrees({selected});
    ReloadPreview();
    return selected;
}

bool CConfModelloCore::CanEditName(qint32 id) const
{
    const Node node = Find(id);
    return node.id != 0 && !node.name.startsWith(QLatin1String("Rif."));
}

bool CConfModelloCore::Rename(qint32 id, const QString& name)
{
    if (name.isEmpty() || !CanEditName(id))
        return false;
    m_pBlocks->Rename(id, name);
    return true;
}

// ---- the dialogs' results ------------------------------------------------------

void CConfModelloCore::OnStylesAccepted(bool pageAffected)
{
    if (pageAffected)
        RegenerateTrees({m_nCurrent});
    WriteStyleSheets(m_nCurrent);
    ReloadPreview();
    Select(m_nCurrent);
}

void CConfModelloCore::OnParametersAccepted()
{
    RegenerateTrees({m_nCurrent});
    ReloadPreview();
}

void CConfModelloCore::OnColoursChanged(const QSet<qint32>& changedClasses)
{
    // One sheet per category is enough, whichever of its blocks names it.
    QSet<qint32> categories;
    for (qint32 classId : changedClasses) {
        CClassiCSSSet set(&ProjectDatabase());
        set.m_strFilter = QStringLiteral("ID=?");
        set.m_filterParams = {classId};
        set.Open();
        if (set.IsEOF())
            continue;
        const Node block = Find(set.m_IDCodiceASP);
        if (block.id == 0 || categories.contains(block.category))
            continue;
        categories.insert(block.category);
        WriteStyleSheets(block.id);
    }
    ReloadPreview();
}

void CConfModelloCore::RegenerateProject()
{
    if (!m_pBlocks)
        return;
    for (const Node& page : Children(0))
        if (!Children(page.id).isEmpty())
            m_regeneratePageTree(page.id);
}

// ---- calls out ---------------------------------------------------------------

void CConfModelloCore::RegenerateTrees(const QList<qint32>& blocks)
{
    QSet<qint32> done;
    for (qint32 id : blocks) {
        if (id == 0 || Find(id).id == 0)
            continue;
        const qint32 page = m_pBlocks->TopLevelOf(id);
        if (done.contains(page))
            continue;
        done.insert(page);
        m_regeneratePageTree(id);
    }
}

void CConfModelloCore::WriteStyleSheets(qint32 blockId)
{
    if (blockId != 0 && m_writeStyleSheets)
        m_writeStyleSheets(blockId);
}

void CConfModelloCore::ReloadPreview()
{
    if (m_reloadPreview)
        m_reloadPreview();
}

void CConfModelloCore::BeginProgress(const QString& caption, int count)
{
    m_nProgress = 0;
    if (m_progressShow)
        m_progressShow(caption, count);
}

void CConfModelloCore::EndProgress()
{
    if (m_progressHide)
        m_progressHide();
}
