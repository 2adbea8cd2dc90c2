#pragma once

#include "desktop/catalogue/CImportDati.h"
#include "desktop/catalogue/ImportDatiRecord.h"

#include <QString>
#include <QVector>

// The rules of the import dialog, without its window: the 22 fields with
// their ticks and order (the ticked ones, top to bottom, are the fields of
// a line), the fields that must stay ticked, the move buttons, the
// separator, the obsolete-products choice and the five-line preview that
// decides whether "Avvio" may run.
class CImportDatiSettings
{
public:
    struct Entry
    {
        ImportField field;
        bool bTicked;
    };

    struct Preview
    {
        bool bRead = false;                // the file was opened and read
        QVector<ImportDatiRecord> rows;    // the good lines, up to five
        QString strMessage;                // the refusal to show, empty when none
    };

    static constexpr int kPreviewLines = 5;

    CImportDatiSettings();

    const QVector<Entry>& Entries() const { return m_entries; }
    QString Text(int index) const;

    int Selected() const { return m_nSelected; }
    void Select(int index);
    // Ticks or clears an entry; a field that must stay ticked is ticked
    // again and the message to show is returned (empty when none).
    QString SetTicked(int index, bool ticked);

    bool CanMoveUp() const { return m_nSelected > 0; }
    bool CanMoveDown() const { return m_nSelected >= 0 && m_nSelected + 1 < m_entries.size(); }
    void MoveUp();
    void MoveDown();

    QVector<ImportField> Columns() const;

    QString m_strFile;
    QString m_strSeparator = QStringLiteral("|");
    CImportDati::Obsolete m_obsolete = CImportDati::Obsolete::Keep;

    // Reads up to five lines as the run would; with no file name or a file
    // that does not open nothing is read and "Avvio" keeps its state.
    Preview ReadPreview();
    bool IsStartEnabled() const { return m_bStartEnabled; }

    CImportDati::Settings RunSettings(const QString& languageCode) const;

private:
    QVector<Entry> m_entries;
    int m_nSelected = -1;
    bool m_bStartEnabled = false;
};
