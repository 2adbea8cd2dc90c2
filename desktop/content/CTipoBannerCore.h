#pragma once

#include <QList>
#include <QString>

class CDaoDatabase;

// The rules of "Tipo Banner", without widgets: the banner types the shop
// rotates its banners under. Deleting a type leaves its banners with no
// type (the table class repoints them).
class CTipoBannerCore
{
public:
    static constexpr int kCodeLength = 20;
    static constexpr int kDescriptionLength = 50;

    struct Entry
    {
        qint32 nId = 0;
        QString strCodice;
        QString strDescrizione;
    };

    struct Controls
    {
        bool bAdd = true;
        bool bSave = false;
        bool bDelete = false;
    };

    // Why an add or save wrote nothing, and the field to focus.
    enum Refusal { Accepted, DescriptionMissing, CodeStartsBadly, CodeTaken };

    explicit CTipoBannerCore(CDaoDatabase& db);

    const QList<Entry>& Types() const { return m_types; }
    qint32 Selected() const { return m_nSelected; }
    const Entry& Current() const { return m_current; }
    const Controls& GetControls() const { return m_controls; }

    void Select(qint32 id);
    Refusal Add(const QString& code, const QString& description);
    Refusal Save(const QString& code, const QString& description);
    // Asks "Confermi ?"; on Yes the type goes and its banners keep no type.
    void Delete();

    static QString RefusalText(Refusal refusal);
    static bool IsCodeField(Refusal refusal) { return refusal == CodeStartsBadly || refusal == CodeTaken; }

private:
    void ReadTypes();
    void Deselect();
    Refusal Check(const QString& code, const QString& description, qint32 ownId) const;
    void Write(qint32 id, const QString& code, const QString& description, bool adding);

    CDaoDatabase& m_db;
    QList<Entry> m_types;
    qint32 m_nSelected = 0;
    Entry m_current;
    Controls m_controls;
};
