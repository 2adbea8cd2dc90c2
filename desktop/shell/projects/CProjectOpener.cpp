#include "desktop/shell/projects/CProjectOpener.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CDatabaseBackup.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "desktop/shell/projects/CProjectUpgrade.h"
#include "desktop/shell/projects/IProjectUi.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace {

const QString kNotUpgraded = QStringLiteral("Il progetto non è stato aggiornato e pertanto non può essere aperto.");

} // namespace

CProjectOpener::CProjectOpener(CDaoDatabase& database, IProjectUi& ui, const QString& installFolder)
    : m_database(database), m_ui(ui), m_strInstallFolder(installFolder)
{
}

bool CProjectOpener::OpenProject(QString& projectFolder)
{
    const QString folder = CProjectFolder::WithoutSlash(projectFolder);
    if (QFileInfo::exists(CProjectFolder::LockPath(folder)) && !m_ui.WaitForSyncLock(CProjectFolder::LockPath(folder))) {
        m_bStartOk = false;
        return false;
    }
    QString error;
    if (!CDatabaseBackup(m_database, folder).RestoreLeftover(&error)) {
        ReportError(error);
        return false;
    }
    if (!UpgradeIfNeeded(folder))
        return false;
    m_ui.SetTitle(CProjectFolder::Title(folder));
    projectFolder = CProjectFolder::WithSlash(folder);
    if (!CheckExternalData(projectFolder)) {
        m_bStartOk = false;
        return false;
    }
    if (!OpenDatabase(projectFolder))
        return false;
    if (!m_ui.LoadLanguages()) {
        CMessageBox::Show(m_ui.DialogParent(),
                          QStringLiteral("Nessuna lingua attiva.\nE' necessario attivare almeno una lingua per poter proseguire."),
                          QString(), CMessageBox::Exclamation);
        m_ui.OpenLanguagesView();
    }
    return true;
}

bool CProjectOpener::UpgradeIfNeeded(const QString& projectFolder)
{
    QString error;
    switch (CProjectUpgrade::CheckProjectSchema(m_strInstallFolder, projectFolder, &error)) {
    case CProjectUpgrade::UpToDate:
        return true;
    case CProjectUpgrade::NeedsUpgrade:
        return AskUpgradeProject(projectFolder);
    case CProjectUpgrade::CheckFailed:
        break;
    }
    ReportError(IsReadable(projectFolder) ? error : DamagedMessage(projectFolder, error));
    return false;
}

bool CProjectOpener::IsReadable(const QString& projectFolder)
{
    try {
        CDaoDatabase database;
        database.Open(CProjectFolder::DatabasePath(projectFolder));
        const bool readable = database.TableExists(QStringLiteral("Configurazione"));
        database.Close();
        return readable;
    } catch (const CDaoException&) {
        return false;
    }
}

// Says which project, what is wrong and what the merchant can do; the
// engine's own words come last, for whoever helps.
QString CProjectOpener::DamagedMessage(const QString& projectFolder, const QString& detail)
{
    const QString folder = CProjectFolder::WithoutSlash(projectFolder);
    const QString name = folder.mid(folder.lastIndexOf(QLatin1Char('/')) + 1);
    QString text = QStringLiteral("Il progetto \"%1\" non può essere aperto: il suo archivio dati è danneggiato "
                                  "o illeggibile.\n\n"
                                  "Ripristinare l'archivio da una copia di sicurezza (%2), oppure scegliere o "
                                  "creare un altro progetto con File, Apri.")
                       .arg(name, QDir::toNativeSeparators(CProjectFolder::DatabasePath(folder)));
    if (!detail.isEmpty())
        text += QStringLiteral("\n\nDettagli: ") + detail;
    return text;
}

bool CProjectOpener::AskUpgradeProject(const QString& projectFolder)
{
    QWidget* parent = m_ui.DialogParent();
    const auto answer = CMessageBox::Show(
        parent,
        QStringLiteral("Il progetto è stato creato con una versione precedente di Quintaro\ned è pertanto "
                       "necessario aggiornarlo alla nuova versione.\n\nVuoi farlo ora?"),
        QString(), CMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    if (answer == QMessageBox::Yes) {
        // The upgrade replaces the file; nothing may hold it open.
        m_database.Close();
        CProjectUpgrade upgrade(m_strInstallFolder, projectFolder);
        switch (m_ui.RunUpgrade(upgrade)) {
        case CProjectUpgrade::Upgraded:
            CMessageBox::Show(parent, QStringLiteral("Aggiornamento effettuato con successo."), QString(),
                              CMessageBox::Information);
            return true;
        case CProjectUpgrade::Failed:
            CMessageBox::Show(parent, upgrade.Error() + QStringLiteral("\n\n") + kNotUpgraded, QString(),
                              CMessageBox::Stop);
            return false;
        case CProjectUpgrade::Cancelled:
            break;
        }
    }
    CMessageBox::Show(parent, kNotUpgraded, QString(), CMessageBox::Exclamation);
    return false;
}

QString CProjectOpener::ExternalDataFolder(const QString& projectFolder)
{
    QFile file(CProjectFolder::WithSlash(projectFolder) + QStringLiteral("path.ini"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return QString();
    const QString line = QTextStream(&file).readLine().trimmed();
    if (line.isEmpty())
        return QString();
    const QDir folder(line);
    // Without QDir::CaseSensitive the pattern matches "G..." as well, as it
    // did where the outside data comes from.
    return folder.entryList({QStringLiteral("g*")}, QDir::Files).isEmpty() ? QString() : line;
}

bool CProjectOpener::CheckExternalData(const QString& projectFolder)
{
    if (!m_ui.CanRunExternalImport() || ExternalDataFolder(projectFolder).isEmpty())
        return true;
    const auto answer = CMessageBox::Show(m_ui.DialogParent(),
                                          QStringLiteral("Sono disponibili dati esterni da importare\n\nVuoi farlo ora?"),
                                          QString(), CMessageBox::Question, QMessageBox::Yes | QMessageBox::No);
    return answer != QMessageBox::Yes || m_ui.RunExternalImport(CProjectFolder::WithSlash(projectFolder));
}

bool CProjectOpener::OpenDatabase(const QString& projectFolder)
{
    try {
        m_database.Open(CProjectFolder::DatabasePath(projectFolder));
    } catch (const CDaoException& e) {
        ReportError(DamagedMessage(projectFolder, e.GetErrorMessage()));
        return false;
    }
    return true;
}

void CProjectOpener::ReportError(const QString& text)
{
    CMessageBox::Show(m_ui.DialogParent(), text, QString(), CMessageBox::Stop);
}
