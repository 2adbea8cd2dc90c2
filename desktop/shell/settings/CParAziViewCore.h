#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class CConfigurazioneSet;
class CDaoDatabase;

// The company's identity on page "Dati aziendali": fifteen texts of the
// one Configurazione row. No field is required; the page saves itself when
// it goes (a change of tab or the view's close).
class CParAziViewCore
{
public:
    struct Field
    {
        int id;               // the edit's control number
        const char* label;
        QString CConfigurazioneSet::*column;
        quint8 kind;          // CValidatedEdit::SetParam
        int width;
    };
    static const QVector<Field>& Fields();

    explicit CParAziViewCore(CDaoDatabase& db);
    ~CParAziViewCore();

    // The stored texts, in the order of Fields(); blanks without a row.
    QStringList Load();
    bool IsRecordModified(const QStringList& texts);
    // Writes the row (ID 1), made when the table is empty.
    void SaveRecord(const QStringList& texts);

private:
    std::unique_ptr<CConfigurazioneSet> m_pSet;
};
