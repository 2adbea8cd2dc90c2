#pragma once

#include "desktop/content/CArticoliAllegatiCore.h"

#include <QWidget>

class CGridCtrl;
class CValidatedEdit;
class QCheckBox;
class QPlainTextEdit;
class QToolButton;

// The list page of the article card that "Link" and "Files" share: the
// fields of the selected row over a grid of the rows and a row of icon
// buttons. The rules are CArticoliAllegatiCore; the card hands it the
// shown article (SetArticle) and the languages.
class CArticoliAllegatiDlg : public QWidget
{
    Q_OBJECT
public:
    enum Button { AddButton, SaveButton, DeleteButton, UpButton, DownButton, OpenButton, ButtonCount };

    CArticoliAllegatiDlg(CDaoDatabase& database, CArticoliAllegatiCore::Kind kind, const QString& projectFolder,
                         QWidget* parent = nullptr);

    CArticoliAllegatiCore& Core() { return m_core; }
    void SetLanguages(const QString& current, const QString& fallback);
    void SetArticle(qint32 article);
    // Presses a button as the merchant would.
    void Press(int button);

    CGridCtrl* Grid() const { return m_pGrid; }
    CValidatedEdit* Codice() const { return m_pCodice; }
    CValidatedEdit* Titolo() const { return m_pTitolo; }
    CValidatedEdit* Url() const { return m_pUrl; }
    QCheckBox* Esterno() const { return m_pEsterno; }
    QPlainTextEdit* Descrizione() const { return m_pDescrizione; }
    QToolButton* GetButton(int button) const { return m_buttons[button]; }

private:
    CArticoliAllegatiCore::Fields Pull() const;
    void Push();
    void ShowRows();
    void ShowButtons();
    void Focus(CArticoliAllegatiCore::Field field);

    CArticoliAllegatiCore m_core;
    CGridCtrl* m_pGrid = nullptr;
    CValidatedEdit* m_pCodice = nullptr;
    CValidatedEdit* m_pTitolo = nullptr;
    CValidatedEdit* m_pUrl = nullptr;
    QCheckBox* m_pEsterno = nullptr;
    QPlainTextEdit* m_pDescrizione = nullptr;
    QToolButton* m_buttons[ButtonCount] = {};
};
