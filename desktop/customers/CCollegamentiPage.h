#pragma once

#include "desktop/customers/CClientiCollegamenti.h"

#include <QWidget>

#include <functional>

class QLabel;
class QListWidget;
class QPushButton;

// The page with two user lists and the four move buttons ">", "<", ">>",
// "<<" of the customers view's fifth tab and the groups' "Utenti" tab.
// Each move goes to the CClientiCollegamenti it shows.
class CCollegamentiPage : public QWidget
{
    Q_OBJECT
public:
    enum Move { MoveRight, MoveLeft, MoveAllRight, MoveAllLeft, MoveCount };

    explicit CCollegamentiPage(QWidget* parent = nullptr);

    // Runs a move and reports a database error; the owner's guard.
    std::function<void(const std::function<void()>&)> m_guard;

    void Show(CClientiCollegamenti* links);
    // Empties both lists and disables the buttons.
    void Clear();
    QListWidget* List(int side) const { return m_pLists[side]; }
    QPushButton* Button(Move move) const { return m_buttons[move]; }

private:
    void OnMove(int move);

    CClientiCollegamenti* m_pLinks = nullptr;
    QLabel* m_pHeadings[2] = {};
    QListWidget* m_pLists[2] = {};
    QPushButton* m_buttons[MoveCount] = {};
};
