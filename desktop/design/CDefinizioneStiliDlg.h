#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class CDaoDatabase;
class CDefinizioneStiliCore;
class CStilePagina;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;

// "Definizione stili": the CSS classes of one block of the graphic
// project, each with its attributes on seven tabs.
class CDefinizioneStiliDlg : public QDialog
{
    Q_OBJECT
public:
    // projectFolder ends with "/"; the style clipboard belongs to the
    // opener and outlives the dialog. The shop database gives the
    // languages of the background page. Database failures while opening
    // raise CDaoException.
    CDefinizioneStiliDlg(CDaoDatabase& graphic, CDaoDatabase& shop, qint32 blockId,
                         const QString& projectFolder, QStringList& styleClipboard,
                         QWidget* parent = nullptr);
    ~CDefinizioneStiliDlg() override;

    // A background moved between a plain and a per-language image: the
    // block's pages must be generated again.
    bool PerLanguageBackgroundChanged() const;

    CDefinizioneStiliCore& Core() { return *m_core; }
    QListWidget* ClassList() const { return m_pClasses; }
    QTabWidget* Tabs() const { return m_pTabs; }
    QPushButton* CopyButton() const { return m_pCopy; }
    QPushButton* PasteButton() const { return m_pPaste; }
    // The seven pages in tab order.
    const QList<CStilePagina*>& Pages() const { return m_pages; }

    void accept() override;

private:
    void BuildPages();
    void FillClassList();
    void OnClassSelected(int row);
    void OnCopy();
    void OnPaste();
    void RefreshPages();
    void RefreshButtons();
    // Runs a step that writes the database; false after showing its error.
    bool Guarded(const std::function<void()>& step);

    std::unique_ptr<CDefinizioneStiliCore> m_core;
    QListWidget* m_pClasses;
    QLineEdit* m_pDescription;
    QTabWidget* m_pTabs;
    QPushButton* m_pCopy;
    QPushButton* m_pPaste;
    QList<CStilePagina*> m_pages;
};
