#pragma once

#include <QIcon>

// The 16x16 icons of the eight block kinds of the graphic project, drawn
// once: page, block, table, column, feature, reference, fixed block and
// conditional block, in the order of CodiceASP.TipoCodice.
class CBlockIcons
{
public:
    static constexpr int kCount = 8;
    // An empty icon outside 0..7.
    static QIcon ForKind(int kind);
};
