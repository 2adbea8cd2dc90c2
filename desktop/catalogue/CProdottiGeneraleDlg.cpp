#include "desktop/catalogue/CProdottiGeneraleDlg.h"

#include "desktop/catalogue/CProdottiViewCore.h"
#include "desktop/shell/controls/CValidatedEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>

namespace {

int StateOf(const QCheckBox* box) { return int(box->checkState()); }

void SetState(QCheckBox* box, int state)
{
    box->setCheckState(Qt::CheckState(state));
}

} // namespace

CProdottiGeneraleDlg::CProdottiGeneraleDlg(QWidget* parent) : QWidget(parent)
{
    m_pNome = new CValidatedEdit(this);
    m_pNome->SetParam(0, 255, 1, 0);
    m_pCodiceABarre = new CValidatedEdit(this);
    m_pCodiceABarre->SetParam(1, 13, 1, 0);
    m_pDescrizioneFattura = new CValidatedEdit(this);
    m_pDescrizioneFattura->SetParam(0, -1, 0, 0);
    m_pDescrizioneBreve = new QPlainTextEdit(this);
    m_pDescrizioneEstesa = new QPlainTextEdit(this);
    m_pDescrizioneBreve->setTabChangesFocus(true);
    m_pDescrizioneEstesa->setTabChangesFocus(true);
    m_pAttivo = new QCheckBox(QStringLiteral("Attivo"), this);
    m_pNovita = new QCheckBox(QString::fromUtf8("Novità"), this);
    m_pMailing = new QCheckBox(QStringLiteral("Mailing"), this);
    m_pPosition = new QLabel(QStringLiteral("0 / 0"), this);
    m_pPosition->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Nome"), this), 0, 0);
    grid->addWidget(m_pNome, 0, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Codice a Barre"), this), 1, 0);
    grid->addWidget(m_pCodiceABarre, 1, 1);
    grid->addWidget(m_pPosition, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Descrizione in fattura"), this), 2, 0);
    grid->addWidget(m_pDescrizioneFattura, 2, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Descrizione breve"), this), 3, 0, Qt::AlignTop);
    grid->addWidget(m_pDescrizioneBreve, 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("Descrizione estesa"), this), 4, 0, Qt::AlignTop);
    grid->addWidget(m_pDescrizioneEstesa, 4, 1, 1, 3);
    auto* flags = new QHBoxLayout;
    flags->addWidget(m_pAttivo);
    flags->addWidget(m_pNovita);
    flags->addWidget(m_pMailing);
    flags->addStretch();
    grid->addLayout(flags, 5, 1, 1, 3);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(4, 2);
    grid->setRowStretch(3, 1);
}

void CProdottiGeneraleDlg::Pull(ProdottoForm& form) const
{
    m_pNome->GetValue(form.nome);
    m_pCodiceABarre->GetValue(form.codiceABarre);
    m_pDescrizioneFattura->GetValue(form.descrizioneFattura);
    form.descrizioneBreve = m_pDescrizioneBreve->toPlainText();
    form.descrizioneEstesa = m_pDescrizioneEstesa->toPlainText();
    form.attivo = StateOf(m_pAttivo);
    form.novita = StateOf(m_pNovita);
    form.mailing = StateOf(m_pMailing);
}

void CProdottiGeneraleDlg::Push(const ProdottoForm& form)
{
    m_pNome->SetValue(form.nome);
    m_pCodiceABarre->SetValue(form.codiceABarre);
    m_pDescrizioneFattura->SetValue(form.descrizioneFattura);
    if (m_pDescrizioneBreve->toPlainText() != form.descrizioneBreve)
        m_pDescrizioneBreve->setPlainText(form.descrizioneBreve);
    if (m_pDescrizioneEstesa->toPlainText() != form.descrizioneEstesa)
        m_pDescrizioneEstesa->setPlainText(form.descrizioneEstesa);
    SetState(m_pAttivo, form.attivo);
    SetState(m_pNovita, form.novita);
    SetState(m_pMailing, form.mailing);
}

void CProdottiGeneraleDlg::SetPosition(const QString& text)
{
    m_pPosition->setText(text);
}

void CProdottiGeneraleDlg::SetFilterMode(bool on)
{
    m_bFilterMode = on;
    for (QCheckBox* box : {m_pAttivo, m_pNovita, m_pMailing})
        box->setTristate(on);
    for (QWidget* field : std::initializer_list<QWidget*>{m_pNome, m_pDescrizioneFattura, m_pDescrizioneBreve,
                                                          m_pDescrizioneEstesa})
        field->setEnabled(!on);
}

void CProdottiGeneraleDlg::SetEditingEnabled(bool on)
{
    setEnabled(on);
    if (on)
        SetFilterMode(m_bFilterMode);
}

QWidget* CProdottiGeneraleDlg::Control(int id) const
{
    switch (id) {
    case CProdottiViewCore::CtlNome: return m_pNome;
    case CProdottiViewCore::CtlDescrizioneFattura: return m_pDescrizioneFattura;
    default: return nullptr;
    }
}
