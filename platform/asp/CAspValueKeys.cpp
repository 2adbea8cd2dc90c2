#include "platform/asp/CAspValueKeys.h"

namespace {

// Past this many spellings (names made up by pages) it starts over.
constexpr qsizetype kMaxNames = 1024;

} // namespace

QString CAspValueKeys::Of(const QString& name) const
{
    const auto known = m_keys.constFind(name);
    if (known != m_keys.cend())
        return *known;
    if (m_keys.size() >= kMaxNames)
        m_keys.clear();
    return *m_keys.insert(name, name.toLower());
}
