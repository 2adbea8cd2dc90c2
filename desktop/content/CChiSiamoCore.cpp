#include "desktop/content/CChiSiamoCore.h"

#include "desktop/shell/controls/CGifWriter.h"
#include "desktop/shell/projects/CProjectFolder.h"
#include "platform/dao/CDaoCriteria.h"
#include "platform/dao/CDaoDatabase.h"
#include "recordset/CChiSiamoSet.h"
#include "recordset/CConfigurazioneSet.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

CDaoCriteria LanguageRow(const QString& language)
{
    return CDaoCriteria::Format(QStringLiteral("CodiceLingua='%s'"), {language});
}

// A language code names a folder: one plain name.
bool IsFolderName(const QString& code)
{
    return !code.isEmpty() && code != QLatin1String(".") && code != QLatin1String("..")
           && !code.contains(QLatin1Char('/')) && !code.contains(QLatin1Char('\\'));
}

} // namespace

CChiSiamoCore::CChiSiamoCore(CDaoDatabase& db, const QString& projectFolder, const QString& language)
    : m_db(db), m_strProjectFolder(CProjectFolder::WithSlash(projectFolder))
{
    CConfigurazioneSet configuration(&m_db);
    configuration.Open();
    if (!configuration.IsEOF())
        m_nLogoWidth = configuration.m_DimLogo;
    configuration.Close();
    Load(language);
}

QString CChiSiamoCore::LogoPath() const
{
    if (!IsFolderName(m_strLanguage))
        return QString();
    return m_strProjectFolder + QStringLiteral("website/images/") + m_strLanguage + QStringLiteral("/su_logo.gif");
}

void CChiSiamoCore::Load(const QString& language)
{
    m_strLanguage = language;
    m_bLogoPending = false;
    CChiSiamoSet rows(&m_db);
    rows.SetFilter(LanguageRow(language));
    rows.Open();
    m_bHasRow = !rows.IsEOF();
    m_strStored = m_bHasRow ? rows.m_Testo : QString();
    rows.Close();
}

bool CChiSiamoCore::IsModified(const QString& text) const
{
    return text != m_strStored || m_bLogoPending;
}

void CChiSiamoCore::WriteRow(const QString& text)
{
    CChiSiamoSet rows(&m_db);
    rows.SetFilter(LanguageRow(m_strLanguage));
    rows.Open();
    if (rows.IsEOF()) {
        const qint32 id = rows.GetNextID();
        rows.AddNew();
        rows.m_ID = id;
        rows.m_CodiceLingua = m_strLanguage;
    } else {
        rows.Edit();
    }
    rows.m_Testo = text;
    rows.m_Modificato = true;
    rows.m_ModificataFoto = true;
    rows.Update();
    rows.Close();
    m_bHasRow = true;
}

void CChiSiamoCore::Save(const QString& text)
{
    if (!IsModified(text))
        return;
    WriteRow(text);
    m_strStored = text;
    m_bLogoPending = false;
}

void CChiSiamoCore::ChangeLanguage(const QString& language, const QString& text)
{
    Save(text);
    Load(language);
}

bool CChiSiamoCore::SetLogo(const QString& file, QString* error)
{
    const QString target = LogoPath();
    QImageReader reader(file);
    QImage image = reader.read();
    if (target.isEmpty() || image.isNull() || image.width() <= 0) {
        *error = QStringLiteral("Impossibile leggere l'immagine %1.").arg(file);
        return false;
    }
    if (m_nLogoWidth > 0)
        image = image.convertToFormat(QImage::Format_RGB32)
                    .scaled(m_nLogoWidth, m_nLogoWidth * image.height() / image.width(), Qt::IgnoreAspectRatio,
                            Qt::SmoothTransformation);
    QDir().mkpath(QFileInfo(target).path());
    if (!CGifWriter::Save(image, target, error))
        return false;
    if (m_bHasRow) {
        // Only the flags change: the text stays as stored.
        WriteRow(m_strStored);
    } else {
        m_bLogoPending = true;
    }
    return true;
}
