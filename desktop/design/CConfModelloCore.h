#pragma once

#include "desktop/design/CGraphicBlocks.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class CDaoDatabase;

// The rules of the graphic project's block tree: the block catalogue and
// the project's graphic database, the current block, the block clipboard,
// which editing command each kind of block allows, and each command as one
// call. After a change it has the page tree written again, the style sheet
// of the block's category rewritten and the preview reloaded, through
// hooks that default to the page generator and the style-sheet writer.
class CConfModelloCore
{
public:
    // The editing commands, each with its enable flag.
    enum Command
    {
        InsertBlock,
        InsertConditional,
        InsertTable,
        InsertColumn,
        InsertFeature,
        Duplicate,
        Copy,
        Cut,
        Delete,
        Paste,
        PasteReference,
        Styles,
        Parameters,
        MoveUp,
        MoveDown,
        kCommandCount
    };
    using Node = CGraphicBlocks::Node;

    // Folders end with "/". Opens <install>/db/modellografico.mdb (a
    // CDaoException when it cannot be) and <project>/db/progettografico.mdb
    // when the project has one.
    CConfModelloCore(const QString& installFolder, const QString& projectFolder);
    ~CConfModelloCore();

    bool HasGraphicProject() const { return !m_bNoGraphicProject; }
    // Both throw when nothing is open.
    CDaoDatabase& ProjectDatabase();
    CDaoDatabase& CatalogueDatabase() { return *m_pCatalogue; }
    QString ProjectFolder() const { return m_strProjectFolder; }
    QString InstallFolder() const { return m_strInstallFolder; }
    // The whole-project commands close the graphic database around their
    // work on its file and open it again; OpenProject answers whether the
    // project has one now. The selection and the flags are cleared.
    void CloseProject();
    bool OpenProject();

    // ---- the tree --------------------------------------------------------
    QVector<Node> Children(qint32 parentId) const;
    Node Find(qint32 id) const;
    CGraphicBlocks& Blocks() { return *m_pBlocks; }

    // ---- selection and flags --------------------------------------------
    void Select(qint32 id);
    qint32 CurrentBlock() const { return m_nCurrent; }
    bool IsEnabled(Command command) const { return m_flags[command]; }
    bool CanRemove(qint32 id) const;
    bool HasClipboard() const { return m_nClipKind >= 0; }
    qint32 ClipboardBlock() const { return m_nClipId; }

    // ---- commands on the current block ----------------------------------
    // Each answers the block to select afterwards (CurrentBlock), or 0
    // when the command did nothing.
    qint32 OnInsertBlock(int kind);
    // catalogueId as the feature dialog gave it; 0 inserts nothing.
    qint32 OnInsertFeature(qint32 catalogueId);
    qint32 OnInsertConditionalBlock();
    qint32 OnDuplicate();
    void OnCopyBlock();
    void OnCutBlock();
    qint32 OnPasteBlock();
    qint32 OnPasteReference();
    // After the merchant confirmed.
    qint32 OnDeleteBlock();
    qint32 OnMoveUp();
    qint32 OnMoveDown();
    // Label editing: a reference's name follows its block, so it is not
    // edited; an empty name is refused (false).
    bool CanEditName(qint32 id) const;
    bool Rename(qint32 id, const QString& name);

    // What the dialogs' results ask for.
    void OnStylesAccepted(bool pageAffected);
    void OnParametersAccepted();
    void OnColoursChanged(const QSet<qint32>& changedClasses);
    // "Rigenera intero progetto": every page that has blocks below it.
    void RegenerateProject();

    // The page and style-sheet files the last commands could not write,
    // forgotten once taken.
    QStringList TakeFailedFiles();

    // The style dialog's "Copia"/"Incolla" list, kept while the editor is.
    QStringList& StyleClipboard() { return m_styleClipboard; }

    // Hooks; the defaults write with CPageGenerator and CStyleSheetWriter.
    std::function<void(qint32 blockId)> m_regeneratePageTree;
    std::function<void(qint32 blockId)> m_writeStyleSheets;
    std::function<void()> m_reloadPreview;
    // The progress of copies and deletions: caption and count, a step, the end.
    std::function<void(const QString& caption, int count)> m_progressShow;
    std::function<void(int position)> m_progressStep;
    std::function<void()> m_progressHide;

private:
    void OpenProjectDatabase();
    void ClearFlags();
    void SetFlags(const Node& node);
    bool ClipboardValid() const;
    bool PasteAllowed(const Node& target) const;
    bool PasteReferenceAllowed(const Node& target) const;
    void RegenerateTrees(const QList<qint32>& blocks);
    void WriteStyleSheets(qint32 blockId);
    void ReloadPreview();
    template <class Writer>
    void ShowProgressOf(Writer& writer, const QString& caption, const std::function<void()>& run);
    void BeginProgress(const QString& caption, int count);
    void EndProgress();
    qint32 Move(bool up);

    QString m_strInstallFolder;
    QString m_strProjectFolder;
    std::unique_ptr<CDaoDatabase> m_pCatalogue;
    std::unique_ptr<CDaoDatabase> m_pProject;
    std::unique_ptr<CGraphicBlocks> m_pBlocks;
    bool m_bNoGraphicProject = true;

    qint32 m_nCurrent = 0;
    bool m_flags[kCommandCount] = {};
    qint32 m_nClipId = 0;
    int m_nClipKind = -1;
    bool m_bClipMove = false;
    int m_nProgress = 0;
    QStringList m_styleClipboard;
    QStringList m_failedFiles;
};
