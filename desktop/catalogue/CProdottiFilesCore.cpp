#include "desktop/catalogue/CProdottiFilesCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "platform/utilities/QtrUtilities.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QString kValidazione = QStringLiteral("Validazione campi");

void Refuse(const QString& text)
{
    CMessageBox::Show(nullptr, text, kValidazione, CMessageBox::Stop);
}

void Warn(const QString& text)
{
    CMessageBox::Show(nullptr, text, QStringLiteral("Files prodotto"), CMessageBox::Exclamation);
}

// "<state letter><ID>_<code>" and what follows: "." and the extension, or nothing.
const QRegularExpression& NamePattern()
{
    static const QRegularExpression pattern(QStringLiteral("^[a-z]([0-9]+)_([a-z0-9]+)(\\..*)?$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

CProdottiFilesCore::CProdottiFilesCore(const QString& projectFolder)
    : m_strProject(QDir::cleanPath(QDir(projectFolder).absolutePath()))
{
}

void CProdottiFilesCore::SetFolder(const QString& folder)
{
    m_strFolder = QDir::cleanPath(QDir(folder).absolutePath());
}

bool CProdottiFilesCore::IsValidCode(const QString& code)
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9]{1,8}$"));
    return pattern.match(code).hasMatch();
}

QString CProdottiFilesCore::AttachmentName(qint32 productId, const QString& code, const QString& extension)
{
    return QStringLiteral("m%1_%2.%3").arg(productId).arg(code, extension).toLower();
}

QString CProdottiFilesCore::DeletionFlagName(qint32 productId, const QString& code)
{
    return QStringLiteral("d%1_%2").arg(productId).arg(code).toLower();
}

bool CProdottiFilesCore::InsideProject(const QString& path) const
{
    const QString clean = QDir::cleanPath(QDir(path).absolutePath());
    return !m_strProject.isEmpty() && clean.startsWith(m_strProject + QLatin1Char('/'));
}

void CProdottiFilesCore::FillFileList(qint32 productId)
{
    m_nProductId = productId;
    m_codes.clear();
    Reset();
    if (!InsideProject(m_strFolder))
        return;
    for (const QString& name : QDir(m_strFolder).entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = NamePattern().match(name);
        if (!match.hasMatch() || match.captured(1).toLongLong() != productId || name.at(0).toLower() == 'd')
            continue;   // another product's file, or a deletion flag
        const QString code = match.captured(2).toUpper();
        if (!m_codes.contains(code))
            m_codes << code;
    }
}

QStringList CProdottiFilesCore::FilesOf(const QString& code) const
{
    QStringList files;
    for (const QString& name : QDir(m_strFolder).entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch match = NamePattern().match(name);
        if (match.hasMatch() && match.captured(1).toLongLong() == m_nProductId
            && match.captured(2).compare(code, Qt::CaseInsensitive) == 0)
            files << QDir(m_strFolder).filePath(name);
    }
    return files;
}

CProdottiFilesCore::Buttons CProdottiFilesCore::ButtonState() const
{
    const bool selected = m_nSelected >= 0;
    return {!selected, selected, selected, selected};
}

void CProdottiFilesCore::Select(int index)
{
    if (index < 0 || index >= m_codes.size()) {
        Reset();
        return;
    }
    m_nSelected = index;
    m_strCode = m_codes.at(index);
}

void CProdottiFilesCore::Reset()
{
    m_nSelected = -1;
    m_strCode.clear();
}

bool CProdottiFilesCore::CheckCode(const QString& code)
{
    if (code.isEmpty()) {
        Refuse(QStringLiteral("Campo obbligatorio!"));
        return false;
    }
    if (!IsValidCode(code)) {
        Refuse(QStringLiteral("Il codice file è fatto di lettere e cifre, al più 8."));
        return false;
    }
    const int found = m_codes.indexOf(code);
    if (found >= 0 && found != m_nSelected) {
        Refuse(QStringLiteral("Codice già presente!"));
        return false;
    }
    return true;
}

bool CProdottiFilesCore::Add()
{
    const QString code = m_strCode.trimmed().toUpper();
    if (!CheckCode(code) || !CopyChosen(code, QString()))
        return false;
    m_codes << code;
    Reset();
    AlertUpd(m_strProject);
    return true;
}

bool CProdottiFilesCore::Replace()
{
    if (m_nSelected < 0)
        return false;
    const QString code = m_strCode.trimmed().toUpper();
    const QString oldCode = m_codes.at(m_nSelected);
    if (!CheckCode(code) || !CopyChosen(code, oldCode))
        return false;
    m_codes[m_nSelected] = code;
    Reset();
    AlertUpd(m_strProject);
    return true;
}

// The new file is written beside the old ones first; only then do the old
// files of the entry go and the new one take its name, so a failed copy
// or a cancelled choice leaves the attachment as it was.
bool CProdottiFilesCore::CopyChosen(const QString& code, const QString& oldCode)
{
    const QString chosen = m_chooseFile ? m_chooseFile() : QString();
    if (chosen.isEmpty())
        return false;
    const QString target = QDir(m_strFolder).filePath(AttachmentName(m_nProductId, code, QFileInfo(chosen).suffix()));
    // Named so that neither this page nor the site update takes it for an attachment.
    const QString partial = QFileInfo(target).dir().filePath(QLatin1Char('~') + QFileInfo(target).fileName());
    if (!InsideProject(m_strFolder) || !InsideProject(target) || !CreatePath(m_strFolder)) {
        Warn(QStringLiteral("Impossibile copiare il file!"));
        return false;
    }
    QFile::remove(partial);
    if (!QFile::copy(chosen, partial)) {
        Warn(QStringLiteral("Impossibile copiare il file!"));
        return false;
    }
    QStringList old = FilesOf(code);
    if (!oldCode.isEmpty() && oldCode != code)
        old << FilesOf(oldCode);
    for (const QString& file : old)
        QFile::remove(file);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        Warn(QStringLiteral("Impossibile copiare il file!"));
        return false;
    }
    // The shop still holds the entry's file under its old code.
    if (!oldCode.isEmpty() && oldCode != code)
        QFile(QDir(m_strFolder).filePath(DeletionFlagName(m_nProductId, oldCode))).open(QIODevice::WriteOnly);
    return true;
}

bool CProdottiFilesCore::Delete()
{
    if (m_nSelected < 0)
        return false;
    if (CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione file"),
                          CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return false;
    const QString code = m_codes.at(m_nSelected);
    const QString flag = QDir(m_strFolder).filePath(DeletionFlagName(m_nProductId, code));
    if (!InsideProject(flag))
        return false;
    for (const QString& file : FilesOf(code))
        QFile::remove(file);
    QFile empty(flag);
    if (!empty.open(QIODevice::WriteOnly)) {
        Warn(QStringLiteral("Impossibile cancellare il file!"));
        return false;
    }
    m_codes.removeAt(m_nSelected);
    Reset();
    AlertUpd(m_strProject);
    return true;
}

bool CProdottiFilesCore::Open()
{
    if (m_nSelected < 0)
        return false;
    QString found;
    for (const QString& file : FilesOf(m_codes.at(m_nSelected)))
        if (QFileInfo(file).fileName().at(0).toLower() != 'd') {
            found = file;
            break;
        }
    bool opened = false;
    if (found.isEmpty())
        Warn(QStringLiteral("File non trovato!"));
    else if (!(opened = m_openFile && m_openFile(found)))
        Warn(QStringLiteral("Impossibile aprire il file!"));
    Reset();
    return opened;
}
