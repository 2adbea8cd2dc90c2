#pragma once

#include <QWidget>

struct ArticoloForm;
class CValidatedEdit;
class QPlainTextEdit;

// "Generale" of the article card: the article's title, author, subtitle
// and text in the editing language. It writes nothing itself: the card
// reads it (Pull) when it compares and saves, and fills it (Push).
class CArticoliTestoDlg : public QWidget
{
    Q_OBJECT
public:
    explicit CArticoliTestoDlg(QWidget* parent = nullptr);

    void Pull(ArticoloForm& form) const;
    void Push(const ArticoloForm& form);
    void SetEditingEnabled(bool on);

    CValidatedEdit* Titolo() const { return m_pTitolo; }
    CValidatedEdit* Autore() const { return m_pAutore; }
    QPlainTextEdit* Sottotitolo() const { return m_pSottotitolo; }
    QPlainTextEdit* Testo() const { return m_pTesto; }

private:
    CValidatedEdit* m_pTitolo;
    CValidatedEdit* m_pAutore;
    QPlainTextEdit* m_pSottotitolo;
    QPlainTextEdit* m_pTesto;
};
