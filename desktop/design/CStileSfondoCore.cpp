#include "desktop/design/CStileSfondoCore.h"

#include "recordset/CLingueSet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

const QString kPlainPrefix = QStringLiteral("url(/images/");
const QString kLanguagePrefix = QStringLiteral("url(/images/<%=Generale.CodiceLingua%>/");

// A name or folder is one plain step: no separators, nothing that climbs.
bool IsPlainName(const QString& name)
{
    return !name.isEmpty() && name != QStringLiteral(".") && name != QStringLiteral("..")
           && !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\'));
}

} // namespace

CStileSfondoCore::CStileSfondoCore(const QString& projectFolder) : m_strProject(projectFolder)
{
    if (!m_strProject.isEmpty() && !m_strProject.endsWith(QLatin1Char('/')))
        m_strProject += QLatin1Char('/');
}

void CStileSfondoCore::LoadLanguages(CDaoDatabase& shop)
{
    m_languages.clear();
    CLingueSet languages(&shop);
    languages.m_strFilter = QStringLiteral("Attivo=TRUE");
    languages.m_strSort = QStringLiteral("Descrizione");
    languages.Open();
    for (; !languages.IsEOF(); languages.MoveNext())
        m_languages.append({languages.m_ID, languages.m_Codice, languages.m_Descrizione});
    languages.Close();
}

QStringList CStileSfondoCore::LanguageEntries() const
{
    QStringList entries{QStringLiteral("Indipendente dalla lingua")};
    for (const Language& language : m_languages)
        entries << language.strDescription;
    return entries;
}

QString CStileSfondoCore::PlainValue(const QString& name)
{
    return kPlainPrefix + name + QLatin1Char(')');
}

QString CStileSfondoCore::PerLanguageValue(const QString& name)
{
    return kLanguagePrefix + name + QLatin1Char(')');
}

QString CStileSfondoCore::ImagePath(const QString& folder, const QString& name) const
{
    if (m_strProject.isEmpty() || !IsPlainName(name) || !(folder.isEmpty() || IsPlainName(folder)))
        return QString();
    const QString root = QDir::cleanPath(QDir(ImagesFolder()).absolutePath());
    const QString path = QDir::cleanPath(root + QLatin1Char('/') + (folder.isEmpty() ? QString() : folder + QLatin1Char('/')) + name);
    return path.startsWith(root + QLatin1Char('/')) ? path : QString();
}

void CStileSfondoCore::SetImage(const QString& value)
{
    if (value.isEmpty()) {
        m_strName.clear();
    } else {
        QString name = value.mid(value.lastIndexOf(QLatin1Char('/')) + 1);
        while (name.endsWith(QLatin1Char(')')))
            name.chop(1);
        m_strName = name;
    }
    // A class just loaded has no destination chosen for a new file.
    m_nLanguage = -1;
}

QString CStileSfondoCore::GetImage() const
{
    if (m_strName.isEmpty())
        return QString();
    const QString plain = ImagePath(QString(), m_strName);
    return !plain.isEmpty() && QFileInfo(plain).isFile() ? PlainValue(m_strName) : PerLanguageValue(m_strName);
}

void CStileSfondoCore::ChooseLanguage(int entry)
{
    m_nLanguage = (entry >= 0 && entry <= m_languages.size()) ? entry : -1;
}

QString CStileSfondoCore::ChangeImage(const QString& sourcePath)
{
    if (m_nLanguage < 0 || sourcePath.isEmpty())
        return QString();
    const QString name = QFileInfo(sourcePath).fileName();
    // Every language's copy of one background must carry the same name:
    // the class stores the name once.
    if (!m_strName.isEmpty() && name != m_strName)
        return QStringLiteral("E' necessario selezionare per tutte le lingue un file con il medesimo nome (")
               + m_strName + QLatin1Char(')');
    const QString folder = m_nLanguage == 0 ? QString() : m_languages.at(m_nLanguage - 1).strCode;
    const QString target = ImagePath(folder, name);
    if (!target.isEmpty()) {
        QDir().mkpath(QFileInfo(target).absolutePath());
        // Choosing the very file already in place must not delete it.
        if (QFileInfo(sourcePath).canonicalFilePath() != QFileInfo(target).canonicalFilePath()) {
            QFile::remove(target);
            QFile::copy(sourcePath, target);
        }
    }
    m_strName = name;
    m_nLanguage = -1;
    return QString();
}

void CStileSfondoCore::DeleteImage(const UsedElsewhere& usedElsewhere)
{
    if (!m_strName.isEmpty() && !(usedElsewhere && usedElsewhere({PlainValue(m_strName), PerLanguageValue(m_strName)}))) {
        QStringList files{ImagePath(QString(), m_strName)};
        for (const Language& language : m_languages)
            files << ImagePath(language.strCode, m_strName);
        for (const QString& file : files)
            if (!file.isEmpty())
                QFile::remove(file);
    }
    m_strName.clear();
    m_nLanguage = -1;
}

void CStileSfondoCore::SetPosition(const QString& value)
{
    const int blank = value.indexOf(QLatin1Char(' '));
    m_strX = blank < 0 ? value : value.left(blank);
    m_strY = blank < 0 ? QString() : value.mid(blank + 1);
}

QString CStileSfondoCore::GetPosition() const
{
    if (m_strY.isEmpty())
        return m_strX;
    return (m_strX.isEmpty() ? QStringLiteral("0") : m_strX) + QLatin1Char(' ') + m_strY;
}
