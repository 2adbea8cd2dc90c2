#include "desktop/shell/controls/CFolderDialog.h"

#include "desktop/shell/controls/CMessageBox.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

CFolderDialog::CFolderDialog(const QString& caption, const QString& prompt,
                             const QString& startFolder, bool showEditBox, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(prompt, this));
    // The path field is always there: a path can be typed or pasted, and
    // with showEditBox a folder that does not exist yet may be named.
    m_bMayCreate = showEditBox;
    m_pEdit = new QLineEdit(this);
    layout->addWidget(m_pEdit);

    m_pModel = new QFileSystemModel(this);
    m_pModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_pModel->setRootPath(QStringLiteral("/"));
    m_pTree = new QTreeView(this);
    m_pTree->setModel(m_pModel);
    for (int column = 1; column < m_pModel->columnCount(); ++column)
        m_pTree->hideColumn(column);
    m_pTree->setHeaderHidden(true);
    layout->addWidget(m_pTree);

    m_pStatus = new QLabel(this);
    m_pStatus->hide();
    layout->addWidget(m_pStatus);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_pOk = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Annulla"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFolderDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFolderDialog::reject);

    connect(m_pTree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { SelectFolder(m_pModel->filePath(current)); });
    connect(m_pEdit, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_pOk->setEnabled(!text.isEmpty()); });
    connect(m_pEdit, &QLineEdit::textEdited, this, &CFolderDialog::ShowTypedFolder);
    // The tree fills a folder at a time; the chosen one is scrolled to once
    // its parents are read.
    connect(m_pModel, &QFileSystemModel::directoryLoaded, this,
            [this] { m_pTree->scrollTo(m_pTree->currentIndex(), QAbstractItemView::PositionAtCenter); });

    const QString start = startFolder.isEmpty() ? QDir::currentPath() : startFolder;
    const QModelIndex index = m_pModel->index(start);
    if (index.isValid()) {
        m_pTree->setCurrentIndex(index);
        m_pTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    SelectFolder(index.isValid() ? start : QString());
}

void CFolderDialog::ShowTypedFolder(const QString& path)
{
    const QModelIndex index = m_pModel->index(path);
    if (!index.isValid() || !QFileInfo(path).isDir())
        return;
    const QSignalBlocker blocker(m_pTree->selectionModel());
    m_pTree->setCurrentIndex(index);
    m_pTree->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

CFolderDialog::~CFolderDialog() = default;

int CFolderDialog::DoModal()
{
    m_bResult = false;
    exec();
    return m_bResult ? 1 : -1;
}

void CFolderDialog::SelectFolder(const QString& path)
{
    const QString chosen = path.startsWith(QLatin1Char('/')) ? path : QString();
    m_pOk->setEnabled(!chosen.isEmpty());
    m_pStatus->setText(chosen);
    const QSignalBlocker blocker(m_pEdit);
    m_pEdit->setText(chosen);
}

bool CFolderDialog::IsValidFolderName(const QString& name)
{
    if (name.isEmpty())
        return false;
    static const QString kEdges = QStringLiteral("\t .");
    if (kEdges.contains(name.front()) || kEdges.contains(name.back()))
        return false;
    static const QString kForbidden = QStringLiteral("\"*/:<>?\\|");
    for (QChar c : name)
        if (kForbidden.contains(c))
            return false;
    return true;
}

int CFolderDialog::MakeFolderPath(const QString& path, bool checkOnly)
{
    if (!path.startsWith(QLatin1Char('/')))
        return PathInvalid;
    if (path.size() == 1)
        return checkOnly || QDir(path).exists() ? PathValid : PathNotCreated;
    int from = 1;
    while (true) {
        const int slash = path.indexOf(QLatin1Char('/'), from);
        const QString name = path.mid(from, slash < 0 ? -1 : slash - from);
        if (!IsValidFolderName(name))
            return PathInvalid;
        const QString upTo = slash < 0 ? path : path.left(slash);
        if (!checkOnly) {
            QDir().mkdir(upTo);
            if (!QFileInfo(upTo).isDir())
                return PathNotCreated;
        }
        if (slash < 0)
            return PathValid;
        from = slash + 1;
    }
}

void CFolderDialog::ReportPathResult(int result, const QString& path)
{
    const QString text = result == PathInvalid
        ? QStringLiteral("Il nome per la cartella:\n\n%1\n\nnon è corretto. Scegli un altro nome.")
        : QStringLiteral("La cartella:\n\n%1\n\nnon può essere creata.");
    CMessageBox::Show(this, text.arg(path), windowTitle(), CMessageBox::Exclamation);
    m_pEdit->setFocus();
}

bool CFolderDialog::AcceptPath(const QString& path)
{
    int result = MakeFolderPath(path, true);
    if (result != PathValid) {
        ReportPathResult(result, path);
        return false;
    }
    if (!QFileInfo(path).isDir() && !m_bMayCreate) {
        CMessageBox::Show(this, QStringLiteral("La cartella:\n\n%1\n\nnon esiste.").arg(path), windowTitle(),
                          CMessageBox::Exclamation);
        m_pEdit->setFocus();
        return false;
    }
    if (!QFileInfo(path).isDir()) {
        const auto answer = CMessageBox::Show(
            this, QStringLiteral("La cartella:\n\n%1\n\nnon esiste. Vuoi crearla?").arg(path),
            windowTitle(), CMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            m_pEdit->setFocus();
            return false;
        }
        result = MakeFolderPath(path, false);
        if (result != PathValid) {
            ReportPathResult(result, path);
            return false;
        }
    }
    m_strPath = path;
    return true;
}

void CFolderDialog::accept()
{
    if (!AcceptPath(m_pEdit->text()))
        return;
    m_bResult = true;
    QDialog::accept();
}
