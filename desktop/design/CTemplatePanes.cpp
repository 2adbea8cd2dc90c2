#include "desktop/design/CTemplatePanes.h"

CTemplatePanes::CTemplatePanes(ITindaView& commands, QWidget* parent)
    : QSplitter(Qt::Horizontal, parent), m_commands(commands)
{
    setChildrenCollapsible(false);
}
