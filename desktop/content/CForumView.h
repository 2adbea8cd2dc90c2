#pragma once

#include "desktop/content/CForumViewCore.h"
#include "desktop/shell/app/ITindaView.h"

#include <QWidget>

class CValidatedEdit;
class QCheckBox;
class QPlainTextEdit;

// "Interventi Forum": one post at a time with its topic, date, sender and
// texts, the "Attivo" switch that publishes it and the moderator's note.
// The rules are CForumViewCore.
class CForumView : public QWidget, public ITindaView
{
    Q_OBJECT
public:
    enum Field { Argomento, Data, Ora, Mittente, EmailMittente, Oggetto, FieldCount };

    CForumView(CDaoDatabase& database, const QString& defaultLanguage, QWidget* parent = nullptr);

    CForumViewCore& Core() { return m_core; }
    CValidatedEdit* Edit(Field field) const { return m_edits[field]; }
    QCheckBox* Attivo() const { return m_pAttivo; }
    QCheckBox* OnlyToModerate() const { return m_pOnly; }
    QPlainTextEdit* Testo() const { return m_pTesto; }
    QPlainTextEdit* Note() const { return m_pNote; }

    void Pull();
    void Refresh();

    CloseRule GetCloseRule() const override { return CloseRecordStrict; }
    bool IsRecordModified() override;
    bool SaveRecord() override;
    bool IsViewCommandEnabled(int id) override;
    void OnViewCommand(int id) override;

private:
    template <typename F> void Guard(F&& step);

    CForumViewCore m_core;
    CValidatedEdit* m_edits[FieldCount] = {};
    QCheckBox* m_pAttivo = nullptr;
    QCheckBox* m_pOnly = nullptr;
    QPlainTextEdit* m_pTesto = nullptr;
    QPlainTextEdit* m_pNote = nullptr;
    bool m_bRefreshing = false;
};
