#include "desktop/catalogue/CImportDatiSettings.h"

#include "desktop/catalogue/CImportDatiParser.h"

namespace {

bool MustStayTicked(ImportField field)
{
    switch (field) {
    case ImportField::IDCategoria:
    case ImportField::Codice:
    case ImportField::Nome:
    case ImportField::Prezzo1:
    case ImportField::AliquotaIVA:
        return true;
    default:
        return false;
    }
}

bool IsDescription(ImportField field)
{
    return field == ImportField::DescrizioneBreve || field == ImportField::DescrizioneFattura
           || field == ImportField::DescrizioneEstesa;
}

} // namespace

CImportDatiSettings::CImportDatiSettings()
{
    const QVector<ImportField> ticked = CImportDatiParser::DefaultFields();
    for (ImportField field : CImportDatiParser::AllFields())
        m_entries.append(Entry{field, ticked.contains(field)});
}

QString CImportDatiSettings::Text(int index) const
{
    return CImportDatiParser::Info(m_entries.at(index).field).strListText;
}

void CImportDatiSettings::Select(int index)
{
    m_nSelected = index >= 0 && index < m_entries.size() ? index : -1;
}

QString CImportDatiSettings::SetTicked(int index, bool ticked)
{
    if (index < 0 || index >= m_entries.size())
        return QString();
    Entry& entry = m_entries[index];
    if (ticked) {
        entry.bTicked = true;
        return QString();
    }
    if (MustStayTicked(entry.field))
        return QStringLiteral("Il campo ") + Text(index) + QStringLiteral(" deve essere necessariamente importato!");
    if (IsDescription(entry.field)) {
        bool another = false;
        for (const Entry& other : m_entries)
            another = another || (&other != &entry && IsDescription(other.field) && other.bTicked);
        if (!another)
            return QStringLiteral("E' necessario importare almeno una descrizione!");
    }
    entry.bTicked = false;
    return QString();
}

void CImportDatiSettings::MoveUp()
{
    if (!CanMoveUp())
        return;
    m_entries.swapItemsAt(m_nSelected, m_nSelected - 1);
    --m_nSelected;
}

void CImportDatiSettings::MoveDown()
{
    if (!CanMoveDown())
        return;
    m_entries.swapItemsAt(m_nSelected, m_nSelected + 1);
    ++m_nSelected;
}

QVector<ImportField> CImportDatiSettings::Columns() const
{
    QVector<ImportField> columns;
    for (const Entry& entry : m_entries)
        if (entry.bTicked)
            columns << entry.field;
    return columns;
}

CImportDatiSettings::Preview CImportDatiSettings::ReadPreview()
{
    Preview preview;
    QStringList lines;
    if (m_strFile.isEmpty() || m_strSeparator.size() != 1 || !CImportDati::ReadLines(m_strFile, &lines))
        return preview;
    preview.bRead = true;
    const QVector<ImportField> columns = Columns();
    for (int i = 0; i < qMin(kPreviewLines, static_cast<int>(lines.size())); ++i) {
        ImportDatiRecord record;
        QString why;
        if (!CImportDatiParser::ParseLine(lines.at(i), columns, m_strSeparator.at(0), &record, &why)) {
            preview.rows.clear();
            preview.strMessage = QStringLiteral("Il file selezionato non rispetta il formato dei campi da importare.");
            m_bStartEnabled = false;
            return preview;
        }
        preview.rows.append(record);
    }
    m_bStartEnabled = true;
    return preview;
}

CImportDati::Settings CImportDatiSettings::RunSettings(const QString& languageCode) const
{
    CImportDati::Settings settings;
    settings.strFile = m_strFile;
    settings.strLanguageCode = languageCode;
    settings.columns = Columns();
    settings.separator = m_strSeparator.isEmpty() ? QLatin1Char('|') : m_strSeparator.at(0);
    settings.obsolete = m_obsolete;
    return settings;
}
