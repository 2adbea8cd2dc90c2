#pragma once

#include <QList>
#include <QString>

class CDaoDatabase;

// The rules of "Modelli", without widgets: the article page templates
// (Template), listed by description, added, changed and deleted; a deleted
// template leaves the articles that used it on the default template (the
// table class clears their IDTemplate).
class CModelliCore
{
public:
    enum Field { NoField, CodiceField, DescrizioneField };
    static constexpr int kCodeLength = 20;
    static constexpr int kDescriptionLength = 50;

    struct Entry
    {
        qint32 nId = 0;
        QString strText;
    };

    struct Fields
    {
        QString codice;
        QString descrizione;
    };

    // A refusal's message (caption "Validazione campi") and the field to
    // put the focus on; empty text when accepted.
    struct Refusal
    {
        QString strText;
        Field focus = NoField;
        bool IsRefused() const { return !strText.isEmpty(); }
    };

    explicit CModelliCore(CDaoDatabase& database);

    const QList<Entry>& Templates() const { return m_templates; }
    int Selected() const { return m_nSelected; }
    const Fields& CurrentFields() const { return m_fields; }
    bool CanAdd() const { return m_nSelected < 0; }
    bool CanChange() const { return m_nSelected >= 0; }

    void Select(int index);
    Refusal Add(const Fields& typed);
    Refusal Change(const Fields& typed);
    // Asks "Confermi ?"; true when the template went.
    bool Delete();

private:
    void Read();
    Refusal Check(Fields& fields, qint32 self) const;
    void Write(qint32 id, const Fields& fields, bool adding);
    void Blank();

    CDaoDatabase& m_db;
    QList<Entry> m_templates;
    int m_nSelected = -1;
    Fields m_fields;
};
