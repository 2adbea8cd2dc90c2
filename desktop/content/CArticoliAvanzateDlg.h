#pragma once

#include <QWidget>

#include <functional>

class CArticoliViewCore;
class CValidatedEdit;
class QComboBox;
class QToolButton;

// "Avanzate" of the article card: the page template, the site form shown
// with the article and the article that answers that form. It writes
// nothing itself; the card reads the choices (Pull) and fills them (Push).
// The "..." buttons open the template list and the reply picker, through
// hooks the card sets and tests replace.
class CArticoliAvanzateDlg : public QWidget
{
    Q_OBJECT
public:
    CArticoliAvanzateDlg(CArticoliViewCore& core, QWidget* parent = nullptr);

    // Fills the two lists from the core's templates and forms.
    void FillTemplates();
    void FillForms();
    void Pull() const;
    void Push();
    void SetEditingEnabled(bool on);

    QComboBox* Templates() const { return m_pTemplates; }
    QComboBox* Forms() const { return m_pForms; }
    CValidatedEdit* Reply() const { return m_pReply; }
    QToolButton* TemplateButton() const { return m_pTemplateButton; }
    QToolButton* ReplyButton() const { return m_pReplyButton; }

    // Runs "Modelli"; the picker for a section, answering the chosen
    // article (0 none) or -1 when cancelled.
    std::function<void()> m_editTemplates;
    std::function<qint32(qint32 section)> m_pickReply;

private:
    void OnTemplates();
    void OnReply();

    CArticoliViewCore& m_core;
    QComboBox* m_pTemplates;
    QComboBox* m_pForms;
    CValidatedEdit* m_pReply;
    QToolButton* m_pTemplateButton;
    QToolButton* m_pReplyButton;
};
