#pragma once

#include <QString>
#include <QVector>

#include <memory>

class CDaoDatabase;
class COpzioniSet;

// The site's option switches (table Opzioni) on page "Funzionalità": every
// change is written at once. The page has two states: nothing chosen (add
// open; modify and delete closed; edits blank) and an option chosen for
// editing (the reverse, edits filled).
class CParGenOptionsCore
{
public:
    struct Option
    {
        QString text;   // " " + code; a modified entry shows the code alone
        qint32 id;
        bool checked;
    };

    struct State
    {
        bool editing = false;   // add closed, modify and delete open
        QString codice;
        QString descrizione;
    };

    explicit CParGenOptionsCore(CDaoDatabase& db);
    ~CParGenOptionsCore();

    const QVector<Option>& Options() const { return m_options; }
    const State& GetState() const { return m_state; }

    // The entry index was selected with its check state: a changed check is
    // stored, otherwise the option is opened for editing.
    void Select(int index, bool checked);
    // Each returns false after telling why (the focus goes to "Codice").
    bool Add(const QString& codice, const QString& descrizione);
    bool Modify(int index, const QString& codice, const QString& descrizione);
    // Asks "Confermi ?" first.
    bool Delete(int index);

private:
    bool CheckCode(const QString& code, qint32 ownId);
    void Rest();

    std::unique_ptr<COpzioniSet> m_pSet;
    QVector<Option> m_options;
    State m_state;
};
