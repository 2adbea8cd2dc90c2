#pragma once

#include "desktop/design/CStileCombo.h"

#include <QVector>
#include <QWidget>

#include <utility>

class CDefinizioneStiliCore;
class CValidatedEdit;
class QComboBox;
class QGridLayout;

// A tab page of the style dialog: its controls show the values the core
// holds for the class being edited, and each edit goes to the core at once.
class CStilePagina : public QWidget
{
    Q_OBJECT
public:
    explicit CStilePagina(CDefinizioneStiliCore& core, QWidget* parent = nullptr);

    // Fills the controls from the core (after a class is loaded or pasted).
    virtual void Refresh();

protected:
    // A labelled row of the page's grid bound to one attribute.
    CValidatedEdit* AddLengthRow(QGridLayout* grid, int row, const QString& label, int attribute);
    CValidatedEdit* AddNumberRow(QGridLayout* grid, int row, const QString& label, int attribute, int digits);
    QComboBox* AddComboRow(QGridLayout* grid, int row, const QString& label, int attribute,
                           CStileCombo::List list);
    static void AddLabel(QGridLayout* grid, int row, const QString& label);

    CDefinizioneStiliCore& m_core;

private:
    void BindEdit(CValidatedEdit* edit, int attribute);

    QVector<std::pair<CValidatedEdit*, int>> m_edits;
    QVector<std::pair<QComboBox*, int>> m_combos;
};
