#pragma once

#include "desktop/shell/app/ITindaView.h"

#include <QSplitter>

// The template editor's client area: the block tree on the left, the
// preview on the right. The main frame finds the active editor's commands
// on its frame's widget, so the splitter answers them for the frame that
// owns it.
class CTemplatePanes : public QSplitter, public ITindaView
{
    Q_OBJECT
public:
    explicit CTemplatePanes(ITindaView& commands, QWidget* parent = nullptr);

    bool IsViewCommandEnabled(int id) override { return m_commands.IsViewCommandEnabled(id); }
    void OnViewCommand(int id) override { m_commands.OnViewCommand(id); }

private:
    ITindaView& m_commands;
};
