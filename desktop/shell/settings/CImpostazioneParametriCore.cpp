#include "desktop/shell/settings/CImpostazioneParametriCore.h"

#include "desktop/shell/controls/CMessageBox.h"
#include "recordset/CLingueSet.h"
#include "recordset/CParametriSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

CImpostazioneParametriCore::CImpostazioneParametriCore(CDaoDatabase& db, CDaoDatabase& shopDb, qint32 idCodiceASP,
                                                       const QString& projectFolder)
    : m_db(db), m_pSet(std::make_unique<CParametriSet>(&db)),
      m_strImages(projectFolder + QStringLiteral("website/images/"))
{
    m_pSet->m_strFilter = QStringLiteral("IDCodiceASP=?");
    m_pSet->m_filterParams = {idCodiceASP};
    m_pSet->m_strSort = QStringLiteral("Ordine");
    m_pSet->Open();
    for (; !m_pSet->IsEOF(); m_pSet->MoveNext())
        m_parameters << Entry{m_pSet->m_Nome, m_pSet->m_ID};

    CLingueSet languages(&shopDb);
    languages.m_strFilter = QStringLiteral("Attivo=?");
    languages.m_filterParams = {true};
    languages.m_strSort = QStringLiteral("Descrizione");
    languages.Open();
    m_languages << Entry{QStringLiteral("Indipendente dalla lingua"), 0};
    m_languageCodes << QString();
    for (; !languages.IsEOF(); languages.MoveNext()) {
        m_languages << Entry{languages.m_Descrizione, languages.m_ID};
        m_languageCodes << languages.m_Codice;
    }
}

CImpostazioneParametriCore::~CImpostazioneParametriCore() = default;

QString CImpostazioneParametriCore::PerLanguageValue(const QString& name)
{
    return QStringLiteral("/images/\" & Generale.CodiceLingua & \"/") + name;
}

// The first piece is taken as it stands; each later one loses its leading
// blanks, and the last one its trailing blanks too.
QStringList CImpostazioneParametriCore::Choices(const QString& options)
{
    QStringList choices;
    QString rest = options;
    int comma = rest.indexOf(QLatin1Char(','));
    if (comma < 0)
        return rest.isEmpty() ? choices : QStringList{rest};
    choices << rest.left(comma);
    rest = rest.mid(comma + 1).trimmed();
    while ((comma = rest.indexOf(QLatin1Char(','))) >= 0) {
        choices << rest.left(comma);
        rest = rest.mid(comma + 1).trimmed();
    }
    choices << rest;
    return choices;
}

void CImpostazioneParametriCore::Select(int index)
{
    if (index < 0 || index >= m_parameters.size())
        return;
    if (m_shown.id > 0)
        SaveParameter();
    Shown shown;
    shown.id = m_parameters.at(index).id;
    shown.language = m_shown.language;
    if (!m_pSet->FindFirst(QStringLiteral("ID=?"), {shown.id}))
        return;
    shown.kind = m_pSet->m_Tipo;
    shown.description = m_pSet->m_Descrizione;
    shown.value = m_pSet->m_Valore;
    if (shown.kind == 2 && !shown.value.isEmpty()) {
        shown.language = -1;
        shown.value = shown.value.mid(shown.value.lastIndexOf(QLatin1Char('/')) + 1);
    }
    if (shown.kind == 3)
        shown.check = shown.value == QLatin1String("1");
    if (shown.kind == 4) {
        shown.choices = Choices(m_pSet->m_Opzioni);
        shown.choice = shown.value.isEmpty() ? -1 : shown.value.toInt();
    }
    m_shown = shown;
    ShowKind();
}

void CImpostazioneParametriCore::ShowKind()
{
    Shown& s = m_shown;
    s.showValue = s.kind == 0 || s.kind == 1 || s.kind == 2;
    s.valueReadOnly = s.kind == 2;
    s.showFile = s.kind == 2;
    s.showCheck = s.kind == 3;
    s.showChoices = s.kind == 4;
    s.label = s.kind == 2 ? QStringLiteral("Nome file") : s.kind == 4 ? QStringLiteral("Opzioni")
                                                                       : QStringLiteral("Valore");
    s.canChange = s.kind == 2 && s.language >= 0;
    s.canDelete = s.kind == 2 && !s.value.isEmpty();
}

void CImpostazioneParametriCore::SaveParameter()
{
    if (m_shown.id <= 0 || !m_pSet->FindFirst(QStringLiteral("ID=?"), {m_shown.id}))
        return;
    m_pSet->Edit();
    if (m_shown.kind == 3) {
        m_pSet->m_Valore = m_shown.check ? QStringLiteral("1") : QStringLiteral("0");
    } else if (m_shown.kind == 4) {
        m_pSet->m_Valore = m_shown.choice >= 0 ? QString::number(m_shown.choice) : QString();
    } else if (m_shown.kind == 2 && !m_shown.value.isEmpty()) {
        m_pSet->m_Valore = QFileInfo::exists(m_strImages + m_shown.value)
                               ? QStringLiteral("/images/") + m_shown.value
                               : PerLanguageValue(m_shown.value);
    } else {
        m_pSet->m_Valore = m_shown.value;
    }
    m_pSet->Update();
}

void CImpostazioneParametriCore::ChooseLanguage(int index)
{
    m_shown.language = index >= 0 && index < m_languages.size() ? index : -1;
    ShowKind();
}

bool CImpostazioneParametriCore::ChangeFile(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    if (name.isEmpty())
        return false;
    if (!m_shown.value.isEmpty() && name != m_shown.value) {
        CMessageBox::Show(nullptr,
                          QStringLiteral("E' necessario selezionare per tutte le lingue un file con il medesimo nome (")
                              + m_shown.value + QStringLiteral(")"),
                          QStringLiteral("Impostazione parametri"), CMessageBox::Exclamation);
        return false;
    }
    m_shown.value = name;
    QString target = m_strImages;
    const QString code = m_shown.language > 0 ? m_languageCodes.at(m_shown.language) : QString();
    if (code.contains(QLatin1Char('/')) || code.contains(QLatin1String("..")))
        return false;   // a language code is a folder name and nothing more
    if (m_shown.language > 0) {
        target += m_languageCodes.at(m_shown.language) + QLatin1Char('/');
        QDir().mkpath(target);
    }
    if (QFileInfo(path).absoluteFilePath() != QFileInfo(target + name).absoluteFilePath()) {
        QFile::remove(target + name);
        QFile::copy(path, target + name);
    }
    ShowKind();
    return true;
}

void CImpostazioneParametriCore::DeleteFile()
{
    DeleteImageFile(m_shown.value);
    m_shown.value.clear();
    m_shown.language = -1;
    ShowKind();
}

// A file that another parameter (of any code block) still names stays.
void CImpostazioneParametriCore::DeleteImageFile(const QString& name)
{
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name == QLatin1String(".."))
        return;
    CParametriSet others(&m_db);
    others.m_strFilter = QStringLiteral("ID<>? AND (Valore=? OR Valore=?)");
    others.m_filterParams = {m_shown.id, QStringLiteral("/images/") + name, PerLanguageValue(name)};
    others.Open();
    const bool used = !others.IsEOF();
    others.Close();
    if (used)
        return;
    QFile::remove(m_strImages + name);
    for (const QString& code : m_languageCodes)
        if (!code.isEmpty())
            QFile::remove(m_strImages + code + QLatin1Char('/') + name);
}
