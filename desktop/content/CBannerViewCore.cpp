#include "desktop/content/CBannerViewCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CBannerSet.h"
#include "recordset/CTipoBannerSet.h"
#include "recordset/QtrRelatedRows.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

CDaoCriteria ById(qint32 id)
{
    return CDaoCriteria::Format(QStringLiteral("ID=%d"), {id});
}

QDate DateOf(CBannerSet& row, const char* column)
{
    const QString name = QString::fromLatin1(column);
    return row.IsFieldNull(name) ? QDate() : row.GetFieldValue(name).toDateTime().date();
}

void SetDate(CBannerSet& row, const char* column, const QDate& date)
{
    const QString name = QString::fromLatin1(column);
    if (date.isValid())
        row.SetFieldValue(name, QDateTime(date, QTime(0, 0)));
    else
        row.SetFieldValueNull(name);
}

} // namespace

CBannerViewCore::CBannerViewCore(CDaoDatabase& db, const QString& projectFolder)
    : m_db(db), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
    ReadTypes();
    ReadBanners();
}

QString CBannerViewCore::RefusalText(Refusal refusal)
{
    switch (refusal) {
    case CodeMissing: return QStringLiteral("Campo obbligatorio!");
    case CodeTaken: return QStringLiteral("Codice banner già presente in archivio!");
    case Accepted: break;
    }
    return QString();
}

QString CBannerViewCore::CorrelationsRefusal() const
{
    return m_nSelected == 0 ? QStringLiteral("Nessun banner selezionato!") : QString();
}

void CBannerViewCore::ReadTypes()
{
    m_types = {{0, QStringLiteral("Nessun tipo")}};
    CTipoBannerSet types(&m_db);
    types.Open();
    for (; !types.IsEOF(); types.MoveNext())
        m_types.append({types.m_ID, types.m_Descrizione});
    types.Close();
}

void CBannerViewCore::ReadBanners()
{
    m_banners.clear();
    CBannerSet banners(&m_db);
    banners.Open();
    for (; !banners.IsEOF(); banners.MoveNext())
        m_banners.append({banners.m_ID, banners.m_Codice});
    banners.Close();
}

void CBannerViewCore::Deselect()
{
    m_nSelected = 0;
    m_form = Form();
    m_controls = Controls();
}

QString CBannerViewCore::FilePath() const
{
    if (m_nSelected == 0)
        return QString();
    for (const char* extension : {".gif", ".jpg", ".swf"}) {
        const QString path = BannerFolder() + QString::number(m_nSelected) + QLatin1String(extension);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

void CBannerViewCore::Select(qint32 id)
{
    CBannerSet row(&m_db);
    row.SetFilter(ById(id));
    row.Open();
    if (row.IsEOF()) {
        row.Close();
        Deselect();
        return;
    }
    m_nSelected = id;
    m_form.strCodice = row.m_Codice;
    m_form.nTipo = row.m_Tipo;
    m_form.strLink = row.m_Link;
    m_form.dallaData = DateOf(row, "DallaData");
    m_form.allaData = DateOf(row, "AllaData");
    m_form.nComparsePreviste = row.m_ComparsePreviste;
    m_form.nComparseEffettuate = row.m_ComparseEffettuate;
    m_form.bEsterno = row.m_Esterno;
    row.Close();
    m_controls = {false, true, true, true};
}

CBannerViewCore::Refusal CBannerViewCore::Check(const QString& code, qint32 ownId) const
{
    if (code.isEmpty())
        return CodeMissing;
    CBannerSet banners(&m_db);
    banners.SetFilter(CDaoCriteria::Format(QStringLiteral("Codice='%s' AND ID<>%d"), {code, ownId}));
    banners.Open();
    const bool taken = !banners.IsEOF();
    banners.Close();
    return taken ? CodeTaken : Accepted;
}

void CBannerViewCore::Write(qint32 id, const Form& form, bool adding)
{
    CBannerSet row(&m_db);
    row.SetFilter(ById(id));
    row.Open();
    if (adding) {
        row.AddNew();
        row.m_ID = id;
        row.m_ModificatoFile = false;
        row.m_ComparseEffettuate = 0;
    } else if (row.IsEOF()) {
        row.Close();
        return;
    } else {
        row.Edit();
    }
    row.m_Codice = form.strCodice.trimmed().toUpper().left(kCodeLength);
    // Nothing chosen in "Tipo" is "Nessun tipo": no banner type has a
    // negative ID for the shop to rotate it under.
    row.m_Tipo = form.nTipo > 0 ? form.nTipo : 0;
    row.m_Link = form.strLink.left(kLinkLength);
    row.m_ComparsePreviste = form.nComparsePreviste;
    row.m_Esterno = form.bEsterno;
    row.m_Modificato = true;
    SetDate(row, "DallaData", form.dallaData);
    SetDate(row, "AllaData", form.allaData);
    row.Update();
    row.Close();
}

CBannerViewCore::Refusal CBannerViewCore::Add(const Form& form)
{
    const QString code = form.strCodice.trimmed().toUpper().left(kCodeLength);
    if (const Refusal refusal = Check(code, 0); refusal != Accepted)
        return refusal;
    qint32 id = 0;
    {
        CBannerSet banners(&m_db);
        banners.Open();
        id = banners.GetNextID();
        banners.Close();
    }
    Write(id, form, true);
    ReadBanners();
    Deselect();
    return Accepted;
}

CBannerViewCore::Refusal CBannerViewCore::Save(const Form& form)
{
    if (m_nSelected == 0)
        return Accepted;
    const QString code = form.strCodice.trimmed().toUpper().left(kCodeLength);
    if (const Refusal refusal = Check(code, m_nSelected); refusal != Accepted)
        return refusal;
    Write(m_nSelected, form, false);
    ReadBanners();
    Deselect();
    return Accepted;
}

void CBannerViewCore::Delete()
{
    if (m_nSelected != 0
        && CMessageBox::Show(nullptr, QStringLiteral("Confermi ?"), QStringLiteral("Cancellazione banner"),
                             CMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               == QMessageBox::Yes) {
        // The table class takes the banner's own files (exactly <ID>.<ext>)
        // once the row is gone.
        CBannerSet row(&m_db);
        row.SetFilter(ById(m_nSelected));
        row.Open();
        if (!row.IsEOF())
            row.Delete();
        row.Close();
        ReadBanners();
    }
    Deselect();
}

bool CBannerViewCore::SetFile(const QString& file, QString* error)
{
    if (m_nSelected == 0)
        return false;
    const QString extension = QFileInfo(file).suffix().toLower();
    if (extension != QLatin1String("gif") && extension != QLatin1String("jpg") && extension != QLatin1String("swf")) {
        *error = QStringLiteral("Formato del file non ammesso: %1.").arg(file);
        return false;
    }
    QDir().mkpath(BannerFolder());
    const QString target = BannerFolder() + QString::number(m_nSelected) + QLatin1Char('.') + extension;
    // The new file is copied whole beside the old ones before they go.
    const QString copy = target + QStringLiteral(".new");
    QFile::remove(copy);
    if (!QFile::copy(file, copy)) {
        *error = QStringLiteral("Impossibile copiare il file %1.").arg(file);
        return false;
    }
    for (const QString& old : MatchRecordFiles(BannerFolder(), m_nSelected, QString()))
        if (old != copy)
            QFile::remove(old);
    if (!QFile::rename(copy, target)) {
        *error = QStringLiteral("Impossibile copiare il file %1.").arg(file);
        return false;
    }
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    CBannerSet row(&m_db);
    row.SetFilter(ById(m_nSelected));
    row.Open();
    if (!row.IsEOF()) {
        row.Edit();
        row.m_ModificatoFile = true;
        row.m_Modificato = true;
        row.Update();
    }
    row.Close();
    return true;
}
