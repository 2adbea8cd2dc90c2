#pragma once

#include <QList>
#include <QString>

class CDaoDatabase;

// The rules of "Opzioni menu a discesa", without widgets: the options of
// one drop-down field of a site form in their order, each with its text in
// the editing language (the default language's as fallback); added,
// changed, deleted and moved at once.
class COpzioniMenuCore
{
public:
    static constexpr int kTextLength = 50;

    struct Option
    {
        qint32 nId = 0;
        QString strText;
    };

    COpzioniMenuCore(CDaoDatabase& database, qint32 field, const QString& current, const QString& fallback);

    const QList<Option>& Options() const { return m_options; }
    int Selected() const { return m_nSelected; }
    QString SelectedText() const { return m_nSelected >= 0 ? m_options.at(m_nSelected).strText : QString(); }
    bool CanAdd() const { return m_nSelected < 0; }
    bool CanMoveUp() const { return m_nSelected > 0; }
    bool CanMoveDown() const { return m_nSelected >= 0 && m_nSelected + 1 < m_options.size(); }

    void Select(int index);
    // Each refuses an empty text with "Campo obbligatorio!".
    bool Add(const QString& text);
    bool Save(const QString& text);
    bool Delete();
    bool MoveUp() { return Move(-1); }
    bool MoveDown() { return Move(+1); }

private:
    void Read();
    void WriteText(qint32 option, const QString& language, const QString& text, bool onlyWhenMissing);
    bool Move(int direction);

    CDaoDatabase& m_db;
    qint32 m_nField;
    QString m_strCurrent;
    QString m_strDefault;
    QList<Option> m_options;
    int m_nSelected = -1;
};
