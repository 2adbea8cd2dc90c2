#include "platform/pagehost/CPageCache.h"

#include <QFileInfo>

namespace {

// A site has a few dozen pages; past this many the runner starts over.
constexpr qsizetype kMaxPages = 256;

bool Same(const CPageCache::Included& a, const CPageCache::Included& b)
{
    return a.path == b.path && a.size == b.size && a.modified == b.modified;
}

} // namespace

std::shared_ptr<const CPageCache::Page> CPageCache::Find(const QString& pagePath, const QString& pageText,
                                                          const Mapper& map) const
{
    const auto found = m_pages.constFind(pagePath);
    if (found == m_pages.cend() || found->pageText != pageText)
        return nullptr;
    for (const Included& file : found->page->files)
        if (!Same(file, Stamp(file.relative, map(file.relative))))
            return nullptr;
    return found->page;
}

void CPageCache::Keep(const QString& pagePath, const QString& pageText, std::shared_ptr<const Page> page)
{
    if (m_pages.size() >= kMaxPages && !m_pages.contains(pagePath))
        m_pages.clear();
    m_pages.insert(pagePath, Entry{pageText, std::move(page)});
}

CPageCache::Included CPageCache::Stamp(const QString& relative, const QString& path)
{
    Included file{relative, path, -1, -1};
    if (path.isEmpty())
        return file;
    const QFileInfo info(path);
    if (info.exists()) {
        file.size = info.size();
        file.modified = info.lastModified().toMSecsSinceEpoch();
    }
    return file;
}
