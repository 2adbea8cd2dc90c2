#pragma once

#include <QList>
#include <QString>

class CDaoDatabase;

// Two lists of users, those not linked to anybody and those linked to one
// owner, and the moves between them, each written at once into the
// candidate's own link column: an agent's customers (IDAgente), a
// customer's consignees (IDCliente), a group's members (IDGruppo).
class CClientiCollegamenti
{
public:
    struct Entry
    {
        qint32 nID = 0;
        QString strText;
        bool operator==(const Entry& other) const { return nID == other.nID && strText == other.strText; }
    };
    enum Side { Left, Right };
    enum Mode { None, AgentCustomers, CustomerConsignees, GroupMembers };

    explicit CClientiCollegamenti(CDaoDatabase& db);

    // Fills both lists for owner, sorted by text; None empties them.
    void Fill(Mode mode, qint32 ownerId);
    Mode GetMode() const { return m_mode; }
    qint32 Owner() const { return m_nOwner; }
    const QList<Entry>& List(Side side) const { return side == Left ? m_left : m_right; }
    QString Heading(Side side) const;
    // ">" from the left, "<" from the right; false when the ID is not there.
    bool Move(Side from, qint32 id);
    // ">>" and "<<".
    void MoveAll(Side from);

    // "%s (%s)", with the user ID and " - " before it when there is one.
    CDaoDatabase& Database() const { return m_db; }

    static QString CandidateText(const QString& ragioneSociale, const QString& nome, const QString& cognome,
                                 const QString& userId);

private:
    const char* LinkColumn() const;
    void WriteLink(qint32 candidate, qint32 value);
    static void Sort(QList<Entry>& list);

    CDaoDatabase& m_db;
    Mode m_mode = None;
    qint32 m_nOwner = 0;
    QList<Entry> m_left;
    QList<Entry> m_right;
};
