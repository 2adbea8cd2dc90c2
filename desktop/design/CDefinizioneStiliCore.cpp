#include "desktop/design/CDefinizioneStiliCore.h"

#include "desktop/design/CStileCombo.h"
#include "desktop/shell/controls/CColorText.h"
#include "recordset/CClassiCSSSet.h"
#include "recordset/CDaoSqlSession.h"

#include <QSqlQuery>

namespace {

constexpr int kImage = CAttributiCatalogo::kBackgroundImage;
constexpr int kPosition = 27;
const QString kPerLanguageMark = QStringLiteral("CodiceLingua");

bool IsColour(int attribute)
{
    return attribute == 4 || attribute == 5;
}

} // namespace

CDefinizioneStiliCore::CDefinizioneStiliCore(CDaoDatabase& graphic, CDaoDatabase& shop, qint32 blockId,
                                             const QString& projectFolder, QStringList& clipboard)
    : m_graphic(graphic), m_shop(shop), m_nBlockId(blockId), m_clipboard(clipboard), m_attributi(&graphic),
      m_sfondo(projectFolder)
{
    m_customColours.fill(QColor(Qt::white));
}

void CDefinizioneStiliCore::Open()
{
    m_attributi.Open();
    LoadClasses();
    m_sfondo.LoadLanguages(m_shop);
    LoadCustomColours();
    m_bCopyEnabled = false;
    m_bPasteEnabled = false;
    if (!m_classes.isEmpty()) {
        m_nCurrent = 0;
        LoadClass();
        m_bCopyEnabled = true;
        m_bPasteEnabled = !m_clipboard.isEmpty();
    }
    m_bPerLanguageChanged = false;
}

void CDefinizioneStiliCore::LoadClasses()
{
    m_classes.clear();
    m_nCurrent = -1;
    CClassiCSSSet classes(&m_graphic);
    classes.m_strFilter = QStringLiteral("IDCodiceASP=?");
    classes.m_filterParams = {m_nBlockId};
    classes.m_strSort = QStringLiteral("Ordine");
    classes.Open();
    for (; !classes.IsEOF(); classes.MoveNext())
        m_classes.append({classes.m_ID, classes.m_Nome, classes.m_Descrizione});
    classes.Close();
}

// The colours the project uses most are the ones the merchant will want
// again; ties go by the value itself so the slots do not move between openings.
void CDefinizioneStiliCore::LoadCustomColours()
{
    m_customColours.fill(QColor(Qt::white));
    QSqlQuery query = CDaoSqlSession(m_graphic).Exec(QStringLiteral(
        "SELECT Valore, COUNT(Valore) AS ConteggioDiValore FROM AttributiCSS WHERE substr(Valore, 1, 1) = '#' "
        "GROUP BY Valore ORDER BY ConteggioDiValore DESC, Valore"));
    for (int slot = 0; slot < kCustomColours && query.next();) {
        const QColor colour = CColorText::FromString(query.value(0).toString());
        if (colour.isValid())
            m_customColours[size_t(slot++)] = colour;
    }
}

qint32 CDefinizioneStiliCore::CurrentClassId() const
{
    return m_nCurrent >= 0 ? m_classes.at(m_nCurrent).nId : 0;
}

QString CDefinizioneStiliCore::CurrentDescription() const
{
    return m_nCurrent >= 0 ? m_classes.at(m_nCurrent).strDescription : QString();
}

void CDefinizioneStiliCore::SelectClass(int index)
{
    if (index < 0 || index >= m_classes.size())
        return;
    if (m_nCurrent >= 0)
        SaveClass();
    m_nCurrent = index;
    LoadClass();
}

void CDefinizioneStiliCore::Confirm()
{
    if (m_nCurrent >= 0)
        SaveClass();
}

void CDefinizioneStiliCore::LoadClass()
{
    const qint32 classId = CurrentClassId();
    for (int attribute = 0; attribute < CAttributiCatalogo::kCount; ++attribute)
        Set(attribute, ReadAttribute(classId, attribute));
    m_strStoredImage = ReadAttribute(classId, kImage);
}

void CDefinizioneStiliCore::SaveClass()
{
    const qint32 classId = CurrentClassId();
    m_graphic.BeginTrans();
    try {
        for (int attribute = 0; attribute < CAttributiCatalogo::kCount; ++attribute) {
            const QString value = Get(attribute);
            // Per-language backgrounds are written into the pages, not the
            // style sheet: the opener must generate the block's pages.
            if (attribute == kImage && !m_bPerLanguageChanged
                && m_strStoredImage.contains(kPerLanguageMark) != value.contains(kPerLanguageMark))
                m_bPerLanguageChanged = true;
            WriteAttribute(classId, attribute, value);
        }
        m_graphic.CommitTrans();
    } catch (...) {
        // A class is written whole or not at all; the set is read again so
        // that rows it deleted or added in the rolled-back part count as
        // they now are.
        if (m_attributi.GetEditMode() != dbEditNone)
            m_attributi.CancelUpdate();
        m_graphic.Rollback();
        m_attributi.Requery();
        throw;
    }
}

QString CDefinizioneStiliCore::Get(int attribute)
{
    if (CAttributiCatalogo::IsBorder(attribute))
        return m_bordi.Get(attribute);
    if (attribute == kImage)
        return m_sfondo.GetImage();
    if (attribute == kPosition)
        return m_sfondo.GetPosition();
    return CAttributiCatalogo::IsKnown(attribute) ? m_values[size_t(attribute)] : QString();
}

void CDefinizioneStiliCore::Set(int attribute, const QString& value)
{
    if (CAttributiCatalogo::IsBorder(attribute)) {
        m_bordi.Set(attribute, value);
    } else if (attribute == kImage) {
        m_sfondo.SetImage(value);
    } else if (attribute == kPosition) {
        m_sfondo.SetPosition(value);
    } else if (CAttributiCatalogo::IsKnown(attribute)) {
        QString shown = value;
        const CStileCombo::List list = CStileCombo::ForAttribute(attribute);
        if (list != CStileCombo::None) {
            shown = CStileCombo::Normalise(list, value);
        } else if (IsColour(attribute)) {
            const QColor colour = CColorText::FromString(value);
            shown = colour.isValid() ? CColorText::ToString(colour) : QString();
        }
        m_values[size_t(attribute)] = shown;
    }
}

void CDefinizioneStiliCore::DeleteBackgroundImage()
{
    m_sfondo.DeleteImage([this](const QStringList& values) { return UsedByAnotherClass(values); });
}

bool CDefinizioneStiliCore::UsedByAnotherClass(const QStringList& values)
{
    QSqlQuery query = CDaoSqlSession(m_graphic).Exec(
        QStringLiteral("SELECT COUNT(*) FROM AttributiCSS WHERE IDClasse<>? AND (Valore=? OR Valore=?)"),
        {CurrentClassId(), values.value(0), values.value(1)});
    return query.next() && query.value(0).toLongLong() > 0;
}

void CDefinizioneStiliCore::Copy()
{
    m_clipboard.clear();
    for (int attribute = 0; attribute < CAttributiCatalogo::kCount; ++attribute)
        m_clipboard << Get(attribute);
    m_bPasteEnabled = true;
}

void CDefinizioneStiliCore::Paste()
{
    const int count = std::min(int(m_clipboard.size()), CAttributiCatalogo::kCount);
    for (int attribute = 0; attribute < count; ++attribute)
        Set(attribute, m_clipboard.at(attribute));
}

QString CDefinizioneStiliCore::ReadAttribute(qint32 classId, int attribute)
{
    if (!m_attributi.FindFirst(QStringLiteral("IDClasse=? AND IDAttributo=?"), {classId, attribute}))
        return QString();
    return m_attributi.m_Valore;
}

void CDefinizioneStiliCore::WriteAttribute(qint32 classId, int attribute, const QString& value)
{
    const bool found = m_attributi.FindFirst(QStringLiteral("IDClasse=? AND IDAttributo=?"), {classId, attribute});
    if (found && value.isEmpty()) {
        m_attributi.Delete();
    } else if (found) {
        m_attributi.Edit();
        m_attributi.m_Valore = value;
        m_attributi.Update();
    } else if (!value.isEmpty()) {
        m_attributi.AddNew();
        m_attributi.m_ID = NextAttributeId();
        m_attributi.m_IDClasse = classId;
        m_attributi.m_IDAttributo = attribute;
        m_attributi.m_Valore = value;
        m_attributi.Update();
    }
}

qint32 CDefinizioneStiliCore::NextAttributeId()
{
    QSqlQuery query = CDaoSqlSession(m_graphic).Exec(QStringLiteral("SELECT MAX(ID) FROM AttributiCSS"));
    return (query.next() ? query.value(0).toInt() : 0) + 1;
}
