#pragma once

#include <QList>
#include <QString>

#include <memory>
#include <utility>

class CConfigurazioneSet;
class CDaoDatabase;
class CStatoOrdiniGeneraleSet;
class CStatoOrdiniLingueSet;

// The rules of the predefined order states: the states with their text in
// the editing language (else the default one), adding, renaming and
// deleting them at once, and the choice of the states that stand for an
// order received and shipped, stored when the dialog closes.
class CStatiPredefinitiCore
{
public:
    using State = std::pair<qint32, QString>;

    CStatiPredefinitiCore(CDaoDatabase& db, const QString& currentLanguage, const QString& defaultLanguage);
    ~CStatiPredefinitiCore();

    QList<State> States();
    qint32 Received() const { return m_nRicevuto; }
    qint32 Shipped() const { return m_nEvaso; }
    QString Text(qint32 stateId);

    // The new state's ID, or 0 after "Campo obbligatorio!".
    qint32 Add(const QString& text);
    // False after "Campo obbligatorio!".
    bool Save(qint32 stateId, const QString& text);
    // Asks "Confermi ?"; true when the state and all its texts went.
    bool Delete(qint32 stateId);
    // The combos' choices (-1 for none) when the dialog closes.
    void StoreChoices(qint32 received, qint32 shipped);

private:
    bool FindText(qint32 stateId, const QString& language);
    void AddText(qint32 id, qint32 stateId, const QString& language, const QString& text);
    bool Refused(const QString& text) const;

    CDaoDatabase& m_db;
    QString m_strCurrent;
    QString m_strDefault;
    std::unique_ptr<CStatoOrdiniGeneraleSet> m_pStati;
    std::unique_ptr<CStatoOrdiniLingueSet> m_pTesti;
    qint32 m_nRicevuto = 0;
    qint32 m_nEvaso = 0;
};
