#include "exchange/CScriptedImport.h"

#include "exchange/CExchangeScript.h"
#include "exchange/IExchangeProgress.h"
#include "exchange/QtrUpdDatiState.h"
#include "exchange/scripts/CScriptEx.h"
#include "exchange/scripts/CStagedFiles.h"
#include "platform/dao/CDaoDatabase.h"
#include "platform/dao/CDaoException.h"
#include "platform/dao/CDaoTransaction.h"
#include "platform/dao/CDatabaseFile.h"
#include "platform/utilities/CMarkerAside.h"
#include "recordset/CConfigurazioneSet.h"
#include "recordset/CDaoIdBlocks.h"

#include <QFile>

#include <optional>

namespace {

const QString kImportTitle = QStringLiteral("Import dati");
const QString kRunTitle = QStringLiteral("Import automatico");

} // namespace

void CScriptedImport::InitVarImport(IExchangeProgress* progress, const QString& projectFolder)
{
    m_progress = progress;
    m_projectFolder = projectFolder.endsWith(QLatin1Char('/')) ? projectFolder.chopped(1) : projectFolder;
    m_log = CExchangeLog(m_projectFolder, QStringLiteral("qtrimp.log"));
    FlagAnnullaImp = 0;
    m_script.Reset();
}

QString CScriptedImport::DbFile(const QString& name) const { return m_projectFolder + QStringLiteral("/db/") + name; }

void CScriptedImport::Report(const QString& text, int icon, const QString& title) const
{
    if (m_progress)
        m_progress->Message(title, text, IExchangeProgress::Icon(icon));
    else
        m_log.Write(text);
}

void CScriptedImport::Progress(int command, qint64 number, const QString& text) const
{
    if (m_progress)
        m_progress->Import(IExchangeProgress::ImportCommand(command), number, text);
}

void CScriptedImport::Cancel()
{
    FlagAnnullaImp = 1;
    m_script.Interrupt();
}

void CScriptedImport::StartImport(unsigned int, long)
{
    try {
        m_result = Run();
    } catch (const std::exception& e) {
        const auto* dao = dynamic_cast<const CDaoException*>(&e);
        Report(dao ? dao->GetErrorMessage() : QString::fromStdString(e.what()), IExchangeProgress::Error, kImportTitle);
        QString ignored;
        CDatabaseFile::Remove(DbFile(QStringLiteral("tempdb.mdb")), &ignored);
        m_result = Result::Failed;
    }
}

CScriptedImport::Result CScriptedImport::Run()
{
    QFile pathIni(m_projectFolder + QStringLiteral("/path.ini"));
    if (!pathIni.open(QIODevice::ReadOnly))
        return Result::NothingToDo;
    const QString exchange = QString::fromUtf8(pathIni.readLine()).trimmed();
    if (exchange.isEmpty())
        return Result::NothingToDo;
    QFile scriptFile(m_projectFolder + QStringLiteral("/scripts/import.js"));
    if (!scriptFile.open(QIODevice::ReadOnly)) {
        Report(QStringLiteral("Impossibile trovare file import.js"), IExchangeProgress::Error, kImportTitle);
        return Result::Failed;
    }
    if (scriptFile.readAll().trimmed().isEmpty()) {
        Report(QStringLiteral("Il file import.js è vuoto"), IExchangeProgress::Error, kImportTitle);
        return Result::Failed;
    }
    QString error;
    if (!CDatabaseFile::Copy(DbFile(QStringLiteral("database.mdb")), DbFile(QStringLiteral("tempdb.mdb")), &error))
        throw CDaoException(error);

    bool opened = false;
    QStringList scriptErrors;
    QStringList consumed;
    QStringList deletedFiles;
    // Pictures and the site-update marker wait aside until the copy is the
    // project's database.
    CStagedFiles pictures;
    CMarkerAside marker;
    {
        CDaoDatabase copy;
        copy.Open(DbFile(QStringLiteral("tempdb.mdb")));
        copy.SetMarkerFolder(marker.Folder());
        // Records deleted in the copy keep their pictures until the copy
        // has become the project's database.
        copy.HoldFileDeletions(true);
        // The copy is all or nothing anyway: one transaction spares a commit
        // per row.
        CDaoTransaction transaction(copy);
        CDaoIdBlocks::TakeInBlocks(copy);
        CScriptEx qtr(&copy, exchange, m_projectFolder);
        qtr.SetStagedFiles(&pictures);
        {
            CConfigurazioneSet configurazione(&copy);
            configurazione.Open();
            if (!configurazione.IsEOF())
                qtr.SetSortMode(configurazione.m_TipoOrdinamento);
        }
        CExchangeScript script;
        // A cancel reaches the script only while it is in the slot; the
        // slot is left before the script goes.
        std::optional<CScriptSlot::Holder> held(std::in_place, m_script, [&script] { script.Interrupt(); });
        if (FlagAnnullaImp.load() != 0)
            script.Interrupt();
        script.Open(scriptFile.fileName(), &qtr);
        Progress(IExchangeProgress::IMPUI_TEXT, 0, QStringLiteral("Preparazione import in corso..."));
        opened = !script.Has(QStringLiteral("ApriSessioneImport")) || script.CallBool(QStringLiteral("ApriSessioneImport"));
        if (opened) {
            const int counted = qtr.Files().LinesCounted();
            Progress(IExchangeProgress::IMPUI_RANGE, counted);
            if (script.Has(QStringLiteral("ImportaRecord"))) {
                for (;;) {
                    Progress(IExchangeProgress::IMPUI_PUMP);
                    if (FlagAnnullaImp.load() != 0)
                        break;
                    const bool more = script.CallBool(QStringLiteral("ImportaRecord"));
                    const int read = qtr.Files().LinesRead();
                    Progress(IExchangeProgress::IMPUI_TEXT, 0,
                             QStringLiteral("Import record %1/%2 in corso...").arg(read).arg(counted));
                    Progress(IExchangeProgress::IMPUI_POS, read);
                    if (!more)
                        break;
                }
            }
            Progress(IExchangeProgress::IMPUI_POS, counted);
            script.Call(QStringLiteral("ChiudiSessioneImport"));
        }
        held.reset();
        scriptErrors = script.Errors();
        consumed = qtr.Files().Consumed();
        if (FlagAnnullaImp.load() == 0 && scriptErrors.isEmpty())
            transaction.Commit();
        else
            transaction.Rollback();
        qtr.EndWrites();
        copy.Close();
        deletedFiles = copy.TakeHeldFileDeletions();
    }
    for (const QString& scriptError : scriptErrors)
        Report(scriptError, IExchangeProgress::Error, kImportTitle);
    if (!scriptErrors.isEmpty())
        FlagAnnullaImp = 1;

    if (FlagAnnullaImp.load() != 0 || !opened) {
        CDatabaseFile::Remove(DbFile(QStringLiteral("tempdb.mdb")), &error);
        if (!opened && FlagAnnullaImp.load() == 0) {
            Report(QStringLiteral("Nessun dato importato."), IExchangeProgress::Information, kRunTitle);
            return Result::NothingImported;
        }
        Report(QStringLiteral("Operazione non completata.\nATTENZIONE: l'archivio è stato ripristinato allo stato precedente."),
               IExchangeProgress::Exclamation, kRunTitle);
        return scriptErrors.isEmpty() ? Result::Cancelled : Result::Failed;
    }
    if (!CDatabaseFile::Replace(DbFile(QStringLiteral("tempdb.mdb")), DbFile(QStringLiteral("database.mdb")), &error)) {
        CDatabaseFile::Remove(DbFile(QStringLiteral("tempdb.mdb")), &error);
        Report(QStringLiteral("Impossibile rinominare il database."), IExchangeProgress::Information, kRunTitle);
        return Result::Failed;
    }
    CDaoDatabase::RemoveFiles(deletedFiles);
    marker.PassOn(m_projectFolder);
    if (!pictures.Commit(&error))
        Report(error, IExchangeProgress::Error, kImportTitle);
    for (const QString& file : consumed)
        QFile::remove(file);
    Report(QStringLiteral("Operazione effettuata con successo."), IExchangeProgress::Information, kRunTitle);
    return Result::Done;
}
