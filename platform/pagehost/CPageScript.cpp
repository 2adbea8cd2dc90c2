#include "platform/pagehost/CPageScript.h"

CPageScript::CPageScript(const QString& pageText)
{
    m_pageLines.append(1);
    bool inScript = false;
    bool inExpression = false;
    QString block;
    const qsizetype size = pageText.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = pageText.at(i);
        const QChar next = i + 1 < size ? pageText.at(i + 1) : QChar();
        if (c == QLatin1Char('<') && next == QLatin1Char('%')) {
            if (!block.isEmpty())
                StoreBlock(block);
            ++i;
            // JavaScript calls need parentheses: the expression is closed
            // by the "%>" that ends it.
            inExpression = i + 1 < size && pageText.at(i + 1) == QLatin1Char('=');
            if (inExpression) {
                AppendScript(QStringLiteral("\nResponse.Write("));
                ++i;
            }
            inScript = true;
        } else if (c == QLatin1Char('%') && next == QLatin1Char('>')) {
            AppendScript(inExpression ? QStringLiteral(")\n") : QStringLiteral("\n"));
            inScript = false;
            inExpression = false;
            ++i;
        } else {
            // Counted before the copy, so a script line that begins after
            // this line end belongs to the next page line.
            if (c == QLatin1Char('\n'))
                ++m_pageLine;
            if (inScript)
                AppendScript(c);
            else
                block.append(c);
        }
    }
    if (!inScript)
        StoreBlock(block);
}

void CPageScript::StoreBlock(QString& block)
{
    const qsizetype index = m_blocks.size();
    m_blocks.append(block);
    m_blocksUtf8.append(block.toUtf8());
    block.clear();
    AppendScript(QStringLiteral("\nResponse.WriteHTML(%1)\n").arg(index));
}

void CPageScript::AppendScript(QChar c)
{
    m_script.append(c);
    if (c == QLatin1Char('\n'))
        m_pageLines.append(m_pageLine);
}

void CPageScript::AppendScript(const QString& text)
{
    for (const QChar c : text)
        AppendScript(c);
}

int CPageScript::PageLine(int scriptLine) const
{
    return scriptLine >= 1 && scriptLine <= m_pageLines.size() ? m_pageLines.at(scriptLine - 1) : 0;
}
